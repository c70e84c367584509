// The restore window and the process progress window, driven through their controls under
// Wine, with the real registry editor.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "global/win32/DialogTexts.h"
#include "main/Repair.h"
#include "platform/RegistryAccess.h"
#include "platform/RegistryEditor.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "resources/resource.h"
#include "tests/support/RegistryValues.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/DialogSearch.h"
#include "tests/win32/WindowSteps.h"
#include "windows/win32/ProcessProgressDialog.h"
#include "windows/win32/RestoreDialog.h"

namespace kelvane {
namespace {

using Lines = std::vector<std::string>;
using testsupport::RegistrySnapshot;
using testsupport::TakeSnapshot;

constexpr char kTestKey[] = "Software\\KelvaneRestoreTest";

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
      char cell[MAX_PATH] = {};
      ListView_GetItemText(list, row, column, cell, sizeof(cell));
      text += (column ? "|" : "") + std::string(cell);
    }
    rows.push_back(text);
  }
  return rows;
}

int Selected(HWND window) {
  return ListView_GetNextItem(GetDlgItem(window, IDC_RESTORE_LIST), -1, LVNI_SELECTED);
}

void Select(HWND window, int row) {
  ListView_SetItemState(GetDlgItem(window, IDC_RESTORE_LIST), row, LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
}

bool ActionsEnabled(HWND window) {
  return IsWindowEnabled(GetDlgItem(window, IDC_RESTORE_RESTORE)) ||
         IsWindowEnabled(GetDlgItem(window, IDC_RESTORE_DELETE));
}

struct DialogSearch {
  HWND waiting;
  HWND found;
};

BOOL CALLBACK MatchOtherEnabledDialog(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<DialogSearch*>(parameter);
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (window == search.waiting || std::string(name) != "#32770" || !IsWindowVisible(window) ||
      !IsWindowEnabled(window)) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

// The dialog of the thread that is enabled while the given one waits for it.
HWND OtherEnabledDialog(HWND waiting) {
  DialogSearch search{waiting, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &MatchOtherEnabledDialog,
                    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

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
    settings_.OutputDirectory = folder_.Path();
    settings_.Lan = "English";
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
  RegistrySnapshot Snapshot(RootKey root) { return TakeSnapshot(registry_, root, kTestKey); }

  // Shows the window until the steps close it; a step left over failed to happen.
  void Show(std::vector<WindowStep> steps) {
    steps_.Set(std::move(steps));
    RestoreDialog window(context_, settings_);
    window.ShowModal(nullptr);
    EXPECT_EQ(steps_.Left(), 0u) << "steps did not happen";
  }

  // Selects the row, restores it, answers a message and waits for the window to be idle again.
  std::vector<WindowStep> RestoreSteps(int row, std::string& message) {
    return {[row] {
              HWND window = RestoreWindowHandle();
              if (!window || Rows(window).empty()) return false;
              Select(window, row);
              Press(window, IDC_RESTORE_RESTORE);
              return true;
            },
            [&message] {
              HWND box = MessageBoxHandle();
              if (box) {
                message = WindowText(GetDlgItem(box, kMessageBoxTextId));
                Press(box, IDOK);
              }
              HWND window = RestoreWindowHandle();
              return !box && !ProgressWindowHandle() && window && IsWindowEnabled(window);
            }};
  }

  testsupport::ScratchFolder folder_;
  Win32Registry registry_;
  Win32FileSystem files_;
  Win32System system_;
  Win32ProcessStarter processes_;
  Win32ProfileStore profiles_;
  Settings settings_;
  Language language_{profiles_, folder_.Path(), settings_.Lan};
  EditorContext context_{registry_, files_, system_, processes_, language_};
  WindowSteps steps_;
};

TEST_F(RestoreWindow, SaysWhenTheFolderIsMissingAndListsTheFolderBrowsedTo) {
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
  settings_.OutputDirectory = folder_.PathOf("missing");
  std::string message;
  bool emptyAndDisabled = false;
  bool centred = false;
  Lines rows;
  Show({[&] {
          HWND box = MessageBoxHandle();
          if (!box) return false;
          message = WindowText(GetDlgItem(box, kMessageBoxTextId));
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
          HWND browse = OtherEnabledDialog(RestoreWindowHandle());
          if (!browse) return false;
          RECT place;
          RECT client;
          GetWindowRect(browse, &place);
          GetClientRect(browse, &client);
          centred = place.left == (GetSystemMetrics(SM_CXSCREEN) - client.right) / 2;
          SendMessageA(browse, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(browsed.c_str()));
          Press(browse, IDOK);
          return true;
        },
        [&] {
          HWND window = RestoreWindowHandle();
          if (!window || !IsWindowEnabled(window) || Rows(window).empty()) return false;
          rows = Rows(window);
          Press(window, IDCANCEL);
          return true;
        }});
  EXPECT_EQ(message, "The backup directory does not exist.");
  EXPECT_TRUE(emptyAndDisabled);
  EXPECT_TRUE(centred);
  EXPECT_EQ(rows, (Lines{"c.Reg|" + DateText(afternoon, true) + "|0 KB",
                         "B.REG|" + DateText(midnight, false) + "|1 KB",
                         "a.reg|" + DateText(afternoon, true) + "|2,001 KB"}));
  EXPECT_EQ(settings_.OutputDirectory, folder_.PathOf("missing"));
  std::filesystem::remove_all(browsed);
}

TEST_F(RestoreWindow, DeleteRemovesTheFileAndSelectsTheRowInItsPlaceOrTheLast) {
  for (const char* name : {"1.reg", "2.reg", "3.reg"}) {
    testsupport::WriteRawFile(folder_.PathOf(name), "x");
  }
  std::vector<std::pair<Lines, int>> seen;
  bool disabledAtTheEnd = false;
  const auto deleteRow = [&](int row) {
    return [&, row] {
      HWND window = RestoreWindowHandle();
      if (!window || Rows(window).empty()) return false;
      Select(window, row);
      Press(window, IDC_RESTORE_DELETE);
      return true;
    };
  };
  const auto record = [&] {
    HWND window = RestoreWindowHandle();
    seen.push_back({Rows(window, 1), Selected(window)});
    return true;
  };
  Show({deleteRow(2), record, deleteRow(0), record, deleteRow(0), [&] {
          HWND window = RestoreWindowHandle();
          disabledAtTheEnd = Rows(window).empty() && Selected(window) == -1 && !ActionsEnabled(window);
          Press(window, IDCANCEL);
          return true;
        }});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].first, (Lines{"3.reg", "2.reg"}));
  EXPECT_EQ(seen[0].second, 1);
  EXPECT_EQ(seen[1], (std::pair<Lines, int>{{"2.reg"}, 0}));
  EXPECT_TRUE(disabledAtTheEnd);
  EXPECT_EQ(GetFileAttributesA(folder_.PathOf("1.reg").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A repair's backup of both test keys, as the repair writes it; the keys are gone then.
class RestoreOfARepair : public RestoreWindow {
 protected:
  void SetUp() override {
    RestoreWindow::SetUp();
    testsupport::PutEveryValueType(registry_, kHkeyLocalMachine, kTestKey);
    testsupport::PutEveryValueType(registry_, kHkeyCurrentUser, kTestKey);
    // Wine's registry editor ends this one with a NUL it does not have.
    testsupport::PutValue(registry_, kHkeyCurrentUser, kTestKey, "No NUL",
                          testsupport::Raw(RegType::Sz, "abc"));
    machine_ = Snapshot(kHkeyLocalMachine);
    user_ = Snapshot(kHkeyCurrentUser);
    user_.at("").at("No NUL").data.push_back(0);
    RowRepairer repairer(registry_, files_, backup_);
    ASSERT_TRUE(repairer.DeleteKeyWithBackup("HKEY_LOCAL_MACHINE", kTestKey));
    ASSERT_TRUE(repairer.DeleteKeyWithBackup("HKEY_CURRENT_USER", kTestKey));
    ASSERT_TRUE(Snapshot(kHkeyLocalMachine).empty());
  }

  // Whether the keys are back as they were, in the view the program reads and only there.
  void ExpectRestored() {
    EXPECT_EQ(Snapshot(kHkeyLocalMachine), machine_);
    EXPECT_EQ(Snapshot(kHkeyCurrentUser), user_);
    HKEY other = nullptr;
    if (system_.IsWow64()) {
      EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, KEY_READ | KEY_WOW64_64KEY, &other),
                ERROR_SUCCESS);
    }
  }

  const std::string backup_ = folder_.PathOf("Backup20100305090702.reg");
  RegistrySnapshot machine_;
  RegistrySnapshot user_;
};

TEST_F(RestoreOfARepair, BringsEveryValueBackAndDeletesTheFileOnlyWhenAskedTo) {
  settings_.DeleteBackupFile = false;
  std::string message;
  Lines rows;
  std::vector<WindowStep> steps = RestoreSteps(0, message);
  steps.push_back([&] {
    rows = Rows(RestoreWindowHandle(), 1);
    Press(RestoreWindowHandle(), IDCANCEL);
    return true;
  });
  Show(steps);
  EXPECT_EQ(message, "");
  EXPECT_EQ(rows, Lines{"Backup20100305090702.reg"});
  ExpectRestored();

  DeleteTestKeys();
  settings_.DeleteBackupFile = true;
  Show(steps);
  EXPECT_EQ(message, "");
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(GetFileAttributesA(backup_.c_str()), INVALID_FILE_ATTRIBUTES);
  ExpectRestored();
}

TEST_F(RestoreOfARepair, KeepsTheFileAndSaysWhatDidNotComeBack) {
  // A key name longer than the registry takes: the editor goes past it and still ends with 0.
  const std::string tooLong = std::string(kTestKey) + "\\" + std::string(300, 'K');
  std::ofstream(backup_, std::ios::binary | std::ios::app)
      << "\r\n[HKEY_CURRENT_USER\\" << tooLong << "]\r\n\"v\"=\"x\"\r\n";
  settings_.DeleteBackupFile = true;
  std::string message;
  Lines rows;
  std::vector<WindowStep> steps = RestoreSteps(0, message);
  steps.push_back([&] {
    rows = Rows(RestoreWindowHandle(), 1);
    Press(RestoreWindowHandle(), IDCANCEL);
    return true;
  });
  Show(steps);
  EXPECT_EQ(message, "Entries of the backup file that are not back in the registry: 2\r\n"
                     "The backup file is kept.\r\n\r\n[HKEY_CURRENT_USER\\" + tooLong +
                         "]\r\n[HKEY_CURRENT_USER\\" + tooLong + "] \"v\"");
  EXPECT_EQ(rows, Lines{"Backup20100305090702.reg"});
  EXPECT_NE(GetFileAttributesA(backup_.c_str()), INVALID_FILE_ATTRIBUTES);
  ExpectRestored();
}

// The registry editor importing a large file, as a process the progress window waits for.
class ProcessProgressWindow : public RestoreWindow {
 protected:
  std::unique_ptr<StartedProcess> StartLargeImport() {
    std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(kTestKey) + "]\r\n";
    for (int value = 0; value < kValues; ++value) {
      text += "\"Value " + std::to_string(value) + "\"=\"data\"\r\n";
    }
    testsupport::WriteRawFile(folder_.PathOf("large.reg"), text);
    return processes_.StartHidden(
        ImportCommandLine(FindRegistryEditor(system_, files_), folder_.PathOf("large.reg")));
  }

  // Shows the window for the process; the step closes it after the given number of ticks.
  INT_PTR Show(StartedProcess& process, int ticks, std::function<void(HWND)> close) {
    steps_.Set({[&, ticks] {
      HWND window = ProgressWindowHandle();
      if (!window) return false;
      const int position = static_cast<int>(
          SendMessageA(GetDlgItem(window, IDC_PROCESS_PROGRESS_BAR), PBM_GETPOS, 0, 0));
      furthest_ = std::max(furthest_, position);
      hint_ = WindowText(GetDlgItem(window, IDC_PROCESS_PROGRESS_HINT));
      if (++ticks_ < ticks) return false;
      close(window);
      return true;
    }});
    ProcessProgressDialog window(language_, settings_.Lan, process, "Restore registry...");
    return window.ShowModal(nullptr);
  }

  static bool EndsWithin(StartedProcess& process, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds && !process.HasEnded(); waited += 50) Sleep(50);
    return process.HasEnded();
  }

  static constexpr int kValues = 150000;
  int ticks_ = 0;
  int furthest_ = 0;
  std::string hint_;
};

TEST_F(ProcessProgressWindow, StopEndsTheEditorAndTheCloseBoxLeavesItRunning) {
  const std::unique_ptr<StartedProcess> stopped = StartLargeImport();
  ASSERT_TRUE(stopped);
  EXPECT_EQ(Show(*stopped, 30, [](HWND window) { Press(window, IDC_PROCESS_PROGRESS_STOP); }),
            IDCANCEL);
  EXPECT_TRUE(EndsWithin(*stopped, 5000));
  EXPECT_GT(furthest_, 0);
  EXPECT_EQ(hint_, "Restore registry...");
  RegistryAccess access(registry_);
  ASSERT_TRUE(access.OpenKey(kTestKey, false));
  EXPECT_LT(access.ValueNames().size(), static_cast<std::size_t>(kValues));

  const std::unique_ptr<StartedProcess> left = StartLargeImport();
  ticks_ = 0;
  EXPECT_EQ(Show(*left, 10, [](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }), IDCANCEL);
  EXPECT_FALSE(left->HasEnded());
  left->Terminate();
  EXPECT_TRUE(EndsWithin(*left, 5000));
}

TEST_F(ProcessProgressWindow, AProcessThatEndedClosesItAtTheFirstTickWithTheBarAtZero) {
  testsupport::WriteRawFile(folder_.PathOf("small.reg"), "REGEDIT4\r\n");
  const std::unique_ptr<StartedProcess> quick = processes_.StartHidden(
      ImportCommandLine(FindRegistryEditor(system_, files_), folder_.PathOf("small.reg")));
  ASSERT_TRUE(quick && EndsWithin(*quick, 10000));
  EXPECT_EQ(Show(*quick, 1000, [](HWND) {}), IDOK);
  EXPECT_EQ(furthest_, 0);
}

}  // namespace
}  // namespace kelvane
