// Startup programs: the Run keys and the startup entries the configuration utility disabled.
#include <exception>

#include "platform/RegistryAccess.h"
#include "scan/CategoryRules.h"
#include "scan/RegistryReads.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kDisabledStartup[] = "Software\\Microsoft\\Shared Tools\\MSConfig\\startupreg";

std::string StartupProblem(const ScanContext& scan) {
  return scan.LangString("RES_Problem_Startup_Run", "Missing Startup Programs");
}

// Each entry is a key of its own whose "command" value holds the command line once run.
void ScanDisabledStartupEntries(ScanContext& scan) {
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(kDisabledStartup, false)) return;
  scan.ShowKeyProgress(kDisabledStartup);
  const std::string problem = StartupProblem(scan);
  for (const std::string& name : key.SubkeyNames()) {
    const std::string entry = std::string(kDisabledStartup) + "\\" + name;
    key.CloseKey();
    if (!key.OpenKey(entry, false)) continue;
    const std::optional<std::string> command = key.ReadText("command");
    const std::optional<MissingPath> missing =
        command ? scan.Missing(*command, "", false) : std::nullopt;
    if (missing) {
      scan.AddProblem(Rule::DisabledStartupFile, problem, "HKEY_LOCAL_MACHINE\\" + entry,
                      *command, RepairKind::Key, *missing);
    }
  }
}

void ScanRunKey(ScanContext& scan, const std::string& rootName, const std::string& path) {
  RegistryAccess key(scan.Registry());
  if (!OpenKeyBelowNamedRoot(key, rootName, path)) return;
  scan.ShowKeyProgress(path);
  const std::string problem = StartupProblem(scan);
  for (const std::string& name : key.ValueNames()) {
    const std::optional<std::string> command = key.ReadText(name);
    if (!command) continue;
    const std::string keyText = RootKeyName(key.Root()) + "\\" + path;
    if (command->empty() || *command == "\"\"") {
      AddValueProblem(scan, Rule::RunCommandEmpty, problem, keyText, name, *command,
                      keyText + "\\" + name);
    } else if (const std::optional<MissingPath> missing = scan.Missing(*command, "", false)) {
      AddValueProblem(scan, Rule::RunCommandFile, problem, keyText, name, *command, *missing);
    }
  }
}

}  // namespace

void ScanStartupPrograms(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Startup_Programs", "Scanning Startup Programs...");
  ScanRunKey(scan, "HKEY_CURRENT_USER", kRun);
  ScanRunKey(scan, "HKEY_CURRENT_USER", kRunOnce);
  ScanRunKey(scan, "HKEY_LOCAL_MACHINE", kRun);
  ScanRunKey(scan, "HKEY_LOCAL_MACHINE", kRunOnce);
  try {
    ScanDisabledStartupEntries(scan);
  } catch (const std::exception&) {
    // An unreadable entry ends this category only; a stop is not an error and goes on up.
  }
}

}  // namespace kelvane
