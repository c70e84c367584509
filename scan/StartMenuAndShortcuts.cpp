// Start menu and shortcuts: remembered orders of Start-menu folders that are gone, and shortcut
// files whose target is gone.
#include "platform/RegistryAccess.h"
#include "platform/ShortcutFiles.h"
#include "platform/Text.h"
#include "scan/CategoryRules.h"
#include "scan/JudgedDrive.h"

namespace kelvane {
namespace {

const char* const kMenuOrderKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2\\Programs",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu\\Programs",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu\\&Programs",
};

// The folders whose shortcuts are judged, in the order they are walked.
const int kShortcutFolders[] = {
    ShellFolder::CommonStartMenu, ShellFolder::CommonDesktopDirectory,
    ShellFolder::AppData,         ShellFolder::Recent,
    ShellFolder::StartMenu,       ShellFolder::DesktopDirectory,
};

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

bool IsFolder(const FileEntry& entry) { return entry.attributes & kFileAttributeDirectory; }

std::string WithBackslash(const std::string& folder) {
  return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

// The user's and then all users' Programs folder, each with its backslash. A system without one
// of the folders has none for it; none at all when one exists but cannot be listed (a folder's
// listing begins with "."), since a menu key could then belong to what it holds.
std::optional<std::vector<std::string>> ProgramFolders(FileSystemAccess& files) {
  std::vector<std::string> folders;
  for (int id : {ShellFolder::Programs, ShellFolder::CommonPrograms}) {
    const std::optional<std::string> folder = files.SpecialFolder(id);
    if (!folder) continue;
    const std::vector<FileEntry> entries = files.FindEntries(WithBackslash(*folder) + "*");
    if (entries.empty() || entries.front().name != ".") return std::nullopt;
    folders.push_back(WithBackslash(*folder));
  }
  return folders;
}

// The file system compares the names, in any script as Windows does.
bool HoldsFolderNamed(FileSystemAccess& files, const std::vector<std::string>& folders,
                      const std::string& name) {
  if (IsDotEntry(name)) return false;
  for (const std::string& folder : folders) {
    if (files.DirectoryExists(folder + name)) return true;
  }
  return false;
}

// On 64-bit Windows the 32-bit program sees other system and program folders than the shell.
bool IsRedirectedOnWow64(const std::string& target) {
  const std::string upper = UpperCaseAscii(target);
  for (const char* folder : {"SYSTEM32", "PROGRAMFILES", "PROGRAM FILES"}) {
    if (upper.find(folder) != std::string::npos) return true;
  }
  return false;
}

void ScanShortcutFolder(ScanContext& scan, const std::string& folder) {
  const std::string base = WithBackslash(folder);
  for (const FileEntry& entry : scan.Files().FindEntries(base + "*")) {
    if (IsFolder(entry)) {
      if (!IsDotEntry(entry.name)) ScanShortcutFolder(scan, base + entry.name);
      continue;
    }
    if (!HasShortcutExtension(entry.name)) continue;
    const std::string shortcut = base + entry.name;
    scan.ShowKeyProgress(shortcut);
    const std::string target = scan.Files().GetShortcutTarget(shortcut);
    if (scan.Drives().isWow64 && !scan.Drives().scan64Bit && IsRedirectedOnWow64(target)) {
      continue;
    }
    // Network paths, unjudged drives and objects without a path are not judged.
    if (!IsOnJudgedDrive(target, scan.Drives().driveLetters)) continue;
    std::optional<MissingPath> missing = scan.OnEmptyFloppy(target);
    if (!missing && !scan.Files().DirectoryExists(target)) missing = scan.Missing(target, "", false);
    if (missing) {
      scan.AddProblem(Rule::ShortcutTarget,
                      scan.LangString("RES_Problem_ShortCuts", "Missing ShortCut reference"),
                      shortcut, target, RepairKind::ShortcutFile, *missing);
    }
  }
}

}  // namespace

void ScanStartMenu(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Start_Menu", "Scanning Start Menu...");
  const std::optional<std::vector<std::string>> programFolders = ProgramFolders(scan.Files());
  if (!programFolders) return;
  const std::string problem = scan.LangString("RES_Problem_Start_Menu", "Old Start Menu Key");
  for (const char* path : kMenuOrderKeys) {
    RegistryAccess key(scan.Registry());
    key.SetRootKey(kHkeyCurrentUser);
    if (!key.KeyExists(path) || !key.OpenKey(path, false)) continue;
    for (const std::string& name : key.SubkeyNames()) {
      scan.ShowKeyProgress(std::string(path) + "\\" + name);
      if (!HoldsFolderNamed(scan.Files(), *programFolders, name)) {
        scan.AddProblem(Rule::MenuOrderFolder, problem, std::string("HKEY_CURRENT_USER\\") + path,
                        name, RepairKind::SubkeyNamedByValue, name);
      }
    }
  }
}

void ScanShortcuts(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Shortcuts", "Scanning Shortcuts...");
  for (int id : kShortcutFolders) {
    const std::optional<std::string> folder = scan.Files().SpecialFolder(id);
    if (folder) ScanShortcutFolder(scan, *folder);
  }
}

// A folder that links back above itself ends the walk once the path outgrows the ANSI file
// functions, which then list nothing.
}  // namespace kelvane
