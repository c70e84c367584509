// Software locations, obsolete software and applications: where software is registered.
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/CategoryRules.h"
#include "scan/CountKeyItems.h"
#include "scan/RegistryReads.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

const char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kApplications[] = "Software\\Classes\\Applications";
const char kNotFound[] = "Not Found";

// Names without a dot and names ending in ".exe" are programs; other files are not examined.
bool IsProgramName(const std::string& name) {
  return name.find('.') == std::string::npos ||
         (name.size() >= 4 && UpperCaseAscii(name.substr(name.size() - 4)) == ".EXE");
}

void FindNextSubKeyValue(ScanContext& scan, RootKey root, std::string& lastFound,
                         std::string& result, const std::string& valueName,
                         const std::string& subkeyName, const std::string& startPath) {
  result = kNotFound;
  std::vector<std::string> children;
  {
    RegistryAccess key(scan.Registry());
    key.SetRootKey(root);
    // The walk keeps to real keys: each one opens as itself, and a link ends it there.
    key.OpenLinksAsThemselves();
    if (!key.OpenKey(startPath, false) || key.CurrentIsLink()) return;
    RegistryAccess command(scan.Registry());
    command.SetRootKey(root);
    const bool counts =
        command.OpenKey(startPath + "\\" + subkeyName, false) &&
        (!command.ValueExists(valueName) || IsTextKind(command.DataKind(valueName)));
    if (counts) {
      std::string text;
      try {
        text = command.ReadString(valueName);
      } catch (const RegistryError&) {
        return;
      }
      if (lastFound.empty()) {
        lastFound = startPath;
        result = text;
        return;
      }
      if (lastFound == startPath) lastFound.clear();
    }
    children = key.SubkeyNames();
  }
  for (const std::string& child : children) {
    FindNextSubKeyValue(scan, root, lastFound, result, valueName, subkeyName,
                        startPath + "\\" + child);
    if (result != kNotFound) return;
  }
}

void ScanObsoleteKeys(ScanContext& scan, const std::string& rootName, const std::string& path) {
  const std::optional<RootKey> root = RootKeyFromName(rootName);
  if (!root) return;
  const std::string problem =
      scan.LangString("RES_Problem_Obsolete_Software", "Obsolete Software Key");
  for (const std::string& name : SubkeyNamesOf(scan.Registry(), *root, path)) {
    const std::string child = path + "\\" + name;
    scan.ShowKeyProgress(child);
    if (CountKeyItems(scan.Registry(), *root, child, 1, true, true) < 1) {
      scan.AddProblem(Rule::EmptySoftwareKey, problem, RootKeyName(*root) + "\\" + path, name,
                      RepairKind::SubkeyNamedByValue, RootKeyName(*root) + "\\" + child);
    }
  }
}

}  // namespace

void ScanSoftwareLocations(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Software_Locations", "Scanning Software Locations...");
  RegistryAccess key(scan.Registry());
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.OpenKey(kAppPaths, false)) return;
  const std::string problem =
      scan.LangString("RES_Problem_Applications_Path", "Software Locations Issue");
  for (const std::string& name : key.SubkeyNames()) {
    if (!IsProgramName(name)) continue;
    key.CloseKey();
    const std::string path = std::string(kAppPaths) + "\\" + name;
    if (!key.OpenKey(path, false)) continue;
    scan.ShowKeyProgress(path);
    const std::optional<std::string> text = key.ReadText("");
    if (!text || text->empty()) continue;
    if (const std::optional<MissingPath> missing = scan.Missing(*text, name, true)) {
      scan.AddProblem(Rule::AppPathFile, problem, "HKEY_LOCAL_MACHINE\\" + path, *text,
                      RepairKind::Key, *missing);
    }
  }
}

void ScanObsoleteSoftware(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Software_Locations", "Scanning Software Locations...");
  ScanObsoleteKeys(scan, "HKEY_CURRENT_USER", "Software");
  ScanObsoleteKeys(scan, "HKEY_LOCAL_MACHINE", "Software");
}

void ScanApplications(ScanContext& scan) {
  const std::vector<std::string> applications =
      SubkeyNamesOf(scan.Registry(), kHkeyLocalMachine, kApplications);
  const std::string problem =
      scan.LangString("RES_Problem_Applications", "Open with Application Issue");
  // The position of the search carries over from one application to the next; on an unchanging
  // registry it is empty again whenever an application's subtree is exhausted.
  std::string lastFound;
  std::string command;
  try {
    for (const std::string& application : applications) {
      const std::string path = std::string(kApplications) + "\\" + application;
      scan.ShowKeyProgress(path);
      FindNextSubKeyValue(scan, kHkeyLocalMachine, lastFound, command, "", "command", path);
      while (command != kNotFound) {
        const std::string key = "HKEY_LOCAL_MACHINE\\" + lastFound + "\\command";
        if (command.empty()) {
          scan.AddProblem(Rule::OpenWithCommandEmpty, problem, key, command, RepairKind::Key,
                          key);
        } else if (const std::optional<MissingPath> missing = scan.Missing(command, "", false)) {
          scan.AddProblem(Rule::OpenWithCommandFile, problem, key, command, RepairKind::Key,
                          *missing);
        }
        FindNextSubKeyValue(scan, kHkeyLocalMachine, lastFound, command, "", "command", path);
      }
    }
  } catch (const std::exception&) {
    // An error ends this category only; a stop is not an error and goes on up.
  }
}

}  // namespace kelvane
