// Custom controls and ActiveX: COM registrations below HKEY_CLASSES_ROOT that name missing files
// or identifiers that are not registered.
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/CategoryRules.h"
#include "scan/RegistryReads.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

// Whether any name, upper-cased, holds one of the upper-cased parts.
bool AnyNameContains(const std::vector<std::string>& names,
                     const std::vector<std::string>& upperParts) {
  for (const std::string& name : names) {
    const std::string upperName = UpperCaseAscii(name);
    for (const std::string& part : upperParts) {
      if (upperName.find(part) != std::string::npos) return true;
    }
  }
  return false;
}

void ScanDefaultValueTree(ScanContext& scan, const std::string& rootName,
                          const std::string& parentPath, const std::string& keyName) {
  const std::string path = parentPath + keyName;
  RegistryAccess key(scan.Registry());
  // Below the start every subkey opens as itself, and a link ends the walk there.
  if (!keyName.empty()) key.OpenLinksAsThemselves();
  if (!OpenKeyBelowNamedRoot(key, rootName, path) || key.CurrentIsLink()) return;
  scan.ShowKeyProgress(path);
  // Only a file will do as a class's server: an existing folder of that name does not count.
  const std::optional<std::string> text = key.ReadText("");
  const std::optional<MissingPath> missing =
      text ? scan.Missing(*text, "", false) : std::nullopt;
  if (missing) {
    scan.AddProblem(Rule::ClassServerFile,
                    scan.LangString("RES_Problem_Custom_Controls", "Custom Controls Issue"),
                    RootKeyName(key.Root()) + "\\" + path, *text, RepairKind::Key, *missing);
  }
  for (const std::string& subkey : key.SubkeyNames()) {
    ScanDefaultValueTree(scan, rootName, path + "\\", subkey);
  }
}

void ScanInterfaceTypeLibs(ScanContext& scan) {
  const std::optional<std::vector<std::string>> typeLibs =
      ReadableSubkeyNames(scan.Registry(), kHkeyClassesRoot, "TypeLib");
  if (!typeLibs) return;
  const std::string problem =
      scan.LangString("RES_Problem_Custom_Controls", "Custom Controls Issue");
  for (const std::string& name : SubkeyNamesOf(scan.Registry(), kHkeyClassesRoot, "Interface")) {
    const std::string path = "Interface\\" + name;
    RegistryAccess key(scan.Registry());
    key.SetRootKey(kHkeyClassesRoot);
    if (!key.OpenKey(path, false)) continue;
    scan.ShowKeyProgress(path);
    const std::optional<std::string> interfaceName = key.ReadText("");
    if (!interfaceName || !key.OpenKey("TypeLib", false)) continue;
    const std::optional<std::string> typeLib = key.ReadText("");
    if (!typeLib) continue;
    if (!typeLib->empty() && AnyNameContains(*typeLibs, {UpperCaseAscii(*typeLib)})) continue;
    scan.AddProblem(Rule::InterfaceTypeLib, problem, "HKEY_CLASSES_ROOT\\" + path,
                    *interfaceName + " - " + *typeLib, RepairKind::Key, *typeLib);
  }
}

void ScanClassAppIDs(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Invalid_ActiveX", "Scanning Invalid ActiveX...");
  const std::optional<std::vector<std::string>> appIds =
      ReadableSubkeyNames(scan.Registry(), kHkeyClassesRoot, "AppID");
  if (!appIds) return;
  const std::string problem = scan.LangString("RES_Problem_ActiveX", "ActiveX Issue");
  for (const std::string& classId : SubkeyNamesOf(scan.Registry(), kHkeyClassesRoot, "CLSID")) {
    const std::string path = "CLSID\\" + classId;
    scan.ShowKeyProgress(path);
    RegistryAccess key(scan.Registry());
    key.SetRootKey(kHkeyClassesRoot);
    if (!key.OpenKey(path, false)) continue;
    const std::optional<std::string> appId = key.ReadText("AppID");
    if (!appId || appId->empty()) continue;
    // An AppID key may also be named after the class itself.
    if (AnyNameContains(*appIds, {UpperCaseAscii(*appId), UpperCaseAscii(classId)})) continue;
    if (key.OpenKey("InprocServer32", false)) {
      const std::optional<std::string> server = key.ReadText("");
      // Classes served by the accessibility library name AppIDs that it never registers.
      if (!server || LowerCaseAscii(*server).find("oleacc.dll") != std::string::npos) continue;
    }
    scan.AddProblem(Rule::ClassAppId, problem, "HKEY_CLASSES_ROOT\\" + path, *appId,
                    RepairKind::Key, *appId);
  }
}

// Whether the files-and-folders walk of the machine's Software key judges the classes' subkey
// already: it runs, and the subkey is no link, which the walk would not enter (in the 32-bit
// view of a 64-bit system the type libraries are shared through one).
bool MachineWalkCovers(ScanContext& scan, const char* classesSubkey) {
  if (!scan.IsScheduled(ScanCategory::FilesAndFoldersLocalMachine)) return false;
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  return !key.IsLink(std::string("Software\\Classes\\") + classesSubkey);
}

}  // namespace

void ScanCustomControls(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Custom_Controls", "Scanning Custom Controls...");
  if (!MachineWalkCovers(scan, "CLSID")) ScanDefaultValueTree(scan, "HKEY_CLASSES_ROOT", "CLSID", "");
  ScanInterfaceTypeLibs(scan);
}

void ScanActiveX(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Invalid_ActiveX", "Scanning Invalid ActiveX...");
  if (!MachineWalkCovers(scan, "TypeLib")) {
    ScanValueTree(scan, Rule::TypeLibFile, "HKEY_CLASSES_ROOT", "TypeLib",
                  scan.LangString("RES_Problem_ActiveX", "ActiveX Issue"), ".dll");
  }
  ScanClassAppIDs(scan);
}

}  // namespace kelvane
