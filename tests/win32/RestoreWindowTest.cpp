// The restore window and the process progress window, driven through their controls under
// Wine, with the real registry editor.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "backup/BackupRecord.h"
#include "backup/win32/RestoreDialog.h"
#include "backup/win32/RestoreDialogIds.h"
#include "editor/win32/ProcessProgressDialog.h"
#include "editor/win32/ProcessProgressDialogIds.h"
#include "platform/RegistryAccess.h"
#include "platform/RegistryEditor.h"
#include "platform/RegistryView64.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "repair/Repair.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/SavedShortcut.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/WindowSteps.h"

namespace kelvane {
namespace {

using Lines = std::vector<std::string>;
using testsupport::RegistrySnapshot;

constexpr char kTestKey[] = "Software\\KelvaneRestoreTest";
// The folder dialog's tree.
constexpr int kFolderTree = 0x3741;

HWND RestoreWindowHandle() { return FindThreadDialogWith(IDC_RESTORE_LIST); }
HWND ProgressWindowHandle() { return FindThreadDialogWith(IDC_PROCESS_PROGRESS_BAR); }
HWND MessageBoxHandle() { return FindThreadDialogWith(kMessageBoxTextId); }

// Each row's cells joined by '|', the first columns only.
Lines Rows(HWND window, int columns = 3) {
  HWND list = GetDlgItem(window, IDC_RESTORE_LIST);
  Lines rows;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    std::string text;
    for (int column = 0; column < columns; ++column) {
      wchar_t cell[MAX_PATH] = {};
      ListView_GetItemText(list, row, column, cell, MAX_PATH);
      text += (column ? "|" : "") + Utf8(cell);
    }
    rows.push_back(text);
  }
  return rows;
}

int Selected(HWND window) {
  return ListView_GetNextItem(GetDlgItem(window, IDC_RESTORE_LIST), -1, LVNI_SELECTED);
}

void SelectAndPress(HWND window, int row, int button) {
  ListView_SetItemState(GetDlgItem(window, IDC_RESTORE_LIST), row, LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  Press(window, button);
}

// Answers a message box, Yes where it asks; its text and whether No was its default go to seen.
bool AnswerBox(std::vector<std::string>& seen, bool yes = true) {
  HWND box = MessageBoxHandle();
  if (!box) return false;
  const bool question = GetDlgItem(box, IDYES) != nullptr;
  const bool noIsDefault =
      (GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
  seen.push_back((question && !noIsDefault ? "(Yes default) " : "") +
                 WindowText(GetDlgItem(box, kMessageBoxTextId)));
  Press(box, question ? (yes ? IDYES : IDNO) : IDOK);
  return true;
}

// The dead shortcut's row repaired on its own: the file is backed up, then deleted.
void RepairShortcut(RowRepairer& repairer, const std::string& path) {
  ProblemRecord row;
  row.key = path;
  row.repairKind = RepairKind::ShortcutFile;
  repairer.Queue(row, 0);
  repairer.Finish();
}

bool ActionsEnabled(HWND window) {
  return IsWindowEnabled(GetDlgItem(window, IDC_RESTORE_RESTORE)) ||
         IsWindowEnabled(GetDlgItem(window, IDC_RESTORE_DELETE));
}

// A file of the size whose last write was at the local time.
void MakeFile(const std::string& path, std::size_t size, const SYSTEMTIME& localTime) {
  testsupport::WriteRawFile(path, std::string(size, ';'));
  FILETIME local;
  FILETIME utc;
  SystemTimeToFileTime(&localTime, &local);
  LocalFileTimeToFileTime(&local, &utc);
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  SetFileTime(file, nullptr, nullptr, &utc);
  CloseHandle(file);
}

std::string DateText(const SYSTEMTIME& time, bool withTime) {
  char date[64] = {};
  char clock[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof(date));
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof(clock));
  return withTime ? std::string(date) + " " + clock : date;
}

class RestoreWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_.backupFolder = folder_.Path();
    settings_.languageName = "English";
    DeleteTestKeys();
  }
  void TearDown() override { DeleteTestKeys(); }

  void DeleteTestKeys() {
    for (const RootKey root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
      RegistryAccess access(registry_);
      access.SetRootKey(root);
      access.DeleteKey(kTestKey);
    }
  }
  RegistrySnapshot Snapshot(RootKey root) {
    return testsupport::TakeSnapshot(registry_, root, kTestKey);
  }

