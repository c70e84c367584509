// Repair: deletes what ticked rows point at, each registry item only once a copy that restores
// it exactly is safely in the run's backup file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "main/ResultsModel.h"
#include "platform/FileSystemAccess.h"
#include "platform/RegistryStore.h"
#include "scan/ProblemRecord.h"

namespace kelvane {

// What a row's repair kind names: a key with its subtree, one value, or a file.
struct RepairTarget {
  enum class What { Nothing, Key, Value, File };
  What what = What::Nothing;
  std::string root;       // the root's name, for keys and values
  std::string path;       // the key path, or the file's full path
  std::string valueName;  // "" for the default value
};

RepairTarget RepairTargetOf(const ProblemRecord& row);

class RowRepairer {
 public:
  RowRepairer(RegistryStore& registry, FileSystemAccess& files, std::string backupFile);

  // Each fails when the root name is not one of the five roots, the item is missing, its
  // backup would not restore it exactly (it is then left alone), or the deletion fails.
  // FileIoError is raised when the backup file cannot be written or does not read back as
  // written; nothing of that item has been deleted then.
  bool DeleteKeyWithBackup(const std::string& rootName, const std::string& keyPath);
  // An empty value name means the key's default value.
  bool DeleteValueWithBackup(const std::string& rootName, const std::string& keyPath,
                             const std::string& valueName);

  // What the row's repair kind calls for; false when nothing was repaired.
  bool Repair(const ProblemRecord& row);

 private:
  // Appends the item's lines, then makes sure the file holds them.
  void AppendVerified(const std::vector<std::string>& lines);

  RegistryStore& registry_;
  FileSystemAccess& files_;
  std::string backupFile_;
};

// Walks the rows from the last to the first, repairs the ticked ones and removes each row that
// was repaired; returns how many ticked rows were met. A FileIoError ends the walk at its row.
std::size_t RepairTickedRows(ResultsModel& results, RowRepairer& repairer);

}  // namespace kelvane
