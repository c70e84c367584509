// Translating a dialog: its caption and the controls that show one caption each.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "global/Localization.h"

namespace kelvane {

struct DialogCaption {
  const char* name;  // the component's name in the language file
  int controlId;
};

// The text of a window or control, whatever its length.
std::string WindowText(HWND window);

// Translates when the current language is not English, as every window does when shown.
void TranslateDialogCaptions(HWND dialog, const char* windowName,
                             const std::vector<DialogCaption>& captions, const Language& language,
                             const std::string& currentLanguage);

}  // namespace kelvane