  // Shows the window until the steps close it.
  void Show(std::vector<WindowStep> steps) {
    steps_.Set(std::move(steps));
    RestoreDialog window(context_, settings_);
    window.ShowModal(nullptr);
    EXPECT_EQ(steps_.Left(), 0u) << "steps did not happen";
  }

  // Restores the row (the first by default), answering every question as told and OK to every
  // message, and closes the window; what the boxes said and the rows left go to messages_ and
  // rows_.
  void RestoreFirstRow(bool yes = true, int row = 0) {
    messages_.clear();
    Show({[row] {
            HWND window = RestoreWindowHandle();
            if (!window || static_cast<int>(Rows(window).size()) <= row) return false;
            SelectAndPress(window, row, IDC_RESTORE_RESTORE);
            return true;
          },
          [this, yes] {
            if (AnswerBox(messages_, yes)) return false;
            HWND window = RestoreWindowHandle();
            if (ProgressWindowHandle() || !window || !IsWindowEnabled(window)) return false;
            rows_ = Rows(window, 6);
            Press(window, IDCANCEL);
            return true;
          }});
  }

  testsupport::ScratchFolder folder_;
  Win32Registry registry_;
  Win32FileSystem files_;
  Win32System system_;
  Win32ProcessStarter processes_;
  Win32ProfileStore profiles_;
  Settings settings_;
  Language language_{profiles_, folder_.Path(), settings_.languageName};
  EditorContext context_{registry_, files_, system_, processes_, language_};
  WindowSteps steps_;
  std::string message_;
  Lines messages_;
  Lines rows_;
};

