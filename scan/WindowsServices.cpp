// Windows services: service and driver keys whose program file no longer exists.
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/RegistryReads.h"
#include "scan/ScanTaskThread.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

const char kServices[] = "SYSTEM\\CurrentControlSet\\Services";

// The software licensing service is left alone, under any spelling of its name.
bool IsProtectedService(const std::string& name) {
  return UpperCaseAscii(name).find("SLSVC") != std::string::npos;
}

}  // namespace

void TScanTaskThread::ScanWindowsServices() {
  ShowStatus("RES_Scanning_Windows_Services", "Scanning Windows Services...");
  const std::string problem = LangString("RES_Problem_Windows_Service", "Windows Service Issue");
  for (const std::string& service : SubkeyNamesOf(registry_, kHkeyLocalMachine, kServices)) {
    if (IsProtectedService(service)) continue;
    const std::string path = std::string(kServices) + "\\" + service;
    RegistryAccess key(registry_);
    key.SetRootKey(kHkeyLocalMachine);
    if (!key.OpenKey(path, false)) continue;
    ShowKeyProgress(path);
    if (!IsTextKind(key.DataKind("ImagePath"))) continue;
    const std::string imagePath = key.ReadString("ImagePath");
    if (IsInvalidPath(imagePath, "", true)) {
      AddProblem(problem, "HKEY_LOCAL_MACHINE\\" + path + "\\ImagePath", imagePath,
                 RepairKind::ValueInKeyText);
    }
  }
}

}  // namespace kelvane
