// Every window in a language: the main window at its smallest before and after a scan, and each
// window it and the options window open; each text whole, no control over another. The languages
// are those whose files lie beside the runner, or those KELVANE_FIT_LANGUAGES names
// ("German,Pseudo").
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "backup/win32/RestoreDialogIds.h"
#include "main/win32/AboutDialogIds.h"
#include "options/win32/IgnoreEntryDialogIds.h"
#include "options/win32/OptionsDialogIds.h"
#include "repair/win32/RepairProgressDialogIds.h"
#include "repair/win32/RepairSummaryDialogIds.h"
#include "scan/win32/ScanProgressDialogIds.h"
#include "startup/win32/StartupManagerDialogIds.h"
#include "tests/win32/DialogScript.h"
#include "tests/win32/DialogSearch.h"
#include "tests/win32/FitCheck.h"
#include "tests/win32/MainWindowFixture.h"

namespace kelvane {
namespace {

constexpr char kRunnerFolder[] = "C:\\kelvane-tests\\";

std::vector<std::string> FitLanguages() {
  std::vector<std::string> languages;
  if (const char* named = std::getenv("KELVANE_FIT_LANGUAGES")) {
    std::stringstream list(named);
    for (std::string language; std::getline(list, language, ',');) languages.push_back(language);
    return languages;
  }
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((std::string(kRunnerFolder) + "Lan_*.ini").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return languages;
  do {
    const std::string file = found.cFileName;
    languages.push_back(file.substr(4, file.size() - 8));
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(languages.begin(), languages.end());
  return languages;
}

// Each dialog of the thread is checked as it comes to the front, however briefly it shows; but
// message boxes, which the system lays out, and only once shown.
struct Seen {
  fitcheck::Checker* checker = nullptr;
  std::set<HWND> dialogs;
  std::set<int> controls;  // of the dialogs checked, to tell which were
};
Seen g_seen;

LRESULT CALLBACK CheckWhenActivated(int code, WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && g_seen.checker && fitcheck::IsClass(window, "#32770") &&
      !GetDlgItem(window, kMessageBoxTextId) && g_seen.dialogs.insert(window).second) {
    g_seen.checker->Window(window);
    for (HWND control = GetWindow(window, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
      g_seen.controls.insert(GetDlgCtrlID(control));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Agrees to what the repair asks and closes its summary.
void CALLBACK AnswerRepair(HWND, UINT, UINT_PTR timer, DWORD) {
  static HWND answered = nullptr;
  HWND dialog = FindThreadDialog();
  if (!dialog || !IsWindowEnabled(dialog) || dialog == answered) return;
  if (GetDlgItem(dialog, IDC_REPAIR_SUMMARY_COUNT)) {
    KillTimer(nullptr, timer);
    PostMessageW(dialog, WM_COMMAND, IDNO, 0);
  } else if (GetDlgItem(dialog, IDYES)) {
    answered = dialog;
    PostMessageW(dialog, WM_COMMAND, IDYES, 0);
  } else if (!GetDlgItem(dialog, IDC_REPAIR_PROGRESS_STOP)) {
    answered = dialog;
    PostMessageW(dialog, WM_COMMAND, GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK, 0);
  }
}

// The startup manager translates itself only when it lists an entry.
constexpr char kStartupKey[] =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";

class FitTest : public MainWindowTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Load(std::string(kStartupKey) + "\"KelvaneFitTest\"=\"C:\\\\KelvaneGone\\\\fit.exe\"\r\n");
    g_seen = Seen();
    g_seen.checker = &checker_;
    hook_ = SetWindowsHookExA(WH_CBT, &CheckWhenActivated, nullptr, GetCurrentThreadId());
  }
  void TearDown() override {
    UnhookWindowsHookEx(hook_);
    g_seen = Seen{};
    Load(std::string(kStartupKey) + "\"KelvaneFitTest\"=-\r\n");
    MainWindowTest::TearDown();
    DeleteFileA(LanguageFilePath(kFolder, GetParam()).c_str());
  }

  // The main window anew, in the language of the test.
  void OpenInLanguage() {
    window_.reset();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ASSERT_TRUE(CopyFileA(LanguageFilePath(kRunnerFolder, GetParam()).c_str(),
                          LanguageFilePath(kFolder, GetParam()).c_str(), FALSE))
        << "no " << LanguageFilePath(kRunnerFolder, GetParam());
    WriteFile(std::string(kFolder) + "options.ini", "[Options]\r\nLan=" + GetParam() + "\r\n");
    window_ = std::make_unique<MainWindow>(kFolder, false);
    ASSERT_TRUE(window_->Create());
    window_->Show();
  }

  void CheckAtSmallest() {
    SetWindowPos(window_->Handle(), nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOMOVE);
    checker_.Window(window_->Handle());
  }

  // Opens a window by its command; the hook checks it and every other shown on the way (a
  // message), the step is taken on it, and all are closed.
  void Open(int command, int control, std::function<void(HWND)> step = {}) {
    g_step = [control, step](HWND dialog) {
      if (GetDlgItem(dialog, control) && step) step(dialog);
      PostClick(dialog, GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK);
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseFront);
    Command(command);
    KillTimer(nullptr, timer);
  }

  static void CALLBACK CloseFront(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindThreadDialog();
    // A window closed waits for its loop to end.
    if (dialog && IsWindowEnabled(dialog) && dialog != g_closed) {
      g_closed = dialog;
      g_step(dialog);
    }
  }
  static inline std::function<void(HWND)> g_step;
  static inline HWND g_closed = nullptr;

  std::string Report() const {
    std::string report;
    for (const std::string& fault : checker_.Faults()) report += "\n  " + fault;
    return report;
  }

  fitcheck::Checker checker_{GetParam()};
  HHOOK hook_ = nullptr;
};

TEST_P(FitTest, EveryWindowShowsItsTextsWholeAndNoControlOverAnother) {
  OpenInLanguage();
  CheckAtSmallest();
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  CheckAtSmallest();
  Open(ID_OPTIONS, IDC_OPTIONS_PAGES, [this](HWND options) {
    HWND pages = GetDlgItem(options, IDC_OPTIONS_PAGES);
    for (int page = 1; page < TabCtrl_GetItemCount(pages); ++page) {
      SendMessageW(pages, WM_KEYDOWN, VK_RIGHT, 0);
      checker_.Window(options);
    }
    PostClick(options, IDC_OPTIONS_ADD);
  });
  Open(ID_RESTORE_REGISTRY, IDC_RESTORE_LIST);
  Open(ID_STARTUP_MANAGER, IDC_STARTUP_LIST);
  Open(ID_ABOUT, IDC_ABOUT_NAME);
  window_->Results().TickAll(true);
  SetTimer(nullptr, 0, 50, &AnswerRepair);
  Command(ID_REPAIR_REGISTRY);

  for (int control : {IDC_SCAN_STOP, IDC_OPTIONS_PAGES, IDC_IGNORE_ENTRY_TEXT, IDC_RESTORE_LIST,
                      IDC_STARTUP_LIST, IDC_ABOUT_NAME, IDC_REPAIR_SUMMARY_COUNT}) {
    EXPECT_EQ(g_seen.controls.count(control), 1u) << "no window with control " << control;
  }
  EXPECT_TRUE(checker_.Faults().empty()) << Report();
}

std::string TestName(const ::testing::TestParamInfo<std::string>& language) {
  std::string name = language.param;
  for (char& letter : name) {
    if (!std::isalnum(static_cast<unsigned char>(letter))) letter = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Languages, FitTest, ::testing::ValuesIn(FitLanguages()), &TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FitTest);

}  // namespace
}  // namespace kelvane
