#include "backup/RestoreRun.h"

#include <limits>
#include <optional>

#include "backup/BackupRecord.h"
#include "backup/ImportCheck.h"
#include "backup/ShortcutBackup.h"
#include "platform/RegFile.h"
#include "platform/RegistryEditor.h"

namespace kelvane {
namespace {

std::string FileNameOf(const std::string& path) {
  return path.substr(path.find_last_of('\\') + 1);
}

std::optional<std::string> WholeFile(EditorContext& context, const std::string& file) {
  return context.files.ReadFileEnd(file, std::numeric_limits<std::size_t>::max());
}

BackupOrigin OriginOfFile(EditorContext& context, const std::string& file) {
  const std::optional<std::string> text = WholeFile(context, file);
  if (!text) return BackupOrigin::Unknown;
  return OriginOf(LoadBackupRecord(context.registry, FileNameOf(file)), *text);
}

// The file's origin when it may be imported: a file the program did not write, or that changed
// since, only after the user saw what it deletes and writes and said Yes; none for a file that
// does not even read.
std::optional<BackupOrigin> MayImport(EditorContext& context, EditorPrompts& prompts,
                                      const std::string& file) {
  const std::optional<std::string> text = WholeFile(context, file);
  if (!text) {
    prompts.ShowWarning(UncheckedImportMessage(context.language, ""));
    return std::nullopt;
  }
  const BackupOrigin origin =
      OriginOf(LoadBackupRecord(context.registry, FileNameOf(file)), *text);
  if (origin == BackupOrigin::Written) return origin;
  try {
    if (prompts.AskYesNo(ForeignImportQuestion(
            context.language, origin == BackupOrigin::Changed, ParseRegFile(*text)))) {
      return origin;
    }
  } catch (const RegFileError& error) {
    prompts.ShowWarning(UncheckedImportMessage(context.language, error.what()));
  }
  return std::nullopt;
}

// The shortcut files the repair deleted, put back where they were and read back; never over a
// file that is there. Only from the program's own file: any other could place files anywhere.
void PutShortcutsBack(FileSystemAccess& files, const std::string& text, ImportCheck& check) {
  for (const BackedUpShortcut& shortcut : ShortcutsInBackup(text)) {
    ++check.checked;
    if (!files.FileExists(shortcut.path)) files.CreateNewFile(shortcut.path, shortcut.bytes);
    if (files.ReadFileEnd(shortcut.path, shortcut.bytes.size() + 1) != shortcut.bytes) {
      check.missing.push_back(shortcut.path);
    }
  }
}

}  // namespace

RestoreOutcome RestoreBackupFile(EditorContext& context, EditorPrompts& prompts,
                                 const std::string& file, bool deleteWhenComplete) {
  const std::optional<BackupOrigin> origin = MayImport(context, prompts, file);
  if (!origin) return RestoreOutcome::NotImported;
  const bool own = origin == BackupOrigin::Written;
  const Language& language = context.language;
  // The editor's exit code says nothing: the registry itself must show the file's contents.
  // Read back and looked for while the progress window stays, so a large file freezes nothing.
  std::optional<ImportCheck> check;
  std::string unreadable;
  const auto readBackAndCheck = [&](const std::atomic<bool>& stop) {
    try {
      const std::optional<std::string> text = WholeFile(context, file);
      if (!text) return;
      check = CheckImport(context.registry, ParseRegFile(*text), stop);
      if (own && !stop) PutShortcutsBack(context.files, *text, *check);
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
  const bool deleted = deleteWhenComplete && OriginOfFile(context, file) == BackupOrigin::Written &&
                       DeleteBackupFile(context, file);
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
