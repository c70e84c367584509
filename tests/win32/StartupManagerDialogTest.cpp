// The startup manager over the prefix's own Run keys and Startup folders, under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/RegFile.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "resources/resource.h"
#include "startup/win32/StartupManagerDialog.h"
#include "tests/support/SavedShortcut.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/DialogScript.h"
#include "tests/win32/DialogSearch.h"
#include "tests/win32/ListViewRows.h"

namespace kelvane {
namespace {

const std::string kUser = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\";
const std::string kMachine = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";

std::string StartupFolder(int id) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, id, TRUE);
  return path;
}

bool FileThere(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class StartupManagerWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Load("[" + kUser +
         "Run]\r\n\"KelvaneTest User\"=\"C:\\\\KelvaneStart\\\\user.exe\"\r\n"
         "\"KelvaneTest Count\"=dword:00000001\r\n"
         "[" +
         kMachine +
         "Run]\r\n"
         // %SystemRoot%\kelvane.exe, unexpanded.
         "\"KelvaneTest Machine\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,6b,65,6c,76,"
         "61,6e,65,2e,65,78,65,00\r\n"
         "[" +
         kUser +
         "Policies\\Explorer\\Run]\r\n@=\"C:\\\\KelvaneStart\\\\default.exe\"\r\n"
         "[" +
         kMachine +
         "Policies\\Explorer\\Run]\r\n"
         "\"KelvaneTest Policy\"=\"C:\\\\KelvaneStart\\\\policy.exe\"\r\n"
         "[" +
         kUser +
         "RunOnce]\r\n\"KelvaneTest Once\"=\"C:\\\\KelvaneStart\\\\once.exe\"\r\n"
         "[" +
         kMachine +
         "RunOnce]\r\n"
         "\"KelvaneTest Machine Once\"=\"C:\\\\KelvaneStart\\\\machine-once.exe\"\r\n");
    ASSERT_TRUE(testsupport::SaveShortcut(mail_, "C:\\KelvaneStart\\mail.exe"));
    ASSERT_TRUE(testsupport::SaveShortcut(sync_, "C:\\KelvaneStart\\sync.exe"));
    std::ofstream(notes_) << "not a shortcut";
    std::ofstream(broken_) << "not a shortcut either";
  }
  void TearDown() override {
    Load("[" + kUser +
         "Run]\r\n\"KelvaneTest User\"=-\r\n\"KelvaneTest Count\"=-\r\n"
         "[" +
         kMachine +
         "Run]\r\n\"KelvaneTest Machine\"=-\r\n"
         "[-" +
         kUser +
         "Policies\\Explorer\\Run]\r\n"
         "[" +
         kMachine +
         "Policies\\Explorer\\Run]\r\n\"KelvaneTest Policy\"=-\r\n"
         "[" +
         kUser +
         "RunOnce]\r\n\"KelvaneTest Once\"=-\r\n"
         "[" +
         kMachine + "RunOnce]\r\n\"KelvaneTest Machine Once\"=-\r\n");
    for (const std::string& file : {mail_, sync_, notes_, broken_}) DeleteFileA(file.c_str());
  }
  void Load(const std::string& text) {
    ApplyRegFile(registry_, ParseRegFile("REGEDIT4\r\n" + text));
  }

  // Shows the window while the script runs.
  void Show(std::vector<DialogScript::Step> steps) {
    Language language(profiles_, languages_.Path(), lan_);
    Win32System system;
    StartupManagerDialog window(registry_, files_, system.Version(), language, lan_);
    DialogScript script(std::move(steps));
    EXPECT_EQ(window.ShowModal(nullptr), IDCANCEL);
    EXPECT_TRUE(script.Done()) << script.Progress();
  }

  // The rows of the test's own entries: "program | file | location", a "+" for a tick.
  static std::vector<std::string> TestRows(HWND list) {
    std::vector<std::string> rows;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      const std::string file = ListCell(list, row, 1);
      if (file.find("KelvaneStart") == std::string::npos &&
          file.find("kelvane.exe") == std::string::npos) {
        continue;
      }
      rows.push_back(ListCell(list, row, 0) + " | " + file + " | " + ListCell(list, row, 2) +
                     (ListRowTicked(list, row) ? " +" : ""));
    }
    return rows;
  }
  static int RowOf(HWND list, const std::string& program) {
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      if (ListCell(list, row, 0) == program) return row;
    }
    return -1;
  }
  static int RowOfFile(HWND list, const std::string& file) {
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      if (ListCell(list, row, 1) == file) return row;
    }
    return -1;
  }

  Win32Registry registry_;
  Win32FileSystem files_;
  Win32ProfileStore profiles_;
  testsupport::ScratchFolder languages_;
  std::string lan_ = "English";
  const std::string mail_ = StartupFolder(CSIDL_STARTUP) + "\\KelvaneTest Mail.LNK";
  const std::string sync_ = StartupFolder(CSIDL_COMMON_STARTUP) + "\\KelvaneTest Sync.lnk";
  const std::string notes_ = StartupFolder(CSIDL_STARTUP) + "\\KelvaneTest notes.txt";
  const std::string broken_ = StartupFolder(CSIDL_COMMON_STARTUP) + "\\KelvaneTest broken.lnk";
};

