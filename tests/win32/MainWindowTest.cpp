// The main window driven by its messages, over the live registry under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "main/LanguageMenu.h"
#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"
#include "options/win32/OptionsDialogIds.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "repair/win32/RepairProgressDialogIds.h"
#include "repair/win32/RepairSummaryDialogIds.h"
#include "scan/win32/ScanProgressDialogIds.h"
#include "tests/win32/BackupFolderFiles.h"
#include "tests/win32/DialogScript.h"
#include "tests/win32/DialogSearch.h"
#include "tests/win32/MainWindowFixture.h"
#include "tests/win32/WindowSteps.h"

namespace kelvane {
namespace {

void CALLBACK PressStop(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND progress = FindWindowA(nullptr, "Scanning");
  if (!progress) return;
  KillTimer(nullptr, timer);
  PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDC_SCAN_STOP, BN_CLICKED), 0);
}

// What the repair's modal windows showed; each is answered as a user would.
struct RepairDialogsSeen {
  std::string question;
  std::string summary;
};
RepairDialogsSeen g_repairDialogs;

// Agrees to make the backup folder and closes the summary.
void CALLBACK AnswerRepairDialogs(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindThreadDialog();
  if (!dialog) return;
  if (HWND count = GetDlgItem(dialog, IDC_REPAIR_SUMMARY_COUNT)) {
    g_repairDialogs.summary = WindowText(count);
    KillTimer(nullptr, timer);
    PostMessageW(dialog, WM_COMMAND, IDNO, 0);
  } else if (GetDlgItem(dialog, IDYES)) {
    g_repairDialogs.question = WindowText(GetDlgItem(dialog, kMessageBoxTextId));
    PostMessageW(dialog, WM_COMMAND, IDYES, 0);
  }
}

