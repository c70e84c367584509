// A 32-bit scan of 64-bit Windows: both registry views and the real system folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RegistryView64.h"
#include "platform/Utf8.h"
#include "repair/Repair.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::RegistrySnapshot;
using testsupport::ScanMachine;
using testsupport::TakeSnapshot;

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

// The 64-bit view holds the same names as the 32-bit one, where only one of each pair is gone.
TEST_F(Wow64Scan, ARepairOfBothViewsDeletesEachInItsViewAndItsBackupRestoresBoth) {
  RegistryView64 view64(registry);
  const std::string sameName = "\"Var32\"=\"C:\\\\Program Files\\\\App64\\\\app.exe\"\r\n";
  ApplyRegFile(view64, ParseRegFile(std::string("REGEDIT4\r\n[HKEY_LOCAL_MACHINE") + kRunKey +
                                    "]\r\n" + sameName));
  const auto machine = [&] { return TakeSnapshot(view64, kHkeyLocalMachine, "Software"); };
  const RegistrySnapshot before = machine();
  std::vector<ProblemRecord> rows = Scan({ScanCategory::StartupPrograms,
                                          ScanCategory::CustomControls});
  files.AddFolder("C:\\Backup");
  {
    RowRepairer repairer(registry, files, "C:\\Backup\\b.reg", {}, true);
    for (std::size_t i = 0; i < rows.size(); ++i) repairer.Queue(rows[i], i);
    repairer.Finish();
    EXPECT_EQ(repairer.TakeRepaired().size(), rows.size());
  }
  EXPECT_EQ(Scan({ScanCategory::StartupPrograms, ScanCategory::CustomControls}).size(),
            rows.size());  // the recorded rows of the first scan, none new
  RegistryAccess run32(registry);
  run32.SetRootKey(kHkeyLocalMachine);
  ASSERT_TRUE(run32.OpenKey(kRunKey, false));
  EXPECT_EQ(run32.ValueNames(), std::vector<std::string>{});
  RegistryAccess run64(view64);
  run64.SetRootKey(kHkeyLocalMachine);
  ASSERT_TRUE(run64.OpenKey(kRunKey, false));
  EXPECT_EQ(run64.ValueNames(), (std::vector<std::string>{"Here64", "Sys64", "Var32", "Var64"}));
  const std::string backup = *files.ReadFileEnd("C:\\Backup\\b.reg", 1 << 20);
  EXPECT_TRUE(Names64BitView(TextFromFileBytes(backup)));
  ApplyRegFile(view64, ParseRegFile(backup));
  EXPECT_EQ(machine(), before);
}

}  // namespace
}  // namespace kelvane