TEST_F(RestoreWindow, ListsTheFolderBrowsedToAndDeleteSelectsTheRowInItsPlaceOrTheLast) {
  // The folder dialog shows no hidden folder, so not the one of the scratch folder either.
  const std::string browsed = "C:\\kelvane-tests\\restore-browse";
  std::filesystem::remove_all(browsed);
  std::filesystem::create_directories(browsed + "\\x.reg");
  const SYSTEMTIME midnight = {2010, 1, 3, 27, 0, 0, 0, 0};
  const SYSTEMTIME afternoon = {2009, 12, 4, 3, 14, 5, 58, 0};
  MakeFile(browsed + "\\a.reg", 2048001, afternoon);
  MakeFile(browsed + "\\B.REG", 999, midnight);
  MakeFile(browsed + "\\c.Reg", 0, afternoon);
  MakeFile(browsed + "\\d.txt", 5, afternoon);
  settings_.backupFolder = folder_.PathOf("missing");
  bool emptyAndDisabled = false;
  bool centred = false;
  Lines rows;
  using Seen = std::tuple<Lines, int, bool>;  // names, selected row, actions enabled
  std::vector<Seen> seen;
  const auto deleteRow = [&](int row) -> WindowStep {
    return [&, row] {
      HWND window = RestoreWindowHandle();
      if (rows.empty()) rows = Rows(window);
      SelectAndPress(window, row, IDC_RESTORE_DELETE);
      return true;
    };
  };
  Lines questions;
  const auto answer = [&](bool yes) -> WindowStep {
    return [&, yes] { return AnswerBox(questions, yes); };
  };
  const WindowStep record = [&] {
    HWND window = RestoreWindowHandle();
    seen.emplace_back(Rows(window, 1), Selected(window), ActionsEnabled(window));
    return true;
  };
  Show({[&] {
          HWND box = MessageBoxHandle();
          if (!box) return false;
          message_ = WindowText(GetDlgItem(box, kMessageBoxTextId));
          Press(box, IDOK);
          return true;
        },
        [&] {
          HWND window = RestoreWindowHandle();
          if (!window || MessageBoxHandle() || !IsWindowEnabled(window)) return false;
          emptyAndDisabled = Rows(window).empty() && !ActionsEnabled(window);
          Press(window, IDC_RESTORE_BROWSE);
          return true;
        },
        [&] {
          // The tree fills as the dialog opens: the folder is asked for until it is selected.
          HWND browse = FindThreadDialogWith(kFolderTree);
          if (!browse) return false;
          RECT place;
          RECT client;
          GetWindowRect(browse, &place);
          GetClientRect(browse, &client);
          centred = place.left == (GetSystemMetrics(SM_CXSCREEN) - client.right) / 2;
          SendMessageW(browse, BFFM_SETSELECTIONW, TRUE,
                       reinterpret_cast<LPARAM>(Wide(browsed).c_str()));
          HWND tree = GetDlgItem(browse, kFolderTree);
          if (TreeItemText(tree, TreeView_GetSelection(tree)) != "restore-browse") return false;
          Press(browse, IDOK);
          return true;
        },
        [&] {
          HWND window = RestoreWindowHandle();
          return window && IsWindowEnabled(window) && !Rows(window).empty();
        },
        deleteRow(2), answer(false), record, deleteRow(2), answer(true), record, deleteRow(0),
        answer(true), record, deleteRow(0), answer(true), record, [] {
          Press(RestoreWindowHandle(), IDCANCEL);
          return true;
        }});
  EXPECT_EQ(message_, "The backup directory does not exist.");
  EXPECT_TRUE(emptyAndDisabled);
  EXPECT_TRUE(centred);
  EXPECT_EQ(rows, (Lines{"c.Reg|" + DateText(afternoon, true) + "|0 KB",
                         "B.REG|" + DateText(midnight, false) + "|1 KB",
                         "a.reg|" + DateText(afternoon, true) + "|2,001 KB"}));
  EXPECT_EQ(seen, (std::vector<Seen>{{{"c.Reg", "B.REG", "a.reg"}, 2, true},
                                     {{"c.Reg", "B.REG"}, 1, true},
                                     {{"B.REG"}, 0, true},
                                     {{}, -1, false}}));
  ASSERT_EQ(questions.size(), 4u);
  EXPECT_EQ(questions[0], "Delete this backup file? The repair it holds can no longer be undone "
                          "then.\r\n\r\na.reg");
  EXPECT_EQ(GetFileAttributesA((browsed + "\\a.reg").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(settings_.backupFolder, folder_.PathOf("missing"));
  std::filesystem::remove_all(browsed);
}

// A run that repairs keys of both views of 64-bit Windows: one file, restored into each view.
TEST_F(RestoreWindow, ABackupOfBothViewsComesBackIntoEach) {
  if (!system_.IsWow64()) GTEST_SKIP() << "one view only";
  RegistryView64 view64(registry_);
  testsupport::PutEveryValueType(registry_, kHkeyLocalMachine, kTestKey);
  testsupport::PutValue(view64, kHkeyLocalMachine, kTestKey, "view",
                        testsupport::Raw(RegType::Sz, std::string("64", 3)));
  const auto both = [&] {
    return std::make_pair(Snapshot(kHkeyLocalMachine),
                          testsupport::TakeSnapshot(view64, kHkeyLocalMachine, kTestKey));
  };
  const auto before = both();
  const std::string name = "Backup20100305090703.reg";
  {
    RowRepairer repairer(registry_, files_, folder_.PathOf(name), {}, true);
    ASSERT_TRUE(repairer.DeleteKeyWithBackup("HKEY_LOCAL_MACHINE", kTestKey));
    ASSERT_TRUE(repairer.DeleteKeyWithBackup("HKEY_LOCAL_MACHINE (64-bit)", kTestKey));
  }
  ASSERT_EQ(both(), decltype(before){});
  const std::string written = testsupport::ReadRawFile(folder_.PathOf(name));
  ASSERT_TRUE(StoreBackupRecord(registry_, name, RecordOf(name, written)));
  RestoreFirstRow();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].rfind("Entries of the backup file that are back in the registry: ", 0),
            0u);
  EXPECT_EQ(both(), before);
  RegistryAccess cleanup(view64);
  cleanup.SetRootKey(kHkeyLocalMachine);
  cleanup.DeleteKey(kTestKey);
}

