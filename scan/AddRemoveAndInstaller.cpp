// Add/remove programs and installer: uninstall registrations that can no longer do their work.
#include "platform/RegistryAccess.h"
#include "scan/CategoryRules.h"
#include "scan/RegistryReads.h"

namespace kelvane {
namespace {

const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The installer's key texts spell the first component in capitals.
const char kInstallerUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kInstallerFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const char kAddRemoveCache[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";

// Any value whose name holds the word, in this letter case, is taken for the uninstall command
// ("QuietUninstallString" as well).
bool HasUninstallCommand(RegistryAccess& entry) {
  for (const std::string& name : entry.ValueNames()) {
    if (name.find("UninstallString") != std::string::npos) return true;
  }
  return false;
}

// The shared folders are the value names; their data is of no interest.
void ScanSharedInstallerFolders(ScanContext& scan, const std::string& problem) {
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(kInstallerFolders, false)) return;
  scan.ShowKeyProgress(kInstallerFolders);
  for (const std::string& folder : key.ValueNames()) {
    if (const std::optional<MissingPath> missing = scan.Missing(folder, "", true)) {
      scan.AddProblem(Rule::InstallerFolder, problem,
                      std::string("HKEY_LOCAL_MACHINE\\") + kInstallerFolders, folder,
                      RepairKind::ValueNamedByValue, *missing);
    }
  }
}

// A cached add/remove entry outlives the registration it was made for. The registry compares
// the names, in any script as Windows does.
void ScanAddRemoveCache(ScanContext& scan, const std::string& problem) {
  // Without the registrations no cached entry can be said to have outlived its own.
  if (!ReadableSubkeyNames(scan.Registry(), kHkeyLocalMachine, kInstallerUninstall)) return;
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  key.SetAccess(kAccessRead);
  if (!key.OpenKey(kAddRemoveCache, false)) return;
  scan.ShowKeyProgress(kAddRemoveCache);
  RegistryAccess registrations(scan.Registry());
  registrations.SetRootKey(kHkeyLocalMachine);
  for (const std::string& name : key.SubkeyNames()) {
    if (!registrations.KeyExists(std::string(kInstallerUninstall) + "\\" + name)) {
      scan.AddProblem(Rule::AddRemoveCacheOrphan, problem,
                      std::string("HKEY_LOCAL_MACHINE\\") + kAddRemoveCache, name,
                      RepairKind::SubkeyNamedByValue, name);
    }
  }
}

}  // namespace

void ScanAddRemovePrograms(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Add_Remove_Programs", "Scanning Add/Remove Programs...");
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(kUninstall, false)) return;
  const std::string problem = scan.LangString("RES_Problem_AddRomve", "Add/Remove Programs Issue");
  for (const std::string& name : key.SubkeyNames()) {
    // Installer-made entries, named by their product code, are the installer's to judge.
    if (!name.empty() && name[0] == '{') continue;
    const std::string path = std::string(kUninstall) + "\\" + name;
    scan.ShowKeyProgress(path);
    key.CloseKey();
    if (!key.OpenKey(path, false)) continue;
    if (!HasUninstallCommand(key) && !key.ValueExists("SystemComponent")) {
      scan.AddProblem(Rule::UninstallCommandMissing, problem,
                      std::string("HKEY_LOCAL_MACHINE\\") + kUninstall, name,
                      RepairKind::SubkeyNamedByValue, "HKEY_LOCAL_MACHINE\\" + path);
    }
  }
}

void ScanInstaller(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Installer", "Scanning Installer...");
  const std::string problem = scan.LangString("RES_Problem_Installer", "Installer Reference Issue");
  ScanValueTree(scan, Rule::UninstallerFile, "HKEY_LOCAL_MACHINE", kInstallerUninstall, problem,
                ".exe");
  ScanSharedInstallerFolders(scan, problem);
  ScanAddRemoveCache(scan, problem);
}

}  // namespace kelvane
