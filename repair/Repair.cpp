#include "repair/Repair.h"

#include <limits>
#include <optional>
#include <utility>

#include "backup/BackupWriter.h"
#include "backup/ShortcutBackup.h"
#include "platform/NameCollation.h"
#include "platform/RegistryAccess.h"
#include "platform/RegistryTypes.h"
#include "platform/ShortcutFiles.h"
#include "platform/Text.h"
#include "scan/RegistryViews.h"

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

struct RowRepairer::QueuedItem {
  std::size_t tag = 0;
  RootKey root = 0;
  std::string keyPath;
  bool wholeKey = false;
  std::string valueName;
  BackupFormat format = BackupFormat::Regedit4;
  // A key's blocks as backed up, parents first: deleted deepest first, so nothing that was not
  // read is ever deleted.
  std::vector<std::string> blockPaths;
};

namespace {

// An item's key as the group knows it, in one letter case in every script as the registry
// compares names; path as BackupKeyPath gives it.
std::string ItemName(const std::string& rootName, const std::string& path) {
  return UpperCaseName(rootName + "\\" + path);
}

// Whether some entry equals name or lies below it.
bool HasAtOrBelow(const std::multiset<std::string>& names, const std::string& name) {
  if (names.count(name) != 0) return true;
  const std::string below = name + "\\";
  const auto next = names.lower_bound(below);
  return next != names.end() && next->compare(0, below.size(), below) == 0;
}

// Checked again right before a key goes: a key that became a link since it was read would take
// its target with it, as deleting by a link's name deletes the target.
bool IsLinkBelow(RegistryKey& root, const std::string& path) {
  const std::unique_ptr<RegistryKey> key = root.OpenSubkeyItself(path, kAccessRead);
  return key && IsLinkKey(*key);
}

// Whether name or one of its parent keys is an entry.
bool HasAtOrAbove(const std::multiset<std::string>& names, const std::string& name) {
  for (std::size_t end = name.size(); end != std::string::npos && end > 0;
       end = name.rfind('\\', end - 1)) {
    if (names.count(name.substr(0, end)) != 0) return true;
  }
  return false;
}

}  // namespace

RowRepairer::RowRepairer(RegistryStore& registry, FileSystemAccess& files, std::string backupFile,
                         RepairGroupLimits limits, bool in64BitView)
    : ownView_(registry),
      view64_(registry),
      in64BitView_(in64BitView),
      registry_(in64BitView ? static_cast<RegistryStore&>(view64_) : registry),
      files_(files),
      backupFile_(std::move(backupFile)),
      unicodeFile_(UnicodeBackupFileName(backupFile_)),
      limits_(limits) {}

std::optional<RepairTarget> RowRepairer::Placed(RepairTarget target) const {
  if (target.what == RepairTarget::What::File || target.what == RepairTarget::What::Nothing) {
    return target;
  }
  const bool marked = Take64BitViewMark(target.root);
  if (!in64BitView_ || marked) {
    if (marked != in64BitView_) return std::nullopt;
    return target;
  }
  const std::string keyText = target.root + "\\" + target.path;
  if (HasA64BitView(keyText)) {
    const std::string placed = KeyTextOf32BitKeyIn64BitView(keyText);
    target.path = placed.substr(placed.find('\\') + 1);
  } else {
    target.checkOwnView = true;
  }
  return target;
}

bool RowRepairer::SameInOwnView(const RepairTarget& target, const BackupItem& item) {
  if (!target.checkOwnView) return true;
  const bool wholeKey = target.what == RepairTarget::What::Key;
  const BackupItem own = ReadBackupItem(ownView_, item.root, BackupKeyPath(target.path),
                                        target.valueName, wholeKey);
  if (!own.exact || own.blocks.size() != item.blocks.size()) return false;
  for (std::size_t i = 0; i < own.blocks.size(); ++i) {
    if (own.blocks[i].path != item.blocks[i].path ||
        !(own.blocks[i].values == item.blocks[i].values)) {
      return false;
    }
  }
  return true;
}

RowRepairer::~RowRepairer() {
  // Deletions still running use this object; what they raise has no one to go to now.
  try {
    WaitForDeletions();
  } catch (...) {
  }
}

bool RowRepairer::ItemNames::Touch(const RepairTarget& target) const {
  const std::string key = ItemName(target.root, BackupKeyPath(target.path));
  if (HasAtOrAbove(keys, key)) return true;
  if (target.what == RepairTarget::What::Key) {
    return HasAtOrBelow(values, key) || HasAtOrBelow(keys, key);
  }
  return values.count(key + "\\" + UpperCaseName(target.valueName)) != 0;
}

bool RowRepairer::GroupFull() const {
  return queued_.size() >= limits_.items || queuedBytes_ >= limits_.bytes ||
         std::chrono::steady_clock::now() - groupStart_ >= limits_.time;
}

