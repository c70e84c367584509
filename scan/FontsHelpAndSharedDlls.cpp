// Fonts, help files and shared DLLs: fixed machine keys whose values name files.
#include <unordered_set>

#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/CategoryRules.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

// Windows 95, 98 and Me keep their fonts under the Windows key, the NT family under its own.
const char kFonts9x[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
const char kFontsNt[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char* const kHelpKeys[] = {"Software\\Microsoft\\Windows\\Help",
                                 "Software\\Microsoft\\Windows\\Html Help"};
const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

// The upper-cased names of the files in the fonts folder; none when there is no such folder.
std::unordered_set<std::string> FontFolderFileNames(FileSystemAccess& files) {
  std::unordered_set<std::string> names;
  const std::optional<std::string> folder = files.SpecialFolder(ShellFolder::Fonts);
  if (!folder) return names;
  for (const FileEntry& entry : files.FindEntries(*folder + "\\*")) {
    if (!(entry.attributes & kFileAttributeDirectory)) names.insert(UpperCaseAscii(entry.name));
  }
  return names;
}

void ScanHelpKey(ScanContext& scan, const std::string& path, const std::string& problem) {
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(path, false)) return;
  scan.ShowKeyProgress(path);
  for (const std::string& name : key.ValueNames()) {
    // The value names the help file and its data the folder that holds it.
    const std::optional<std::string> folder = key.ReadText(name);
    if (!folder) continue;
    std::string helpFile = *folder;
    if (!helpFile.empty() && helpFile.back() != '\\') helpFile += '\\';
    helpFile += name;
    std::optional<MissingPath> missing = scan.OnEmptyFloppy(helpFile);
    if (!missing) missing = scan.Missing(helpFile, "", false);
    if (missing) {
      AddValueProblem(scan, Rule::HelpFile, problem, "HKEY_LOCAL_MACHINE\\" + path, name,
                      helpFile, *missing);
    }
  }
}

}  // namespace

void ScanWindowsFonts(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Windows_Fonts", "Scanning Windows Fonts...");
  const std::string fontsKey = IsWindows9x(scan.System().Version()) ? kFonts9x : kFontsNt;
  const std::unordered_set<std::string> fontFiles = FontFolderFileNames(scan.Files());
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(fontsKey, false)) return;
  scan.ShowKeyProgress(fontsKey);
  const std::string problem = scan.LangString("RES_Problem_Fonts", "Fonts Issue");
  for (const std::string& name : key.ValueNames()) {
    const std::optional<std::string> file = key.ReadText(name);
    if (!file) continue;
    // A bare file name found in the fonts folder is the usual, sound registration.
    std::optional<MissingPath> missing = scan.OnEmptyFloppy(*file);
    if (!missing && fontFiles.count(UpperCaseAscii(*file)) == 0) {
      missing = scan.Missing(*file, "", false);
    }
    if (missing) {
      AddValueProblem(scan, Rule::FontFile, problem, "HKEY_LOCAL_MACHINE\\" + fontsKey, name,
                      *file, *missing);
    }
  }
}

void ScanHelpFiles(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Invalid_Help_Files", "Scanning Invalid Help Files...");
  const std::string problem = scan.LangString("RES_Problem_Help", "Invalid Help Files");
  for (const char* path : kHelpKeys) ScanHelpKey(scan, path, problem);
}

void ScanSharedDlls(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Shared_Dlls", "Scanning Shared DLLs...");
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(kSharedDlls, false)) return;
  scan.ShowKeyProgress(kSharedDlls);
  const std::string problem = scan.LangString("RES_Problem_SharedDll", "Missing Shared Dlls");
  // The value names the library and its data counts the programs that use it.
  for (const std::string& name : key.ValueNames()) {
    if (key.DataKind(name) != RegDataKind::Integer) continue;
    const std::string keyText = std::string("HKEY_LOCAL_MACHINE\\") + kSharedDlls;
    std::optional<MissingPath> missing = scan.OnEmptyFloppy(name);
    if (!missing) missing = scan.Missing(name, "", false);
    if (missing) {
      scan.AddProblem(Rule::SharedDllFile, problem, keyText, name, RepairKind::ValueNamedByValue,
                      *missing);
    } else if (key.ReadInteger(name) == 0) {
      scan.AddProblem(Rule::SharedDllUnused, problem, keyText, name,
                      RepairKind::ValueNamedByValue, name);
    }
  }
}

}  // namespace kelvane
