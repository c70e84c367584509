// What a language switch leaves in the main window: nothing drawn where it does not belong, and
// texts too long for their control cut, whole in a tip.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace kelvane
