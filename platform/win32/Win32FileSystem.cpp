#include "platform/win32/Win32FileSystem.h"

#include <aclapi.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/win32/ComObjects.h"
#include "platform/win32/ShellRequests.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Handles.h"

namespace kelvane {
namespace {

constexpr DWORD kExpansionBufferSize = 1024;
constexpr DWORD kVolumeNameBufferSize = 128;
constexpr int kShortcutTargetBufferSize = MAX_PATH + 1;
constexpr DWORD kLongestPath = 32768;
// Lines are collected and written in blocks of about this size.
constexpr std::size_t kWriteBlockSize = 64 * 1024;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The system's own words for an error code, without the line break it ends with.
std::string SystemErrorText(DWORD code) {
  wchar_t buffer[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, buffer, 512, nullptr);
  std::string text = Utf8(buffer, length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::runtime_error ShellObjectFailure(HRESULT result) {
  const std::string text = SystemErrorText(static_cast<DWORD>(result));
  return std::runtime_error("The shell link object is not available: " +
                            (text.empty() ? "error " + std::to_string(result) : text));
}

std::uint32_t LocalDosTime(const FILETIME& utc) {
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) {
    return 0;
  }
  return static_cast<std::uint32_t>(date) << 16 | time;
}


class Win32TextFile : public TextFileWriter {
 public:
  Win32TextFile(FileHandle file, std::string path)
      : file_(std::move(file)), path_(std::move(path)) {}
  ~Win32TextFile() override {
    // Closing without Close() keeps what was written; errors have no one to go to here.
    if (file_) WriteBlock();
  }

  void Write(const std::string& bytes) override {
    if (!file_) throw MakeFileIoError(FileIoStep::Write, path_);
    pending_ += bytes;
    if (pending_.size() >= kWriteBlockSize && !WriteBlock()) {
      throw MakeFileIoError(FileIoStep::Write, path_);
    }
  }

  void Close() override {
    if (!file_) return;
    const bool written = WriteBlock() && FlushFileBuffers(file_.get());
    const bool closed = file_.reset();
    if (!written || !closed) throw MakeFileIoError(FileIoStep::Write, path_);
  }

 private:
  bool WriteBlock() {
    const std::string block = std::move(pending_);
    pending_.clear();
    if (block.empty()) return true;
    DWORD written = 0;
    return WriteFile(file_.get(), block.data(), static_cast<DWORD>(block.size()), &written,
                     nullptr) &&
           written == block.size();
  }

  FileHandle file_;
  std::string path_;
  std::string pending_;
};

// "\\?\C:\x" names C:\x and "\\?\UNC\server\x" names \\server\x.
std::wstring WithoutVerbatimPrefix(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

// Whether the open file is the one the path names, not one a folder on the way, swapped for a
// link or junction since the path was checked, leads to. Systems before Vista cannot tell.
bool IsOpenWhereNamed(HANDLE file, const std::string& path) {
  using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
  const auto finalPathOf = reinterpret_cast<FinalPathFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
  if (!finalPathOf) return true;
  std::vector<wchar_t> opened(kLongestPath);
  const DWORD length = finalPathOf(file, opened.data(), kLongestPath, 0);
  if (length == 0 || length >= kLongestPath) return false;
  std::vector<wchar_t> named(kLongestPath);
  const DWORD namedLength = GetLongPathNameW(Wide(path).c_str(), named.data(), kLongestPath);
  if (namedLength == 0 || namedLength >= kLongestPath) return false;
  const std::wstring openedPath = WithoutVerbatimPrefix(std::wstring(opened.data(), length));
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, openedPath.c_str(), -1, named.data(),
                        -1) == CSTR_EQUAL;
}

// Deletion through the open handle; where the system lacks it, by the name, which deletes a
// link itself and never a folder.
bool MarkForDeletion(HANDLE file, const std::string& path) {
  using SetInformationFunction = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
  const auto setInformation = reinterpret_cast<SetInformationFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetFileInformationByHandle")));
  if (!setInformation) return DeleteFileW(Wide(path).c_str()) != FALSE;
  constexpr int kFileDispositionInfo = 4;
  BOOLEAN deleteFile = TRUE;
  return setInformation(file, kFileDispositionInfo, &deleteFile, sizeof(deleteFile)) != FALSE;
}

constexpr DWORD kCreateRights = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | GENERIC_WRITE |
                                GENERIC_ALL | WRITE_DAC | WRITE_OWNER;

// An entry that lets a group of ordinary users, or everyone, create files in the folder itself.
bool GrantsUsersWrite(ACL& dacl) {
  for (const WELL_KNOWN_SID_TYPE group : {WinWorldSid, WinBuiltinUsersSid,
                                          WinAuthenticatedUserSid, WinInteractiveSid}) {
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(sid);
    if (!CreateWellKnownSid(group, nullptr, sid, &size)) continue;
    for (DWORD index = 0; index < dacl.AceCount; ++index) {
      void* entry = nullptr;
      if (!GetAce(&dacl, index, &entry)) continue;
      const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
      if (allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
          !(allowed->Header.AceFlags & INHERIT_ONLY_ACE) && (allowed->Mask & kCreateRights) &&
          EqualSid(const_cast<DWORD*>(&allowed->SidStart), sid)) {
        return true;
      }
    }
  }
  return false;
}

// The file-system path of the shortcut's item list; empty when it has none.
std::wstring ItemListPath(IShellLinkW& link) {
  LPITEMIDLIST items = nullptr;
  if (link.GetIDList(&items) != S_OK || !items) return {};
  wchar_t path[kShortcutTargetBufferSize] = {};
  const bool found = SHGetPathFromIDListW(items, path);
  CoTaskMemFree(items);
  return found ? path : L"";
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
  // A plain name needs no directory search: one attribute query answers the same.
  if (path.find_first_of("*?") == std::string::npos) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  WIN32_FIND_DATAW data;
  const FindHandle find(FindFirstFileW(Wide(path).c_str(), &data));
  return find && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32FileSystem::CreateDirectory(const std::string& path) {
  // Every folder above the last, top down; those that exist already just fail.
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (IsSeparator(path[i]) && !IsSeparator(path[i - 1]) && path[i - 1] != ':') {
      CreateDirectoryW(Wide(path.substr(0, i)).c_str(), nullptr);
    }
  }
  const DWORD error =
      CreateDirectoryW(Wide(path).c_str(), nullptr) ? ERROR_SUCCESS : GetLastError();
  if (!DirectoryExists(path)) {
    throw MakeFileIoError(FileIoStep::CreateFolder, path, SystemErrorText(error));
  }
}

std::vector<FileEntry> Win32FileSystem::FindEntries(const std::string& pattern) {
  std::vector<FileEntry> entries;
  WIN32_FIND_DATAW data;
  const FindHandle find(FindFirstFileW(Wide(pattern).c_str(), &data));
  if (!find) return entries;
  do {
    entries.push_back(FileEntry{Utf8(data.cFileName), data.dwFileAttributes,
                                LocalDosTime(data.ftLastWriteTime), data.nFileSizeLow});
  } while (FindNextFileW(find.get(), &data));
  return entries;
}

DriveType Win32FileSystem::GetDriveType(const std::string& root) {
  const UINT type = GetDriveTypeW(Wide(root).c_str());
  return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown;
}

bool Win32FileSystem::VolumePresent(const std::string& root) {
  const CriticalErrorsSilenced silenced;
  wchar_t name[kVolumeNameBufferSize];
  return GetVolumeInformationW(Wide(root).c_str(), name, kVolumeNameBufferSize, nullptr, nullptr,
                               nullptr, nullptr, 0) != FALSE;
}

std::optional<std::string> Win32FileSystem::ExpandEnvironmentStrings(const std::string& text) {
  wchar_t buffer[kExpansionBufferSize];
  // The result counts the terminating NUL; more than the buffer means it did not fit.
  const DWORD length = ExpandEnvironmentStringsW(Wide(text).c_str(), buffer, kExpansionBufferSize);
  if (length == 0 || length > kExpansionBufferSize) return std::nullopt;
  return Utf8(buffer);
}

std::optional<std::string> Win32FileSystem::SpecialFolder(int shellFolderId) {
  ShellItemIdList list;
  if (FAILED(SHGetSpecialFolderLocation(owner_.load(), shellFolderId, list.Receive()))) {
    return std::nullopt;
  }
  wchar_t path[MAX_PATH];
  if (!SHGetPathFromIDListW(list.get(), path)) return std::nullopt;
  std::string folder = Utf8(path);
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::unique_ptr<TextFileWriter> Win32FileSystem::OpenTextFile(const std::string& path,
                                                              bool append) {
  FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              append ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file) {
    throw MakeFileIoError(append ? FileIoStep::Append : FileIoStep::Create, path,
                          SystemErrorText(GetLastError()));
  }
  if (append && SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    throw MakeFileIoError(FileIoStep::Append, path);
  }
  return std::make_unique<Win32TextFile>(std::move(file), path);
}

std::string Win32FileSystem::ProgramFolder() {
  std::vector<wchar_t> path(kLongestPath);
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), kLongestPath);
  const std::string program = Utf8(path.data(), length < kLongestPath ? length : 0);
  return program.substr(0, program.find_last_of('\\') + 1);
}

std::optional<std::string> Win32FileSystem::ReadFileEnd(const std::string& path,
                                                        std::size_t count) {
  FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
  const auto length = static_cast<std::size_t>(
      std::min<ULONGLONG>(count, static_cast<ULONGLONG>(size.QuadPart)));
  LARGE_INTEGER start;
  start.QuadPart = size.QuadPart - static_cast<LONGLONG>(length);
  if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return std::nullopt;
  std::string bytes(length, '\0');
  std::size_t done = 0;
  while (done < length) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(length - done, 1 << 20));
    if (!ReadFile(file.get(), &bytes[done], chunk, &read, nullptr) || read == 0) {
      return std::nullopt;
    }
    done += read;
  }
  return bytes;
}