TEST_F(RestoreWindow, ARepairsBackupComesBackIntoTheProgramsViewAndGoesOnlyWhenAllCame) {
  testsupport::PutEveryValueType(registry_, kHkeyLocalMachine, kTestKey);
  testsupport::PutEveryValueType(registry_, kHkeyCurrentUser, kTestKey);
  // Wine's registry editor ends this one with a NUL it does not have.
  testsupport::PutValue(registry_, kHkeyCurrentUser, kTestKey, "No NUL",
                        testsupport::Raw(RegType::Sz, "abc"));
  const RegistrySnapshot machine = Snapshot(kHkeyLocalMachine);
  RegistrySnapshot user = Snapshot(kHkeyCurrentUser);
  user.at("").at("No NUL").data.push_back(0);
  const std::string backup = folder_.PathOf("Backup20100305090702.reg");
  // A dead shortcut the repair deletes comes back byte for byte.
  std::filesystem::create_directories(folder_.PathOf("Menu"));
  const std::string shortcut = folder_.PathOf("Menu\\Old App.lnk");
  ASSERT_TRUE(testsupport::SaveShortcut(shortcut, "C:\\KelvaneGone\\old.exe"));
  const std::string shortcutBytes = testsupport::ReadRawFile(shortcut);
  RowRepairer repairer(registry_, files_, backup);
  ASSERT_TRUE(repairer.DeleteKeyWithBackup("HKEY_LOCAL_MACHINE", kTestKey));
  ASSERT_TRUE(repairer.DeleteKeyWithBackup("HKEY_CURRENT_USER", kTestKey));
  RepairShortcut(repairer, shortcut);
  ASSERT_EQ(GetFileAttributesA(shortcut.c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string written = testsupport::ReadRawFile(backup);
  const std::string name = "Backup20100305090702.reg";
  ASSERT_TRUE(StoreBackupRecord(registry_, name, RecordOf(name, written)));
  // Back as they were, in the view the program reads and only there.
  const auto expectRestored = [&] {
    EXPECT_EQ(Snapshot(kHkeyLocalMachine), machine);
    EXPECT_EQ(Snapshot(kHkeyCurrentUser), user);
    HKEY other = nullptr;
    if (system_.IsWow64()) {
      EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, KEY_READ | KEY_WOW64_64KEY, &other),
                ERROR_SUCCESS);
    }
  };

  settings_.deleteBackupAfterRestore = false;
  RestoreFirstRow();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].rfind("Entries of the backup file that are back in the registry: ", 0),
            0u);
  EXPECT_EQ(messages_[0].substr(messages_[0].size() - 26), "\r\nThe backup file is kept.");
  ASSERT_EQ(rows_.size(), 1u);
  EXPECT_EQ(rows_[0].substr(rows_[0].size() - 1), "|") << "no mark on the program's own file";
  EXPECT_EQ(testsupport::ReadRawFile(shortcut), shortcutBytes);
  expectRestored();

  // A key name longer than the registry takes: the editor goes past it and still ends with 0.
  DeleteTestKeys();
  const std::string tooLong =
      "HKEY_CURRENT_USER\\" + std::string(kTestKey) + "\\" + std::string(300, 'K');
  std::ofstream(backup, std::ios::binary | std::ios::app)
      << "\r\n[" << tooLong << "]\r\n\"v\"=\"x\"\r\n";
  settings_.deleteBackupAfterRestore = true;
  RestoreFirstRow();
  // A changed file is restored only on Yes, and kept whatever came back.
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[0].rfind("This backup file was changed since the program wrote it.", 0), 0u);
  const std::string incomplete = messages_[1];
  // Both entries, each shortened to its two ends, as many letters as the screen has room for at
  // its scale.
  const std::string head = "Entries of the backup file that are not back in the registry: 2\r\n"
                           "The backup file is kept.\r\n\r\n[";
  ASSERT_EQ(incomplete.rfind(head, 0), 0u) << incomplete;
  const std::size_t cut = incomplete.find("...", head.size());
  ASSERT_NE(cut, std::string::npos) << incomplete;
  EXPECT_GE(cut - head.size(), 30u) << incomplete;
  EXPECT_EQ(tooLong.rfind(incomplete.substr(head.size(), cut - head.size()), 0), 0u) << incomplete;
  EXPECT_EQ(incomplete.substr(incomplete.size() - 9), "KKKK] \"v\"");
  ASSERT_EQ(rows_.size(), 1u);
  EXPECT_EQ(rows_[0].substr(rows_[0].size() - 22), "|changed since written");
  expectRestored();

  DeleteTestKeys();
  testsupport::WriteRawFile(backup, written);
  RestoreFirstRow();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].substr(messages_[0].size() - 29), "\r\nThe backup file is deleted.");
  EXPECT_TRUE(rows_.empty());
  EXPECT_FALSE(LoadBackupRecord(registry_, name).has_value());
  EXPECT_EQ(GetFileAttributesA(backup.c_str()), INVALID_FILE_ATTRIBUTES);
  expectRestored();
}

