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

using Texts = std::vector<std::string>;

const std::string kUserStartup = "C:\\Users\\Me\\Startup";
const std::string kCommonStartup = "C:\\ProgramData\\Startup";
const std::string kUser = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\";
const std::string kMachine = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";

class StartupManager : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.AddDrive('C', DriveType::Fixed);
    files_.SetSpecialFolder(ShellFolder::Startup, kUserStartup);
    files_.SetSpecialFolder(ShellFolder::CommonStartup, kCommonStartup);
    files_.AddShortcut(kUserStartup + "\\Mail.LNK", "C:\\mail.exe");
    files_.AddShortcut(kUserStartup + "\\Broken.lnk", "");
    files_.AddFile(kUserStartup + "\\notes.txt");
    files_.AddFolder(kUserStartup + "\\Sub.lnk");
    files_.AddShortcut(kCommonStartup + "\\Sync.lnk", "C:\\sync.exe");
    ApplyRegFile(registry_, ParseRegFile("REGEDIT4\r\n[" + kUser +
                                         "Run]\r\n@=\"C:\\\\d.exe\"\r\n"
                                         "\"Tray\"=\"C:\\\\t.exe /min\"\r\n\"Count\"=dword:1\r\n"
                                         "[" +
                                         kMachine +
                                         "Run]\r\n"
                                         "\"Expanded\"=hex(2):25,41,25,5c,61,2e,65,78,65,00\r\n"
                                         "[" +
                                         kUser +
                                         "Policies\\Explorer\\Run]\r\n\"Up\"=\"u\"\r\n"
                                         "[" +
                                         kMachine +
                                         "Policies\\Explorer\\Run]\r\n\"Mp\"=\"m\"\r\n"
                                         "[" +
                                         kUser +
                                         "RunOnce]\r\n\"Once\"=\"o\"\r\n"
                                         "[" +
                                         kMachine + "RunServices]\r\n\"Service\"=\"s\"\r\n"));
  }

  Texts Listed(WindowsVersion version = WindowsVersion::WindowsXp) {
    list_ = StartupList();
    list_.Fill(registry_, files_, version, language_);
    Texts rows;
    for (const StartupRow& row : list_.Rows()) {
      rows.push_back(row.entry.program + " | " + row.entry.file + " | " + row.entry.location +
                     (row.ticked ? " +" : ""));
    }
    return rows;
  }

  MemoryRegistry registry_;
  MemoryFileSystem files_;
  testsupport::ScratchFolder folder_;
  PortableProfileStore store_;
  std::string lan_ = "English";
  Language language_{store_, folder_.Path(), lan_};
  StartupList list_;
};

// The window tests list every source of a live prefix; here what a prefix cannot show.
TEST_F(StartupManager, ListsRunServicesOn9xOnlyAndFolderRowsInTheCurrentLanguage) {
  const Texts onXp = Listed();
  ASSERT_EQ(onXp.size(), 8u);
  EXPECT_EQ(onXp[0], " | C:\\d.exe | " + kUser + "Run");
  EXPECT_EQ(onXp[2], "Expanded | %A%\\a.exe | " + kMachine + "Run");
  Texts on98 = onXp;
  on98.insert(on98.begin() + 6, "Service | s | " + kMachine + "RunServices");
  EXPECT_EQ(Listed(WindowsVersion::Windows98), on98);

  testsupport::WriteRawFile(
      LanguageFilePath(folder_.Path(), "German"),
      "[ResourceString]\r\nRES_Startup=Autostart\r\nRES_Common_Startup=Alle\r\n");
  lan_ = "German";
  const Texts german = Listed();
  EXPECT_EQ(Texts(german.end() - 2, german.end()),
            (Texts{"Mail.LNK | C:\\mail.exe | Autostart", "Sync.lnk | C:\\sync.exe | Alle"}));
  // A folder without a path lists nothing.
  files_.SetSpecialFolder(ShellFolder::Startup, "");
  EXPECT_EQ(Listed().back(), "Sync.lnk | C:\\sync.exe | Alle");
  EXPECT_EQ(Listed().size(), onXp.size() - 1);
}

TEST_F(StartupManager, DeletesTheTickedEntriesAndKeepsTheRowsItCouldNotDelete) {
  Listed();
  // The default value, a policy value and both shortcuts; two become undeletable.
  for (std::size_t row : {0u, 3u, 6u, 7u}) list_.SetTicked(row, true);
  files_.SetAttributes(kCommonStartup, kFileAttributeDirectory | kFileAttributeReparsePoint);
  ApplyRegFile(registry_,
               ParseRegFile("REGEDIT4\r\n[" + kUser + "Policies\\Explorer\\Run]\r\n\"Up\"=-\r\n"));
  list_.DeleteTicked(registry_, files_);
  Texts programs;
  for (const StartupRow& row : list_.Rows()) {
    programs.push_back(row.entry.program + (row.ticked ? " +" : ""));
  }
  EXPECT_EQ(programs, (Texts{"Tray", "Expanded", "Up +", "Mp", "Once", "Sync.lnk +"}));
  EXPECT_FALSE(files_.FileExists(kUserStartup + "\\Mail.LNK"));
  EXPECT_TRUE(files_.FileExists(kCommonStartup + "\\Sync.lnk"));
  RegistryAccess run(registry_);
  ASSERT_TRUE(run.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Run", false));
  EXPECT_FALSE(run.ValueExists(""));
  EXPECT_TRUE(run.ValueExists("Tray"));
  list_.TickAll(false);
  list_.DeleteTicked(registry_, files_);
  EXPECT_EQ(list_.Rows().size(), 6u);
}

// The same value in the user's and the machine's key of each kind: two rows, each read from
// and deleted in its own root.
TEST_F(StartupManager, EachKeyIsReadAndDeletedInTheRootItNames) {
  const Texts keys = {"Run", "Policies\\Explorer\\Run", "RunOnce", "RunServices"};
  std::string text = "REGEDIT4\r\n";
  Texts expected;
  for (const std::string& key : keys) {
    text += "[" + kUser + key + "]\r\n\"Same\"=\"user\"\r\n";
    text += "[" + kMachine + key + "]\r\n\"Same\"=\"machine\"\r\n";
    expected.push_back("user | " + kUser + key);
    expected.push_back("machine | " + kMachine + key);
  }
  MemoryRegistry registry;
  ApplyRegFile(registry, ParseRegFile(text));
  list_.Fill(registry, files_, WindowsVersion::Windows98, language_);
  Texts listed;
  for (const StartupRow& row : list_.Rows()) {
    if (row.entry.kind == StartupEntry::Kind::RunValue) {
      listed.push_back(row.entry.file + " | " + row.entry.location);
    }
  }
  EXPECT_EQ(listed, expected);

  for (std::size_t row = 1; row < expected.size(); row += 2) list_.SetTicked(row, true);
  list_.DeleteTicked(registry, files_);
  EXPECT_EQ(list_.Rows().size(), keys.size() + 2);
  for (const std::string& key : keys) {
    RegistryAccess access(registry);
    ASSERT_TRUE(access.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\" + key, false));
    EXPECT_TRUE(access.ValueExists("Same")) << key;
    access.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(access.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\" + key, false));
    EXPECT_FALSE(access.ValueExists("Same")) << key;
  }
}

}  // namespace
}  // namespace kelvane
