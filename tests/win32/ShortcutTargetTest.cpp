// Shortcut targets are read in full Unicode and handed on only when the ANSI code page holds
// them exactly: a valid shortcut into a folder named in another script must not look missing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "tests/support/SavedShortcut.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

TEST(ShortcutTarget, TargetsInAnyScriptReadWithEveryCharacter) {
  testsupport::ScratchFolder scratch;
  const std::wstring folder = Wide(scratch.Path());
  const std::wstring cyrillic = folder + L"\x0422\x0435\x0441\x0442";
  const std::wstring accented = folder + L"Caf\x00e9";
  ASSERT_TRUE(CreateDirectoryW(cyrillic.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(accented.c_str(), nullptr));
  for (const std::wstring& target : {cyrillic + L"\\app.exe", accented + L"\\app.exe"}) {
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  ASSERT_TRUE(testsupport::SaveShortcut(folder + L"Valid.lnk", cyrillic + L"\\app.exe"));
  ASSERT_TRUE(testsupport::SaveShortcut(folder + L"Gone.lnk", cyrillic + L"\\gone.exe"));
  ASSERT_TRUE(testsupport::SaveShortcut(folder + L"Cafe.lnk", accented + L"\\app.exe"));

  Win32FileSystem files;
  const std::string test = scratch.Path() + "\u0422\u0435\u0441\u0442\\";
  EXPECT_EQ(files.GetShortcutTarget(scratch.Path() + "Valid.lnk"), test + "app.exe");
  EXPECT_EQ(files.GetShortcutTarget(scratch.Path() + "Gone.lnk"), test + "gone.exe");
  EXPECT_EQ(files.GetShortcutTarget(scratch.Path() + "Cafe.lnk"),
            scratch.Path() + "Caf\u00e9\\app.exe");
}

}  // namespace
}  // namespace kelvane
