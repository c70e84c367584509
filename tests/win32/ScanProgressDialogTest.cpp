// The scan progress window driven by its messages, over the live registry under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/win32/Win32Registry.h"
#include "scan/win32/ScanProgressDialog.h"
#include "scan/win32/ScanProgressDialogIds.h"

namespace kelvane {
namespace {

const char kTestKey[] = "HKEY_CURRENT_USER\\Software\\KelvaneWindowTest";

// Counts the "task done" notices the window posts to the main window; the modal loop
// dispatches them here.
class NoticeWindow {
 public:
  NoticeWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &NoticeWindow::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = "KelvaneNoticeWindow";
    RegisterClassA(&windowClass);
    handle_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, windowClass.hInstance, nullptr);
  }
  ~NoticeWindow() { DestroyWindow(handle_); }
  HWND Handle() const { return handle_; }
  int TakeTaskDoneNotices() {
    MSG message;
    while (PeekMessageW(&message, handle_, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    const int count = notices_;
    notices_ = 0;
    return count;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kScanTaskDoneMessage) ++notices_;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  static int notices_;
  HWND handle_;
};

int NoticeWindow::notices_ = 0;

// What a thread timer does to the open progress window once a task is under way: its key
// line has left the designed text. Before the first task, closing is no stop.
UINT g_actionMessage = 0;
WPARAM g_actionParameter = 0;

void CALLBACK ActOnProgressWindow(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND window = FindWindowA(nullptr, "Scanning");
  char key[64] = {};
  if (!window || !GetDlgItemTextA(window, IDC_SCAN_KEY, key, sizeof(key)) ||
      std::string(key) == "Registry Key") {
    return;
  }
  KillTimer(nullptr, timer);
  PostMessageW(window, g_actionMessage, g_actionParameter, 0);
}

class ProgressWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Remove();
    ApplyRegFile(registry_, ParseRegFile(std::string("REGEDIT4\r\n[") + kTestKey +
                                         "]\r\n"
                                         "\"First\"=\"C:\\\\KelvaneGone\\\\first.exe\"\r\n"
                                         "\"Second\"=\"C:\\\\KelvaneGone\\\\second.exe\"\r\n"
                                         "\"Third\"=\"C:\\\\KelvaneGone\\\\third.exe\"\r\n"));
  }
  void TearDown() override { Remove(); }
  // Values naming missing files, Row1000 on, in the test key.
  void AddMissingFileValues(int count) {
    std::string regText = std::string("REGEDIT4\r\n[") + kTestKey + "]\r\n";
    for (int i = 1000; i < 1000 + count; ++i) {
      const std::string name = "Row" + std::to_string(i);
      regText += "\"" + name + "\"=\"C:\\\\KelvaneGone\\\\" + name + ".exe\"\r\n";
    }
    ApplyRegFile(registry_, ParseRegFile(regText));
  }
  void Remove() {
    ApplyRegFile(registry_, ParseRegFile(std::string("REGEDIT4\r\n[-") + kTestKey + "]\r\n"));
  }

  INT_PTR Show(const std::vector<ScanCategory>& tasks) {
    ScanRequest request;
    request.tasks = tasks;
    request.language = "English";
    request.notifyWindow = notices_.Handle();
    request.cleanOnce = cleanOnce_;
    request.onRows = [this](std::vector<ProblemRecord>& rows) {
      rows_.insert(rows_.end(), rows.begin(), rows.end());
      ++deliveries_;
    };
    ScanProgressDialog window(request);
    return window.ShowModal(nullptr);
  }

  std::vector<std::string> MarkedRows() const {
    std::vector<std::string> marked;
    for (const ProblemRecord& row : rows_) {
      if (row.key.find("KelvaneWindowTest") != std::string::npos) marked.push_back(row.key);
    }
    return marked;
  }

  Win32Registry registry_;
  NoticeWindow notices_;
  bool cleanOnce_ = false;
  std::vector<ProblemRecord> rows_;
  int deliveries_ = 0;
};

