// Files and folders: every string value of a registry tree that names a missing file or folder.
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/RegistryReads.h"
#include "scan/ScanTaskThread.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

// Keys that other categories judge by their own rules.
const std::vector<std::string> kLocalMachineExclusions = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths",
    "Software\\Microsoft\\Windows\\Help",
    "Software\\Microsoft\\Windows\\Html Help",
    "Software\\Classes\\Applications",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache",
};

const std::vector<std::string> kCurrentUserExclusions = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "AppEvents\\Schemes\\Apps",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU",
};

bool IsExcluded(const std::string& path, const std::vector<std::string>& exclusions) {
  for (const std::string& excluded : exclusions) {
    if (SameTextAscii(path, excluded)) return true;
  }
  return false;
}

// The machine's 32-bit view can list itself again below itself; one level of it is walked.
bool IsNestedWow64Copy(RootKey root, const std::string& path) {
  return root == kHkeyLocalMachine &&
         UpperCaseAscii(path).rfind("SOFTWARE\\WOW6432NODE\\WOW6432NODE", 0) == 0;
}

const char kProblemDefault[] = "Invalid File or Folder";

}  // namespace

void TScanTaskThread::ScanFilesAndFoldersLocalMachine() {
  ShowStatus("RES_Scanning_Files_And_Folders_HKEY_LOCAL_MACHINE",
             "Scanning Files and Folders - HKEY_LOCAL_MACHINE...");
  ScanValueTree("HKEY_LOCAL_MACHINE", "Software",
                LangString("RES_Problem_Files_And_Folders_HKEY_LOCAL_MACHINE", kProblemDefault),
                "", kLocalMachineExclusions);
}

void TScanTaskThread::ScanFilesAndFoldersCurrentUser() {
  ShowStatus("RES_Scanning_Files_And_Folders_HKEY_CURRENT_USER",
             "Scanning Files and Folders - HKEY_CURRENT_USER...");
  ScanValueTree("HKEY_CURRENT_USER", "",
                LangString("RES_Problem_Files_And_Folders_HKEY_CURRENT_USER", kProblemDefault),
                "", kCurrentUserExclusions);
}

void TScanTaskThread::ScanFilesAndFoldersUsers() {
  ShowStatus("RES_Scanning_Files_And_Folders_HKEY_USERS",
             "Scanning Files and Folders - HKEY_USERS...");
  ScanValueTree("HKEY_USERS", "",
                LangString("RES_Problem_Files_And_Folders_HKEY_USERS", kProblemDefault), "");
}

void TScanTaskThread::ScanEmptyKeysUsers() {
  ShowStatus("RES_Scanning_Empty_Key_HKEY_USERS", "Scanning Empty Registry Keys...");
}

void TScanTaskThread::ScanValueTree(const std::string& rootName, const std::string& path,
                                    const std::string& problem, const std::string& anchorName,
                                    const std::vector<std::string>& exclusions) {
  if (IsExcluded(path, exclusions)) return;
  std::vector<std::string> subkeys;
  {
    RegistryAccess key(registry_);
    key.SetAccess(kAccessRead);
    if (!OpenKeyBelowNamedRoot(key, rootName, path) || IsNestedWow64Copy(key.Root(), path)) {
      return;
    }
    ShowKeyProgress(path);
    const std::string keyText = RootKeyName(key.Root()) + "\\" + path;
    for (const std::string& name : key.ValueNames()) {
      const std::optional<std::string> text = key.ReadText(name);
      if (text && IsInvalidPath(*text, anchorName, true)) {
        AddValueProblem(*this, problem, keyText, name, *text);
      }
    }
    subkeys = key.SubkeyNames();
  }
  // Depth first; the key is closed before its subtree is walked, so a deep tree holds one key.
  for (const std::string& subkey : subkeys) {
    if (subkey.empty()) continue;
    ScanValueTree(rootName, path.empty() ? subkey : path + "\\" + subkey, problem, anchorName,
                  exclusions);
  }
}

}  // namespace kelvane
