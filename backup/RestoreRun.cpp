#include "backup/RestoreRun.h"

#include <limits>
#include <optional>
#include <utility>

#include "backup/BackupRecord.h"
#include "backup/BackupWriter.h"
#include "backup/ImportCheck.h"
#include "backup/ShortcutBackup.h"
#include "platform/RegFile.h"
#include "platform/RegistryEditor.h"
#include "platform/RegistryView64.h"
#include "platform/Utf8.h"

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

// What the file held when it was judged, and whether the program wrote it so.
struct JudgedFile {
  BackupOrigin origin = BackupOrigin::Unknown;
  std::string text;
};

// The file when it may be imported: a file the program did not write, or that changed since,
// only after the user saw what it deletes and writes and said Yes; none for a file that does
// not even read.
std::optional<JudgedFile> MayImport(EditorContext& context, EditorPrompts& prompts,
                                    const std::string& file) {
  std::optional<std::string> text = WholeFile(context, file);
  if (!text) {
    prompts.ShowWarning(UncheckedImportMessage(context.language, ""));
    return std::nullopt;
  }
  const BackupOrigin origin =
      OriginOf(LoadBackupRecord(context.registry, FileNameOf(file)), *text);
  if (origin == BackupOrigin::Written) return JudgedFile{origin, std::move(*text)};
  try {
    if (prompts.AskYesNo(ForeignImportQuestion(
            context.language, origin == BackupOrigin::Changed, ParseRegFile(*text)))) {
      return JudgedFile{origin, std::move(*text)};
    }
  } catch (const RegFileError& error) {
    prompts.ShowWarning(UncheckedImportMessage(context.language, error.what()));
  }
  return std::nullopt;
}

// What was judged is what the editor imports: a copy in the administrator's own temporary
// folder, so that the file cannot be changed between the question and the import. The file
// itself where no copy can be made.
class ImportedCopy {
 public:
  ImportedCopy(FileSystemAccess& files, const std::string& file, const std::string& text)
      : files_(files), path_(file) {
    const std::optional<std::string> temp = files.ExpandEnvironmentStrings("%TEMP%");
    if (!temp || !files.DirectoryExists(*temp)) return;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      const std::string copy = *temp + "\\KelvaneRestore" + std::to_string(attempt) + ".reg";
      if (files.CreateNewFile(copy, text)) {
        path_ = copy;
        copied_ = true;
        return;
      }
    }
  }
  ~ImportedCopy() {
    if (copied_) files_.DeleteFileSilently(path_);
  }
  ImportedCopy(const ImportedCopy&) = delete;
  ImportedCopy& operator=(const ImportedCopy&) = delete;

  const std::string& Path() const { return path_; }

 private:
  static constexpr int kAttempts = 100;
  FileSystemAccess& files_;
  std::string path_;
  bool copied_ = false;
};

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
  const std::optional<JudgedFile> judged = MayImport(context, prompts, file);
  if (!judged) return RestoreOutcome::NotImported;
  const ImportedCopy imported(context.files, file, judged->text);
  const Language& language = context.language;
  // The editor's exit code says nothing: the registry itself must show the file's contents.
  // Looked for while the progress window stays, so a large file freezes nothing.
  std::optional<ImportCheck> check;
  std::string unreadable;
  const std::string text = TextFromFileBytes(judged->text);
  // Such a file goes through the 64-bit editor and is read back in the 64-bit view.
  const bool in64BitView = Names64BitView(text);
  const auto readBackAndCheck = [&](const std::atomic<bool>& stop) {
    try {
      RegistryView64 registry64(context.registry);
      RegistryStore& view = in64BitView ? registry64 : context.registry;
      check = CheckImport(view, ParseRegFile(judged->text), stop);
      if (judged->origin == BackupOrigin::Written && !stop) {
        PutShortcutsBack(context.files, text, *check);
      }
    } catch (const RegFileError& error) {
      unreadable = error.what();
    }
  };
  const std::string command =
      in64BitView ? Import64BitCommandLine(context.system, context.files, imported.Path())
                  : ImportCommandLine(FindRegistryEditor(context.system, context.files),
                                      imported.Path());
  if (!RunWithBackupHint(context, prompts, command,
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
