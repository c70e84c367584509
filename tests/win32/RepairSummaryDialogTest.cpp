// The summary window after a repair, driven by a thread timer under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "global/Localization.h"
#include "global/Settings.h"
#include "platform/win32/Win32ProfileStore.h"
#include "repair/win32/RepairSummaryDialog.h"
#include "repair/win32/RepairSummaryDialogIds.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/DialogSearch.h"

namespace kelvane {
namespace {

// What the open window showed, and ShowHint after each click of the box.
struct Seen {
  std::string caption;
  std::string count;
  std::string secondLine;
  std::string close;
  bool tickedAtFirst = true;
  bool showHintAfterTick = true;
  bool showHintAfterUntick = false;
};
Seen g_seen;
Settings* g_settings = nullptr;
bool g_useCloseBox = false;

void CALLBACK ReadClickAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND window = FindWindowA("#32770", nullptr);
  if (!window || !IsWindowVisible(window)) return;
  KillTimer(nullptr, timer);
  g_seen.caption = WindowText(window);
  g_seen.count = WindowText(GetDlgItem(window, IDC_REPAIR_SUMMARY_COUNT));
  g_seen.secondLine = WindowText(GetDlgItem(window, IDC_REPAIR_SUMMARY_LINE1));
  g_seen.close = WindowText(GetDlgItem(window, IDNO));
  HWND box = GetDlgItem(window, IDC_REPAIR_SUMMARY_NOT_SHOW);
  g_seen.tickedAtFirst = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  SendMessageW(box, BM_CLICK, 0, 0);
  g_seen.showHintAfterTick = g_settings->showRepairSummary;
  SendMessageW(box, BM_CLICK, 0, 0);
  g_seen.showHintAfterUntick = g_settings->showRepairSummary;
  if (g_useCloseBox) {
    PostMessageW(window, WM_CLOSE, 0, 0);
  } else {
    PostMessageW(GetDlgItem(window, IDNO), BM_CLICK, 0, 0);
  }
}

class SummaryWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen = Seen{};
    g_settings = &settings_;
    g_useCloseBox = false;
    settings_.showRepairSummary = true;
  }

  INT_PTR Show(int problems) {
    Language language(profiles_, folder_.Path(), lan_);
    RepairSummaryDialog window(language, lan_, settings_, problems, 0);
    SetTimer(nullptr, 0, 20, &ReadClickAndClose);
    return window.ShowModal(nullptr);
  }

  testsupport::ScratchFolder folder_;
  Win32ProfileStore profiles_;
  std::string lan_ = "English";
  Settings settings_;
};

TEST_F(SummaryWindow, CountsTheProblemsAndItsBoxSwitchesItselfOff) {
  EXPECT_EQ(Show(12), IDNO);
  EXPECT_EQ(g_seen.caption, "Tessaly Kelvane");
  EXPECT_EQ(g_seen.count, "There are total 12 problems to be repaired.");
  EXPECT_FALSE(g_seen.tickedAtFirst);
  EXPECT_FALSE(g_seen.showHintAfterTick);
  EXPECT_TRUE(g_seen.showHintAfterUntick);
  EXPECT_TRUE(settings_.showRepairSummary);
}

TEST_F(SummaryWindow, IsTranslatedBeforeTheCountIsSet) {
  testsupport::WriteRawFile(LanguageFilePath(folder_.Path(), "German"),
                            "[frmShowHint]\r\nLabel1=Reparatur erfolgreich!\r\n"
                            "Label2=Hinweis\r\nbCancel=&Schliessen\r\n"
                            "[ResourceString]\r\nRES_ThereTotal=Insgesamt wurden\r\n"
                            "RES_RepairProblems=Probleme repariert.\r\n");
  lan_ = "German";
  g_useCloseBox = true;
  EXPECT_EQ(Show(3), IDNO);
  EXPECT_EQ(g_seen.caption, "Tessaly Kelvane");
  EXPECT_EQ(g_seen.count, "Insgesamt wurden 3 Probleme repariert.");
  // The comment's lines make one paragraph: a line the file lacks stays English.
  EXPECT_EQ(g_seen.secondLine.rfind("Hinweis or be locked by the system", 0), 0u)
      << g_seen.secondLine;
  EXPECT_EQ(g_seen.close, "&Schliessen");
}

}  // namespace
}  // namespace kelvane