bool RowRepairer::Queue(const ProblemRecord& row, std::size_t tag) {
  const std::optional<RepairTarget> placed = Placed(RepairTargetOf(row));
  if (!placed || placed->what == RepairTarget::What::Nothing) return false;
  const RepairTarget& target = *placed;
  const bool finished = !queued_.empty() && (target.what == RepairTarget::What::File ||
                                              GroupFull() || queuedNames_.Touch(target));
  if (finished) FinishGroup();
  // Also the group just finished: a row that touches it is read only once it is gone.
  if (deletingNames_.Touch(target)) WaitForDeletions();
  switch (target.what) {
    case RepairTarget::What::Key: QueueKey(target, tag); break;
    case RepairTarget::What::Value: QueueValue(target, tag); break;
    case RepairTarget::What::File:
      BackUpAndDeleteShortcut(target.path, tag);
      break;
    case RepairTarget::What::Nothing: break;
  }
  return finished;
}

void RowRepairer::QueueKey(const RepairTarget& target, std::size_t tag) {
  const std::optional<RootKey> root = RootKeyFromName(target.root);
  const std::string path = BackupKeyPath(target.path);
  // An empty path would name the root itself.
  if (!root || path.empty()) return;
  // A key that is missing, cannot be opened, is a link or holds one reads as not exact: a link is
  // never deleted, nor anything reached through it.
  const BackupItem item = ReadBackupItem(registry_, *root, path, "", true);
  BackupLines lines = BackupItemLines(item);
  if (!item.exact || !LinesRestoreItem(lines, item) || !SameInOwnView(target, item)) return;
  QueuedItem queued{tag, *root, path, true, "", lines.format, {}};
  for (const BackupKeyBlock& block : item.blocks) queued.blockPaths.push_back(block.path);
  queuedNames_.keys.insert(ItemName(target.root, path));
  Enqueue(std::move(queued), std::move(lines));
}

void RowRepairer::QueueValue(const RepairTarget& target, std::size_t tag) {
  const std::optional<RootKey> root = RootKeyFromName(target.root);
  if (!root) return;
  const std::string path = BackupKeyPath(target.path);
  RegistryAccess* key = valueKeys_.Open(*root, path);
  BackupItem item{*root, {{path, {{target.valueName, {}}}}}, true};
  if (!key || !key->ReadRawExactly(target.valueName, item.blocks[0].values[0].value)) return;
  BackupLines lines = BackupItemLines(item);
  if (!LinesRestoreItem(lines, item) || !SameInOwnView(target, item)) return;
  queuedNames_.values.insert(ItemName(target.root, path) + "\\" +
                             UpperCaseName(target.valueName));
  const BackupFormat format = lines.format;
  Enqueue(QueuedItem{tag, *root, path, false, target.valueName, format, {}}, std::move(lines));
}

void RowRepairer::Enqueue(QueuedItem item, BackupLines lines) {
  if (queued_.empty()) groupStart_ = std::chrono::steady_clock::now();
  queuedBytes_ += lines.FileSize();
  BackupLines& queued =
      lines.format == BackupFormat::Unicode ? queuedUnicodeLines_ : queuedLines_;
  for (std::string& line : lines.lines) queued.lines.push_back(std::move(line));
  queued_.push_back(std::move(item));
}

RegistryAccess* RowRepairer::KeyCache::Open(RootKey root, const std::string& path) {
  const std::string name = RootKeyName(root) + "\\" + path;
  if (open_ && name_ == name) return open_.get();
  open_ = std::make_unique<RegistryAccess>(registry_);
  open_->SetRootKey(root);
  name_ = name;
  if (!open_->OpenKey("\\" + path, false)) open_.reset();
  return open_.get();
}

void RowRepairer::ClearQueue() {
  queued_.clear();
  queuedNames_ = {};
  queuedLines_.lines.clear();
  queuedUnicodeLines_.lines.clear();
  queuedBytes_ = 0;
}

void RowRepairer::FinishGroup() {
  if (queued_.empty()) return;
  std::vector<QueuedItem> items = std::move(queued_);
  ItemNames names = std::move(queuedNames_);
  const BackupLines lines = std::move(queuedLines_);
  const BackupLines unicodeLines = std::move(queuedUnicodeLines_);
  ClearQueue();
  if (!lines.lines.empty()) AppendAndReadBack(lines);
  if (!unicodeLines.lines.empty()) AppendAndReadBack(unicodeLines);
  WaitForDeletions();
  deletingNames_ = std::move(names);
  deletions_ = std::async(std::launch::async,
                          [this, items = std::move(items)] { DeleteGroup(items); });
}

void RowRepairer::AppendAndReadBack(const BackupLines& lines) {
  const std::string& file = lines.format == BackupFormat::Unicode ? unicodeFile_ : backupFile_;
  const std::string written = AppendToBackupFile(files_, file, lines, in64BitView_);
  // The file was flushed and closed: what reads back now is what a later import will see.
  if (files_.ReadFileEnd(file, written.size()) != written) {
    throw MakeFileIoError(FileIoStep::Write, file,
                          "The file does not read back as it was written.");
  }
}

