// Files, folders, drives and environment as the scan and repair rules see them.
// File-system queries report no errors: a path that cannot be examined does not exist.

// <windows.h> maps these names to its ANSI functions; here they mean the interface's methods.
// Undone at every inclusion, so the order of includes does not matter.
#undef CreateDirectory
#undef GetDriveType
#undef ExpandEnvironmentStrings

#ifndef KELVANE_PLATFORM_FILE_SYSTEM_ACCESS_H
#define KELVANE_PLATFORM_FILE_SYSTEM_ACCESS_H

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvane {

enum class DriveType {
  Unknown = 0,
  NoRootDirectory = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
constexpr std::uint32_t kFileAttributeHidden = 0x02;
constexpr std::uint32_t kFileAttributeSystem = 0x04;
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kFileAttributeArchive = 0x20;
constexpr std::uint32_t kFileAttributeReparsePoint = 0x400;

// Shell folder ids the program asks for.
namespace ShellFolder {
constexpr int Programs = 2;
constexpr int Startup = 7;
constexpr int Recent = 8;
constexpr int StartMenu = 11;
constexpr int DesktopDirectory = 16;
constexpr int Fonts = 20;
constexpr int CommonStartMenu = 22;
constexpr int CommonPrograms = 23;
constexpr int CommonStartup = 24;
constexpr int CommonDesktopDirectory = 25;
constexpr int AppData = 26;
// The 32-bit system folder: SysWOW64 on 64-bit Windows.
constexpr int SystemX86 = 41;
}  // namespace ShellFolder

// A local date and time packed as DOS does: date in the high word, seconds halved.
constexpr std::uint32_t PackDosDateTime(std::uint32_t year, std::uint32_t month, std::uint32_t day,
                                        std::uint32_t hour, std::uint32_t minute,
                                        std::uint32_t second) {
  return (year - 1980) << 25 | month << 21 | day << 16 | hour << 11 | minute << 5 | second / 2;
}

struct FileEntry {
  std::string name;
  std::uint32_t attributes = 0;
  std::uint32_t dosTime = 0;  // last write, local time, packed as a DOS date (high word) and time
  std::uint32_t size = 0;     // low 32 bits
};

// Raised when a text file cannot be created, opened or written, or a folder cannot be made.
class FileIoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class FileIoStep { Create, Append, Write, CreateFolder };
// The error for a failed step: the step, the file in double quotes, a full stop and the
// system's reason when there is one.
FileIoError MakeFileIoError(FileIoStep step, const std::string& path,
                            const std::string& reason = "");

// A text file being written; lines end in CR LF, bytes are written as given (ANSI).
class TextFileWriter {
 public:
  virtual ~TextFileWriter() = default;
  // The bytes as they are; a line ends in CR LF.
  virtual void Write(const std::string& bytes) = 0;
  void WriteLine(const std::string& line) { Write(line + "\r\n"); }
  // Flushes to the disk; raises FileIoError when that fails.
  virtual void Close() = 0;
};

class FileSystemAccess {
 public:
  virtual ~FileSystemAccess() = default;

  // The first entry matching the name (wildcards allowed) exists and is not a folder.
  virtual bool FileExists(const std::string& path) = 0;
  // A trailing backslash is allowed.
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Creates every missing folder of the path, parents first; raises FileIoError with the
  // system's reason when the folder is not there afterwards.
  virtual void CreateDirectory(const std::string& path) = 0;
  // Every entry matching the pattern (e.g. "C:\\Windows\\Fonts\\*"), "." and ".." included,
  // in the order the file system returns them.
  virtual std::vector<FileEntry> FindEntries(const std::string& pattern) = 0;
  // root is a drive letter, a colon and a backslash.
  virtual DriveType GetDriveType(const std::string& root) = 0;
  // Whether the drive holds a medium; never asks the user to insert one.
  virtual bool VolumePresent(const std::string& root) = 0;
  // Every known %NAME% replaced; nullopt when the result does not fit 1024 characters.
  virtual std::optional<std::string> ExpandEnvironmentStrings(const std::string& text) = 0;
  // The folder's path without a trailing backslash.
  virtual std::optional<std::string> SpecialFolder(int shellFolderId) = 0;
  // Creates (replacing) or appends to an existing file; raises FileIoError on failure.
  virtual std::unique_ptr<TextFileWriter> OpenTextFile(const std::string& path, bool append) = 0;
  // The folder of the program's executable, with its trailing backslash.
  virtual std::string ProgramFolder() = 0;
  // The last count bytes of a file, all of it when shorter; nullopt when it cannot be read.
  virtual std::optional<std::string> ReadFileEnd(const std::string& path, std::size_t count) = 0;
  // The path names one existing file itself: no folder, no link or junction leading elsewhere,
  // no wildcard.
  virtual bool IsPlainFile(const std::string& path) = 0;
  // Deletes one plain file without a question, progress display or recycle bin: never a
  // folder, never more than one file, never what a link or junction at the end of the path
  // leads to; a read-only file stays.
  virtual bool DeleteFileSilently(const std::string& path) = 0;
  // Makes a file that is not there yet, in an existing folder, holding exactly these bytes,
  // flushed to the disk; false when anything is there already or the write fails, which leaves
  // no file behind.
  virtual bool CreateNewFile(const std::string& path, const std::string& bytes) = 0;
  // Whether users who are not administrators can create files in the folder: its permissions
  // let everyone, the built-in users, the authenticated or the interactive users do so; false
  // when they cannot be read.
  virtual bool IsWritableByOthers(const std::string& folder) = 0;
  // The path a shortcut (.lnk) file points to; empty when the file cannot be read as a
  // shortcut, points at no file-system object or at a path the ANSI code page cannot hold. Raises std::runtime_error, with the system's
  // text, only when the shell cannot give a shortcut object at all.
  virtual std::string GetShortcutTarget(const std::string& shortcutPath) = 0;
};

}  // namespace kelvane

#endif  // KELVANE_PLATFORM_FILE_SYSTEM_ACCESS_H
