#include "main/win32/SaveReportDialog.h"

#include <commdlg.h>

#include "main/TextReport.h"

namespace kelvane {

std::optional<std::string> AskReportFile(HWND owner) {
  char path[MAX_PATH] = {};
  // "name|pattern|..." becomes the dialog's NUL-separated list, ending with two NULs.
  std::string filter = kTextReportDialogFilter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof(path);
  dialog.lpstrTitle = kTextReportDialogTitle;
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameA(&dialog)) return std::nullopt;
  return std::string(path);
}

}  // namespace kelvane
