#include "global/win32/DialogTexts.h"

namespace kelvane {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  GetWindowTextA(window, &text[0], length + 1);
  text.resize(length);
  return text;
}

void TranslateDialogCaptions(HWND dialog, const char* windowName,
                             const std::vector<DialogCaption>& captions, const Language& language,
                             const std::string& currentLanguage) {
  if (IsEnglish(currentLanguage)) return;
  WindowTexts texts{windowName, WindowText(dialog), {}};
  for (const DialogCaption& caption : captions) {
    texts.components.push_back(
        {caption.name, ComponentKind::Caption, {WindowText(GetDlgItem(dialog, caption.controlId))}});
  }
  language.TranslateWindow(texts, currentLanguage);
  SetWindowTextA(dialog, texts.caption.c_str());
  for (std::size_t i = 0; i < captions.size(); ++i) {
    SetDlgItemTextA(dialog, captions[i].controlId, texts.components[i].texts.at(0).c_str());
  }
}

}  // namespace kelvane