TEST_F(MainWindowTest, PressesOnTicksKeepTheTreeConsistentAndShowIt) {
  TickOnlyCurrentUser();
  EXPECT_EQ(window_->Tree().Collect(),
            (std::vector<ScanCategory>{ScanCategory::AllCategories, ScanCategory::FilesAndFolders,
                                       ScanCategory::FilesAndFoldersCurrentUser}));
  HWND tree = window_->TreeView().Handle();
  HTREEITEM root = TreeView_GetRoot(tree);
  EXPECT_EQ(TreeView_GetItemState(tree, root, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
  PressTick(kCurrentUserNode);
  EXPECT_EQ(TreeView_GetItemState(tree, root, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
  // A double click on a node's text toggles nothing and never collapses it.
  RECT text = {};
  TreeView_GetItemRect(tree, root, &text, TRUE);
  const LPARAM point = MAKELPARAM(text.left + 5, (text.top + text.bottom) / 2);
  SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(tree, WM_LBUTTONUP, 0, point);
  SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  SendMessageW(tree, WM_LBUTTONUP, 0, point);
  EXPECT_TRUE(TreeView_GetItemState(tree, root, TVIS_EXPANDED) & TVIS_EXPANDED);
  EXPECT_EQ(TreeView_GetItemState(tree, root, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
}

TEST_F(MainWindowTest, AScanFillsTicksAndCountsTheRows) {
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  const std::string key = std::string(kTestKey) + "\\";
  EXPECT_EQ(MarkedKeys(), (std::vector<std::string>{key + "A", key + "B", key + "C"}));
  const std::size_t rows = window_->Results().Count();
  EXPECT_EQ(window_->Results().TickedCount(), rows);
  EXPECT_EQ(StatusText(Child(IDC_STATUS_BAR), 0), " " + std::to_string(rows) + " problems found");
  EXPECT_EQ(ListView_GetItemCount(window_->ListView().Handle()), static_cast<int>(rows));

  Command(ID_SELECT_NONE);
  EXPECT_EQ(StatusText(Child(IDC_STATUS_BAR), 1), " 0 problems selected for repairing");
  ListView_SetItemState(window_->ListView().Handle(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
  Command(ID_SELECT_ALL_TYPE);
  EXPECT_EQ(window_->Results().TickedCount(), rows);
}

TEST_F(MainWindowTest, AStoppedScanKeepsItsRowsTicksThemAndCountsThem) {
  // Every category is ticked at first: a scan long enough to be stopped.
  SetTimer(nullptr, 0, 200, &PressStop);
  Command(ID_SCAN_REGISTRY);
  EXPECT_EQ(FindWindowA(nullptr, "Scanning"), nullptr);
  const std::size_t rows = window_->Results().Count();
  EXPECT_EQ(window_->Results().TickedCount(), rows);
  EXPECT_EQ(StatusText(Child(IDC_STATUS_BAR), 0), " " + std::to_string(rows) + " problems found");
  EXPECT_EQ(StatusText(Child(IDC_STATUS_BAR), 1),
            " " + std::to_string(rows) + " problems selected for repairing");
}

TEST_F(MainWindowTest, NothingTickedMeansNoScanAndTheRowsStay) {
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  const std::size_t rows = window_->Results().Count();
  PressTick(kRootNode);
  PressTick(kRootNode);  // everything on, then ...
  PressTick(kRootNode);  // ... everything off
  Command(ID_SCAN_REGISTRY);
  EXPECT_EQ(window_->Results().Count(), rows);
}

TEST_F(MainWindowTest, IgnoredRowsLeaveAndStayOutOfLaterScans) {
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  const std::string second = std::string(kTestKey) + "\\B";
  std::size_t index = 0;
  while (window_->Results().Row(index).record.key != second) ++index;
  HWND list = window_->ListView().Handle();
  ListView_SetItemState(list, static_cast<int>(index), LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  Command(ID_IGNORE_LIST_ADD);
  EXPECT_EQ(window_->CurrentSettings().ignoredValues, std::vector<std::string>{second});
  EXPECT_EQ(MarkedKeys().size(), 2u);
  Command(ID_SCAN_REGISTRY);
  EXPECT_EQ(MarkedKeys(), (std::vector<std::string>{std::string(kTestKey) + "\\A",
                                                    std::string(kTestKey) + "\\C"}));
  // The count with its hidden rows stays whole in its panel, in the longer German too.
  ASSERT_TRUE(CopyLanguageFiles());
  ChooseLanguage("German");
  HWND status = Child(IDC_STATUS_BAR);
  const std::string found = StatusText(status, 0);
  EXPECT_NE(found.find("ausgeblendet"), std::string::npos) << found;
  RECT panel = {};
  SendMessageW(status, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
  const WindowDc dc(status);
  const SelectedObject font(dc.get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageW(status, WM_GETFONT, 0, 0)));
  SIZE extent = {};
  const std::wstring wide = Wide(found);
  GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  EXPECT_LE(extent.cx, panel.right - panel.left) << found;
}

TEST_F(MainWindowTest, RepairTakesTheTickedRowsAndTheRestStayOutOfLaterScans) {
  const std::string backupFolder = std::string(kFolder) + "Backup";
  RemoveBackupFolder(backupFolder);
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  ResultsModel& results = window_->Results();
  results.TickAll(false);
  const std::string key = std::string(kTestKey) + "\\";
  for (std::size_t index = 0; index < results.Count(); ++index) {
    const std::string& text = results.Row(index).record.key;
    if (text == key + "A" || text == key + "B") results.SetTicked(index, true);
  }
  g_repairDialogs = {};
  SetTimer(nullptr, 0, 100, &AnswerRepairDialogs);
  Command(ID_REPAIR_REGISTRY);

  EXPECT_EQ(g_repairDialogs.question,
            backupFolder + ",The backup directory does not exist.\r\ncreates a new directory?");
  EXPECT_EQ(g_repairDialogs.summary, "There are total 2 problems to be repaired.");
  EXPECT_TRUE(results.Empty());
  EXPECT_EQ(StatusText(Child(IDC_STATUS_BAR), 0), " 0 problems found");
  EXPECT_EQ(ListView_GetItemCount(window_->ListView().Handle()), 0);
  HKEY testKey = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KelvaneMainTest", 0, KEY_READ, &testKey),
            ERROR_SUCCESS);
  for (const char* name : {"A", "B", "C"}) {
    const bool present =
        RegQueryValueExA(testKey, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    EXPECT_EQ(present, std::string(name) == "C") << name;
  }
  RegCloseKey(testKey);
  EXPECT_EQ(BackupFiles(backupFolder).size(), 1u);

  // The unticked row is a leftover now.
  Command(ID_SCAN_REGISTRY);
  EXPECT_TRUE(MarkedKeys().empty());
}

// Closes the main window once the repair's progress window is up; closes and records any other
// dialog.
HWND g_closedWindow = nullptr;
bool g_closeSent = false;
bool g_otherDialogSeen = false;
void CALLBACK CloseDuringRepair(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindThreadDialog();
  if (!dialog) return;
  if (!GetDlgItem(dialog, IDC_REPAIR_PROGRESS_BAR)) {
    g_otherDialogSeen = true;
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  } else if (!g_closeSent) {
    g_closeSent = true;
    PostMessageW(g_closedWindow, WM_CLOSE, 0, 0);
  }
}

TEST_F(MainWindowTest, ClosingTheWindowDuringARepairStopsItAfterAGroupAndLosesNothing) {
  constexpr int kValues = 5000;
  const std::string backupFolder = std::string(kFolder) + "Backup";
  RemoveBackupFolder(backupFolder);
  CreateDirectoryA(backupFolder.c_str(), nullptr);
  std::string values;
  ResultsModel& results = window_->Results();
  for (int index = 0; index < kValues; ++index) {
    const std::string name = "Gone " + std::to_string(index);
    values += "\"" + name + "\"=\"C:\\\\KelvaneGone\\\\x.exe\"\r\n";
    ProblemRecord row;
    row.problem = "Invalid";
    row.key = kTestKey;
    row.value = name;
    row.repairKind = RepairKind::ValueNamedByValue;
    results.Add(row);
  }
  Load(std::string("[") + kTestKey + "]\r\n" + values);
  results.TickAll(true);
  g_closedWindow = window_->Handle();
  g_closeSent = false;
  g_otherDialogSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, &CloseDuringRepair);
  Command(ID_REPAIR_REGISTRY);
  // The close waited for the repair and comes now.
  for (int wait = 0; wait < 100 && IsWindow(g_closedWindow); ++wait) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(50);
  }
  KillTimer(nullptr, timer);

  EXPECT_FALSE(IsWindow(g_closedWindow));
  EXPECT_FALSE(g_otherDialogSeen);
  auto present = [&] {
    RegistryAccess access(registry_);
    access.SetRootKey(kHkeyCurrentUser);
    access.OpenKey("\\Software\\KelvaneMainTest", false);
    int count = 0;
    for (int index = 0; index < kValues; ++index) {
      count += access.ValueExists("Gone " + std::to_string(index)) ? 1 : 0;
    }
    return count;
  };
  const int left = present();
  EXPECT_GT(left, 0);
  EXPECT_LT(left, kValues);
  const std::vector<std::string> files = BackupFiles(backupFolder);
  ASSERT_EQ(files.size(), 1u);
  ApplyRegFile(registry_, ParseRegFile(ReadFile(files[0])));
  EXPECT_EQ(present(), kValues) << left << " were left before the import";
  RemoveBackupFolder(backupFolder);
}

// Every text the window shows: its caption, the title band's, the buttons' and labels', the
// tree's, the column captions, every menu item's and the status bar's words after the counts.
std::vector<std::string> ShownTexts(MainWindow& window) {
  const TitleBand& band = window.Band();
  std::vector<std::string> texts{WindowText(window.Handle()), band.title, band.hint, band.update};
  for (int id : {IDC_TASKS_LABEL, ID_SCAN_REGISTRY, ID_REPAIR_REGISTRY, ID_RESTORE_REGISTRY,
                 IDC_SECTIONS_LABEL}) {
    texts.push_back(WindowText(GetDlgItem(window.Handle(), id)));
  }
  for (const std::string& node : window.TreeView().Texts()) texts.push_back(node);
  for (const std::string& column : ListColumnCaptions(window.ListView().Handle())) {
    texts.push_back(column);
  }
  HMENU bar = GetMenu(window.Handle());
  for (int menu = 0; menu < GetMenuItemCount(bar); ++menu) {
    HMENU popup = GetSubMenu(bar, menu);
    // The Language menu lists the languages whose files lie beside the program as it opens.
    SendMessageW(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), menu);
    for (int item = -1; item < GetMenuItemCount(popup); ++item) {
      wchar_t caption[256] = {};
      GetMenuStringW(item < 0 ? bar : popup, item < 0 ? menu : item, caption, 256, MF_BYPOSITION);
      const std::string text = Utf8(caption);
      // Separators have no text, shortcuts are never translated.
      if (!text.empty()) texts.push_back(text.substr(0, text.find('\t')));
    }
  }
  for (int panel : {0, 1}) {
    const std::string status = StatusText(GetDlgItem(window.Handle(), IDC_STATUS_BAR), panel);
    texts.push_back(status.substr(status.find(' ', 1) + 1));
  }
  return texts;
}

// What a language's file says for the main window's component whose English text this is; the
// Language menu names every language in its own tongue, whichever is in force.
std::string TranslationOf(const std::string& language, const std::string& english) {
  Win32ProfileStore profiles;
  for (const std::string& named : ProgramLanguages()) {
    if (profiles.ReadString(LanguageFilePath(kFolder, named), "Language", "Name", "") == english) {
      return english;
    }
  }
  const std::string englishFile = LanguageFilePath(kFolder, "English");
  for (const char* section : {"frmKelvane", "Menu_frmKelvane", "ResourceString"}) {
    for (const std::string& key : profiles.KeyNames(englishFile, section)) {
      if (profiles.ReadString(englishFile, section, key, "") != english) continue;
      return profiles.ReadString(LanguageFilePath(kFolder, language), section, key, "");
    }
  }
  return "(not in " + englishFile + ")";
}

// From one language straight to the next, so no text of the one before may stay.
TEST_F(MainWindowTest, EveryLanguageShowsEveryTextAsItsFileSaysAndEnglishComesBack) {
  ASSERT_TRUE(CopyLanguageFiles());
  const std::vector<std::string> english = ShownTexts(*window_);
  const std::vector<std::string> languages = ProgramLanguages();
  ASSERT_GE(languages.size(), 7u);
  for (const std::string& language : languages) {
    ChooseLanguage(language);
    ASSERT_EQ(window_->CurrentSettings().languageName, language);
    const std::vector<std::string> shown = ShownTexts(*window_);
    ASSERT_EQ(shown.size(), english.size());
    for (std::size_t index = 0; index < english.size(); ++index) {
      EXPECT_EQ(shown[index], TranslationOf(language, english[index]))
          << language << ": " << english[index];
    }
  }
  ChooseLanguage("English");
  EXPECT_EQ(ShownTexts(*window_), english);
}

TEST_F(MainWindowTest, AStaleFileIsToldOfAndWhatItLacksIsEnglishNotThePreviousLanguage) {
  ASSERT_TRUE(CopyLanguageFiles());
  ChooseLanguage("German");
  // The French file of an earlier version, from before the tasks heading was translated.
  const std::string path = LanguageFilePath(kFolder, "French");
  std::string french = ReadFile(path);
  const std::string version = "Version=" + std::to_string(kLanguageFileVersion);
  french.replace(french.find(version), version.size(), "Version=0");
  const std::size_t tasks = french.find("lTasks=");
  french.erase(tasks, french.find("\r\n", tasks) + 2 - tasks);
  WriteFile(path, french);
  std::string told;
  {
    DialogScript script({[&](HWND box) {
      told = WindowText(GetDlgItem(box, kMessageBoxTextId));
      PostClick(box, IDOK);
    }});
    ChooseLanguage("French");
    EXPECT_TRUE(script.Done()) << script.Progress();
  }
  EXPECT_NE(told.find(path), std::string::npos) << told;
  EXPECT_EQ(WindowText(Child(IDC_TASKS_LABEL)), "Tasks");
  EXPECT_EQ(WindowText(Child(ID_SCAN_REGISTRY)), "Analyser le Registre");
}

TEST_F(MainWindowTest, ConfirmedOptionsApplyToTheNextScanAndReachTheFileAtTheEnd) {
  Load(std::string("[") + kTestKey + "]\r\n\"D\"=\"D:\\\\KelvaneGone\\\\d.exe\"\r\n");
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  // D: is a CD drive, not judged until the options say so.
  EXPECT_EQ(MarkedKeys().size(), 3u);
  {
    DialogScript script({[](HWND options) {
      SetDlgItemTextA(options, IDC_OPTIONS_FOLDER, kFolder);
      Click(options, IDC_OPTIONS_CD_DRIVE);
      PostClick(options, IDOK);
    }});
    Command(ID_OPTIONS);
    EXPECT_TRUE(script.Done()) << script.Progress();
  }
  Command(ID_SCAN_REGISTRY);
  EXPECT_EQ(MarkedKeys().size(), 4u);
  EXPECT_EQ(MarkedKeys().back(), std::string(kTestKey) + "\\D");

  SendMessageW(window_->Handle(), WM_CLOSE, 0, 0);
  const std::string file = std::string(kFolder) + "options.ini";
  char value[MAX_PATH] = {};
  GetPrivateProfileStringA("Options", "IncludeCDdrive", "", value, sizeof(value), file.c_str());
  EXPECT_STREQ(value, "1");
  GetPrivateProfileStringA("Options", "OutputDirectory", "", value, sizeof(value), file.c_str());
  EXPECT_STREQ(value, kFolder);
}

TEST_F(MainWindowTest, TheMenuOpensTheStartupManager) {
  std::string caption;
  DialogScript script({[&](HWND startup) {
    caption = WindowText(startup);
    PostClick(startup, IDCANCEL);
  }});
  Command(ID_STARTUP_MANAGER);
  EXPECT_EQ(caption, "Startup Manager");
}

TEST_F(MainWindowTest, ClosingSavesTheTicksInTheSettingsFile) {
  TickOnlyCurrentUser();
  SendMessageW(window_->Handle(), WM_CLOSE, 0, 0);
  char value[8] = {};
  const std::string file = std::string(kFolder) + "options.ini";
  GetPrivateProfileStringA("TreeViewNodeCheck", "4", "", value, sizeof(value), file.c_str());
  EXPECT_STREQ(value, "1");
  GetPrivateProfileStringA("TreeViewNodeCheck", "3", "", value, sizeof(value), file.c_str());
  EXPECT_STREQ(value, "0");
}

}  // namespace
}  // namespace kelvane
