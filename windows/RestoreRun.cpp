#include "windows/RestoreRun.h"

#include <limits>
#include <optional>

#include "platform/RegFile.h"
#include "platform/RegistryEditor.h"
#include "windows/ImportCheck.h"

namespace kelvane {

RestoreOutcome RestoreBackupFile(EditorContext& context, EditorPrompts& prompts,
                                 const std::string& file) {
  const Language& language = context.language;
  const RegistryEditor editor = FindRegistryEditor(context.system, context.files);
  if (!RunWithBackupHint(context, prompts, ImportCommandLine(editor, file),
                         language.LangString("RES_Restory_Registry", "Restore registry..."))) {
    return RestoreOutcome::NotImported;
  }
  // The editor's exit code says nothing: the registry itself must show the file's contents.
  std::string unreadable;
  try {
    const std::optional<std::string> text =
        context.files.ReadFileEnd(file, std::numeric_limits<std::size_t>::max());
    if (text) {
      const ImportCheck check = CheckImport(context.registry, ParseRegFile(*text));
      if (check.Complete()) return RestoreOutcome::Complete;
      prompts.ShowWarning(IncompleteImportMessage(language, check));
      return RestoreOutcome::Incomplete;
    }
  } catch (const RegFileError& error) {
    unreadable = error.what();
  }
  prompts.ShowWarning(
      language.LangString("RES_Restore_Unchecked",
                          "The backup file does not read back, so the restore cannot be checked.") +
      (unreadable.empty() ? "" : "\r\n" + unreadable) + "\r\n" +
      language.LangString("RES_Backup_Kept", "The backup file is kept."));
  return RestoreOutcome::Incomplete;
}

}  // namespace kelvane
