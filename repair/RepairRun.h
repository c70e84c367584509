// The repair command from the backup-folder check to the summary; the window supplies the
// questions and the windows it opens.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "backup/BackupWriter.h"
#include "global/Localization.h"
#include "global/Settings.h"
#include "platform/FileSystemAccess.h"
#include "platform/RegistryStore.h"
#include "platform/WindowsVersion.h"
#include "repair/Repair.h"
#include "results/IgnoreLists.h"
#include "results/ResultsModel.h"

namespace kelvane {

class RepairPrompts {
 public:
  virtual ~RepairPrompts() = default;
  // A Yes/No question; true for Yes.
  virtual bool AskCreateBackupFolder(const std::string& question) = 0;
  // Shows the restore-point window; false when it ends with Cancel.
  virtual bool CreateRestorePoint() = 0;
  // Runs the walk over the rows and returns what it did; a window runs it off its own thread
  // and shows its progress meanwhile.
  virtual RepairWalk RunWalk(const std::function<RepairWalk(RepairProgress&)>& walk) = 0;
  // The rows changed.
  virtual void ShowResults() = 0;
  // Scans the categories again into the emptied list, so that what the repair exposed shows
  // at once; returns how many rows it found.
  virtual std::size_t CheckAgain(const std::vector<ScanCategory>& categories) = 0;
  // foundAfter: the rows the check after the repair found.
  virtual void ShowSummary(std::size_t tickedCount, std::size_t foundAfter) = 0;
  // The run ended early, e.g. the backup file could not be written.
  virtual void ShowFailure(const std::string& message) = 0;
  virtual void Beep() = 0;
};

struct RepairContext {
  RegistryStore& registry;
  FileSystemAccess& files;
  // For the restore-point rule.
  WindowsVersion windowsVersion;
  std::function<LocalDateTime()> now;
  RepairGroupLimits groupLimits;
};

enum class RepairOutcome {
  Repaired,   // every ticked row, or there was nothing to repair
  RowsLeft,   // some ticked rows could not be repaired and became leftovers
  Abandoned,  // no backup folder, no restore point, the run failed at a row or was stopped
};

// Where a run's backup went.
struct RunBackupFiles {
  std::string file;  // set when the run gets as far as naming its file
  // By the row's index before the run: the repaired row's backup is in the Unicode file.
  std::vector<bool> inUnicodeFile;

  // Beside the file, for what REGEDIT4 cannot hold.
  std::string UnicodeFile() const { return file.empty() ? "" : UnicodeBackupFileName(file); }
  std::string FileOfRow(std::size_t row) const {
    return row < inUnicodeFile.size() && inUnicodeFile[row] ? UnicodeFile() : file;
  }
};

// The whole run. Names the backup files when the run gets as far as that. Rows left
// after the walk (or after a stop) become leftovers and the list is emptied; when writing the
// backup fails the run stops at that row, the rows not yet repaired stay ticked and the failure
// is shown; so is a backup folder that cannot be made. A walk that ran to its end has the
// categories of the rows it repaired checked again before the summary.
RepairOutcome RunRepair(ResultsModel& results, Leftovers& leftovers, const Settings& settings,
                        const Language& language, RepairContext& context, RepairPrompts& prompts,
                        RunBackupFiles& backup);

}  // namespace kelvane
