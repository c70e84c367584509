#include "backup/RestoreRun.h"

#include <limits>
#include <optional>

#include "backup/ImportCheck.h"
#include "platform/RegFile.h"
#include "platform/RegistryEditor.h"

namespace kelvane {

RestoreOutcome RestoreBackupFile(EditorContext& context, EditorPrompts& prompts,
                                 const std::string& file) {
  const Language& language = context.language;
  // The editor's exit code says nothing: the registry itself must show the file's contents.
  // Read back and looked for while the progress window stays, so a large file freezes nothing.
  std::optional<ImportCheck> check;
  std::string unreadable;
  const auto readBackAndCheck = [&](const std::atomic<bool>& stop) {
    try {
      const std::optional<std::string> text =
          context.files.ReadFileEnd(file, std::numeric_limits<std::size_t>::max());
      if (text) check = CheckImport(context.registry, ParseRegFile(*text), stop);
    } catch (const RegFileError& error) {
      unreadable = error.what();
    }
  };
  const RegistryEditor editor = FindRegistryEditor(context.system, context.files);
  if (!RunWithBackupHint(context, prompts, ImportCommandLine(editor, file),
                         language.LangString("RES_Restory_Registry", "Restore registry..."),
                         readBackAndCheck)) {
    return RestoreOutcome::NotImported;
  }
  if (check && check->Complete()) return RestoreOutcome::Complete;
  prompts.ShowWarning(check ? IncompleteImportMessage(language, *check)
                            : UncheckedImportMessage(language, unreadable));
  return RestoreOutcome::Incomplete;
}

}  // namespace kelvane
