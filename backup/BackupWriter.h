// The backup written before every repair: a "REGEDIT4" registry export that the system's
// registry editor imports to undo the repair, and beside it, only when needed, one in the
// editor's Unicode format for what REGEDIT4 cannot hold. Files are only ever created or
// appended to.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystemAccess.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTypes.h"

namespace kelvane {

struct LocalDateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The folder (a trailing backslash is added when missing), "Backup", the date and time as
// yyyymmddhhmmss, ".reg".
std::string MakeBackupFileName(const std::string& backupFolder, const LocalDateTime& now);

// Backslashes doubled, then double quotes preceded by a backslash; nothing else changes.
std::string EscapeRegText(const std::string& text);

struct BackupKeyBlock {
  std::string path;
  std::vector<NamedValue> values;
};

// One backed-up item as read from the registry: a key with its subtree, depth-first, or one
// value in its key.
struct BackupItem {
  RootKey root = 0;
  std::vector<BackupKeyBlock> blocks;
  // Everything was read exactly as stored. A key that cannot be opened, or is a link, still
  // gets its block and a value that cannot be read is written as an empty string, but the item
  // is then not exact.
  bool exact = true;
};

// The key path as a backup block names it: one trailing backslash dropped.
std::string BackupKeyPath(const std::string& keyPath);

// wholeKey: the key with all its values and subkeys; otherwise the one named value of the key
// ("" is the default value).
BackupItem ReadBackupItem(RegistryStore& registry, RootKey root, const std::string& keyPath,
                          const std::string& valueName, bool wholeKey);

// REGEDIT4 holds code page 1252 text, as every backup before did; what that code page cannot
// hold goes into the registry editor's Unicode format, UTF-16LE.
enum class BackupFormat { Regedit4, Unicode };

// The run's file for the items REGEDIT4 cannot hold: "Backup20261207225959.reg" gives
// "Backup20261207225959-Unicode.reg".
std::string UnicodeBackupFileName(const std::string& backupFile);

// Lines as a file of the format holds them, each without its line end.
struct BackupLines {
  BackupFormat format = BackupFormat::Regedit4;
  std::vector<std::string> lines;
  // The bytes they take in the file, line ends included.
  std::size_t FileSize() const;
};

// UTF-8 lines in the format; none for REGEDIT4 when code page 1252 cannot hold them.
std::optional<BackupLines> EncodeBackupLines(BackupFormat format,
                                             const std::vector<std::string>& lines);

// The item's lines: each block an empty line, the key line and its value lines; in REGEDIT4
// when every name and text fits it.
BackupLines BackupItemLines(const BackupItem& item);

// Whether importing the lines gives back exactly the item's keys and values.
bool LinesRestoreItem(const BackupLines& lines, const BackupItem& item);

// The file's start and the lines, as the registry editor reads them.
std::string BackupFileBytes(const BackupLines& lines);

// The second line of a backup whose keys are named as in the 64-bit view of 64-bit Windows,
// the 32-bit view's below Wow6432Node: the 64-bit registry editor imports it. A file without
// it names the program's own view, as every backup written before did.
constexpr char k64BitViewFileMark[] = "; Keys as the 64-bit registry editor names them";
// fileText: the file's text as TextFromFileBytes gives it.
bool Names64BitView(const std::string& fileText);

// Appends the lines to the file, creating it with the format's header (and the mark of the
// 64-bit view when asked) when it does not exist, and returns the bytes appended. Raises
// FileIoError when the file cannot be created, opened or written.
std::string AppendToBackupFile(FileSystemAccess& files, const std::string& filePath,
                               const BackupLines& lines, bool in64BitView = false);

}  // namespace kelvane
