#include "main/EditorCommands.h"

#include <memory>

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

std::string TrimBlanks(const std::string& text) {
  std::size_t start = 0;
  std::size_t end = text.size();
  while (start < end && static_cast<unsigned char>(text[start]) <= ' ') ++start;
  while (end > start && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(start, end - start);
}

}  // namespace

bool RunWithBackupHint(EditorContext& context, EditorPrompts& prompts,
                       const std::string& commandLine, const std::string& hint) {
  const std::unique_ptr<StartedProcess> process = context.processes.StartHidden(commandLine);
  if (!process) {
    prompts.ShowInformation(context.language.LangString("RES_Regedit_Not_Exist",
                                                        "Please check if Regedit.exe exists."));
    return false;
  }
  return prompts.WaitForProcess(*process, hint);
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
    const std::string trimmed = TrimBlanks(*expanded);
    if (files.DirectoryExists(trimmed)) root = trimmed;
  }
  return root + kWindowsBackupBelowRoot;
}

void StartWindowsBackup(EditorContext& context) {
  // Systems without the tool have nothing to open; that is not worth a message.
  context.system.OpenWithShell(WindowsBackupProgram(context.files), "");
}

std::string RegistryEditorKeyFor(const ProblemRecord& row) {
  switch (row.repairKind) {
    case RepairKind::ValueInKeyText: {
      const std::size_t last = row.key.rfind('\\');
      return last == std::string::npos ? "" : row.key.substr(0, last);
    }
    case RepairKind::SubkeyNamedByValue: return row.key + "\\" + row.value;
    case RepairKind::Key:
    case RepairKind::ValueNamedByValue:
    case RepairKind::DefaultValue:
    case RepairKind::EncodedValueName: return row.key;
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
  const RegistryEditor editor = FindRegistryEditor(context.system, context.files);
  context.system.OpenWithShell(editor.program, kFurtherInstanceSwitch);
}

}  // namespace kelvane
