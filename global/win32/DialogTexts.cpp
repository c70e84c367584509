#include "global/win32/DialogTexts.h"

#include <commctrl.h>

namespace kelvane {
namespace {

constexpr int kTextBufferSize = 256;

std::vector<std::string> TabCaptions(HWND tabs) {
  std::vector<std::string> captions;
  const int count = TabCtrl_GetItemCount(tabs);
  for (int index = 0; index < count; ++index) {
    char buffer[kTextBufferSize] = {};
    TCITEMA query = {};
    query.mask = TCIF_TEXT;
    query.pszText = buffer;
    query.cchTextMax = sizeof(buffer);
    SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&query));
    captions.emplace_back(buffer);
  }
  return captions;
}

void SetTabCaptions(HWND tabs, const std::vector<std::string>& captions) {
  for (std::size_t index = 0; index < captions.size(); ++index) {
    TCITEMA change = {};
    change.mask = TCIF_TEXT;
    change.pszText = const_cast<char*>(captions[index].c_str());
    SendMessageA(tabs, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&change));
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
    default: SetWindowTextA(control, texts.at(0).c_str()); break;
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
    char buffer[kTextBufferSize] = {};
    LVCOLUMNA query = {};
    query.mask = LVCF_TEXT;
    query.pszText = buffer;
    query.cchTextMax = sizeof(buffer);
    SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&query));
    captions.emplace_back(buffer);
  }
  return captions;
}

void SetListColumnCaptions(HWND list, const std::vector<std::string>& captions) {
  for (std::size_t column = 0; column < captions.size(); ++column) {
    LVCOLUMNA change = {};
    change.mask = LVCF_TEXT;
    change.pszText = const_cast<char*>(captions[column].c_str());
    SendMessageA(list, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&change));
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
  SetWindowTextA(dialog, texts.caption.c_str());
  for (std::size_t i = 0; i < captions.size(); ++i) {
    SetControlTexts(GetDlgItem(dialog, captions[i].controlId), captions[i].kind,
                    texts.components[i].texts);
  }
}

}  // namespace kelvane