TEST_F(StartupManagerWindow, ListsEverySourceAndDeletesTwoTickedRowsTogether) {
  std::vector<std::string> listed;
  std::vector<std::string> afterDelete;
  bool allTicked = false;
  bool noneTicked = false;
  Show({[&] {
    HWND window = FindThreadDialog("Startup Manager");
    if (!window) return false;
    HWND list = GetDlgItem(window, IDC_STARTUP_LIST);
    listed = TestRows(list);
    PressSpaceOnRow(list, RowOfFile(list, "C:\\KelvaneStart\\default.exe"));
    PressSpaceOnRow(list, RowOf(list, "KelvaneTest Mail.LNK"));
    SendMessageA(window, WM_COMMAND, IDC_STARTUP_DELETE, 0);
    afterDelete = TestRows(list);
    SendMessageA(window, WM_COMMAND, IDC_STARTUP_SELECT_ALL, 0);
    allTicked = noneTicked = true;
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
      allTicked &= ListRowTicked(list, row);
    SendMessageA(window, WM_COMMAND, IDC_STARTUP_SELECT_NONE, 0);
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
      noneTicked &= !ListRowTicked(list, row);
    PostClick(window, IDCANCEL);
    return true;
  }});
  const std::vector<std::string> expected = {
      "KelvaneTest User | C:\\KelvaneStart\\user.exe | " + kUser + "Run",
      "KelvaneTest Machine | %SystemRoot%\\kelvane.exe | " + kMachine + "Run",
      " | C:\\KelvaneStart\\default.exe | " + kUser + "Policies\\Explorer\\Run",
      "KelvaneTest Policy | C:\\KelvaneStart\\policy.exe | " + kMachine + "Policies\\Explorer\\Run",
      "KelvaneTest Once | C:\\KelvaneStart\\once.exe | " + kUser + "RunOnce",
      "KelvaneTest Machine Once | C:\\KelvaneStart\\machine-once.exe | " + kMachine + "RunOnce",
      "KelvaneTest Mail.LNK | C:\\KelvaneStart\\mail.exe | Startup",
      "KelvaneTest Sync.lnk | C:\\KelvaneStart\\sync.exe | Common Startup"};
  EXPECT_EQ(listed, expected);
  std::vector<std::string> rest = expected;
  rest.erase(rest.begin() + 6);
  rest.erase(rest.begin() + 2);
  EXPECT_EQ(afterDelete, rest);
  EXPECT_TRUE(allTicked);
  EXPECT_TRUE(noneTicked);
  EXPECT_FALSE(FileThere(mail_));
  EXPECT_TRUE(FileThere(sync_));
  HKEY policies = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
                          0, KEY_READ, &policies),
            ERROR_SUCCESS);
  EXPECT_NE(RegQueryValueExA(policies, "", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(policies);
}

TEST_F(StartupManagerWindow, FolderRowsAreNamedAndFoundAgainInTheCurrentLanguage) {
  testsupport::WriteRawFile(LanguageFilePath(languages_.Path(), "German"),
                            "[frmStartupManager]\r\nlvStartup_Column2=Ort\r\n"
                            "bDeleteEntry=Eintrag &l\xf6schen\r\n"
                            "[ResourceString]\r\nRES_Startup=Autostart\r\n"
                            "RES_Common_Startup=Autostart (alle Benutzer)\r\n");
  lan_ = "German";
  std::vector<std::string> seen;
  Show({[&] {
    HWND window = FindThreadDialog("Startup Manager");
    if (!window) return false;
    HWND list = GetDlgItem(window, IDC_STARTUP_LIST);
    seen = {ListColumnCaptions(list).at(2), WindowText(GetDlgItem(window, IDC_STARTUP_DELETE)),
            ListCell(list, RowOf(list, "KelvaneTest Mail.LNK"), 2),
            ListCell(list, RowOf(list, "KelvaneTest Sync.lnk"), 2)};
    PressSpaceOnRow(list, RowOf(list, "KelvaneTest Sync.lnk"));
    SendMessageA(window, WM_COMMAND, IDC_STARTUP_DELETE, 0);
    seen.push_back(std::to_string(RowOf(list, "KelvaneTest Sync.lnk")));
    PostClick(window, IDCANCEL);
    return true;
  }});
  EXPECT_EQ(seen, (std::vector<std::string>{"Ort", "Eintrag &l\xf6schen", "Autostart",
                                            "Autostart (alle Benutzer)", "-1"}));
  EXPECT_FALSE(FileThere(sync_));
  EXPECT_TRUE(FileThere(mail_));
}

}  // namespace
}  // namespace kelvane