// A file the program did not write, placed where its backups are: marked, and imported only on
// Yes, after the user saw what it deletes before what it writes; never deleted afterwards.
// What REGEDIT4 cannot hold went into the run's Unicode file: listed beside the other as the
// program's own, each imported and checked on its own.
TEST_F(RestoreWindow, ARunsUnicodeFileIsListedBesideItsOtherAndEachComesBack) {
  const std::string scripts = std::string(kTestKey) + "\\Scripts";
  const std::string western = std::string(kTestKey) + "\\Western";
  testsupport::PutEveryScript(registry_, kHkeyCurrentUser, scripts);
  testsupport::PutEveryValueType(registry_, kHkeyCurrentUser, western);
  const RegistrySnapshot user = Snapshot(kHkeyCurrentUser);
  const std::string menu = folder_.PathOf("\u041c\u0435\u043d\u044e \u65e5\u672c");
  files_.CreateDirectory(menu);
  const std::string shortcut = menu + "\\Old \U0001F600.lnk";
  ASSERT_TRUE(testsupport::SaveShortcut(shortcut, "C:\\KelvaneGone\\old.exe"));
  const std::optional<std::string> shortcutBytes = files_.ReadFileEnd(shortcut, 1 << 20);
  ASSERT_TRUE(shortcutBytes);

  const std::string backup = folder_.PathOf("Backup20100305090702.reg");
  RowRepairer repairer(registry_, files_, backup);
  ASSERT_TRUE(repairer.DeleteKeyWithBackup("HKEY_CURRENT_USER", scripts));
  ASSERT_TRUE(repairer.DeleteKeyWithBackup("HKEY_CURRENT_USER", western));
  RepairShortcut(repairer, shortcut);
  ASSERT_FALSE(files_.FileExists(shortcut));
  for (const std::string name : {"Backup20100305090702.reg", "Backup20100305090702-Unicode.reg"}) {
    const std::string written = testsupport::ReadRawFile(folder_.PathOf(name));
    ASSERT_TRUE(StoreBackupRecord(registry_, name, RecordOf(name, written)));
  }

  settings_.deleteBackupAfterRestore = true;
  RestoreFirstRow(true, 1);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].substr(messages_[0].size() - 29), "\r\nThe backup file is deleted.");
  ASSERT_EQ(rows_.size(), 1u);
  EXPECT_EQ(rows_[0].rfind("Backup20100305090702.reg|", 0), 0u) << rows_[0];
  EXPECT_EQ(rows_[0].back(), '|') << "no mark on the program's own file";
  EXPECT_EQ(files_.ReadFileEnd(shortcut, 1 << 20), shortcutBytes);
  EXPECT_EQ(Snapshot(kHkeyCurrentUser).count("Western"), 0u);

  RestoreFirstRow();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(rows_.empty());
  EXPECT_EQ(Snapshot(kHkeyCurrentUser), user);
}

