// The main window's commands that hand work to programs of the system: starting the registry
// editor behind the process progress window, the full registry backup, the system's backup
// tool, and opening the editor at a result row's key.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "global/Localization.h"
#include "platform/FileSystemAccess.h"
#include "platform/ProcessStarter.h"
#include "platform/RegistryStore.h"
#include "platform/SystemAccess.h"
#include "scan/ProblemRecord.h"

namespace kelvane {

// What the window supplies.
class EditorPrompts {
 public:
  virtual ~EditorPrompts() = default;
  // The process progress window with the hint: true when the process ended by itself, false
  // when the user stopped it or closed the window.
  virtual bool WaitForProcess(StartedProcess& process, const std::string& hint) = 0;
  virtual void ShowInformation(const std::string& message) = 0;
  virtual void ShowWarning(const std::string& message) = 0;
  // A Yes/No question with No as the default; true for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
};

class FullBackupPrompts : public EditorPrompts {
 public:
  // The save dialog; the filter pairs a description with its pattern, separated by '|'. None
  // when cancelled.
  virtual std::optional<std::string> AskSaveFile(const std::string& title,
                                                 const std::string& filter) = 0;
};

struct EditorContext {
  RegistryStore& registry;
  FileSystemAccess& files;
  SystemAccess& system;
  ProcessStarter& processes;
  const Language& language;
};

// Work that follows the end of the process while the progress window stays up, such as a look
// at what the process did. It runs on a thread of its own and returns soon once stop is set: the
// user stopped the process or closed the window.
using FollowUp = std::function<void(const std::atomic<bool>& stop)>;

// Starts the command line hidden and waits behind the progress window; true when it ran to its
// end, and the follow-up too. When it cannot be started the user is told to check the registry
// editor. What the follow-up raises is raised here.
bool RunWithBackupHint(EditorContext& context, EditorPrompts& prompts,
                       const std::string& commandLine, const std::string& hint,
                       FollowUp followUp = nullptr);

constexpr char kFullBackupFilter[] = "Registry backup files (*.reg)|*.REG";

// ".reg" is appended unless the name's extension is ".reg" in any letter case.
std::string FullBackupFileName(const std::string& chosenName);

// Exports the whole registry with the registry editor into a file the user chooses, asking
// before an existing file is replaced.
void BackupFullRegistry(EditorContext& context, FullBackupPrompts& prompts);

// The system's backup tool below the system root; "%SystemRoot%" stays as it is when it does not
// expand to an existing folder.
std::string WindowsBackupProgram(FileSystemAccess& files);

// Asks the shell to start the backup tool; nothing is reported when it is missing.
void StartWindowsBackup(EditorContext& context);

// The key the registry editor is to show for a row: the key holding a value, the subkey a row
// names, or the key itself; empty for a file row.
std::string RegistryEditorKeyFor(const ProblemRecord& row);

// Stores the row's key as the editor's remembered key and opens the editor.
void OpenInRegistryEditor(EditorContext& context, const ProblemRecord& row);

}  // namespace kelvane
