#include <gtest/gtest.h>

#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

class AddRemoveAndInstaller : public ScanMachine {
 protected:
  AddRemoveAndInstaller() {
    files.AddFile("C:\\Tools\\tool.exe");
    files.AddFolder("C:\\Shared\\Present");
  }
};

const std::string kUninstall =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kInstallerUninstall =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kFolders =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const std::string kCache =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";

TEST_F(AddRemoveAndInstaller, EntriesWithoutAnUninstallCommandAreReported) {
  Load("[" + kUninstall + "\\{90120000-0030-0000-0000-0000000FF1CE}]\r\n" +
       "[" + kUninstall + "\\NoValues]\r\n" +
       "[" + kUninstall + "\\Quiet]\r\n\"QuietUninstallString\"=\"x\"\r\n" +
       "[" + kUninstall + "\\Lower]\r\n\"uninstallstring\"=\"x\"\r\n" +
       "[" + kUninstall + "\\Hidden]\r\n\"SystemComponent\"=\"\"\r\n" +
       "[" + kUninstall + "\\Named]\r\n\"DisplayName\"=\"Named\"\r\n" +
       "[" + kUninstall + "\\Fine]\r\n\"UninstallString\"=\"C:\\\\Gone\\\\unins.exe\"\r\n" +
       "[" + kUninstall + "\\OnlyChildren\\Sub]\r\n\"UninstallString\"=\"x\"\r\n");
  EXPECT_EQ(Rows({ScanCategory::AddRemovePrograms}),
            (std::vector<std::string>{kUninstall + " | Lower | 3", kUninstall + " | Named | 3",
                                      kUninstall + " | NoValues | 3",
                                      kUninstall + " | OnlyChildren | 3"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Add/Remove Programs Issue");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Add/Remove Programs...");
}

TEST_F(AddRemoveAndInstaller, InstallerJudgesProgramsBelowUninstallAndTheSharedFolders) {
  Load("[" + kUninstall + R"(\App]
"UninstallString"="C:\\Gone\\unins.exe /S"
"DisplayIcon"="C:\\Gone\\icon.ico"
"ModifyPath"="MsiExec.exe /X{1234}"
"HelpLink"="C:\\Tools\\tool.exe,0"
)" + "[" + kUninstall + R"(\App\Deeper]
"C:\\Gone\\named.exe"="C:\\Gone\\named.exe"
)" + "[" + kFolders + R"(]
"C:\\Shared\\Present\\"=""
"C:\\Shared\\Gone\\"=""
"D:\\OnCd\\"=""
)");
  EXPECT_EQ(Rows({ScanCategory::Installer}),
            (std::vector<std::string>{
                kInstallerUninstall + "\\App\\UninstallString | C:\\Gone\\unins.exe /S | 1",
                kInstallerUninstall + "\\App\\Deeper | C:\\Gone\\named.exe | 2",
                kFolders + " | C:\\Shared\\Gone\\ | 2"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Installer Reference Issue");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Installer...");
}

TEST_F(AddRemoveAndInstaller, CachedEntriesNeedARegistrationOfTheSameNameInAnyCase) {
  const std::string game = "\u0418\u0433\u0440\u0430";
  const std::string cache = "[" + kCache + "\\App]\r\n[" + kCache + "\\Other]\r\n[" + kCache +
                            "\\Orphan]\r\n[" + kCache + "\\" + game + "]\r\n";
  LoadUnicode(cache);
  EXPECT_EQ(Rows({ScanCategory::Installer}),
            (std::vector<std::string>{kCache + " | App | 3", kCache + " | Orphan | 3",
                                      kCache + " | Other | 3", kCache + " | " + game + " | 3"}));
  sink.rows.clear();
  // Windows folds the case of every script.
  LoadUnicode("[" + kUninstall + "\\APP]\r\n[" + kUninstall + "\\other]\r\n[" + kUninstall +
              "\\\u0418\u0413\u0420\u0410]\r\n");
  EXPECT_EQ(Rows({ScanCategory::Installer}), (std::vector<std::string>{kCache + " | Orphan | 3"}));
}

}  // namespace
}  // namespace kelvane
