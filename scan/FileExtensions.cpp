// File extensions: class registrations and per-user extension keys that carry nothing.
#include "platform/RegistryAccess.h"
#include "scan/CategoryRules.h"
#include "scan/CountKeyItems.h"
#include "scan/RegistryReads.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

const char kClasses[] = "Software\\Classes";
const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

// A default value of any other kind with data cannot be read as text and counts as content.
bool IsEmptyDefaultValue(RegistryAccess& key) {
  if (key.DataSize("") <= 0) return true;
  const std::optional<std::string> text = key.ReadText("");
  return text && text->empty();
}

// No subkeys and no data: no values at all, or only an empty default value. A default value
// stored as a number or binary data is content, even when it is empty.
bool IsEmptyClassKey(RegistryAccess& key) {
  RegKeyInfo info;
  if (!key.KeyInfo(info)) return false;
  const RegDataKind defaultKind = key.DataKind("");
  if (defaultKind == RegDataKind::Integer || defaultKind == RegDataKind::Binary) return false;
  if (info.subkeyCount != 0) return false;
  if (info.valueCount == 0) return true;
  return info.valueCount == 1 && key.ValueExists("") && IsEmptyDefaultValue(key);
}

void ScanMachineClasses(ScanContext& scan, const std::string& problem) {
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(kClasses, false)) return;
  for (const std::string& name : key.SubkeyNames()) {
    const std::string path = std::string(kClasses) + "\\" + name;
    scan.ShowKeyProgress(path);
    key.CloseKey();
    if (key.OpenKey(path, false) && IsEmptyClassKey(key)) {
      scan.AddProblem(Rule::EmptyClassKey, problem, std::string("HKEY_LOCAL_MACHINE\\") + kClasses,
                      name, RepairKind::SubkeyNamedByValue, "HKEY_LOCAL_MACHINE\\" + path);
    }
  }
}

}  // namespace

void ScanFileExtensions(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_File_Extensions", "Scanning File Extensions...");
  const std::string problem = scan.LangString("RES_Problem_FileExtension", "Unused File Extension");
  ScanMachineClasses(scan, problem);

  for (const std::string& extension : SubkeyNamesOf(scan.Registry(), kHkeyCurrentUser, kFileExts)) {
    const std::string path = std::string(kFileExts) + "\\" + extension;
    scan.ShowKeyProgress(path);
    if (CountKeyItems(scan.Registry(), kHkeyCurrentUser, path, 1, true, true) < 1) {
      scan.AddProblem(Rule::EmptyFileExtension, problem,
                      std::string("HKEY_CURRENT_USER\\") + kFileExts, extension,
                      RepairKind::SubkeyNamedByValue, "HKEY_CURRENT_USER\\" + path);
    }
  }
}

}  // namespace kelvane
