// The dialog base on a dialog of the test's own: it translates what the dialog declares, between
// OnInit and OnTranslated, and hands messages to their handlers.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "global/Localization.h"
#include "global/win32/ModalDialog.h"
#include "options/win32/IgnoreEntryDialogIds.h"
#include "platform/win32/Win32ProfileStore.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/DialogScript.h"

namespace kelvane {
namespace {

constexpr UINT kProbeMessage = WM_APP + 99;
// Not a control of the dialog, whose own controls notify as well.
constexpr int kProbeControl = 77;

// Declares its texts and calls nothing; records what reaches each handler from the test.
class ProbeDialog : public ModalDialog {
 public:
  ProbeDialog(const Language& language, std::string currentLanguage)
      : language_(language), currentLanguage_(std::move(currentLanguage)) {}
  INT_PTR Show() { return DoModal(nullptr, IDD_IGNORE_ENTRY); }

  std::vector<std::string> seen;

 private:
  void OnInit() override { seen.push_back("init " + WindowText(Item(IDOK))); }
  DialogTranslation Translation() const override {
    return {language_, currentLanguage_, "frmRegAddRegistry", {{"bOK", IDOK}}};
  }
  void OnTranslated() override { seen.push_back("translated " + WindowText(Item(IDOK))); }
  void OnCommand(int id, int /*code*/, HWND /*control*/) override {
    if (id != IDCANCEL) return;
    seen.push_back("cancel");
    End(IDCANCEL);
  }
  bool OnNotify(const NMHDR& header) override {
    if (header.idFrom != kProbeControl) return false;
    seen.push_back("notify " + std::to_string(header.code));
    return true;
  }
  void OnTimer(UINT_PTR timer) override { seen.push_back("timer " + std::to_string(timer)); }
  bool OnPrivateMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
    seen.push_back("private " + std::to_string(message - WM_APP) + " " + std::to_string(wParam));
    return true;
  }

  const Language& language_;
  std::string currentLanguage_;
};

class DialogBase : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::WriteRawFile(LanguageFilePath(folder_.Path(), "German"),
                              "[frmRegAddRegistry]\r\nfrmRegAddRegistry=Ausnahme\r\nbOK=&Gut\r\n");
  }

  // Runs the step on the open dialog, then closes it with the close box.
  std::vector<std::string> Show(const std::string& languageName,
                                const DialogScript::Step& step) {
    Language language(profiles_, folder_.Path(), languageName);
    ProbeDialog dialog(language, languageName);
    DialogScript script({[&](HWND window) {
      step(window);
      PostMessageW(window, WM_CLOSE, 0, 0);
    }});
    EXPECT_EQ(dialog.Show(), IDCANCEL);
    EXPECT_TRUE(script.Done()) << script.Progress();
    return dialog.seen;
  }

  testsupport::ScratchFolder folder_;
  Win32ProfileStore profiles_;
};

TEST_F(DialogBase, TranslatesWhatTheDialogDeclaresBetweenInitAndTranslated) {
  std::string caption;
  const std::vector<std::string> seen =
      Show("German", [&](HWND window) { caption = WindowText(window); });
  EXPECT_EQ(caption, "Ausnahme");
  // The close box is left to the dialog manager, which presses Cancel.
  EXPECT_EQ(seen, (std::vector<std::string>{"init &OK", "translated &Gut", "cancel"}));
}

TEST_F(DialogBase, RoutesNotificationsTimersAndPrivateMessagesToTheirHandlers) {
  const std::vector<std::string> seen = Show("English", [](HWND window) {
    SendMessageW(window, kProbeMessage, 5, 0);
    NMHDR header = {window, kProbeControl, 3};
    SendMessageW(window, WM_NOTIFY, kProbeControl, reinterpret_cast<LPARAM>(&header));
    SendMessageW(window, WM_TIMER, 7, 0);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"init &OK", "translated &OK", "private 99 5",
                                            "notify 3", "timer 7", "cancel"}));
}

}  // namespace
}  // namespace kelvane
