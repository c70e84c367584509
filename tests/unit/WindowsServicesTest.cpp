#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

class WindowsServices : public ScanMachine {
 protected:
  WindowsServices() {
    files.AddFolder("C:\\Data");
    files.AddFile("C:\\Tools\\tool.exe");
  }
};

const std::string kServices = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services";

TEST_F(WindowsServices, ImagePathsNamingMissingProgramsOnJudgedDrivesAreReported) {
  Load("[" + kServices + R"(\Expanded]
"ImagePath"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,67,6f,6e,65,2e,73,79,73,00
[)" + kServices + R"(\FolderImage]
"ImagePath"="C:\\Data"
[)" + kServices + R"(\Gone]
"ImagePath"="C:\\Gone\\svc.exe -k netsvcs"
[)" + kServices + R"(\IntegerImage]
"ImagePath"=dword:00000001
[)" + kServices + R"(\NoImage]
"Start"=dword:00000002
[)" + kServices + R"(\OnCdRom]
"ImagePath"="D:\\Gone\\svc.exe"
[)" + kServices + R"(\Present]
"ImagePath"="C:\\Tools\\tool.exe /service"
[)" + kServices + R"(\Relative]
"ImagePath"="system32\\drivers\\gone.sys"
)");
  EXPECT_EQ(Rows({ScanCategory::WindowsServices}),
            (std::vector<std::string>{
                kServices + "\\Expanded\\ImagePath | %SystemRoot%\\gone.sys | 1",
                kServices + "\\Gone\\ImagePath | C:\\Gone\\svc.exe -k netsvcs | 1"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Windows Service Issue");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Windows Services...");
}

TEST_F(WindowsServices, LicensingServiceKeysAreNeitherShownNorJudged) {
  Load("[" + kServices + R"(\myslsvcx]
"ImagePath"="C:\\Gone\\a.exe"
[)" + kServices + R"(\Other]
"ImagePath"="C:\\Gone\\b.exe"
[)" + kServices + R"(\SLSVC]
"ImagePath"="C:\\Gone\\c.exe"
)");
  EXPECT_EQ(Rows({ScanCategory::WindowsServices}),
            (std::vector<std::string>{kServices + "\\Other\\ImagePath | C:\\Gone\\b.exe | 1"}));
  for (const std::string& event : sink.events) {
    EXPECT_EQ(UpperCaseAscii(event).find("SLSVC"), std::string::npos) << event;
  }
}

}  // namespace
}  // namespace kelvane
