// What a language switch leaves in the main window: nothing drawn where it does not belong, and
// texts too long for their control cut, whole in a tip.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "global/win32/DialogTexts.h"
#include "platform/win32/WideText.h"
#include "tests/win32/MainWindowFixture.h"

namespace kelvane {
namespace {

// The pixels the screen shows of the control's client area.
std::vector<COLORREF> ShownPixels(HWND control) {
  RECT client;
  GetClientRect(control, &client);
  const WindowDc screen(control);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < client.bottom; y += 2) {
    for (int x = 0; x < client.right; x += 2) pixels.push_back(GetPixel(screen.get(), x, y));
  }
  return pixels;
}

TEST_F(MainWindowTest, AfterALanguageSwitchTheListShowsOnlyWhatItDraws) {
  ASSERT_TRUE(CopyLanguageFiles());
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  HWND list = window_->ListView().Handle();
  for (const char* language : {"German", "English"}) {
    ChooseLanguage(language);
    RedrawWindow(window_->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::vector<COLORREF> shown = ShownPixels(list);
    RedrawWindow(list, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(shown == ShownPixels(list)) << language;
  }
}

// The tip tools that show a control's caption whole.
struct TipSearch {
  HWND control = nullptr;
  std::string text;
  int tools = 0;
};

BOOL CALLBACK FindTip(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<TipSearch*>(parameter);
  char name[32] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
  // Wine's wide tool information copies the whole text, whatever the size given: room for the
  // longest text a language file holds.
  std::vector<wchar_t> text(4096);
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = GetParent(search.control);
  tool.uId = reinterpret_cast<UINT_PTR>(search.control);
  tool.lpszText = text.data();
  if (SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
    ++search.tools;
    SendMessageW(window, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    search.text = Utf8(text.data());
  }
  return TRUE;
}

TEST_F(MainWindowTest, ACaptionTooLongForAnyButtonIsCutAndWholeInItsTip) {
  ASSERT_TRUE(CopyLanguageFiles());
  // German, with a Scan button's caption of a megabyte.
  const std::string file = LanguageFilePath(kFolder, "German");
  std::string text = ReadFile(file);
  const std::string key = "bScanRegistry=";
  const std::size_t start = text.find(key) + key.size();
  const std::string caption = "Start" + std::string(1 << 20, 'W');
  text.replace(start, text.find("\r\n", start) - start, caption);
  WriteFile(file, text);
  ChooseLanguage("German");
  HWND scan = Child(ID_SCAN_REGISTRY);
  const RECT button = ChildRect(scan);
  EXPECT_LE(button.right, ChildRect(Child(IDC_RESULTS_LIST)).left);
  const std::string shown = WindowText(scan);
  EXPECT_EQ(shown.substr(0, 6), "StartW");
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
  TipSearch tip;
  tip.control = scan;
  EnumThreadWindows(GetCurrentThreadId(), &FindTip, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(tip.tools, 1);
  EXPECT_EQ(tip.text.substr(0, 10), caption.substr(0, 10));
  // Back in English, the caption fits again and its tip is gone.
  ChooseLanguage("English");
  EXPECT_EQ(WindowText(scan), "Scan registry issue");
  tip = TipSearch();
  tip.control = scan;
  EnumThreadWindows(GetCurrentThreadId(), &FindTip, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(tip.tools, 0);
}

}  // namespace
}  // namespace kelvane
