// Files and folders: every string value of a registry tree that names a missing file or folder.
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/CategoryRules.h"
#include "scan/RegistryReads.h"
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

// On 64-bit Windows a 32-bit program's own classes key is a link WOW64 made to the classes of
// the 32-bit view: the one link the walk follows, so that those classes are judged, under the
// names they have always had here. No other link is entered.
bool IsOwnClassesLink(RootKey root, const std::string& path) {
  return root == kHkeyLocalMachine && SameTextAscii(path, "Software\\Classes");
}

const char kProblemDefault[] = "Invalid File or Folder";

// Every string value of a tree judged, depth first in enumeration order. A key stays open while
// its subtree is walked, so each subkey is opened by its name alone, one open key per level.
class ValueTreeWalk {
 public:
  ValueTreeWalk(ScanContext& scan, Rule rule, const std::string& problem,
                const std::string& anchorName, const std::vector<std::string>& exclusions)
      : scan_(scan),
        rule_(rule),
        problem_(problem),
        anchorName_(anchorName),
        exclusions_(exclusions) {}

  // A skipped key is left out with its whole subtree.
  bool IsSkipped(RootKey root, const std::string& path) const {
    return IsExcluded(path, exclusions_) || IsNestedWow64Copy(root, path) ||
           scan_.SkipsIn64BitPass(RootKeyName(root) + "\\" + path);
  }

  void Visit(RegistryAccess& key, const std::string& path) {
    scan_.ShowKeyProgress(path);
    std::vector<std::string> subkeys;
    {
      KeyContents contents = key.Contents();
      // A subkey opened as itself shows a link by its only value.
      if (HoldsLinkTarget(contents.values)) return;
      const std::string keyText = RootKeyName(key.Root()) + "\\" + path;
      for (const NamedValue& value : contents.values) {
        const std::optional<std::string> text = ValueText(value.value);
        if (!text) continue;
        if (const std::optional<MissingPath> missing = scan_.Missing(*text, anchorName_, true)) {
          AddValueProblem(scan_, rule_, problem_, keyText, value.name, *text, *missing);
        }
      }
      subkeys = std::move(contents.subkeys);
    }
    // Only the names are kept while the subtree is walked, not the data.
    for (const std::string& subkey : subkeys) {
      if (subkey.empty()) continue;
      const std::string subkeyPath = path.empty() ? subkey : path + "\\" + subkey;
      if (IsSkipped(key.Root(), subkeyPath)) continue;
      RegistryAccess child(scan_.Registry());
      child.SetAccess(kAccessRead);
      if (!IsOwnClassesLink(key.Root(), subkeyPath)) child.OpenLinksAsThemselves();
      if (OpenSubkey(key, subkey, subkeyPath, child)) Visit(child, subkeyPath);
    }
  }

 private:
  // Relative to its open parent, except a key called Wow6432Node: below a key of the 32-bit
  // view that name leads to the real nested key, while in a whole path from the root it names
  // the 32-bit view itself, which is what the walk has always shown there.
  static bool OpenSubkey(const RegistryAccess& parent, const std::string& name,
                         const std::string& path, RegistryAccess& child) {
    if (!SameTextAscii(name, "Wow6432Node")) return child.OpenSubkeyOf(parent, name);
    child.SetRootKey(parent.Root());
    return child.OpenKey(path, false);
  }

  ScanContext& scan_;
  Rule rule_;
  const std::string& problem_;
  const std::string& anchorName_;
  const std::vector<std::string>& exclusions_;
};

}  // namespace

void ScanFilesAndFoldersLocalMachine(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Files_And_Folders_HKEY_LOCAL_MACHINE",
                  "Scanning Files and Folders - HKEY_LOCAL_MACHINE...");
  ScanValueTree(
      scan, Rule::FileReference, "HKEY_LOCAL_MACHINE", "Software",
      scan.LangString("RES_Problem_Files_And_Folders_HKEY_LOCAL_MACHINE", kProblemDefault), "",
      kLocalMachineExclusions);
}

void ScanFilesAndFoldersCurrentUser(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Files_And_Folders_HKEY_CURRENT_USER",
                  "Scanning Files and Folders - HKEY_CURRENT_USER...");
  ScanValueTree(scan, Rule::FileReference, "HKEY_CURRENT_USER", "",
                scan.LangString("RES_Problem_Files_And_Folders_HKEY_CURRENT_USER", kProblemDefault),
                "", kCurrentUserExclusions);
}

void ScanFilesAndFoldersUsers(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Files_And_Folders_HKEY_USERS",
                  "Scanning Files and Folders - HKEY_USERS...");
  ScanValueTree(scan, Rule::FileReference, "HKEY_USERS", "",
                scan.LangString("RES_Problem_Files_And_Folders_HKEY_USERS", kProblemDefault), "");
}

void ScanEmptyKeysUsers(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Empty_Key_HKEY_USERS", "Scanning Empty Registry Keys...");
}

void ScanValueTree(ScanContext& scan, Rule rule, const std::string& rootName,
                   const std::string& path, const std::string& problem,
                   const std::string& anchorName, const std::vector<std::string>& exclusions) {
  ValueTreeWalk walk(scan, rule, problem, anchorName, exclusions);
  RegistryAccess key(scan.Registry());
  key.SetAccess(kAccessRead);
  if (!OpenKeyBelowNamedRoot(key, rootName, path) || walk.IsSkipped(key.Root(), path)) return;
  walk.Visit(key, path);
}

}  // namespace kelvane
