#include "global/win32/DialogTexts.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

constexpr int kTextBufferSize = 256;

std::vector<std::string> TabCaptions(HWND tabs) {
  std::vector<std::string> captions;
  const int count = TabCtrl_GetItemCount(tabs);
  for (int index = 0; index < count; ++index) {
    wchar_t buffer[kTextBufferSize] = {};
    TCITEMW query = {};
    query.mask = TCIF_TEXT;
    query.pszText = buffer;
    query.cchTextMax = kTextBufferSize;
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&query));
    captions.push_back(Utf8(buffer));
  }
  return captions;
}

void SetTabCaptions(HWND tabs, const std::vector<std::string>& captions) {
  for (std::size_t index = 0; index < captions.size(); ++index) {
    std::wstring caption = Wide(captions[index]);
    TCITEMW change = {};
    change.mask = TCIF_TEXT;
    change.pszText = &caption[0];
    SendMessageW(tabs, TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&change));
  }
}

std::vector<std::string> ControlTexts(HWND control, ComponentKind kind) {
  switch (kind) {
    case ComponentKind::Pages: return TabCaptions(control);
    case ComponentKind::ListColumns: return ListColumnCaptions(control);
    default: return {WindowText(control)};
  }
}

void SetControlTexts(HWND control, ComponentKind kind, const std::vector<std::string>& texts) {
  switch (kind) {
    case ComponentKind::Pages: SetTabCaptions(control, texts); break;
    case ComponentKind::ListColumns: SetListColumnCaptions(control, texts); break;
    default: SetWindowTextW(control, Wide(texts.at(0)).c_str()); break;
  }
}

}  // namespace

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(length + 1, L'\0');
  const int copied = GetWindowTextW(window, &text[0], length + 1);
  return Utf8(text.data(), copied > 0 ? copied : 0);
}

std::vector<std::string> ListColumnCaptions(HWND list) {
  std::vector<std::string> captions;
  const int count = Header_GetItemCount(ListView_GetHeader(list));
  for (int column = 0; column < count; ++column) {
    wchar_t buffer[kTextBufferSize] = {};
    LVCOLUMNW query = {};
    query.mask = LVCF_TEXT;
    query.pszText = buffer;
    query.cchTextMax = kTextBufferSize;
    SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&query));
    captions.push_back(Utf8(buffer));
  }
  return captions;
}

void SetListColumnCaptions(HWND list, const std::vector<std::string>& captions) {
  for (std::size_t column = 0; column < captions.size(); ++column) {
    std::wstring caption = Wide(captions[column]);
    LVCOLUMNW change = {};
    change.mask = LVCF_TEXT;
    change.pszText = &caption[0];
    SendMessageW(list, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&change));
  }
}

void TranslateDialog(HWND dialog, const DialogTranslation& translation) {
  if (!translation.windowName || IsEnglish(translation.currentLanguage)) return;
  const std::vector<DialogCaption>& captions = translation.captions;
  WindowTexts texts{translation.windowName, WindowText(dialog), {}};
  for (const DialogCaption& caption : captions) {
    texts.components.push_back({caption.name, caption.kind,
                                ControlTexts(GetDlgItem(dialog, caption.controlId), caption.kind)});
  }
  translation.language.TranslateWindow(texts, translation.currentLanguage);
  SetWindowTextW(dialog, Wide(texts.caption).c_str());
  for (std::size_t i = 0; i < captions.size(); ++i) {
    SetControlTexts(GetDlgItem(dialog, captions[i].controlId), captions[i].kind,
                    texts.components[i].texts);
  }
}

}  // namespace kelvane
