// The restore-point window with stand-in requests and with the system's own, under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <iostream>
#include <memory>
#include <string>

#include "global/Localization.h"
#include "platform/win32/Win32ProfileStore.h"
#include "repair/win32/RestorePointDialog.h"
#include "repair/win32/RestorePointDialogIds.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/DialogSearch.h"

namespace kelvane {
namespace {

// What a thread timer saw of the open window and did to it.
struct Seen {
  int questions = 0;
  std::string question;
  std::string questionCaption;
  bool noIsDefault = false;
  std::string windowCaption;
  std::string task;
  int progressMaximum = 0;
  bool hasSystemMenu = true;
};
Seen g_seen;
int g_answer = IDYES;  // to the question
bool g_closeWhileWaiting = false;

// The question's caption is the product name; the window's is not.
HWND FindQuestion() {
  return FindThreadDialog("Tessaly Kelvane");
}

// Answers every question; with g_closeWhileWaiting, reads the window and closes it.
void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = FindQuestion()) {
    ++g_seen.questions;
    g_seen.question = WindowText(GetDlgItem(box, kMessageBoxTextId));
    g_seen.questionCaption = WindowText(box);
    g_seen.windowCaption = WindowText(GetWindow(box, GW_OWNER));
    // Wine's question answers DM_GETDEFID with IDOK; the button's own style tells the truth.
    g_seen.noIsDefault =
        (GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    PostMessageW(GetDlgItem(box, g_answer), BM_CLICK, 0, 0);
    return;
  }
  if (!g_closeWhileWaiting) return;
  HWND window = FindWindowA("#32770", "Create System Point");
  if (!window || !IsWindowVisible(window)) return;
  g_closeWhileWaiting = false;
  g_seen.windowCaption = WindowText(window);
  g_seen.task = WindowText(GetDlgItem(window, IDC_RESTORE_POINT_TASK));
  g_seen.progressMaximum = static_cast<int>(
      SendMessageW(GetDlgItem(window, IDC_RESTORE_POINT_PROGRESS), PBM_GETRANGE, FALSE, 0));
  g_seen.hasSystemMenu = (GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) != 0;
  PostMessageW(window, WM_CLOSE, 0, 0);
}

// An event set when the last copy of the stand-in request is freed, that is when the worker
// that ran it has ended.
struct SignalWhenFreed {
  explicit SignalWhenFreed(HANDLE event) : event(event) {}
  ~SignalWhenFreed() { SetEvent(event); }
  HANDLE event;
};

class SystemPointWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen = Seen{};
    g_answer = IDYES;
    g_closeWhileWaiting = false;
    watch_ = SetTimer(nullptr, 0, 20, &Watch);
  }
  void TearDown() override { KillTimer(nullptr, watch_); }

  INT_PTR Show(RestorePointCall call) {
    Language language(profiles_, folder_.Path(), lan_);
    RestorePointDialog window(language, lan_, std::move(call));
    return window.ShowModal(nullptr);
  }
  INT_PTR ShowWithOutcome(RestorePointOutcome outcome) {
    return Show([outcome] { return outcome; });
  }

  testsupport::ScratchFolder folder_;
  Win32ProfileStore profiles_;
  std::string lan_ = "English";
  UINT_PTR watch_ = 0;
};

TEST_F(SystemPointWindow, ASuccessfulRequestGoesOnWithoutAQuestion) {
  EXPECT_EQ(ShowWithOutcome(RestorePointOutcome::Created), IDOK);
  EXPECT_EQ(g_seen.questions, 0);
}

TEST_F(SystemPointWindow, AFailedRequestAsksWhetherToGoOn) {
  g_answer = IDYES;
  EXPECT_EQ(ShowWithOutcome(RestorePointOutcome::Failed), IDOK);
  EXPECT_EQ(g_seen.questions, 1);
  EXPECT_EQ(g_seen.question, "Restore Point creation Failed! Contiue to repair?");
  EXPECT_EQ(g_seen.questionCaption, "Tessaly Kelvane");
  EXPECT_TRUE(g_seen.noIsDefault);

  // In German, the window and the question come from the language file; No abandons.
  testsupport::WriteRawFile(LanguageFilePath(folder_.Path(), "German"),
                            "[frmSystemPoint]\r\nfrmSystemPoint=Wiederherstellungspunkt\r\n"
                            "[ResourceString]\r\nRES_CreatePoint_Fail=Trotzdem reparieren?\r\n");
  lan_ = "German";
  g_seen = Seen{};
  g_answer = IDNO;
  EXPECT_EQ(ShowWithOutcome(RestorePointOutcome::Failed), IDCANCEL);
  EXPECT_EQ(g_seen.questions, 1);
  EXPECT_EQ(g_seen.question, "Trotzdem reparieren?");
  EXPECT_EQ(g_seen.windowCaption, "Wiederherstellungspunkt");
}

TEST_F(SystemPointWindow, ClosingWhileTheRequestRunsAbandonsTheRepairHarmlessly) {
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE workerEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  g_closeWhileWaiting = true;
  const INT_PTR result = Show([release, freed = std::make_shared<SignalWhenFreed>(workerEnded)] {
    WaitForSingleObject(release, INFINITE);
    return RestorePointOutcome::Failed;
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(g_seen.windowCaption, "Create System Point");
  EXPECT_EQ(g_seen.task, "Creating Restore Point");
  EXPECT_EQ(g_seen.progressMaximum, 100);
  EXPECT_FALSE(g_seen.hasSystemMenu);

  // The late failure reaches nobody: no notice is left, no question comes, and the next
  // window goes by its own outcome.
  SetEvent(release);
  ASSERT_EQ(WaitForSingleObject(workerEnded, 10000), WAIT_OBJECT_0);
  MSG late;
  EXPECT_FALSE(
      PeekMessageW(&late, nullptr, kRestorePointDoneMessage, kRestorePointDoneMessage, PM_REMOVE));
  EXPECT_EQ(ShowWithOutcome(RestorePointOutcome::Created), IDOK);
  EXPECT_EQ(g_seen.questions, 0);
  CloseHandle(release);
  CloseHandle(workerEnded);
}

// Whatever the system's System Restore does, the window ends; a failure asks first.
TEST_F(SystemPointWindow, TheSystemRequestEndsTheWindowEitherWay) {
  const RestorePointOutcome direct = CreateRestorePoint();
  std::cout << "System Restore request: "
            << (direct == RestorePointOutcome::Created ? "created" : "failed") << "\n";
  g_answer = IDYES;
  Language language(profiles_, folder_.Path(), lan_);
  RestorePointDialog window(language, lan_);
  EXPECT_EQ(window.ShowModal(nullptr), IDOK);
  EXPECT_EQ(g_seen.questions, direct == RestorePointOutcome::Failed ? 1 : 0);
}

}  // namespace
}  // namespace kelvane
