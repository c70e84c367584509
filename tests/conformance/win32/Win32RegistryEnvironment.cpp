#include <windows.h>

#include <stdexcept>

#include "platform/win32/AnsiText.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Registry.h"
#include "tests/conformance/RegistryEnvironment.h"

namespace kelvane {
namespace {

// Long enough for any import or export the tests make; only a stuck editor reaches it.
constexpr DWORD kImportTimeoutMs = 120000;

}  // namespace

std::unique_ptr<RegistryStore> MakeConformanceRegistry() {
  return std::make_unique<Win32Registry>();
}

void PutUtf16Value(RegistryStore&, const std::string& path, const std::string& name,
                   std::uint32_t type, const std::u16string& data) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, WideFromAnsi(path).c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create " + path);
  }
  const RegistryKeyHandle key(opened);
  if (RegSetValueExW(key.get(), WideFromAnsi(name).c_str(), 0, type,
                     reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size() * sizeof(char16_t))) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write " + name + " in " + path);
  }
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
