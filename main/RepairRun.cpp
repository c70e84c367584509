#include "main/RepairRun.h"

#include "main/Repair.h"
#include "windows/Options.h"

namespace kelvane {

void RunRepair(ResultsModel& results, Leftovers& leftovers, const Settings& settings,
               const Language& language, RepairContext& context, RepairPrompts& prompts,
               std::string& currentBackupFile) {
  const std::string& folder = settings.OutputDirectory;
  if (!context.files.DirectoryExists(folder)) {
    const std::string question =
        MissingBackupFolderText(language, folder) + "\r\n" +
        language.LangString("RES_Create_Directory", "creates a new directory?");
    if (!prompts.AskCreateBackupFolder(question)) return;
    if (!context.files.CreateDirectory(folder)) return;
  }
  if (results.Empty()) return;
  if (settings.RestorePoint && HasSystemRestore(context.windowsVersion) &&
      !prompts.CreateRestorePoint()) {
    return;
  }
  currentBackupFile = MakeBackupFileName(folder, context.now());

  RowRepairer repairer(context.registry, context.files, currentBackupFile);
  std::size_t ticked = 0;
  try {
    ticked = RepairTickedRows(results, repairer);
  } catch (const std::exception& error) {
    prompts.ShowResults();
    prompts.ShowFailure(error.what());
    return;
  }
  for (const ResultRow& row : results.Rows()) leftovers.Add(row.record.key, row.record.value);
  results.Clear();
  prompts.ShowResults();
  if (settings.ShowHint) prompts.ShowSummary(ticked);
  if (settings.Beep) prompts.Beep();
}

}  // namespace kelvane
