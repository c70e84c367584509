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
  // Caption: the control's own text; ListColumns: the column captions of a list view.
  ComponentKind kind = ComponentKind::Caption;
};

// The text of a window or control, whatever its length.
std::string WindowText(HWND window);

std::vector<std::string> ListColumnCaptions(HWND list);

// Translates when the current language is not English, as every window does when shown.
void TranslateDialogCaptions(HWND dialog, const char* windowName,
                             const std::vector<DialogCaption>& captions, const Language& language,
                             const std::string& currentLanguage);

}  // namespace kelvane
