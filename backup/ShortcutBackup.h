// A shortcut file the repair deletes goes into the run's backup file as comment lines, which
// the registry editor passes over: its path, then its bytes in hexadecimal. One file, written,
// read back and recorded like the keys and values, so it comes back with them.
#pragma once

#include <string>
#include <vector>

#include "backup/BackupWriter.h"

namespace kelvane {

struct BackedUpShortcut {
  std::string path;
  std::string bytes;
};

// Ends with an empty line; in REGEDIT4 when code page 1252 holds the path.
BackupLines ShortcutBackupLines(const BackedUpShortcut& shortcut);

// Whether the lines give back exactly this shortcut and nothing the registry editor would
// import: a path the comment line cannot carry whole would come back somewhere else.
bool LinesRestoreShortcut(const BackupLines& lines, const BackedUpShortcut& shortcut);

// Every shortcut the text (as TextFromFileBytes gives it) holds, in file order; a block that
// does not read whole is passed over.
std::vector<BackedUpShortcut> ShortcutsInBackup(const std::string& text);

}  // namespace kelvane
