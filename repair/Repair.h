// Repair: deletes what ticked rows point at, each registry item only once a copy that restores
// it exactly is safely in the run's backup file.
#pragma once

#include <chrono>
#include <cstddef>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "backup/BackupWriter.h"
#include "platform/FileSystemAccess.h"
#include "platform/RegistryAccess.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryView64.h"
#include "results/ResultsModel.h"
#include "scan/ProblemRecord.h"

namespace kelvane {

// What a row's repair kind names: a key with its subtree, one value, or a file.
struct RepairTarget {
  enum class What { Nothing, Key, Value, File };
  What what = What::Nothing;
  std::string root;       // the root's name, for keys and values
  std::string path;       // the key path, or the file's full path
  std::string valueName;  // "" for the default value
  // A shared key, repaired in the 64-bit view: the program's own view must show it alike.
  bool checkOwnView = false;
};

RepairTarget RepairTargetOf(const ProblemRecord& row);

// How much a group may gather before it is finished. A group costs one write, flush and
// read-back of the backup file, so groups save time; they stay small enough that a stop waits
// only a moment for the group in hand.
struct RepairGroupLimits {
  std::size_t items = 1000;
  std::size_t bytes = 1 << 20;
  std::chrono::milliseconds time{40};
};

// Repairs rows in groups: each item is read and checked as its row is queued; finishing the
// group appends the items' lines together, flushes and reads them back, and only then deletes
// the items in the order queued. What REGEDIT4 cannot hold goes into the run's Unicode file,
// written and read back the same way. The deletions run beside the reading of the next group, one
// group at a time. The file's bytes are those of writing item by item, since an item that
// touches one queued or being deleted is read only once that one is gone.
class RowRepairer {
 public:
  // in64BitView: the run repairs rows of the 64-bit view of 64-bit Windows. Then every item is
  // read, deleted and backed up in that view, a 32-bit view's key by its Wow6432Node name and a
  // shared one only when both views show it alike, and the file says so for the restore.
  RowRepairer(RegistryStore& registry, FileSystemAccess& files, std::string backupFile,
              RepairGroupLimits limits = {}, bool in64BitView = false);
  ~RowRepairer();

  // Queues what the row names under the given tag; a row that names nothing repairable (the
  // root is not one of the five, the item is missing, a key is a link or holds one, or its
  // backup would not restore it exactly) is left alone. A shortcut file is deleted at once.
  // True when the group before this row was finished first: because the row touches it, is a
  // file, or a limit was met.
  bool Queue(const ProblemRecord& row, std::size_t tag);
  // Backs the queued items up and deletes them, and returns once every deletion is done.
  // Raises FileIoError when the backup file cannot be written or does not read back as
  // written; nothing of the group is deleted then.
  void Finish();
  // Forgets the queued items without writing or deleting anything, once the group being
  // deleted is done.
  void Drop();
  struct Repaired {
    std::size_t tag = 0;
    BackupFormat format = BackupFormat::Regedit4;  // the file that holds the row's backup
  };
  // The rows repaired since the last call.
  std::vector<Repaired> TakeRepaired();

  // One item at once, as a group of its own; false when nothing was deleted.
  bool DeleteKeyWithBackup(const std::string& rootName, const std::string& keyPath);
  // An empty value name means the key's default value.
  bool DeleteValueWithBackup(const std::string& rootName, const std::string& keyPath,
                             const std::string& valueName);

 private:
  struct QueuedItem;
  // The items of a group, upper-cased as "ROOT\\PATH" for keys, with "\\NAME" for values.
  struct ItemNames {
    std::multiset<std::string> keys;
    std::multiset<std::string> values;
    // Whether the target is one of them, lies below one of the keys, or is a key above one.
    bool Touch(const RepairTarget& target) const;
  };

  // The target as the run's view names it; none when that view cannot repair it.
  std::optional<RepairTarget> Placed(RepairTarget target) const;
  // A shared key or value read in the 64-bit view only when the program's view shows it alike.
  bool SameInOwnView(const RepairTarget& target, const BackupItem& item);
  bool GroupFull() const;
  void QueueKey(const RepairTarget& target, std::size_t tag);
  void QueueValue(const RepairTarget& target, std::size_t tag);
  void Enqueue(QueuedItem item, BackupLines lines);
  // Writes the group and starts its deletions once those of the group before are done.
  void FinishGroup();
  void WaitForDeletions();
  // Appends to the format's file, flushes and reads back; raises FileIoError when the file does
  // not read back.
  void AppendAndReadBack(const BackupLines& lines);
  // The shortcut's bytes go into the backup file before the file goes.
  void BackUpAndDeleteShortcut(const std::string& path, std::size_t tag);
  void DeleteGroup(const std::vector<QueuedItem>& items);
  // The key last asked for, kept open across rows of the same key; one per thread, since a
  // registry object belongs to one thread.
  class KeyCache {
   public:
    explicit KeyCache(RegistryStore& registry) : registry_(registry) {}
    // nullptr when the key cannot be opened.
    RegistryAccess* Open(RootKey root, const std::string& path);
    void Close() { open_.reset(); }

   private:
    RegistryStore& registry_;
    std::string name_;
    std::unique_ptr<RegistryAccess> open_;
  };
  void ClearQueue();
  bool RepairAtOnce(const RepairTarget& target);

  RegistryStore& ownView_;
  RegistryView64 view64_;
  bool in64BitView_;
  RegistryStore& registry_;  // the run's view
  FileSystemAccess& files_;
  std::string backupFile_;
  std::string unicodeFile_;
  RepairGroupLimits limits_;
  std::vector<QueuedItem> queued_;
  ItemNames queuedNames_;
  BackupLines queuedLines_{BackupFormat::Regedit4, {}};
  BackupLines queuedUnicodeLines_{BackupFormat::Unicode, {}};
  std::size_t queuedBytes_ = 0;
  std::chrono::steady_clock::time_point groupStart_;
  KeyCache valueKeys_{registry_};  // for reading values as they are queued
  ItemNames deletingNames_;
  std::future<void> deletions_;
  std::mutex repairedLock_;
  std::vector<Repaired> repaired_;
};

// Told as the walk goes; the walk runs on whatever thread the caller chooses.
class RepairProgress {
 public:
  virtual ~RepairProgress() = default;
  // At the start and after each group: how many ticked rows were met so far, of how many.
  virtual void RowsDone(std::size_t done, std::size_t ticked) = 0;
  // Asked after each group; the rows not reached then stay as they are.
  virtual bool StopRequested() = 0;
};

struct RepairWalk {
  std::vector<bool> repaired;  // by row index
  std::vector<bool> inUnicodeFile;  // by row index: the repaired row's backup is in that file
  std::size_t ticked = 0;      // ticked rows met
  bool stopped = false;
  // Set when writing the backup failed; the walk ended at that group.
  std::string failure;
};

// Walks the rows from the last to the first and repairs the ticked ones; reads the model only,
// so that the window may go on showing it.
RepairWalk RepairTickedRows(const ResultsModel& results, RowRepairer& repairer,
                            RepairProgress& progress);

}  // namespace kelvane
