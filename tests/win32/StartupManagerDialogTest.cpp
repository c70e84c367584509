// The startup manager over the prefix's own Run keys and Startup folders, under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <string>
#include <vector>

#include "global/win32/DialogTexts.h"
#include "platform/RegFile.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "startup/win32/StartupManagerDialog.h"
#include "startup/win32/StartupManagerDialogIds.h"
#include "tests/support/SavedShortcut.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/DialogScript.h"
#include "tests/win32/ListViewRows.h"

namespace kelvane {
namespace {

using Texts = std::vector<std::string>;

const std::string kUser = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\";
const std::string kMachine = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";

std::string InFolder(int id, const std::string& name) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, id, TRUE);
  return std::string(path) + "\\" + name;
}

class StartupManagerWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Load("[" + kUser +
         "Run]\r\n\"KelvaneTest User\"=\"C:\\\\Kelvane\\\\user.exe\"\r\n"
         "\"KelvaneTest Count\"=dword:00000001\r\n[" +
         kMachine +
         "Run]\r\n"
         "\"KelvaneTest Machine\"=hex(2):25,57,49,4e,44,49,52,25,5c,6d,2e,65,78,65,00\r\n"
         "[" +
         kUser +
         "Policies\\Explorer\\Run]\r\n@=\"C:\\\\Kelvane\\\\default.exe\"\r\n"
         "[" +
         kMachine +
         "Policies\\Explorer\\Run]\r\n\"KelvaneTest Policy\"=\"C:\\\\Kelvane\\\\p.exe\"\r\n"
         "[" +
         kUser +
         "RunOnce]\r\n\"KelvaneTest Once\"=\"C:\\\\Kelvane\\\\once.exe\"\r\n"
         "[" +
         kMachine + "RunOnce]\r\n\"KelvaneTest Later\"=\"C:\\\\Kelvane\\\\later.exe\"\r\n");
    ASSERT_TRUE(testsupport::SaveShortcut(mail_, "C:\\Kelvane\\mail.exe"));
    ASSERT_TRUE(testsupport::SaveShortcut(sync_, "C:\\Kelvane\\sync.exe"));
    std::ofstream(notes_) << "not a shortcut";
    std::ofstream(broken_) << "not a shortcut either";
  }
  void TearDown() override {
    Load("[" + kUser +
         "Run]\r\n\"KelvaneTest User\"=-\r\n\"KelvaneTest Count\"=-\r\n"
         "[" +
         kMachine + "Run]\r\n\"KelvaneTest Machine\"=-\r\n[-" + kUser +
         "Policies\\Explorer\\Run]\r\n"
         "[" +
         kMachine +
         "Policies\\Explorer\\Run]\r\n\"KelvaneTest Policy\"=-\r\n"
         "[" +
         kUser +
         "RunOnce]\r\n\"KelvaneTest Once\"=-\r\n"
         "[" +
         kMachine + "RunOnce]\r\n\"KelvaneTest Later\"=-\r\n");
    for (const std::string& file : {mail_, sync_, notes_, broken_}) DeleteFileA(file.c_str());
  }
  void Load(const std::string& text) {
    ApplyRegFile(registry_, ParseRegFile("REGEDIT4\r\n" + text));
  }

  // Runs the step in the window, then closes it.
  void Show(const DialogScript::Step& step) {
    Language language(profiles_, languages_.Path(), lan_);
    StartupManagerDialog window(registry_, files_, Win32System().Version(), language, lan_);
    DialogScript script({[&](HWND dialog) {
      step(dialog);
      PostClick(dialog, IDCANCEL);
    }});
    EXPECT_EQ(window.ShowModal(nullptr), IDCANCEL);
    EXPECT_TRUE(script.Done()) << script.Progress();
  }

  // The test's own rows, "program | file | location", " +" when ticked; with tick, the box of
  // the row whose file ends so is pressed first.
  static Texts Rows(HWND dialog, const std::string& tick = "") {
    HWND list = GetDlgItem(dialog, IDC_STARTUP_LIST);
    Texts rows;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      const std::string file = ListCell(list, row, 1);
      if (!tick.empty() && file.size() > tick.size() &&
          file.compare(file.size() - tick.size(), tick.size(), tick) == 0) {
        PressSpaceOnRow(list, row);
      }
      bool ticked = false;
      ListCell(list, row, 0, &ticked);
      if (file.find("Kelvane") == std::string::npos && file.find("%WINDIR%\\m") != 0) continue;
      rows.push_back(ListCell(list, row, 0) + " | " + file + " | " + ListCell(list, row, 2) +
                     (ticked ? " +" : ""));
    }
    return rows;
  }

  Win32Registry registry_;
  Win32FileSystem files_;
  Win32ProfileStore profiles_;
  testsupport::ScratchFolder languages_;
  std::string lan_ = "English";
  const std::string mail_ = InFolder(CSIDL_STARTUP, "KelvaneTest Mail.LNK");
  const std::string sync_ = InFolder(CSIDL_COMMON_STARTUP, "KelvaneTest Sync.lnk");
  const std::string notes_ = InFolder(CSIDL_STARTUP, "KelvaneTest notes.txt");
  const std::string broken_ = InFolder(CSIDL_COMMON_STARTUP, "KelvaneTest broken.lnk");
};

