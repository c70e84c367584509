#include "main/Repair.h"

#include <optional>
#include <utility>

#include "main/BackupWriter.h"
#include "platform/RegistryAccess.h"
#include "platform/ShortcutFiles.h"
#include "platform/Text.h"

namespace kelvane {
RepairTarget RepairTargetOf(const ProblemRecord& row) {
  using What = RepairTarget::What;
  // The key text is split at its first backslash into the root's name and the rest.
  const auto slash = row.key.find('\\');
  if (slash == std::string::npos) return {};
  const std::string root = row.key.substr(0, slash);
  const std::string rest = row.key.substr(slash + 1);
  switch (row.repairKind) {
    case RepairKind::Key:
      return {What::Key, root, rest, ""};
    case RepairKind::ValueInKeyText: {
      const auto last = rest.rfind('\\');
      if (last == std::string::npos) return {What::Value, root, "", rest};
      return {What::Value, root, rest.substr(0, last), rest.substr(last + 1)};
    }
    case RepairKind::ValueNamedByValue:
      return {What::Value, root, rest, row.value};
    case RepairKind::SubkeyNamedByValue:
      // Without a subkey name the row would name its parent key.
      if (row.value.empty()) return {};
      return {What::Key, root, rest + "\\" + row.value, ""};
    case RepairKind::ShortcutFile:
      return {What::File, "", row.key, ""};
    case RepairKind::DefaultValue:
      return {What::Value, root, rest, ""};
    case RepairKind::EncodedValueName:
      return {What::Value, root, rest, Rot13(row.value)};
  }
  return {};
}

RowRepairer::RowRepairer(RegistryStore& registry, FileSystemAccess& files, std::string backupFile)
    : registry_(registry), files_(files), backupFile_(std::move(backupFile)) {}

void RowRepairer::AppendVerified(const std::vector<std::string>& lines) {
  const std::string written = AppendToBackupFile(files_, backupFile_, lines);
  // The file was flushed and closed: what reads back now is what a later import will see.
  if (files_.ReadFileEnd(backupFile_, written.size()) != written) {
    throw MakeFileIoError(FileIoStep::Write, backupFile_,
                          "The file does not read back as it was written.");
  }
}

bool RowRepairer::DeleteKeyWithBackup(const std::string& rootName, const std::string& keyPath) {
  const std::optional<RootKey> root = RootKeyFromName(rootName);
  // An empty path would name the root itself.
  if (!root || keyPath.empty() || keyPath == "\\") return false;
  RegistryAccess access(registry_);
  access.SetRootKey(*root);
  if (!access.KeyExists("\\" + keyPath)) return false;
  const BackupItem item = ReadBackupItem(registry_, *root, keyPath, "", true);
  const std::vector<std::string> lines = BackupItemLines(item);
  if (!item.exact || !LinesRestoreItem(lines, item)) return false;
  AppendVerified(lines);
  return access.DeleteKey("\\" + keyPath);
}

bool RowRepairer::DeleteValueWithBackup(const std::string& rootName, const std::string& keyPath,
                                        const std::string& valueName) {
  const std::optional<RootKey> root = RootKeyFromName(rootName);
  if (!root) return false;
  RegistryAccess access(registry_);
  access.SetRootKey(*root);
  if (!access.OpenKey("\\" + keyPath, false) || !access.ValueExists(valueName)) return false;
  const BackupItem item = ReadBackupItem(registry_, *root, keyPath, valueName, false);
  const std::vector<std::string> lines = BackupItemLines(item);
  if (!item.exact || !LinesRestoreItem(lines, item)) return false;
  AppendVerified(lines);
  return access.DeleteValue(valueName);
}

bool RowRepairer::Repair(const ProblemRecord& row) {
  const RepairTarget target = RepairTargetOf(row);
  switch (target.what) {
    case RepairTarget::What::Key:
      return DeleteKeyWithBackup(target.root, target.path);
    case RepairTarget::What::Value:
      return DeleteValueWithBackup(target.root, target.path, target.valueName);
    case RepairTarget::What::File:
      return DeleteShortcutFile(files_, target.path);
    case RepairTarget::What::Nothing:
      break;
  }
  return false;
}

std::size_t RepairTickedRows(ResultsModel& results, RowRepairer& repairer) {
  std::size_t ticked = 0;
  results.RemoveWhere([&](const ResultRow& row) {
    if (!row.ticked) return false;
    ++ticked;
    return repairer.Repair(row.record);
  });
  return ticked;
}

}  // namespace kelvane