bool Win32FileSystem::IsPlainFile(const std::string& path) {
  // The attribute query takes no wildcards: such a name fails here.
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

bool Win32FileSystem::DeleteFileSilently(const std::string& path) {
  // The program runs elevated: the file is opened on its own name, never through a link at its
  // end, and a folder does not open without backup semantics, so nothing else can be reached.
  FileHandle file(CreateFileW(Wide(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!file || !GetFileInformationByHandle(file.get(), &information) ||
      (information.dwFileAttributes &
       (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY))) {
    return false;
  }
  return IsOpenWhereNamed(file.get(), path) && MarkForDeletion(file.get(), path);
}

bool Win32FileSystem::CreateNewFile(const std::string& path, const std::string& bytes) {
  // A new file only: never through a link or over anything already there.
  FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  if ((bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                   &written, nullptr) &&
                         written == bytes.size())) &&
      FlushFileBuffers(file.get())) {
    return true;
  }
  MarkForDeletion(file.get(), path);
  return false;
}

bool Win32FileSystem::IsWritableByOthers(const std::string& folder) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR owned = nullptr;
  if (GetNamedSecurityInfoW(Wide(folder).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                            nullptr, nullptr, &dacl, nullptr, &owned) != ERROR_SUCCESS) {
    return false;
  }
  const LocalMemoryHandle descriptor(owned);
  // No list at all lets everyone in.
  return !dacl || GrantsUsersWrite(*dacl);
}

std::string Win32FileSystem::GetShortcutTarget(const std::string& shortcutPath) {
  const ComApartment apartment;
  if (!apartment.Ready()) return {};
  ComReference<IShellLinkW> link;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IShellLinkW, link.Receive());
  if (FAILED(result)) throw ShellObjectFailure(result);
  ComReference<IPersistFile> file;
  result = link->QueryInterface(IID_IPersistFile, file.Receive());
  if (FAILED(result)) throw ShellObjectFailure(result);
  if (FAILED(file->Load(Wide(shortcutPath).c_str(), STGM_READ))) return {};
  wchar_t target[kShortcutTargetBufferSize] = {};
  WIN32_FIND_DATAW data;
  if (FAILED(link->GetPath(target, kShortcutTargetBufferSize, &data, SLGP_UNCPRIORITY))) return {};
  std::wstring path = target;
  // "?" has no place in a file name: Wine gives the shortcut's lossy ANSI copy so, while its
  // item list holds every character.
  if (path.find(L'?') != std::wstring::npos) path = ItemListPath(*link);
  return Utf8(path);
}

}  // namespace kelvane
