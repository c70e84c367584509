#include "main/Repair.h"

#include <optional>
#include <utility>

#include "main/BackupWriter.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr char kShortcutExtension[] = ".LNK";

struct RootAndRest {
  std::string root;
  std::string rest;
};

// The key text split at its first backslash; none when it has no backslash.
std::optional<RootAndRest> SplitRoot(const std::string& keyText) {
  const auto slash = keyText.find('\\');
  if (slash == std::string::npos) return std::nullopt;
  return RootAndRest{keyText.substr(0, slash), keyText.substr(slash + 1)};
}

bool EndsWithShortcutExtension(const std::string& path) {
  const std::size_t length = sizeof(kShortcutExtension) - 1;
  return path.size() > length &&
         UpperCaseAscii(path.substr(path.size() - length)) == kShortcutExtension;
}

}  // namespace

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

bool RowRepairer::DeleteShortcutFile(const std::string& path) {
  if (!EndsWithShortcutExtension(path) || !files_.IsPlainFile(path)) return false;
  return files_.DeleteFileSilently(path);
}

bool RowRepairer::Repair(const ProblemRecord& row) {
  const std::optional<RootAndRest> split = SplitRoot(row.key);
  if (!split) return false;
  const std::string& root = split->root;
  const std::string& rest = split->rest;
  switch (row.repairKind) {
    case RepairKind::Key:
      return DeleteKeyWithBackup(root, rest);
    case RepairKind::ValueInKeyText: {
      const auto last = rest.rfind('\\');
      if (last == std::string::npos) return DeleteValueWithBackup(root, "", rest);
      return DeleteValueWithBackup(root, rest.substr(0, last), rest.substr(last + 1));
    }
    case RepairKind::ValueNamedByValue:
      return DeleteValueWithBackup(root, rest, row.value);
    case RepairKind::SubkeyNamedByValue:
      // Without a subkey name the row would name its parent key.
      return !row.value.empty() && DeleteKeyWithBackup(root, rest + "\\" + row.value);
    case RepairKind::ShortcutFile:
      return DeleteShortcutFile(row.key);
    case RepairKind::DefaultValue:
      return DeleteValueWithBackup(root, rest, "");
    case RepairKind::EncodedValueName:
      return DeleteValueWithBackup(root, rest, Rot13(row.value));
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
