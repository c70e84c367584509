// Custom controls and ActiveX: COM registrations below HKEY_CLASSES_ROOT that name missing files
// or identifiers that are not registered.
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/RegistryReads.h"
#include "scan/ScanTaskThread.h"
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

}  // namespace

void TScanTaskThread::ScanCustomControls() {
  ShowStatus("RES_Scanning_Custom_Controls", "Scanning Custom Controls...");
  // The files-and-folders walk of the machine's Software key covers the classes already.
  if (!IsFilesAndFoldersHKLMScheduled()) ScanDefaultValueTree("HKEY_CLASSES_ROOT", "CLSID", "");
  ScanInterfaceTypeLibs();
}

void TScanTaskThread::ScanActiveX() {
  ShowStatus("RES_Scanning_Invalid_ActiveX", "Scanning Invalid ActiveX...");
  if (!IsFilesAndFoldersHKLMScheduled()) {
    ScanValueTree("HKEY_CLASSES_ROOT", "TypeLib",
                  LangString("RES_Problem_ActiveX", "ActiveX Issue"), ".dll");
  }
  ScanClassAppIDs();
}

bool TScanTaskThread::IsFilesAndFoldersHKLMScheduled() const {
  for (const std::string& entry : FTaskList) {
    if (TaskCode(entry) == 3) return true;
  }
  return false;
}

void TScanTaskThread::ScanDefaultValueTree(const std::string& rootName,
                                           const std::string& parentPath,
                                           const std::string& keyName) {
  const std::string path = parentPath + keyName;
  RegistryAccess key(registry_);
  if (!OpenKeyBelowNamedRoot(key, rootName, path)) return;
  ShowKeyProgress(path);
  if (IsTextKind(key.DataKind(""))) {
    const std::string text = key.ReadString("");
    // Only a file will do as a class's server: an existing folder of that name does not count.
    if (IsInvalidPath(text, "", false)) {
      AddProblem(LangString("RES_Problem_Custom_Controls", "Custom Controls Issue"),
                 RootKeyName(key.Root()) + "\\" + path, text, RepairKind::Key);
    }
  }
  for (const std::string& subkey : key.SubkeyNames()) {
    ScanDefaultValueTree(rootName, path + "\\", subkey);
  }
}

void TScanTaskThread::ScanInterfaceTypeLibs() {
  const std::vector<std::string> typeLibs = SubkeyNamesOf(registry_, kHkeyClassesRoot, "TypeLib");
  const std::string problem = LangString("RES_Problem_Custom_Controls", "Custom Controls Issue");
  for (const std::string& name : SubkeyNamesOf(registry_, kHkeyClassesRoot, "Interface")) {
    const std::string path = "Interface\\" + name;
    RegistryAccess key(registry_);
    key.SetRootKey(kHkeyClassesRoot);
    if (!key.OpenKey(path, false)) continue;
    ShowKeyProgress(path);
    if (!IsTextKind(key.DataKind(""))) continue;
    const std::string interfaceName = key.ReadString("");
    if (!key.OpenKey("TypeLib", false) || !IsTextKind(key.DataKind(""))) continue;
    const std::string typeLib = key.ReadString("");
    if (!typeLib.empty() && AnyNameContains(typeLibs, {UpperCaseAscii(typeLib)})) continue;
    AddProblem(problem, "HKEY_CLASSES_ROOT\\" + path, interfaceName + " - " + typeLib,
               RepairKind::Key);
  }
}

void TScanTaskThread::ScanClassAppIDs() {
  ShowStatus("RES_Scanning_Invalid_ActiveX", "Scanning Invalid ActiveX...");
  const std::vector<std::string> appIds = SubkeyNamesOf(registry_, kHkeyClassesRoot, "AppID");
  const std::string problem = LangString("RES_Problem_ActiveX", "ActiveX Issue");
  for (const std::string& classId : SubkeyNamesOf(registry_, kHkeyClassesRoot, "CLSID")) {
    const std::string path = "CLSID\\" + classId;
    ShowKeyProgress(path);
    RegistryAccess key(registry_);
    key.SetRootKey(kHkeyClassesRoot);
    if (!key.OpenKey(path, false) || !IsTextKind(key.DataKind("AppID"))) continue;
    const std::string appId = key.ReadString("AppID");
    if (appId.empty()) continue;
    // An AppID key may also be named after the class itself.
    if (AnyNameContains(appIds, {UpperCaseAscii(appId), UpperCaseAscii(classId)})) continue;
    if (key.OpenKey("InprocServer32", false)) {
      if (!IsTextKind(key.DataKind(""))) continue;
      // Classes served by the accessibility library name AppIDs that it never registers.
      if (LowerCaseAscii(key.ReadString("")).find("oleacc.dll") != std::string::npos) continue;
    }
    AddProblem(problem, "HKEY_CLASSES_ROOT\\" + path, appId, RepairKind::Key);
  }
}

}  // namespace kelvane
