#include <gtest/gtest.h>

#include "scan/CategoryRules.h"
#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

class FilesAndFolders : public ScanMachine {
 protected:
  FilesAndFolders() {
    files.AddFolder("C:\\ProgramData\\Vendor");
    files.AddFile("C:\\Tools\\tool.exe");
  }
};

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST_F(FilesAndFolders, MachineWalkReportsMissingReferencesAndSkipsOtherCategoriesKeys) {
  Load(
      "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n"
      "\"Missing\"=\"C:\\\\Gone\\\\app.exe\"\r\n"
      "\"Folder\"=\"C:\\\\ProgramData\\\\Vendor\"\r\n"
      "\"Tool\"=hex(2):43,3a,5c,54,6f,6f,6c,73,5c,74,6f,6f,6c,2e,65,78,65,20,2f,73,00\r\n"
      "\"Number\"=dword:00000001\r\n"
      "\"Multi\"=hex(7):43,3a,5c,47,6f,6e,65,00,00\r\n"
      "\"C:\\\\Gone\\\\named.dll\"=\"C:\\\\Gone\\\\named.dll\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe]\r\n"
      "@=\"C:\\\\Gone\\\\x.exe\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\Help]\r\n\"h\"=\"C:\\\\Gone\\\\h.hlp\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\HelpX]\r\n\"h\"=\"C:\\\\Gone\\\\h.hlp\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Wow6432Node\\V]\r\n\"p\"=\"C:\\\\Gone\\\\a\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\V]\r\n\"p\"=\"C:\\\\Gone\\\\b\"\r\n"
      "[HKEY_LOCAL_MACHINE\\System\\Setup]\r\n\"p\"=\"C:\\\\Gone\\\\outside\"\r\n");
  EXPECT_EQ(Rows({ScanCategory::FilesAndFoldersLocalMachine}),
            (std::vector<std::string>{
                "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\HelpX\\h | C:\\Gone\\h.hlp | 1",
                "HKEY_LOCAL_MACHINE\\Software\\Vendor | C:\\Gone\\named.dll | 2",
                "HKEY_LOCAL_MACHINE\\Software\\Vendor\\Missing | C:\\Gone\\app.exe | 1",
                "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\V\\p | C:\\Gone\\b | 1",
            }));
  EXPECT_EQ(sink.rows.at(0).problem, "Invalid File or Folder");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Files and Folders - HKEY_LOCAL_MACHINE...");
}

TEST_F(FilesAndFolders, WalkShowsKeysDepthFirstAndNeverEntersSkippedSubtrees) {
  Load(
      "[HKEY_LOCAL_MACHINE\\Software\\B\\Inner]\r\n\"p\"=\"C:\\\\Gone\\\\inner\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\a]\r\n\"p\"=\"C:\\\\Gone\\\\a\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\B]\r\n\"p\"=\"C:\\\\Gone\\\\b\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\Help\\Deeper]\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\WOW6432NODE\\V]\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\X]\r\n");
  Scan({ScanCategory::FilesAndFoldersLocalMachine});
  std::vector<std::string> walk;
  for (const std::string& event : sink.events) {
    if (event.rfind("key ", 0) == 0 || event.rfind("row ", 0) == 0) walk.push_back(event);
  }
  EXPECT_EQ(walk, (std::vector<std::string>{
                      "key Software", "key Software\\a", "row HKEY_LOCAL_MACHINE\\Software\\a\\p",
                      "key Software\\B", "row HKEY_LOCAL_MACHINE\\Software\\B\\p",
                      "key Software\\B\\Inner", "row HKEY_LOCAL_MACHINE\\Software\\B\\Inner\\p",
                      "key Software\\Classes", "key Software\\Microsoft",
                      "key Software\\Microsoft\\Windows", "key Software\\Wow6432Node",
                      "key Software\\Wow6432Node\\X"}));
}

TEST_F(FilesAndFolders, UserExclusionsApplyToTheCurrentUserButNotBelowHkeyUsers) {
  Load(std::string("[HKEY_CURRENT_USER\\") + kRunKey + "]\r\n\"x\"=\"C:\\\\Gone\\\\run.exe\"\r\n"
       "[HKEY_CURRENT_USER]\r\n\"AtRoot\"=\"C:\\\\Gone\\\\root.exe\"\r\n");
  EXPECT_EQ(Rows({ScanCategory::FilesAndFoldersCurrentUser}),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\\\AtRoot | C:\\Gone\\root.exe | 1"}));
  sink.rows.clear();
  EXPECT_EQ(
      Rows({ScanCategory::FilesAndFoldersUsers}),
      (std::vector<std::string>{"HKEY_USERS\\S-1-5-21-0-0-0-1000\\AtRoot | C:\\Gone\\root.exe | 1",
                                std::string("HKEY_USERS\\S-1-5-21-0-0-0-1000\\") + kRunKey +
                                    "\\x | C:\\Gone\\run.exe | 1"}));
}

TEST_F(FilesAndFolders, ExclusionsBelongToTheFilesAndFoldersCategoriesOnly) {
  Load(std::string("[HKEY_LOCAL_MACHINE\\") + kRunKey + "]\r\n\"x\"=\"C:\\\\Gone\\\\run.exe\"\r\n");
  ScanContext scan(registry, files, system, language, sink);
  scan.Drives().driveLetters = "c";
  ScanValueTree(scan, Rule::FileReference, "HKEY_LOCAL_MACHINE", "Software", "Other", "");
  ASSERT_EQ(sink.rows.size(), 1u);
  EXPECT_EQ(sink.rows[0].problem, "Other");
}

TEST_F(FilesAndFolders, EmptyKeysTaskOnlyShowsItsStatus) {
  Load("[HKEY_USERS\\Empty]\r\n");
  EXPECT_TRUE(Rows({ScanCategory::EmptyKeysUsers}).empty());
  EXPECT_EQ(sink.Steps(), (std::vector<std::string>{"before task",
                                                    "status Scanning Empty Registry Keys...",
                                                    "after task", "completed"}));
}

}  // namespace
}  // namespace kelvane
