#include <windows.h>
#include <sddl.h>

#include <stdexcept>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "tests/conformance/RegistryEnvironment.h"

namespace kelvane {
namespace {

// Long enough for any import or export the tests make; only a stuck editor reaches it.
constexpr DWORD kImportTimeoutMs = 120000;

}  // namespace

std::unique_ptr<RegistryStore> MakeConformanceRegistry() {
  return std::make_unique<Win32Registry>();
}

std::unique_ptr<RegistryStore> MakeWow64ConformanceRegistry() {
  if (!Win32System().IsWow64()) return nullptr;
  return std::make_unique<Win32Registry>();
}

void PutUtf16Value(RegistryStore&, const std::string& path, const std::string& name,
                   std::uint32_t type, const std::u16string& data) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &opened, nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create " + path);
  }
  const RegistryKeyHandle key(opened);
  if (RegSetValueExW(key.get(), Wide(name).c_str(), 0, type,
                     reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size() * sizeof(char16_t))) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write " + name + " in " + path);
  }
}

namespace {

// HKEY_CURRENT_USER's full name: the user's own key below \Registry\User, named by the SID.
std::wstring CurrentUserFullName() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    throw std::runtime_error("cannot open the process token");
  }
  const KernelObjectHandle tokenHandle(token);
  BYTE buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
  DWORD size = 0;
  wchar_t* sid = nullptr;
  if (!GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size) ||
      !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
    throw std::runtime_error("cannot read the user's SID");
  }
  const std::wstring name = std::wstring(L"\\Registry\\User\\") + sid;
  LocalFree(sid);
  return name;
}

}  // namespace

void MakeRegistryLink(RegistryStore&, const std::string& path, const std::string& targetPath) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr,
                      REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &opened, nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create the link " + path);
  }
  const RegistryKeyHandle link(opened);
  // The target's name is stored without a terminating NUL.
  const std::wstring target = CurrentUserFullName() + L"\\" + Wide(targetPath);
  if (RegSetValueExW(link.get(), L"SymbolicLinkValue", 0, REG_LINK,
                     reinterpret_cast<const BYTE*>(target.data()),
                     static_cast<DWORD>(target.size() * sizeof(wchar_t))) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot set the target of the link " + path);
  }
}

void RemoveRegistryLink(RegistryStore&, const std::string& path) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), REG_OPTION_OPEN_LINK,
                    DELETE | KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return;
  }
  const RegistryKeyHandle link(opened);
  DWORD type = 0;
  if (RegQueryValueExW(link.get(), L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) !=
          ERROR_SUCCESS ||
      type != REG_LINK) {
    return;
  }
  // The registry functions delete a link's target; the link itself goes only by its own handle.
  using DeleteKey = LONG(WINAPI*)(HANDLE);
  const auto deleteKey = reinterpret_cast<DeleteKey>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
  if (deleteKey) deleteKey(link.get());
}

namespace {

void RunRegistryEditor(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    throw std::runtime_error("cannot start " + commandLine + " (error " +
                             std::to_string(GetLastError()) + ")");
  }
  const KernelObjectHandle thread(started.hThread);
  const KernelObjectHandle process(started.hProcess);
  if (WaitForSingleObject(process.get(), kImportTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    throw std::runtime_error(commandLine + " did not end");
  }
}

}  // namespace

void ImportRegFile(RegistryStore&, FileSystemEnvironment&, const std::string& path) {
  RunRegistryEditor("regedit /s \"" + path + "\"");
}

std::string ExportRegistry(RegistryStore&, FileSystemEnvironment& files) {
  const std::string path = files.ScratchFolder() + "whole-registry.reg";
  RunRegistryEditor("regedit /e \"" + path + "\"");
  std::string text = files.ReadBytes(path);
  DeleteFileA(path.c_str());
  return text;
}

}  // namespace kelvane
