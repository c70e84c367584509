#include "global/win32/SaveFileDialog.h"

#include <commdlg.h>

namespace kelvane {

std::optional<std::string> AskSaveFile(HWND owner, const std::string& title,
                                       const std::string& filter) {
  char path[MAX_PATH] = {};
  // "name|pattern|..." becomes the dialog's NUL-separated list, ending with two NULs.
  std::string list = filter;
  for (char& c : list) {
    if (c == '|') c = '\0';
  }
  list.push_back('\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = list.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof(path);
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameA(&dialog)) return std::nullopt;
  return std::string(path);
}

}  // namespace kelvane
