// One item's backup appended to a file with the writer's own steps, for tests that look at the
// file's text or import it.
#pragma once

#include <string>

#include "backup/BackupWriter.h"

namespace kelvane::testsupport {

// Reads the item (a key with its subtree, or one value) and appends its lines to the file, in
// the format the item needs.
inline void BackupToRegFile(RegistryStore& registry, FileSystemAccess& files,
                            const std::string& filePath, RootKey root, const std::string& keyPath,
                            const std::string& valueName, bool wholeKey) {
  AppendToBackupFile(files, filePath,
                     BackupItemLines(ReadBackupItem(registry, root, keyPath, valueName, wholeKey)));
}

}  // namespace kelvane::testsupport
