#include <gtest/gtest.h>

#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

const std::string kAppData = "C:\\Users\\u\\AppData\\Roaming";
const std::string kStartMenu = kAppData + "\\Microsoft\\Windows\\Start Menu";
const std::string kPrograms = kStartMenu + "\\Programs";
const std::string kRecent = kAppData + "\\Microsoft\\Windows\\Recent";
const std::string kDesktop = "C:\\Users\\u\\Desktop";
const std::string kCommonStartMenu = "C:\\ProgramData\\Start Menu";
const std::string kCommonPrograms = kCommonStartMenu + "\\Programs";
const std::string kCommonDesktop = "C:\\Users\\Public\\Desktop";
const std::string kMenuOrder =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";

// The user's Start menu and recent documents lie inside the application data, as they do on
// Windows 7.
class StartMenuAndShortcuts : public ScanMachine {
 protected:
  StartMenuAndShortcuts() {
    const std::pair<int, std::string> folders[] = {
        {ShellFolder::Programs, kPrograms},
        {ShellFolder::Recent, kRecent},
        {ShellFolder::StartMenu, kStartMenu},
        {ShellFolder::DesktopDirectory, kDesktop},
        {ShellFolder::CommonStartMenu, kCommonStartMenu},
        {ShellFolder::CommonPrograms, kCommonPrograms},
        {ShellFolder::CommonDesktopDirectory, kCommonDesktop},
        {ShellFolder::AppData, kAppData},
    };
    for (const auto& folder : folders) {
      files.AddFolder(folder.second);
      files.SetSpecialFolder(folder.first, folder.second);
    }
    files.AddFolder("C:\\Data");
    files.AddFile("C:\\Apps\\present.exe");
  }
};

