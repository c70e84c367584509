// Startup programs: the Run keys and the startup entries the configuration utility disabled.
#include <exception>

#include "platform/RegistryAccess.h"
#include "scan/RegistryReads.h"
#include "scan/ScanTaskThread.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kDisabledStartup[] = "Software\\Microsoft\\Shared Tools\\MSConfig\\startupreg";

std::string StartupProblem(const TScanTaskThread& worker) {
  return worker.LangString("RES_Problem_Startup_Run", "Missing Startup Programs");
}

// Each entry is a key of its own whose "command" value holds the command line once run.
void ScanDisabledStartupEntries(TScanTaskThread& worker) {
  RegistryAccess key(worker.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(kDisabledStartup, false)) return;
  worker.ShowKeyProgress(kDisabledStartup);
  const std::string problem = StartupProblem(worker);
  for (const std::string& name : key.SubkeyNames()) {
    const std::string entry = std::string(kDisabledStartup) + "\\" + name;
    key.CloseKey();
    if (!key.OpenKey(entry, false)) continue;
    if (!IsTextKind(key.DataKind("command"))) continue;
    const std::string command = key.ReadString("command");
    if (worker.IsInvalidPath(command, "", false)) {
      worker.AddProblem(problem, "HKEY_LOCAL_MACHINE\\" + entry, command, RepairKind::Key);
    }
  }
}

}  // namespace

void TScanTaskThread::ScanStartupPrograms() {
  ShowStatus("RES_Scanning_Startup_Programs", "Scanning Startup Programs...");
  ScanRunKey("HKEY_CURRENT_USER", kRun);
  ScanRunKey("HKEY_CURRENT_USER", kRunOnce);
  ScanRunKey("HKEY_LOCAL_MACHINE", kRun);
  ScanRunKey("HKEY_LOCAL_MACHINE", kRunOnce);
  try {
    ScanDisabledStartupEntries(*this);
  } catch (const std::exception&) {
    // An unreadable entry ends this category only; a stop is not an error and goes on up.
  }
}

void TScanTaskThread::ScanRunKey(const std::string& rootName, const std::string& path) {
  RegistryAccess key(Registry());
  if (!OpenKeyBelowNamedRoot(key, rootName, path)) return;
  ShowKeyProgress(path);
  const std::string problem = StartupProblem(*this);
  for (const std::string& name : key.ValueNames()) {
    if (!IsTextKind(key.DataKind(name))) continue;
    const std::string command = key.ReadString(name);
    if (command.empty() || command == "\"\"" || IsInvalidPath(command, "", false)) {
      AddValueProblem(*this, problem, RootKeyName(key.Root()) + "\\" + path, name, command);
    }
  }
}

}  // namespace kelvane
