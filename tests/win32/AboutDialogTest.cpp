// The about window and the pictures it draws, under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "global/win32/Dpi.h"
#include "global/win32/JpegPicture.h"
#include "main/win32/AboutDialog.h"
#include "main/win32/AboutDialogIds.h"
#include "platform/win32/Win32ProfileStore.h"
#include "resources/resource.h"
#include "tests/win32/DialogSearch.h"

namespace kelvane {
namespace {

// The resource's bytes, to damage copies of a real picture.
std::vector<unsigned char> ResourceBytes(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  return std::vector<unsigned char>(data, data + SizeofResource(module, found));
}

// What the open about window showed, read by a thread timer while it is modal.
struct Seen {
  std::string caption;
  std::string version;
  SIZE banner = {};
  bool hasIcon = false;
};
Seen g_seen;
bool g_clickLink = false;

void CALLBACK ReadAndPressOk(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindThreadDialog();
  if (!dialog) return;
  KillTimer(nullptr, timer);
  g_seen.caption = WindowText(dialog);
  g_seen.version = WindowText(GetDlgItem(dialog, IDC_ABOUT_VERSION));
  RECT banner;
  GetClientRect(GetDlgItem(dialog, IDC_ABOUT_BANNER), &banner);
  g_seen.banner = {banner.right, banner.bottom};
  g_seen.hasIcon = SendMessageW(GetDlgItem(dialog, IDC_ABOUT_ICON), STM_GETICON, 0, 0) != 0;
  if (g_clickLink) {
    HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

// A scratch folder that stands for the program folder, with its language files.
class AboutWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "KelvaneAboutTest\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    g_seen = Seen{};
    g_clickLink = false;
  }
  void TearDown() override {
    DeleteFileA(LanguageFilePath(folder_, "German").c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  INT_PTR Show(const std::string& languageName) {
    language_ = languageName;
    Language language(profiles_, folder_, language_);
    AboutDialog window(language, language_, [this] { ++linkClicks_; });
    EXPECT_FALSE(window.Banner().Empty());
    EXPECT_EQ(window.Banner().Width(), 360);
    EXPECT_EQ(window.Banner().Height(), 50);
    SetTimer(nullptr, 0, 20, &ReadAndPressOk);
    return window.ShowModal(nullptr);
  }

  Win32ProfileStore profiles_;
  std::string folder_;
  std::string language_;
  int linkClicks_ = 0;
};

TEST_F(AboutWindow, ShowsItsBannerAtFullSizeAndClosesWithOk) {
  g_clickLink = true;
  EXPECT_EQ(Show("English"), IDOK);
  EXPECT_EQ(g_seen.caption, "About Tessaly Kelvane");
  EXPECT_EQ(g_seen.version, "Version: 2.6   Build 20100127");
  // Decoded at the scale of the display.
  EXPECT_EQ(g_seen.banner.cx, Scale(360, SystemDpi()));
  EXPECT_EQ(g_seen.banner.cy, Scale(50, SystemDpi()));
  // Up to 200 % the banner is decoded from a source at least as large as it shows.
  const JpegPicture large =
      JpegPicture::FromResource(GetModuleHandleW(nullptr), IDR_ABOUT_BANNER_LARGE);
  EXPECT_EQ(large.Width(), 720);
  EXPECT_EQ(large.Height(), 100);
  EXPECT_TRUE(g_seen.hasIcon);
  EXPECT_EQ(linkClicks_, 1);
}

TEST_F(AboutWindow, IsTranslatedWhenTheLanguageIsNotEnglish) {
  std::ofstream(LanguageFilePath(folder_, "German"), std::ios::binary)
      << "[frmAbout]\r\nfrmAbout=Info zu Tessaly Kelvane\r\n"
         "Label2=Version: 2.6   Erstellung 20100127\r\n";
  EXPECT_EQ(Show("German"), IDOK);
  EXPECT_EQ(g_seen.caption, "Info zu Tessaly Kelvane");
  EXPECT_EQ(g_seen.version, "Version: 2.6   Erstellung 20100127");
}

TEST(JpegPicture, DecodesAResourceWithItsColoursInPlace) {
  const JpegPicture band = JpegPicture::FromResource(GetModuleHandleW(nullptr), IDR_TITLE_BAND);
  ASSERT_FALSE(band.Empty());
  EXPECT_EQ(band.Width(), 1200);
  EXPECT_EQ(band.Height(), 50);
  // The band is blue throughout: red and blue swapped would show at once.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, band.Bitmap());
  for (const int x : {0, 600, 1199}) {
    const COLORREF colour = GetPixel(dc, x, 25);
    EXPECT_GT(GetBValue(colour), GetRValue(colour) + 40) << x;
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
}

TEST(JpegPicture, DamagedOrMissingDataGivesAnEmptyPicture) {
  const std::vector<unsigned char> whole = ResourceBytes(IDR_ABOUT_BANNER);
  ASSERT_GT(whole.size(), 1000u);

  const std::string notAPicture = "GIF89a this is no JPEG at all";
  EXPECT_TRUE(JpegPicture::FromMemory(notAPicture.data(), notAPicture.size()).Empty());

  const std::vector<unsigned char> truncated(whole.begin(), whole.begin() + whole.size() / 2);
  EXPECT_TRUE(JpegPicture::FromMemory(truncated.data(), truncated.size()).Empty());

  // A marker where the image data should be: libjpeg only warns of it, and is stopped.
  std::vector<unsigned char> scrambled = whole;
  for (std::size_t at = whole.size() / 2; at < whole.size() / 2 + 64; at += 2) {
    scrambled[at] = 0xFF;
    scrambled[at + 1] = 0xD0 + at % 8;
  }
  const JpegPicture damaged = JpegPicture::FromMemory(scrambled.data(), scrambled.size());
  EXPECT_TRUE(damaged.Empty());
  EXPECT_EQ(damaged.Width(), 0);

  EXPECT_TRUE(JpegPicture::FromMemory(nullptr, 0).Empty());
  EXPECT_TRUE(JpegPicture::FromResource(GetModuleHandleW(nullptr), 0x7FFF).Empty());

  // The whole picture still decodes, so the cases above failed for their damage alone.
  EXPECT_FALSE(JpegPicture::FromMemory(whole.data(), whole.size()).Empty());
}

}  // namespace
}  // namespace kelvane