TEST_F(RestoreWindow, APlantedFileIsMarkedAndImportedOnlyOnYesAfterItsRemovals) {
  const std::string victim = std::string(kTestKey) + "\\Victim";
  const std::string evil = "HKEY_LOCAL_MACHINE\\" + std::string(kTestKey) + "\\Evil";
  testsupport::PutValue(registry_, kHkeyLocalMachine, victim, "v", testsupport::TextValue("x"));
  testsupport::WriteRawFile(folder_.PathOf("Backup29991231235959.reg"),
                            "REGEDIT4\r\n\r\n[" + evil + "]\r\n\"e\"=\"1\"\r\n\r\n"
                            "[-HKEY_LOCAL_MACHINE\\" + victim + "]\r\n\r\n");
  const RegistrySnapshot before = Snapshot(kHkeyLocalMachine);
  settings_.deleteBackupAfterRestore = true;

  RestoreFirstRow(false);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0],
            "The program did not write this backup file.\r\n\r\n"
            "Importing it deletes these keys and values: 1\r\n[-HKEY_LOCAL_MACHINE\\" + victim +
                "]\r\n\r\nImporting it writes these keys and values: 2\r\n[" + evil + "]\r\n[" +
                evil + "] \"e\"\r\n\r\nImport it all the same?");
  ASSERT_EQ(rows_.size(), 1u);
  EXPECT_EQ(rows_[0].substr(rows_[0].size() - 27), "|not written by the program");
  EXPECT_EQ(Snapshot(kHkeyLocalMachine), before);

  RestoreFirstRow(true);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1], "Entries of the backup file that are back in the registry: 2\r\n"
                          "The backup file is kept.");
  EXPECT_EQ(rows_.size(), 1u);
  const RegistrySnapshot after = Snapshot(kHkeyLocalMachine);
  EXPECT_EQ(after.count("Victim"), 0u);
  EXPECT_EQ(after.count("Evil"), 1u);
}

// Stop ends the process, the close box leaves it running, and a process that has ended closes
// the window at the first tick.
TEST_F(RestoreWindow, TheProgressWindowFollowsTheEditorsProcess) {
  constexpr int kValues = 150000;
  std::string large = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(kTestKey) + "]\r\n";
  for (int value = 0; value < kValues; ++value) {
    large += "\"" + std::to_string(value) + "\"=\"x\"\r\n";
  }
  testsupport::WriteRawFile(folder_.PathOf("large.reg"), large);
  testsupport::WriteRawFile(folder_.PathOf("empty.reg"), "REGEDIT4\r\n");
  const RegistryEditor editor = FindRegistryEditor(system_, files_);
  int furthest = 0;
  std::string hint;
  const auto show = [&](StartedProcess& process, int ticks, UINT message, int id) {
    furthest = 0;
    steps_.Set({[&, ticks, message, id, tick = 0]() mutable {
      HWND window = ProgressWindowHandle();
      if (!window) return false;
      HWND bar = GetDlgItem(window, IDC_PROCESS_PROGRESS_BAR);
      furthest = std::max(furthest, static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)));
      hint = WindowText(GetDlgItem(window, IDC_PROCESS_PROGRESS_HINT));
      if (++tick < ticks) return false;
      PostMessageW(message == BM_CLICK ? GetDlgItem(window, id) : window, message, 0, 0);
      return true;
    }});
    ProcessProgressDialog window(language_, settings_.languageName, process, "Restore registry...");
    return window.ShowModal(nullptr);
  };
  const auto endsWithin = [](StartedProcess& process, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds && !process.HasEnded(); waited += 50) Sleep(50);
    return process.HasEnded();
  };

  const std::unique_ptr<StartedProcess> stopped =
      processes_.StartHidden(ImportCommandLine(editor, folder_.PathOf("large.reg")));
  ASSERT_TRUE(stopped);
  EXPECT_EQ(show(*stopped, 30, BM_CLICK, IDC_PROCESS_PROGRESS_STOP), IDCANCEL);
  EXPECT_TRUE(endsWithin(*stopped, 5000));
  EXPECT_GT(furthest, 0);
  EXPECT_EQ(hint, "Restore registry...");
  RegistryAccess access(registry_);
  ASSERT_TRUE(access.OpenKey(kTestKey, false));
  EXPECT_LT(access.ValueNames().size(), static_cast<std::size_t>(kValues));

  const std::unique_ptr<StartedProcess> left =
      processes_.StartHidden(ImportCommandLine(editor, folder_.PathOf("large.reg")));
  EXPECT_EQ(show(*left, 10, WM_CLOSE, 0), IDCANCEL);
  EXPECT_FALSE(left->HasEnded());
  left->Terminate();
  EXPECT_TRUE(endsWithin(*left, 5000));

  const std::unique_ptr<StartedProcess> ended =
      processes_.StartHidden(ImportCommandLine(editor, folder_.PathOf("empty.reg")));
  ASSERT_TRUE(ended && endsWithin(*ended, 10000));
  EXPECT_EQ(show(*ended, 1000, WM_CLOSE, 0), IDOK);
  EXPECT_EQ(furthest, 0);
}

}  // namespace
}  // namespace kelvane
