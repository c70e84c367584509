// The backup file written before every repair: a "REGEDIT4" registry export that the system's
// registry editor imports to undo the repair. Files are only ever created or appended to.
#pragma once

#include <string>

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

// Appends one item to the file, creating it with its header when it does not exist: the key
// with all its values and subkeys (wholeKey), or the one named value of the key ("" is the
// default value). A key that cannot be opened still gets its key line. Raises FileIoError when
// the file cannot be created, opened or written.
void BackupToRegFile(RegistryStore& registry, FileSystemAccess& files, const std::string& filePath,
                     RootKey root, const std::string& keyPath, const std::string& valueName,
                     bool wholeKey);

}  // namespace kelvane
