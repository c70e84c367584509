#include "main/RepairRun.h"

#include "main/Repair.h"
#include "windows/Options.h"

namespace kelvane {

RepairOutcome RunRepair(ResultsModel& results, Leftovers& leftovers, const Settings& settings,
                        const Language& language, RepairContext& context,
                        RepairPrompts& prompts, std::string& currentBackupFile) {
  const std::string& folder = settings.OutputDirectory;
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
  if (results.Empty()) return RepairOutcome::Repaired;
  if (settings.RestorePoint && HasSystemRestore(context.windowsVersion) &&
      !prompts.CreateRestorePoint()) {
    return RepairOutcome::Abandoned;
  }
  currentBackupFile = MakeBackupFileName(folder, context.now());

  RowRepairer repairer(context.registry, context.files, currentBackupFile);
  std::size_t ticked = 0;
  try {
    ticked = RepairTickedRows(results, repairer);
  } catch (const std::exception& error) {
    prompts.ShowResults();
    prompts.ShowFailure(error.what());
    return RepairOutcome::Abandoned;
  }
  const std::size_t left = results.TickedCount();
  for (const ResultRow& row : results.Rows()) leftovers.Add(row.record.key, row.record.value);
  results.Clear();
  prompts.ShowResults();
  if (settings.ShowHint) prompts.ShowSummary(ticked);
  if (settings.Beep) prompts.Beep();
  return left == 0 ? RepairOutcome::Repaired : RepairOutcome::RowsLeft;
}

}  // namespace kelvane
