// Translating a dialog: its caption, and the texts of its controls by their kind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "global/Localization.h"

namespace kelvane {

struct DialogCaption {
  const char* name;  // the component's name in the language file
  int controlId;
  // Caption: the control's own text; Pages: the tabs of a tab control; ListColumns: the
  // column captions of a list view.
  ComponentKind kind = ComponentKind::Caption;
};

// The text of a window or control, whatever its length.
std::string WindowText(HWND window);

std::vector<std::string> ListColumnCaptions(HWND list);
void SetListColumnCaptions(HWND list, const std::vector<std::string>& captions);

// What a dialog shows from the language file: its window's section there and its controls.
struct DialogTranslation {
  const Language& language;
  std::string currentLanguage;
  const char* windowName;  // nullptr: the designed texts stay
  std::vector<DialogCaption> captions;
};

// Translates when the current language is not English, as every window does when shown.
void TranslateDialog(HWND dialog, const DialogTranslation& translation);

}  // namespace kelvane
