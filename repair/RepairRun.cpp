#include "repair/RepairRun.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "backup/BackupFolder.h"
#include "backup/BackupRecord.h"

namespace kelvane {
namespace {

// Whatever the run wrote, a stopped or failed run too, so that the restore window knows it
// as the program's own; a file it cannot read or record shows there as not the program's.
void RecordBackup(RepairContext& context, const std::string& file) {
  const std::optional<std::string> contents =
      context.files.ReadFileEnd(file, std::numeric_limits<std::size_t>::max());
  if (!contents) return;
  const std::string name = file.substr(file.find_last_of('\\') + 1);
  StoreBackupRecord(context.registry, name, RecordOf(name, *contents));
}

// Each category once, in the order its first row was found.
std::vector<ScanCategory> CategoriesOfRepairedRows(const ResultsModel& results,
                                                   const std::vector<bool>& repaired) {
  std::vector<ScanCategory> categories;
  for (std::size_t row = 0; row < results.Count() && row < repaired.size(); ++row) {
    const ScanCategory category = results.Row(row).record.category;
    if (repaired[row] &&
        std::find(categories.begin(), categories.end(), category) == categories.end()) {
      categories.push_back(category);
    }
  }
  return categories;
}

bool TicksA64BitViewRow(const ResultsModel& results) {
  for (const ResultRow& row : results.Rows()) {
    if (row.ticked && row.record.view == RowView::Bits64) return true;
  }
  return false;
}

}  // namespace

RepairOutcome RunRepair(ResultsModel& results, Leftovers& leftovers, const Settings& settings,
                        const Language& language, RepairContext& context, RepairPrompts& prompts,
                        RunBackupFiles& backup) {
  const std::string& folder = settings.backupFolder;
  if (!context.files.DirectoryExists(folder)) {
    const std::string question =
        MissingBackupFolderText(language, folder) + "\r\n" +
        language.LangString("RES_Create_Directory", "creates a new directory?");
    if (!prompts.AskCreateBackupFolder(question)) return RepairOutcome::Abandoned;
    try {
      context.files.CreateDirectory(folder);
    } catch (const FileIoError& error) {
      prompts.ShowFailure(error.what());
      return RepairOutcome::Abandoned;
    }
  }
  if (results.TickedCount() == 0) return RepairOutcome::Repaired;
  if (settings.createRestorePoint && HasSystemRestore(context.windowsVersion) &&
      !prompts.CreateRestorePoint()) {
    return RepairOutcome::Abandoned;
  }
  backup.file = MakeBackupFileName(folder, context.now());

  RowRepairer repairer(context.registry, context.files, backup.file, context.groupLimits,
                       TicksA64BitViewRow(results));
  const RepairWalk walk = prompts.RunWalk(
      [&](RepairProgress& progress) { return RepairTickedRows(results, repairer, progress); });
  backup.inUnicodeFile = walk.inUnicodeFile;
  RecordBackup(context, backup.file);
  RecordBackup(context, backup.UnicodeFile());
  const std::vector<ScanCategory> touched = CategoriesOfRepairedRows(results, walk.repaired);
  results.RemoveMarked(walk.repaired);
  if (!walk.failure.empty()) {
    prompts.ShowResults();
    prompts.ShowFailure(walk.failure);
    return RepairOutcome::Abandoned;
  }
  const std::size_t left = results.TickedCount();
  for (const ResultRow& row : results.Rows()) {
    leftovers.push_back({row.record.key, row.record.value});
  }
  results.Clear();
  prompts.ShowResults();
  if (walk.stopped) return RepairOutcome::Abandoned;
  const std::size_t foundAfter = touched.empty() ? 0 : prompts.CheckAgain(touched);
  if (settings.showRepairSummary) prompts.ShowSummary(walk.ticked, foundAfter);
  if (settings.beepWhenDone) prompts.Beep();
  return left == 0 ? RepairOutcome::Repaired : RepairOutcome::RowsLeft;
}

}  // namespace kelvane