TEST_F(StartMenuAndShortcuts, MenuOrderFoldersWithoutAProgramsFolderAreReported) {
  files.AddFolder(kPrograms + "\\Office");
  files.AddFile(kPrograms + "\\readme.txt");
  files.AddFolder(kCommonPrograms + "\\Games");
  // Folder names are compared as Windows does, in every script.
  files.AddFolder(kCommonPrograms + "\\\u0418\u0433\u0440\u044B");
  LoadUnicode("[" + kMenuOrder + "\\Start Menu2\\Programs\\Games]\n" +
              "[" + kMenuOrder + "\\Start Menu2\\Programs\\\u0418\u0413\u0420\u042B]\n" +
              "[" + kMenuOrder + "\\Start Menu2\\Programs\\Gone]\n" +
              "[" + kMenuOrder + "\\Start Menu2\\Programs\\office\\Deeper]\n" +
              "[" + kMenuOrder + "\\Start Menu2\\Programs\\readme.txt]\n" +
              "[" + kMenuOrder + "\\Start Menu\\&Programs\\Old]\n" +
              "[" + kMenuOrder + "\\Start Menu\\Programs\\Older]\n");
  EXPECT_EQ(Rows({ScanCategory::StartMenu}),
            (std::vector<std::string>{kMenuOrder + "\\Start Menu2\\Programs | Gone | 3",
                                      kMenuOrder + "\\Start Menu2\\Programs | readme.txt | 3",
                                      kMenuOrder + "\\Start Menu\\Programs | Older | 3",
                                      kMenuOrder + "\\Start Menu\\&Programs | Old | 3"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Old Start Menu Key");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Start Menu...");
}

TEST_F(StartMenuAndShortcuts, ShortcutsToMissingFilesOnJudgedDrivesAreReported) {
  files.AddShortcut(kDesktop + "\\cd.lnk", "D:\\gone.exe");
  files.AddShortcut(kDesktop + "\\folder.lnk", "C:\\Data");
  files.AddShortcut(kDesktop + "\\gone.lnk", "C:\\Apps\\gone.exe");
  files.AddShortcut(kDesktop + "\\LOUD.LNK", "C:\\Apps\\loud.exe");
  files.AddShortcut(kDesktop + "\\net.lnk", "\\\\server\\share\\gone.exe");
  files.AddShortcut(kDesktop + "\\notes.txt", "C:\\Apps\\notes.exe");
  files.AddShortcut(kDesktop + "\\odd.lnk", "C:gone.exe");
  files.AddFileWithContents(kDesktop + "\\plain.lnk", "not a shortcut");
  files.AddShortcut(kDesktop + "\\present.lnk", "C:\\Apps\\present.exe");
  files.AddShortcut(kDesktop + "\\virtual.lnk", "");
  files.AddShortcut(kDesktop + "\\zz.lnk", "C:\\Apps\\zz.exe");
  EXPECT_EQ(Rows({ScanCategory::Shortcuts}),
            (std::vector<std::string>{kDesktop + "\\gone.lnk | C:\\Apps\\gone.exe | 4",
                                      kDesktop + "\\LOUD.LNK | C:\\Apps\\loud.exe | 4",
                                      kDesktop + "\\zz.lnk | C:\\Apps\\zz.exe | 4"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Missing ShortCut reference");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Shortcuts...");
}

TEST_F(StartMenuAndShortcuts, FoldersAreWalkedWholeInTheirOrder) {
  files.AddShortcut(kDesktop + "\\a.lnk", "C:\\Apps\\6.exe");
  files.AddShortcut(kStartMenu + "\\a.lnk", "C:\\Apps\\5.exe");
  files.AddShortcut(kRecent + "\\a.lnk", "C:\\Apps\\4.exe");
  files.AddShortcut(kAppData + "\\One\\Two\\Three\\a.lnk", "C:\\Apps\\3.exe");
  files.AddShortcut(kCommonDesktop + "\\a.lnk", "C:\\Apps\\2.exe");
  files.AddShortcut(kCommonPrograms + "\\Tools\\a.lnk", "C:\\Apps\\1.exe");
  // The user's Start menu and recent documents are met in the application data too.
  EXPECT_EQ(
      Rows({ScanCategory::Shortcuts}),
      (std::vector<std::string>{
          kCommonPrograms + "\\Tools\\a.lnk | C:\\Apps\\1.exe | 4",
          kCommonDesktop + "\\a.lnk | C:\\Apps\\2.exe | 4",
          kRecent + "\\a.lnk | C:\\Apps\\4.exe | 4", kStartMenu + "\\a.lnk | C:\\Apps\\5.exe | 4",
          kAppData + "\\One\\Two\\Three\\a.lnk | C:\\Apps\\3.exe | 4",
          kRecent + "\\a.lnk | C:\\Apps\\4.exe | 4", kStartMenu + "\\a.lnk | C:\\Apps\\5.exe | 4",
          kDesktop + "\\a.lnk | C:\\Apps\\6.exe | 4"}));
}

TEST_F(StartMenuAndShortcuts, ShortcutsOnAnEmptyFloppyAreReportedWithoutTouchingIt) {
  options.includeRemoveMedia = true;
  files.AddDrive('A', DriveType::Removable, false);
  files.AddShortcut(kDesktop + "\\setup.lnk", "A:\\setup.exe");
  EXPECT_EQ(Rows({ScanCategory::Shortcuts}),
            (std::vector<std::string>{kDesktop + "\\setup.lnk | A:\\setup.exe | 4"}));
}

TEST_F(StartMenuAndShortcuts, ShortcutsOnAFloppyWithAMediumAreJudgedByTheFile) {
  options.includeRemoveMedia = true;
  files.AddDrive('A', DriveType::Removable, true);
  files.AddFile("A:\\setup.exe");
  files.AddShortcut(kDesktop + "\\gone.lnk", "A:\\gone.exe");
  files.AddShortcut(kDesktop + "\\setup.lnk", "A:\\setup.exe");
  Worker().MeasureFloppyDrives();
  EXPECT_EQ(Rows({ScanCategory::Shortcuts}),
            (std::vector<std::string>{kDesktop + "\\gone.lnk | A:\\gone.exe | 4"}));
}

TEST_F(StartMenuAndShortcuts, OnWow64TargetsInSystemAndProgramFoldersAreNotJudged) {
  system.SetWow64(true);
  files.AddShortcut(kDesktop + "\\a.lnk", "C:\\Program Files\\App\\gone.exe");
  files.AddShortcut(kDesktop + "\\b.lnk", "C:\\programfiles\\gone.exe");
  files.AddShortcut(kDesktop + "\\c.lnk", "C:\\Windows\\SYSTEM32\\gone.exe");
  files.AddShortcut(kDesktop + "\\d.lnk", "C:\\Apps\\gone.exe");
  EXPECT_EQ(Rows({ScanCategory::Shortcuts}),
            (std::vector<std::string>{kDesktop + "\\d.lnk | C:\\Apps\\gone.exe | 4"}));
}

}  // namespace
}  // namespace kelvane