TEST_F(ProgressWindow, AFinishedScanClosesWithCancelAfterNotifyingEveryTask) {
  EXPECT_EQ(Show({ScanCategory::AllCategories, ScanCategory::FilesAndFolders,
                  ScanCategory::EmptyKeysUsers}),
            IDCANCEL);
  EXPECT_EQ(notices_.TakeTaskDoneNotices(), 3);
  EXPECT_TRUE(rows_.empty());
}

// Every window of the thread that is shown while an unattended scan runs.
bool g_progressShown = false;
LRESULT CALLBACK WatchForShownProgress(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED &&
      (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW) &&
      GetDlgItem(call->hwnd, IDC_SCAN_PROGRESS)) {
    g_progressShown = true;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ProgressWindow, AnUnattendedScanRunsWithItsWindowNeverShown) {
  g_progressShown = false;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, &WatchForShownProgress, nullptr,
                                 GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  cleanOnce_ = true;
  EXPECT_EQ(Show({ScanCategory::FilesAndFoldersCurrentUser}), IDCANCEL);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(MarkedRows().size(), 3u);
  EXPECT_FALSE(g_progressShown);
}

TEST_F(ProgressWindow, RowsArriveWholeAndInTheOrderFound) {
  EXPECT_EQ(Show({ScanCategory::FilesAndFoldersCurrentUser}), IDCANCEL);
  const std::string key = "HKEY_CURRENT_USER\\Software\\KelvaneWindowTest\\";
  EXPECT_EQ(MarkedRows(), (std::vector<std::string>{key + "First", key + "Second", key + "Third"}));
  for (const ProblemRecord& row : rows_) {
    EXPECT_EQ(row.problem, "Invalid File or Folder");
    EXPECT_EQ(row.repairKind, RepairKind::ValueInKeyText);
  }
}

TEST_F(ProgressWindow, ManyRowsArriveAllInOrderAFewBatchesAtATime) {
  AddMissingFileValues(2000);
  // In the order the registry lists the values.
  RegistryAccess key(registry_);
  key.SetRootKey(kHkeyCurrentUser);
  ASSERT_TRUE(key.OpenKey("Software\\KelvaneWindowTest", false));
  std::vector<std::string> expected;
  for (const std::string& name : key.ValueNames()) expected.push_back(kTestKey + ("\\" + name));
  ASSERT_EQ(expected.size(), 2003u);

  EXPECT_EQ(Show({ScanCategory::FilesAndFoldersCurrentUser}), IDCANCEL);
  EXPECT_EQ(MarkedRows(), expected);
  // Each hand-over costs the list a refresh.
  EXPECT_LT(deliveries_, static_cast<int>(expected.size()) / 10);
}

TEST_F(ProgressWindow, StopAndClosingDuringATaskAbortTheScan) {
  // Long enough that no busy machine finishes it before the stop arrives.
  AddMissingFileValues(2000);
  const std::vector<ScanCategory> longScan = {
      ScanCategory::FilesAndFoldersUsers,        ScanCategory::FilesAndFoldersCurrentUser,
      ScanCategory::FilesAndFoldersLocalMachine, ScanCategory::FilesAndFoldersUsers,
      ScanCategory::FilesAndFoldersCurrentUser,  ScanCategory::FilesAndFoldersLocalMachine,
      ScanCategory::FilesAndFoldersUsers,        ScanCategory::FilesAndFoldersCurrentUser,
      ScanCategory::FilesAndFoldersLocalMachine};
  for (const UINT message : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE)}) {
    rows_.clear();
    notices_.TakeTaskDoneNotices();
    g_actionMessage = message;
    g_actionParameter = message == WM_COMMAND ? MAKEWPARAM(IDC_SCAN_STOP, BN_CLICKED) : 0;
    SetTimer(nullptr, 0, 20, &ActOnProgressWindow);
    EXPECT_EQ(Show(longScan), IDABORT) << message;
    EXPECT_LT(notices_.TakeTaskDoneNotices(), static_cast<int>(longScan.size())) << message;
  }
}

}  // namespace
}  // namespace kelvane