TEST_F(StartupManagerWindow, ListsEverySourceAndDeletesTwoTickedRowsTogether) {
  Texts listed;
  Texts ticked;
  Texts deleted;
  Texts all;
  Show([&](HWND dialog) {
    listed = Rows(dialog);
    Rows(dialog, "default.exe");
    ticked = Rows(dialog, "mail.exe");
    SendMessageW(dialog, WM_COMMAND, IDC_STARTUP_DELETE, 0);
    deleted = Rows(dialog);
    SendMessageW(dialog, WM_COMMAND, IDC_STARTUP_SELECT_ALL, 0);
    all = Rows(dialog);
    SendMessageW(dialog, WM_COMMAND, IDC_STARTUP_SELECT_NONE, 0);
    ticked.push_back(Rows(dialog) == deleted ? "none" : "some");
  });
  Texts expected = {
      "KelvaneTest User | C:\\Kelvane\\user.exe | " + kUser + "Run",
      "KelvaneTest Machine | %WINDIR%\\m.exe | " + kMachine + "Run",
      " | C:\\Kelvane\\default.exe | " + kUser + "Policies\\Explorer\\Run",
      "KelvaneTest Policy | C:\\Kelvane\\p.exe | " + kMachine + "Policies\\Explorer\\Run",
      "KelvaneTest Once | C:\\Kelvane\\once.exe | " + kUser + "RunOnce",
      "KelvaneTest Later | C:\\Kelvane\\later.exe | " + kMachine + "RunOnce",
      "KelvaneTest Mail.LNK | C:\\Kelvane\\mail.exe | Startup",
      "KelvaneTest Sync.lnk | C:\\Kelvane\\sync.exe | Common Startup"};
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(ticked.at(2), expected[2] + " +");
  EXPECT_EQ(ticked.at(6), expected[6] + " +");
  expected.erase(expected.begin() + 6);
  expected.erase(expected.begin() + 2);
  EXPECT_EQ(deleted, expected);
  EXPECT_EQ(all.at(0), expected[0] + " +");
  EXPECT_EQ(ticked.back(), "none");
  EXPECT_EQ(GetFileAttributesA(mail_.c_str()), INVALID_FILE_ATTRIBUTES);
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
                            "[ResourceString]\r\nRES_Startup=Autostart\r\n"
                            "RES_Common_Startup=Autostart (alle Benutzer)\r\n");
  lan_ = "German";
  Texts seen;
  Show([&](HWND dialog) {
    seen = Rows(dialog, "sync.exe");
    seen.push_back(ListColumnCaptions(GetDlgItem(dialog, IDC_STARTUP_LIST)).at(2));
    SendMessageW(dialog, WM_COMMAND, IDC_STARTUP_DELETE, 0);
    seen.push_back(std::to_string(Rows(dialog).size()));
  });
  ASSERT_EQ(seen.size(), 10u);
  EXPECT_EQ(seen[6], "KelvaneTest Mail.LNK | C:\\Kelvane\\mail.exe | Autostart");
  EXPECT_EQ(seen[7], "KelvaneTest Sync.lnk | C:\\Kelvane\\sync.exe | Autostart (alle Benutzer) +");
  EXPECT_EQ(seen[8], "Ort");
  EXPECT_EQ(seen[9], "7");
  EXPECT_EQ(GetFileAttributesA(sync_.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace kelvane
