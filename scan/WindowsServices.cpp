// Windows services: service and driver keys whose program file no longer exists.
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/CategoryRules.h"
#include "scan/RegistryReads.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

const char kServices[] = "SYSTEM\\CurrentControlSet\\Services";

// The software licensing service is left alone, under any spelling of its name.
bool IsProtectedService(const std::string& name) {
  return UpperCaseAscii(name).find("SLSVC") != std::string::npos;
}

}  // namespace

void ScanWindowsServices(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Windows_Services", "Scanning Windows Services...");
  const std::string problem =
      scan.LangString("RES_Problem_Windows_Service", "Windows Service Issue");
  for (const std::string& service : SubkeyNamesOf(scan.Registry(), kHkeyLocalMachine, kServices)) {
    if (IsProtectedService(service)) continue;
    const std::string path = std::string(kServices) + "\\" + service;
    RegistryAccess key(scan.Registry());
    key.SetRootKey(kHkeyLocalMachine);
    key.OpenLinksAsThemselves();
    if (!key.OpenKey(path, false) || key.CurrentIsLink()) continue;
    scan.ShowKeyProgress(path);
    const std::optional<std::string> imagePath = key.ReadText("ImagePath");
    const std::optional<MissingPath> missing =
        imagePath ? scan.Missing(*imagePath, "", true) : std::nullopt;
    if (missing) {
      scan.AddProblem(Rule::ServiceImage, problem, "HKEY_LOCAL_MACHINE\\" + path + "\\ImagePath",
                      *imagePath, RepairKind::ValueInKeyText, *missing);
    }
  }
}

}  // namespace kelvane