void RowRepairer::BackUpAndDeleteShortcut(const std::string& path, std::size_t tag) {
  if (!IsDeletableShortcut(files_, path)) return;
  const std::optional<std::string> bytes =
      files_.ReadFileEnd(path, std::numeric_limits<std::size_t>::max());
  if (!bytes) return;
  const BackedUpShortcut shortcut{path, *bytes};
  const BackupLines lines = ShortcutBackupLines(shortcut);
  if (!LinesRestoreShortcut(lines, shortcut)) return;
  AppendAndReadBack(lines);
  if (!files_.DeleteFileSilently(path)) return;
  std::lock_guard<std::mutex> lock(repairedLock_);
  repaired_.push_back({tag, lines.format});
}

void RowRepairer::WaitForDeletions() {
  if (!deletions_.valid()) return;
  deletingNames_ = {};
  // A key deleted there may be the one kept open for values.
  valueKeys_.Close();
  deletions_.get();
}

void RowRepairer::DeleteGroup(const std::vector<QueuedItem>& items) {
  KeyCache valueKeys(registry_);
  std::unique_ptr<RegistryKey> root;
  RootKey rootKey = 0;
  for (const QueuedItem& item : items) {
    bool deleted = false;
    if (!item.wholeKey) {
      RegistryAccess* key = valueKeys.Open(item.root, item.keyPath);
      deleted = key && key->DeleteValue(item.valueName);
    } else {
      if (!root || rootKey != item.root) root = registry_.OpenRoot(rootKey = item.root);
      // Deepest first; a subkey added since the read keeps its parents, and the row stays.
      for (auto path = item.blockPaths.rbegin(); root && path != item.blockPaths.rend(); ++path) {
        deleted = !IsLinkBelow(*root, *path) && root->DeleteSubkey(*path);
      }
    }
    if (deleted) {
      std::lock_guard<std::mutex> lock(repairedLock_);
      repaired_.push_back({item.tag, item.format});
    }
  }
}

void RowRepairer::Finish() {
  FinishGroup();
  WaitForDeletions();
}

void RowRepairer::Drop() {
  ClearQueue();
  WaitForDeletions();
}

std::vector<RowRepairer::Repaired> RowRepairer::TakeRepaired() {
  std::lock_guard<std::mutex> lock(repairedLock_);
  std::vector<Repaired> repaired = std::move(repaired_);
  repaired_.clear();
  return repaired;
}

bool RowRepairer::RepairAtOnce(const RepairTarget& named) {
  Finish();
  TakeRepaired();
  const std::optional<RepairTarget> placed = Placed(named);
  if (!placed) return false;
  const RepairTarget& target = *placed;
  if (target.what == RepairTarget::What::Key) QueueKey(target, 0);
  if (target.what == RepairTarget::What::Value) QueueValue(target, 0);
  Finish();
  return !TakeRepaired().empty();
}

bool RowRepairer::DeleteKeyWithBackup(const std::string& rootName, const std::string& keyPath) {
  return RepairAtOnce({RepairTarget::What::Key, rootName, keyPath, ""});
}

bool RowRepairer::DeleteValueWithBackup(const std::string& rootName, const std::string& keyPath,
                                        const std::string& valueName) {
  return RepairAtOnce({RepairTarget::What::Value, rootName, keyPath, valueName});
}

RepairWalk RepairTickedRows(const ResultsModel& results, RowRepairer& repairer,
                            RepairProgress& progress) {
  RepairWalk walk;
  walk.repaired.assign(results.Count(), false);
  walk.inUnicodeFile.assign(results.Count(), false);
  const std::size_t ticked = results.TickedCount();
  progress.RowsDone(0, ticked);
  auto collect = [&] {
    for (const RowRepairer::Repaired& row : repairer.TakeRepaired()) {
      walk.repaired[row.tag] = true;
      walk.inUnicodeFile[row.tag] = row.format == BackupFormat::Unicode;
    }
  };
  try {
    for (std::size_t index = results.Count(); index-- > 0;) {
      const ResultRow& row = results.Row(index);
      if (!row.ticked) continue;
      const bool groupFinished = repairer.Queue(row.record, index);
      collect();
      if (groupFinished) {
        progress.RowsDone(walk.ticked, ticked);
        if (progress.StopRequested()) {
          walk.stopped = true;
          break;
        }
      }
      ++walk.ticked;
    }
    if (walk.stopped) {
      repairer.Drop();
    } else {
      repairer.Finish();
    }
  } catch (const std::exception& error) {
    repairer.Drop();
    walk.failure = error.what();
  }
  collect();
  progress.RowsDone(walk.ticked, ticked);
  return walk;
}

}  // namespace kelvane
