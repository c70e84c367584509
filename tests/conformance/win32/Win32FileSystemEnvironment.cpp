#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32System.h"
#include "tests/conformance/FileSystemEnvironment.h"
#include "tests/support/SavedShortcut.h"

namespace kelvane {
namespace {

constexpr char kScratchTop[] = "kelvane-fs-scratch";

std::runtime_error Failed(const std::string& step, const std::string& path) {
  return std::runtime_error(step + " failed for " + path + " (error " +
                            std::to_string(GetLastError()) + ")");
}

// Deletes a folder and everything in it; read-only entries too.
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAW data;
  const FindHandle find(FindFirstFileW(Wide(folder + "\\*").c_str(), &data));
  if (find) {
    do {
      const std::string name = Utf8(data.cFileName);
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(Wide(path).c_str());
      }
    } while (FindNextFileW(find.get(), &data));
  }
  RemoveDirectoryW(Wide(folder).c_str());
}

// The live file system, with a scratch folder on the prefix's fixed drive.
class Win32FileSystemEnvironment : public FileSystemEnvironment {
 public:
  explicit Win32FileSystemEnvironment(const std::string& testName)
      : top_(std::string(1, kFixedDrive) + ":\\" + kScratchTop),
        scratch_(top_ + "\\" + testName + "\\") {
    RemoveTree(top_ + "\\" + testName);
    CreateDirectoryA(top_.c_str(), nullptr);
    if (!CreateDirectoryA(scratch_.c_str(), nullptr)) throw Failed("CreateDirectoryA", scratch_);
  }

  ~Win32FileSystemEnvironment() override {
    for (const std::string& name : variables_) SetEnvironmentVariableA(name.c_str(), nullptr);
    RemoveTree(scratch_.substr(0, scratch_.size() - 1));
    RemoveDirectoryA(top_.c_str());  // only once the last test's folder is gone
  }

  FileSystemAccess& FileSystem() override { return files_; }
  std::string ScratchFolder() override { return scratch_; }
  std::string ScratchTopFolderName() override { return kScratchTop; }

  std::string ProgramFileName() override {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    return program.substr(program.find_last_of('\\') + 1);
  }

  void MakeFolder(const std::string& path) override {
    if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) throw Failed("CreateDirectoryW", path);
  }

  void WriteBytes(const std::string& path, const std::string& bytes) override {
    const FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      throw Failed("WriteFile", path);
    }
  }

  std::string ReadBytes(const std::string& path) override {
    const FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file) throw Failed("CreateFileW", path);
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) {
      throw Failed("ReadFile", path);
    }
    bytes.resize(read);
    return bytes;
  }

  void SetLastWrite(const std::string& path, int year, int month, int day, int hour, int minute,
                    int second) override {
    SYSTEMTIME local = {};
    local.wYear = static_cast<WORD>(year);
    local.wMonth = static_cast<WORD>(month);
    local.wDay = static_cast<WORD>(day);
    local.wHour = static_cast<WORD>(hour);
    local.wMinute = static_cast<WORD>(minute);
    local.wSecond = static_cast<WORD>(second);
    FILETIME localTime;
    FILETIME utc;
    const FileHandle file(CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file || !SystemTimeToFileTime(&local, &localTime) ||
        !LocalFileTimeToFileTime(&localTime, &utc) ||
        !SetFileTime(file.get(), nullptr, nullptr, &utc)) {
      throw Failed("SetFileTime", path);
    }
  }

  void MakeReadOnly(const std::string& path) override {
    if (!SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY)) {
      throw Failed("SetFileAttributesW", path);
    }
  }

  bool LetUsersWrite(const std::string& folder) override {
    BYTE users[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(users);
    if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &size)) return false;
    EXPLICIT_ACCESSA entry = {};
    entry.grfAccessPermissions = FILE_ADD_FILE;
    entry.grfAccessMode = GRANT_ACCESS;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entry.Trustee.ptstrName = reinterpret_cast<LPSTR>(users);
    PACL dacl = nullptr;
    if (SetEntriesInAclA(1, &entry, nullptr, &dacl) != ERROR_SUCCESS) return false;
    const DWORD result = SetNamedSecurityInfoA(const_cast<char*>(folder.c_str()), SE_FILE_OBJECT,
                                               DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                                               nullptr);
    LocalFree(dacl);
    return result == ERROR_SUCCESS && KeptForUsers(folder);
  }

  // Whether the folder's permissions, read back, hold an entry for the users' group.
  static bool KeptForUsers(const std::string& folder) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
      return false;
    }
    char* text = nullptr;
    const bool kept = ConvertSecurityDescriptorToStringSecurityDescriptorA(
                          descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr) &&
                      std::string(text).find(";;;BU)") != std::string::npos;
    LocalFree(text);
    LocalFree(descriptor);
    return kept;
  }

  void MakeShortcut(const std::string& path, const std::string& target) override {
    if (!testsupport::SaveShortcut(path, target)) throw Failed("Saving a shortcut", path);
  }

  void SetVariable(const std::string& name, const std::string& value) override {
    if (!SetEnvironmentVariableW(Wide(name).c_str(), Wide(value).c_str())) {
      throw Failed("SetEnvironmentVariableW", name);
    }
    variables_.push_back(name);
  }

 private:
  Win32FileSystem files_;
  std::string top_;
  std::string scratch_;
  std::vector<std::string> variables_;
};

}  // namespace

std::unique_ptr<FileSystemEnvironment> MakeFileSystemEnvironment(const std::string& testName) {
  return std::make_unique<Win32FileSystemEnvironment>(testName);
}

std::unique_ptr<FileSystemAccess> MakeWow64ConformanceFileSystem() {
  if (!Win32System().IsWow64()) return nullptr;
  return std::make_unique<Win32FileSystem>();
}

}  // namespace kelvane
