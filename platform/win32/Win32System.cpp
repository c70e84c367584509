#include "platform/win32/Win32System.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/WideText.h"

namespace kelvane {

WindowsVersion Win32System::Version() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  // Without version information the version counts as one not otherwise listed.
  if (!GetVersionExW(&info)) return WindowsVersionFor(0, 0, 0);
  return WindowsVersionFor(static_cast<int>(info.dwPlatformId),
                           static_cast<int>(info.dwMajorVersion),
                           static_cast<int>(info.dwMinorVersion));
}

bool Win32System::IsWow64() {
  // Looked up at run time: systems without 64-bit support lack the function.
  using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32"), "IsWow64Process");
  if (!found) return false;
  const auto isWow64Process =
      reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void*>(found));
  BOOL wow64 = FALSE;
  return isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool Win32System::OpenWithShell(const std::string& target, const std::string& parameters) {
  const HINSTANCE result = ShellExecuteW(nullptr, L"Open", Wide(target).c_str(),
                                         parameters.empty() ? nullptr : Wide(parameters).c_str(),
                                         nullptr, SW_SHOWNORMAL);
  // Values up to 32 are error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string RegistryEditorPath() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  return Utf8(folder, length) + "\\regedit.exe";
}

}  // namespace kelvane
