#include "editor/EditorCommands.h"

#include <chrono>
#include <future>
#include <memory>
#include <utility>

#include "platform/RegistryAccess.h"
#include "platform/RegistryEditor.h"
#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr char kRegExtension[] = ".REG";
constexpr char kSystemRoot[] = "%SystemRoot%";
constexpr char kWindowsBackupBelowRoot[] = "\\system32\\ntbackup.exe";

// From the last dot of the name's last component; empty when that has none.
std::string Extension(const std::string& path) {
  const std::size_t nameStart = path.find_last_of("\\/:");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) return "";
  return path.substr(dot);
}

// A follow-up this quick ends within the progress window's tick that saw the process end.
constexpr std::chrono::milliseconds kQuickFollowUp(100);

// The process and the work that follows it, as one process for the progress window, which
// stays until both have ended.
class ProcessWithFollowUp : public StartedProcess {
 public:
  ProcessWithFollowUp(std::unique_ptr<StartedProcess> process, FollowUp followUp)
      : process_(std::move(process)), followUp_(std::move(followUp)) {}
  // The work is told to stop; the future waits for it as it goes.
  ~ProcessWithFollowUp() override { stop_ = true; }

  bool HasEnded() override {
    if (!process_->HasEnded()) return false;
    if (!work_.valid()) {
      work_ = std::async(std::launch::async, [this] { followUp_(stop_); });
      return work_.wait_for(kQuickFollowUp) == std::future_status::ready;
    }
    return work_.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready;
  }
  bool Terminate() override {
    stop_ = true;
    return process_->Terminate();
  }
  // Raises what the work raised.
  void Finish() { work_.get(); }

 private:
  std::unique_ptr<StartedProcess> process_;
  FollowUp followUp_;
  std::atomic<bool> stop_{false};
  std::future<void> work_;  // last: it is waited for before the rest goes
};

}  // namespace

bool RunWithBackupHint(EditorContext& context, EditorPrompts& prompts,
                       const std::string& commandLine, const std::string& hint,
                       FollowUp followUp) {
  std::unique_ptr<StartedProcess> process = context.processes.StartHidden(commandLine);
  if (!process) {
    prompts.ShowInformation(context.language.LangString("RES_Regedit_Not_Exist",
                                                        "Please check if Regedit.exe exists."));
    return false;
  }
  if (!followUp) return prompts.WaitForProcess(*process, hint);
  ProcessWithFollowUp watched(std::move(process), std::move(followUp));
  if (!prompts.WaitForProcess(watched, hint)) return false;
  watched.Finish();
  return true;
}

std::string FullBackupFileName(const std::string& chosenName) {
  return UpperCaseAscii(Extension(chosenName)) == kRegExtension ? chosenName
                                                                 : chosenName + ".reg";
}

void BackupFullRegistry(EditorContext& context, FullBackupPrompts& prompts) {
  const Language& language = context.language;
  const std::optional<std::string> chosen = prompts.AskSaveFile(
      language.LangString("RES_SaveDialog_BackupFullRegistry", "Save full registry"),
      kFullBackupFilter);
  if (!chosen) return;
  const std::string file = FullBackupFileName(*chosen);
  if (context.files.FileExists(file) &&
      !prompts.AskYesNo(file + " " +
                        language.LangString("RES_File_Exist", "has existed,overite it?"))) {
    return;
  }
  RunWithBackupHint(context, prompts,
                    ExportCommandLine(FindRegistryEditor(context.system, context.files), file),
                    language.LangString("RES_Backup_Registry", "Backup registry..."));
}

std::string WindowsBackupProgram(FileSystemAccess& files) {
  std::string root = kSystemRoot;
  if (const std::optional<std::string> expanded = files.ExpandEnvironmentStrings(kSystemRoot)) {
    const std::string trimmed = Trim(*expanded, IsSpaceOrControl);
    if (files.DirectoryExists(trimmed)) root = trimmed;
  }
  return root + kWindowsBackupBelowRoot;
}

void StartWindowsBackup(EditorContext& context) {
  // Systems without the tool have nothing to open; that is not worth a message.
  context.system.OpenWithShell(WindowsBackupProgram(context.files), "");
}

std::string RegistryEditorKeyFor(const ProblemRecord& row) {
  // The 64-bit view's editor names its keys without the view.
  std::string key = row.key;
  Take64BitViewMark(key);
  switch (row.repairKind) {
    case RepairKind::ValueInKeyText: {
      const std::size_t last = key.rfind('\\');
      return last == std::string::npos ? "" : key.substr(0, last);
    }
    case RepairKind::SubkeyNamedByValue: return key + "\\" + row.value;
    case RepairKind::Key:
    case RepairKind::ValueNamedByValue:
    case RepairKind::DefaultValue:
    case RepairKind::EncodedValueName: return key;
    case RepairKind::ShortcutFile: break;
  }
  return "";
}

void OpenInRegistryEditor(EditorContext& context, const ProblemRecord& row) {
  RegistryAccess access(context.registry);
  access.SetRootKey(kHkeyCurrentUser);
  if (access.OpenKey(kRegistryEditorSettingsKey, true)) {
    access.WriteString(kRegistryEditorLastKey, RegistryEditorKeyFor(row));
  }
  const RegistryEditor editor = row.view == RowView::Bits64
                                    ? Find64BitRegistryEditor(context.system, context.files)
                                    : FindRegistryEditor(context.system, context.files);
  context.system.OpenWithShell(editor.program, kFurtherInstanceSwitch);
}

}  // namespace kelvane
