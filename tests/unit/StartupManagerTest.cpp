#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PortableProfileStore.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "startup/StartupManager.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kUserStartup = "C:\\Users\\Me\\Start Menu\\Programs\\Startup";
const std::string kCommonStartup = "C:\\ProgramData\\Start Menu\\Programs\\Startup";

class StartupManager : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.AddDrive('C', DriveType::Fixed);
    files_.SetSpecialFolder(ShellFolder::Startup, kUserStartup);
    files_.SetSpecialFolder(ShellFolder::CommonStartup, kCommonStartup);
    files_.AddFolder(kUserStartup);
    files_.AddFolder(kCommonStartup);
    ApplyRegFile(registry_, ParseRegFile(R"(REGEDIT4
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]
@="C:\\Apps\\default.exe"
"Tray"="C:\\Apps\\tray.exe /min"
"Counter"=dword:00000001
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run]
"Expanded"=hex(2):25,41,50,50,53,25,5c,61,2e,65,78,65,00
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\Run]
"UserPolicy"="C:\\Apps\\up.exe"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\Run]
"MachinePolicy"="C:\\Apps\\mp.exe"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\RunOnce]
"Once"="C:\\Apps\\once.exe"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunServices]
"Service"="C:\\Apps\\service.exe"
)"));
    files_.AddShortcut(kUserStartup + "\\Mail.LNK", "C:\\Apps\\mail.exe");
    files_.AddShortcut(kUserStartup + "\\Broken.lnk", "");
    files_.AddFile(kUserStartup + "\\notes.txt");
    files_.AddFolder(kUserStartup + "\\Sub.lnk");
    files_.AddShortcut(kCommonStartup + "\\Sync.lnk", "C:\\Apps\\sync.exe");
  }

  std::vector<std::string> Listed(WindowsVersion version = WindowsVersion::WindowsXp) {
    StartupList list;
    list.Fill(registry_, files_, version, language_);
    return Texts(list);
  }
  static std::vector<std::string> Texts(const StartupList& list) {
    std::vector<std::string> texts;
    for (const StartupRow& row : list.Rows()) {
      texts.push_back(row.entry.program + " | " + row.entry.file + " | " + row.entry.location);
    }
    return texts;
  }

  MemoryRegistry registry_;
  MemoryFileSystem files_;
  testsupport::ScratchFolder folder_;
  PortableProfileStore store_;
  std::string lan_ = "English";
  Language language_{store_, folder_.Path(), lan_};
};

TEST_F(StartupManager, ListsTheStringValuesAndShortcutsOfEverySourceInOrder) {
  const std::string user = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\";
  const std::string machine = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";
  const std::vector<std::string> onXp = {
      " | C:\\Apps\\default.exe | " + user + "Run",
      "Tray | C:\\Apps\\tray.exe /min | " + user + "Run",
      "Expanded | %APPS%\\a.exe | " + machine + "Run",
      "UserPolicy | C:\\Apps\\up.exe | " + user + "Policies\\Explorer\\Run",
      "MachinePolicy | C:\\Apps\\mp.exe | " + machine + "Policies\\Explorer\\Run",
      "Once | C:\\Apps\\once.exe | " + user + "RunOnce",
      "Mail.LNK | C:\\Apps\\mail.exe | Startup",
      "Sync.lnk | C:\\Apps\\sync.exe | Common Startup"};
  EXPECT_EQ(Listed(), onXp);
  std::vector<std::string> on98 = onXp;
  on98.insert(on98.begin() + 6, "Service | C:\\Apps\\service.exe | " + machine + "RunServices");
  EXPECT_EQ(Listed(WindowsVersion::Windows98), on98);
}

TEST_F(StartupManager, FolderRowsNameTheFoldersInTheCurrentLanguage) {
  testsupport::WriteRawFile(LanguageFilePath(folder_.Path(), "German"),
                            "[ResourceString]\r\nRES_Startup=Autostart\r\n"
                            "RES_Common_Startup=Autostart (alle Benutzer)\r\n");
  lan_ = "German";
  const std::vector<std::string> rows = Listed();
  EXPECT_EQ(rows.at(rows.size() - 2), "Mail.LNK | C:\\Apps\\mail.exe | Autostart");
  EXPECT_EQ(rows.back(), "Sync.lnk | C:\\Apps\\sync.exe | Autostart (alle Benutzer)");
}

TEST_F(StartupManager, AFolderWithoutAPathListsNothing) {
  MemoryFileSystem noFolders;
  noFolders.AddDrive('C', DriveType::Fixed);
  noFolders.AddShortcut("C:\\Sync.lnk", "C:\\Apps\\sync.exe");
  noFolders.SetSpecialFolder(ShellFolder::Startup, "");
  StartupList list;
  list.Fill(registry_, noFolders, WindowsVersion::WindowsXp, language_);
  EXPECT_EQ(list.Rows().size(), 6u);
  EXPECT_EQ(list.Rows().back().entry.program, "Once");
}

TEST_F(StartupManager, DeletesTheTickedEntriesAndKeepsTheRowsItCouldNotDelete) {
  StartupList list;
  list.Fill(registry_, files_, WindowsVersion::WindowsXp, language_);
  // The default value, a policy value, both shortcuts; then two of them become undeletable.
  for (std::size_t row : {0u, 3u, 6u, 7u}) list.SetTicked(row, true);
  files_.SetAttributes(kCommonStartup, kFileAttributeDirectory | kFileAttributeReparsePoint);
  ApplyRegFile(registry_, ParseRegFile("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\"
                                       "Windows\\CurrentVersion\\Policies\\Explorer\\Run]\r\n"
                                       "\"UserPolicy\"=-\r\n"));

  list.DeleteTicked(registry_, files_);
  std::vector<std::string> programs;
  for (const StartupRow& row : list.Rows()) {
    programs.push_back(row.entry.program + (row.ticked ? "+" : ""));
  }
  EXPECT_EQ(programs, (std::vector<std::string>{"Tray", "Expanded", "UserPolicy+", "MachinePolicy",
                                                "Once", "Sync.lnk+"}));
  EXPECT_FALSE(files_.FileExists(kUserStartup + "\\Mail.LNK"));
  EXPECT_TRUE(files_.FileExists(kCommonStartup + "\\Sync.lnk"));
  RegistryAccess run(registry_);
  ASSERT_TRUE(run.OpenKey(kRun, false));
  EXPECT_FALSE(run.ValueExists(""));
  EXPECT_TRUE(run.ValueExists("Tray"));

  list.TickAll(true);
  list.DeleteTicked(registry_, files_);
  EXPECT_EQ(list.Rows().size(), 2u);
  list.TickAll(false);
  EXPECT_FALSE(list.Rows()[0].ticked || list.Rows()[1].ticked);
}

}  // namespace
}  // namespace kelvane
