// A 32-bit scan of 64-bit Windows: both registry views and the real system folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RegistryView64.h"
#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

const char kRunKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Wow64Scan : public ScanMachine {
 protected:
  Wow64Scan() {
    registry.SetWow64();
    system.SetWow64(true);
    files.SetWow64();
    files.SetEnvironment("ProgramFiles", "C:\\Program Files (x86)");
    files.SetEnvironment("ProgramW6432", "C:\\Program Files");
    files.AddFolder("C:\\Program Files (x86)");
    files.AddFile("C:\\Program Files\\App64\\app.exe");
    files.AddFile("C:\\Windows\\Sysnative\\native.exe");
    options.scan64Bit = true;
    RegistryView64 view64(registry);
    ApplyRegFile(view64, ParseRegFile(
        std::string("REGEDIT4\r\n[HKEY_LOCAL_MACHINE") + kRunKey + "]\r\n"
        "\"Gone64\"=\"C:\\\\Program Files\\\\Gone\\\\gone.exe\"\r\n"
        "\"Here64\"=\"C:\\\\Program Files\\\\App64\\\\app.exe\"\r\n"
        "\"Sys64\"=\"C:\\\\Windows\\\\System32\\\\native.exe\"\r\n"
        "\"Var64\"=\"%ProgramFiles%\\\\App64\\\\app.exe\"\r\n"
        "[HKEY_CLASSES_ROOT\\CLSID\\{00000000-0000-0000-0000-000000000064}\\InprocServer32]\r\n"
        "@=\"C:\\\\Windows\\\\System32\\\\gone64.dll\"\r\n"));
    Load(std::string("[HKEY_LOCAL_MACHINE") + kRunKey + "]\r\n"
         "\"Var32\"=\"%ProgramFiles%\\\\App64\\\\app.exe\"\r\n"
         "\"Sys32\"=\"C:\\\\Windows\\\\System32\\\\native.exe\"\r\n"
         "[HKEY_CURRENT_USER\\Software\\Test]\r\n"
         "\"Either\"=\"C:\\\\Windows\\\\System32\\\\native.exe\"\r\n"
         "\"Gone\"=\"C:\\\\Windows\\\\System32\\\\gone.exe\"\r\n");
  }

  std::vector<std::string> ViewedRows() {
    std::vector<std::string> rows;
    for (const ProblemRecord& row :
         Scan({ScanCategory::StartupPrograms, ScanCategory::CustomControls,
               ScanCategory::FilesAndFoldersCurrentUser})) {
      rows.push_back(std::string(ViewName(row.view)) + " " + row.key);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }
};

TEST_F(Wow64Scan, EachViewIsJudgedAsItsOwnProgramSeesTheFilesAndSharedKeysOnce) {
  EXPECT_EQ(ViewedRows(),
            (std::vector<std::string>{
                "32-bit HKEY_LOCAL_MACHINE" + std::string(kRunKey) + "\\Sys32",
                "32-bit HKEY_LOCAL_MACHINE" + std::string(kRunKey) + "\\Var32",
                "64-bit HKEY_CLASSES_ROOT (64-bit)\\CLSID\\"
                "{00000000-0000-0000-0000-000000000064}\\InprocServer32",
                "64-bit HKEY_LOCAL_MACHINE (64-bit)" + std::string(kRunKey) + "\\Gone64",
                "shared HKEY_CURRENT_USER\\Software\\Test\\Gone",
            }));
}

TEST_F(Wow64Scan, SwitchedOffTheProgramSeesItsOwnViewAndSkipsRedirectedPaths) {
  options.scan64Bit = false;
  EXPECT_EQ(ViewedRows(), std::vector<std::string>{});
}

}  // namespace
}  // namespace kelvane
