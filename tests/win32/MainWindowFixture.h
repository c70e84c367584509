// What the main window's tests share: the window over a test key of the live registry, under
// Wine, driven by its messages.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "main/LanguageMenu.h"
#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"
#include "platform/RegFile.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Registry.h"
#include "tests/win32/ProgramLanguages.h"

namespace kelvane {

inline const char kTestKey[] = "HKEY_CURRENT_USER\\Software\\KelvaneMainTest";
inline const char kFolder[] = "C:\\kelvane-tests\\main-window\\";
inline constexpr int kCurrentUserNode = 3;
inline constexpr int kRootNode = 0;

// Where a child control stands in its parent's client area.
inline RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

inline std::string StatusText(HWND status, int panel) {
  wchar_t buffer[256] = {};
  SendMessageW(status, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(buffer));
  return Utf8(buffer);
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadFile(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA("C:\\kelvane-tests", nullptr);
    CreateDirectoryA(kFolder, nullptr);
    DeleteFileA((std::string(kFolder) + "options.ini").c_str());
    Load(std::string("[-") + kTestKey + "]\r\n[" + kTestKey + "]\r\n"
         "\"A\"=\"C:\\\\KelvaneGone\\\\a.exe\"\r\n\"B\"=\"C:\\\\KelvaneGone\\\\b.exe\"\r\n"
         "\"C\"=\"C:\\\\KelvaneGone\\\\c.exe\"\r\n");
    window_ = std::make_unique<MainWindow>(kFolder, false);
    ASSERT_TRUE(window_->Create());
    window_->Show();
  }
  void TearDown() override {
    window_.reset();
    // The closed window asked the thread to quit; the next test's modal loops must not see it.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Load(std::string("[-") + kTestKey + "]\r\n");
    for (const std::string& language : ProgramLanguages()) {
      DeleteFileA(LanguageFilePath(kFolder, language).c_str());
    }
  }
  void Load(const std::string& text) { ApplyRegFile(registry_, ParseRegFile("REGEDIT4\r\n" + text)); }

  HWND Child(int id) const { return GetDlgItem(window_->Handle(), id); }

  // The program's language files in the program folder.
  static bool CopyLanguageFiles() { return CopyProgramLanguages(kFolder); }
  // Chooses the language's item in the Language menu.
  void ChooseLanguage(const std::string& language) {
    const auto& items = LanguageMenuItems();
    for (std::size_t index = 0; index < items.size(); ++index) {
      if (LanguageNameOf(items[index]) == language) {
        Command(ID_LANGUAGE_FIRST + static_cast<int>(index));
      }
    }
  }
  void Command(int id) { SendMessageW(window_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  // A press on a node's tick, as the mouse does it.
  void PressTick(int node) {
    const RECT tick = window_->TreeView().TickRect(node);
    const LPARAM point = MAKELPARAM((tick.left + tick.right) / 2, (tick.top + tick.bottom) / 2);
    SendMessageW(window_->TreeView().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(window_->TreeView().Handle(), WM_LBUTTONUP, 0, point);
  }

  // Only HKEY_CURRENT_USER of the files and folders is ticked.
  void TickOnlyCurrentUser() {
    PressTick(kRootNode);
    PressTick(kCurrentUserNode);
  }

  std::vector<std::string> MarkedKeys() {
    std::vector<std::string> keys;
    for (const ResultRow& row : window_->Results().Rows()) {
      if (row.record.key.find("KelvaneMainTest") != std::string::npos) keys.push_back(row.record.key);
    }
    return keys;
  }

  Win32Registry registry_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace kelvane
