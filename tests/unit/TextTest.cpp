#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RegistryTypes.h"
#include "platform/Text.h"
#include "platform/WindowsVersion.h"

namespace kelvane {
namespace {

TEST(Text, Rot13TurnsLettersOnlyAndIsItsOwnInverse) {
  EXPECT_EQ(Rot13("HRZR_EHACNGU:P:\\Cebtenz Svyrf\\n.rkr"), "UEME_RUNPATH:C:\\Program Files\\a.exe");
  EXPECT_EQ(Rot13("Zz Aa 09 \xC4\xE4"), "Mm Nn 09 \xC4\xE4");
  const std::string text = "Any Text, with 123 and {braces}";
  EXPECT_EQ(Rot13(Rot13(text)), text);
}

TEST(Text, CaseFoldingTouchesAsciiLettersOnly) {
  EXPECT_EQ(UpperCaseAscii("hkey_Local\xe4z"), "HKEY_LOCAL\xe4Z");
  EXPECT_TRUE(SameTextAscii("Software\\Classes", "SOFTWARE\\classes"));
  EXPECT_FALSE(SameTextAscii("\xe4", "\xc4"));
}

TEST(Text, TrimsTakeOnlyBlankBytesOffTheEndsTheyName) {
  const std::string text = std::string(" \t\x01\0a \x1f b", 9) + "\r\n\x1a";
  EXPECT_EQ(Trim(text, IsSpaceOrControl), "a \x1f b");
  EXPECT_EQ(TrimLeft(text, IsSpaceOrControl), "a \x1f b\r\n\x1a");
  EXPECT_EQ(TrimRight(text, IsSpaceOrControl), std::string(" \t\x01\0a \x1f b", 9));
  // Bytes above the space, such as the no-break space, are text.
  EXPECT_EQ(Trim("\xa0\xff x \x80", IsSpaceOrControl), "\xa0\xff x \x80");
  EXPECT_EQ(Trim("\t\t", IsSpaceOrControl), "");
  const BlankTest spaceOnly = [](char c) { return c == ' '; };
  EXPECT_EQ(Trim(" \tx\t ", spaceOnly), "\tx\t");
}

TEST(Text, TooLongTextsKeepTheirTwoEndsAsFarAsTheyFit) {
  const auto atMost = [](std::size_t size) {
    return [size](const std::string& text) { return text.size() <= size; };
  };
  EXPECT_EQ(ShortenedInMiddle("C:\\abcdefgh\\x", atMost(14)), "C:\\abcdefgh\\x");
  EXPECT_EQ(ShortenedInMiddle("C:\\abcdefgh\\x", atMost(10)), "C:\\a...h\\x");
  EXPECT_EQ(ShortenedInMiddle("abc", atMost(2)), "...");
  // In pixels, where a wide letter costs more: the most that fits is kept.
  const auto pixels = [](const std::string& text) {
    return 3 * text.size() + 6 * std::count(text.begin(), text.end(), 'W') <= 45;
  };
  EXPECT_EQ(ShortenedInMiddle("WWWWabcdefghij", pixels), "WWW...hij");
  // Only a run too long for its line; spaces and line breaks stay.
  EXPECT_EQ(
      LongRunsShortened("Folder D:\\aaaaaaaaaaaaaaaa\\Backup is gone.\r\n  Create it?", atMost(12)),
      "Folder D:\\aa...ckup is gone.\r\n  Create it?");
}

TEST(RootKeys, NamesResolveInAnyCaseButAbbreviationsAndHiddenRootsDoNot) {
  EXPECT_EQ(RootKeyFromName("hkey_local_machine"), kHkeyLocalMachine);
  EXPECT_EQ(RootKeyFromName("HKEY_LOCAL_MACHINE"), kHkeyLocalMachine);
  EXPECT_EQ(RootKeyFromName("Hkey_Current_Config"), kHkeyCurrentConfig);
  EXPECT_FALSE(RootKeyFromName("HKLM").has_value());
  EXPECT_FALSE(RootKeyFromName("HKEY_DYN_DATA").has_value());
  EXPECT_FALSE(RootKeyFromName("HKEY_PERFORMANCE_DATA").has_value());
  EXPECT_EQ(RootKeyName(kHkeyDynData), "HKEY_DYN_DATA");
  EXPECT_EQ(RootKeyName(0x12345), "");
}

TEST(RootKeys, RawTypesMapToKindsWithIntegerAndBinarySwapped) {
  EXPECT_EQ(DataKindFromRawType(RegType::Sz), RegDataKind::String);
  EXPECT_EQ(DataKindFromRawType(RegType::ExpandSz), RegDataKind::ExpandString);
  EXPECT_EQ(DataKindFromRawType(RegType::Dword), RegDataKind::Integer);
  EXPECT_EQ(DataKindFromRawType(RegType::Binary), RegDataKind::Binary);
  for (std::uint32_t other : {0u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 0x1234u}) {
    EXPECT_EQ(DataKindFromRawType(other), RegDataKind::Unknown) << other;
  }
}

TEST(WindowsVersion, FollowsPlatformAndVersion) {
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Windows, 4, 0), WindowsVersion::Windows95);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Windows, 4, 10), WindowsVersion::Windows98);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Windows, 4, 90), WindowsVersion::WindowsMe);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Windows, 4, 50), WindowsVersion::Other);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 3, 51), WindowsVersion::WindowsNt3);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 4, 0), WindowsVersion::WindowsNt4);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 5, 0), WindowsVersion::Windows2000);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 5, 1), WindowsVersion::WindowsXp);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 5, 2), WindowsVersion::Other);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 6, 0), WindowsVersion::WindowsVista);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 6, 1), WindowsVersion::Windows7);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 6, 2), WindowsVersion::WindowsVista);
  EXPECT_EQ(WindowsVersionFor(kPlatformWin32Nt, 10, 0), WindowsVersion::Other);
}

}  // namespace
}  // namespace kelvane
