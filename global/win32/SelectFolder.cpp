#include "global/win32/SelectFolder.h"

#include <shlobj.h>

#include <vector>

#include "platform/win32/ComObjects.h"
#include "platform/win32/ShellRequests.h"
#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

// Disables the thread's other enabled top-level windows while it lives; the folder dialog
// disables its owner itself and gives it the activation back when it closes.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND owner) : owner_(owner) {
    EnumThreadWindows(GetCurrentThreadId(), &OtherWindowsDisabled::Disable,
                      reinterpret_cast<LPARAM>(this));
  }
  ~OtherWindowsDisabled() {
    for (HWND window : disabled_) EnableWindow(window, TRUE);
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self) {
    auto& disabling = *reinterpret_cast<OtherWindowsDisabled*>(self);
    if (window != disabling.owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      disabling.disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND owner_;
  std::vector<HWND> disabled_;
};

int CALLBACK CentreOnScreen(HWND dialog, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED) {
    RECT client;
    GetClientRect(dialog, &client);
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - client.right) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - client.bottom) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return 0;
}

// The folder item the shell makes of the text; none when it cannot.
LPITEMIDLIST ParseFolder(HWND owner, const std::string& folder) {
  ComReference<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.Receive())))) {
    return nullptr;
  }
  std::wstring name = Wide(folder);
  LPITEMIDLIST parsed = nullptr;
  if (FAILED(desktop->ParseDisplayName(owner, nullptr, &name[0], nullptr, &parsed, nullptr))) {
    return nullptr;
  }
  return parsed;
}

}  // namespace

std::optional<std::string> SelectFolder(HWND owner, const std::string& title,
                                        const std::string& root) {
  const ComApartment apartment;
  const ShellItemIdList rootItem(root.empty() ? nullptr : ParseFolder(owner, root));
  wchar_t displayName[MAX_PATH] = {};
  const std::wstring wideTitle = Wide(title);
  BROWSEINFOW browse = {};
  browse.hwndOwner = owner;
  browse.pidlRoot = rootItem.get();
  browse.pszDisplayName = displayName;
  browse.lpszTitle = wideTitle.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = &CentreOnScreen;
  LPITEMIDLIST list = nullptr;
  {
    const OtherWindowsDisabled disabled(owner);
    const CriticalErrorsSilenced silenced;
    list = SHBrowseForFolderW(&browse);
  }
  const ShellItemIdList chosen(list);
  wchar_t path[MAX_PATH] = {};
  if (!chosen.get() || !SHGetPathFromIDListW(chosen.get(), path)) return std::nullopt;
  return Utf8(path);
}

}  // namespace kelvane
