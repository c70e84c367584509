#include <gtest/gtest.h>

#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

class StartupPrograms : public ScanMachine {
 protected:
  StartupPrograms() { files.AddFile("C:\\Tools\\tool.exe"); }
};

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const std::string kStartupReg =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Shared Tools\\MSConfig\\startupreg";

TEST_F(StartupPrograms, RunValuesThatAreEmptyOrNameMissingProgramsAreReported) {
  Load("[HKEY_CURRENT_USER\\" + kRun + R"(]
"Empty"=""
"Quotes"="\"\""
"Binary"=hex:00
"WithArgs"="C:\\Tools\\tool.exe /min"
"Gone"="\"C:\\Gone\\app.exe\" -x"
"C:\\Gone\\named.exe"="C:\\Gone\\named.exe"
"NoDrive"="rundll32.exe shell32.dll,Control_RunDLL"
)");
  const std::string key = "HKEY_CURRENT_USER\\" + kRun;
  EXPECT_EQ(Rows({ScanCategory::StartupPrograms}),
            (std::vector<std::string>{key + " | C:\\Gone\\named.exe | 2", key + "\\Empty |  | 1",
                                      key + "\\Gone | \"C:\\Gone\\app.exe\" -x | 1",
                                      key + "\\Quotes | \"\" | 1"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Missing Startup Programs");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Startup Programs...");
}

TEST_F(StartupPrograms, UserKeysComeBeforeMachineKeysAndDisabledEntriesLast) {
  Load("[HKEY_LOCAL_MACHINE\\" + kRunOnce + "]\r\n\"a\"=\"C:\\\\Gone\\\\4.exe\"\r\n" +
       "[HKEY_LOCAL_MACHINE\\" + kRun + "]\r\n\"a\"=\"C:\\\\Gone\\\\3.exe\"\r\n" +
       "[HKEY_CURRENT_USER\\" + kRunOnce + "]\r\n\"a\"=\"C:\\\\Gone\\\\2.exe\"\r\n" +
       "[HKEY_CURRENT_USER\\" + kRun + "]\r\n\"a\"=\"C:\\\\Gone\\\\1.exe\"\r\n" +
       "[" + kStartupReg + "\\Entry]\r\n\"command\"=\"C:\\\\Gone\\\\5.exe\"\r\n");
  EXPECT_EQ(
      Rows({ScanCategory::StartupPrograms}),
      (std::vector<std::string>{"HKEY_CURRENT_USER\\" + kRun + "\\a | C:\\Gone\\1.exe | 1",
                                "HKEY_CURRENT_USER\\" + kRunOnce + "\\a | C:\\Gone\\2.exe | 1",
                                "HKEY_LOCAL_MACHINE\\" + kRun + "\\a | C:\\Gone\\3.exe | 1",
                                "HKEY_LOCAL_MACHINE\\" + kRunOnce + "\\a | C:\\Gone\\4.exe | 1",
                                kStartupReg + "\\Entry | C:\\Gone\\5.exe | 0"}));
}

TEST_F(StartupPrograms, DisabledEntriesWithoutATextCommandArePassedOver) {
  Load("[" + kStartupReg + R"(\a]
"command"="C:\\Gone\\a.exe /s"
[)" + kStartupReg + R"(\b]
"item"="b"
[)" + kStartupReg + R"(\c]
"command"=dword:00000001
[)" + kStartupReg + R"(\d]
"command"=hex(2):43,3a,5c,47,6f,6e,65,5c,64,2e,65,78,65,00
[)" + kStartupReg + R"(\e]
"command"="C:\\Tools\\tool.exe -q"
[)" + kStartupReg + R"(\f]
"command"=""
)");
  EXPECT_EQ(Rows({ScanCategory::StartupPrograms}),
            (std::vector<std::string>{kStartupReg + "\\a | C:\\Gone\\a.exe /s | 0",
                                      kStartupReg + "\\d | C:\\Gone\\d.exe | 0"}));
  EXPECT_EQ(sink.events.back(), "completed");
}

}  // namespace
}  // namespace kelvane
