#include "backup/RestoreRun.h"

#include <limits>
#include <optional>

#include "backup/BackupRecord.h"
#include "backup/ImportCheck.h"
#include "platform/RegFile.h"
#include "platform/RegistryEditor.h"

namespace kelvane {

namespace {

std::string FileNameOf(const std::string& path) {
  return path.substr(path.find_last_of('\\') + 1);
}

// A file the program did not write, or that changed since, is imported only after the user saw
// what it deletes and writes and said Yes; one that does not even read is not imported.
bool MayImport(EditorContext& context, EditorPrompts& prompts, const std::string& file) {
  const std::optional<std::string> text =
      context.files.ReadFileEnd(file, std::numeric_limits<std::size_t>::max());
  if (!text) {
    prompts.ShowWarning(UncheckedImportMessage(context.language, ""));
    return false;
  }
  const BackupOrigin origin =
      OriginOf(LoadBackupRecord(context.registry, FileNameOf(file)), *text);
  if (origin == BackupOrigin::Written) return true;
  try {
    return prompts.AskYesNo(ForeignImportQuestion(
        context.language, origin == BackupOrigin::Changed, ParseRegFile(*text)));
  } catch (const RegFileError& error) {
    prompts.ShowWarning(UncheckedImportMessage(context.language, error.what()));
    return false;
  }
}

bool IsWrittenByTheProgram(EditorContext& context, const std::string& file) {
  const std::optional<std::string> text =
      context.files.ReadFileEnd(file, std::numeric_limits<std::size_t>::max());
  return text && OriginOf(LoadBackupRecord(context.registry, FileNameOf(file)), *text) ==
                     BackupOrigin::Written;
}

}  // namespace

RestoreOutcome RestoreBackupFile(EditorContext& context, EditorPrompts& prompts,
                                 const std::string& file, bool deleteWhenComplete) {
  if (!MayImport(context, prompts, file)) return RestoreOutcome::NotImported;
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
  if (!check || !check->Complete()) {
    prompts.ShowWarning(check ? IncompleteImportMessage(language, *check)
                              : UncheckedImportMessage(language, unreadable));
    return RestoreOutcome::Incomplete;
  }
  // Only the program's own file, as it wrote it, goes: any other is the user's to keep.
  const bool deleted =
      deleteWhenComplete && IsWrittenByTheProgram(context, file) && DeleteBackupFile(context, file);
  prompts.ShowInformation(CompleteImportMessage(language, *check, deleted));
  return deleted ? RestoreOutcome::CompleteAndDeleted : RestoreOutcome::Complete;
}

std::string DeleteBackupQuestion(const Language& language, const std::string& fileName) {
  return language.LangString("RES_Delete_Backup_Ask",
                             "Delete this backup file? The repair it holds can no longer be "
                             "undone then.") +
         "\r\n\r\n" + fileName;
}

bool DeleteBackupFile(EditorContext& context, const std::string& file) {
  if (!context.files.DeleteFileSilently(file)) return false;
  DropBackupRecord(context.registry, FileNameOf(file));
  return true;
}

}  // namespace kelvane
