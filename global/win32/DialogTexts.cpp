#include "global/win32/DialogTexts.h"

#include <commctrl.h>

namespace kelvane {
namespace {

constexpr int kColumnCaptionSize = 256;

std::vector<std::string> ControlTexts(HWND control, ComponentKind kind) {
  if (kind == ComponentKind::ListColumns) return ListColumnCaptions(control);
  return {WindowText(control)};
}

void SetControlTexts(HWND control, ComponentKind kind, const std::vector<std::string>& texts) {
  if (kind != ComponentKind::ListColumns) {
    SetWindowTextA(control, texts.at(0).c_str());
    return;
  }
  for (std::size_t column = 0; column < texts.size(); ++column) {
    LVCOLUMNA change = {};
    change.mask = LVCF_TEXT;
    change.pszText = const_cast<char*>(texts[column].c_str());
    SendMessageA(control, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&change));
  }
}

}  // namespace

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  GetWindowTextA(window, &text[0], length + 1);
  text.resize(length);
  return text;
}

std::vector<std::string> ListColumnCaptions(HWND list) {
  std::vector<std::string> captions;
  const int count = Header_GetItemCount(ListView_GetHeader(list));
  for (int column = 0; column < count; ++column) {
    char caption[kColumnCaptionSize] = {};
    LVCOLUMNA query = {};
    query.mask = LVCF_TEXT;
    query.pszText = caption;
    query.cchTextMax = sizeof(caption);
    SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&query));
    captions.emplace_back(caption);
  }
  return captions;
}

void TranslateDialogCaptions(HWND dialog, const char* windowName,
                             const std::vector<DialogCaption>& captions, const Language& language,
                             const std::string& currentLanguage) {
  if (IsEnglish(currentLanguage)) return;
  WindowTexts texts{windowName, WindowText(dialog), {}};
  for (const DialogCaption& caption : captions) {
    texts.components.push_back({caption.name, caption.kind,
                                ControlTexts(GetDlgItem(dialog, caption.controlId), caption.kind)});
  }
  language.TranslateWindow(texts, currentLanguage);
  SetWindowTextA(dialog, texts.caption.c_str());
  for (std::size_t i = 0; i < captions.size(); ++i) {
    SetControlTexts(GetDlgItem(dialog, captions[i].controlId), captions[i].kind,
                    texts.components[i].texts);
  }
}

}  // namespace kelvane
