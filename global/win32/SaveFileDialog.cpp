#include "global/win32/SaveFileDialog.h"

#include <commdlg.h>

#include "platform/win32/WideText.h"

namespace kelvane {

std::optional<std::string> AskSaveFile(HWND owner, const std::string& title,
                                       const std::string& filter) {
  wchar_t path[MAX_PATH] = {};
  // "name|pattern|..." becomes the dialog's NUL-separated list, ending with two NULs.
  std::wstring list = Wide(filter);
  for (wchar_t& c : list) {
    if (c == L'|') c = L'\0';
  }
  list.push_back(L'\0');
  const std::wstring wideTitle = Wide(title);
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = list.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = wideTitle.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return Utf8(path);
}

}  // namespace kelvane
