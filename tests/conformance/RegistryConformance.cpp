#include <gtest/gtest.h>

#include "tests/conformance/RegistryConformanceFixture.h"

namespace kelvane {
namespace {

TEST_F(RegistryConformance, RelativeOpensGoBelowTheCurrentKeyAndAbsoluteOnesStartAtTheRoot) {
  Load("[~\\Software\\Classes\\Software]\r\n[~\\Software\\Marker]\r\n");
  RegistryAccess& access = At("Software\\Classes");
  ASSERT_TRUE(access.OpenKey("Software", false));
  EXPECT_EQ(access.CurrentPath(), Path("Software\\Classes") + "\\Software");
  EXPECT_TRUE(access.SubkeyNames().empty());

  ASSERT_TRUE(access.OpenKey("\\" + Path("Software"), false));
  EXPECT_EQ(access.CurrentPath(), Path("Software"));
  EXPECT_EQ(access.SubkeyNames(), (std::vector<std::string>{"Classes", "Marker"}));

  // A failed open leaves the current key as it was.
  EXPECT_FALSE(access.OpenKey("Missing", false));
  EXPECT_EQ(access.CurrentPath(), Path("Software"));
  EXPECT_EQ(access.SubkeyNames().size(), 2u);

  // An empty path reopens the current key; with none open, the root.
  ASSERT_TRUE(access.OpenKey("", false));
  EXPECT_EQ(access.CurrentPath(), Path("Software"));
  access.CloseKey();
  EXPECT_FALSE(access.HasCurrentKey());
  ASSERT_TRUE(access.OpenKey("", false));
  EXPECT_EQ(access.CurrentPath(), "");
  EXPECT_TRUE(access.KeyExists("Software"));
}

TEST_F(RegistryConformance, CreateMakesEveryMissingKeyOfThePathAndOpenAloneDoesNot) {
  RegistryAccess& access = Scratch();
  EXPECT_FALSE(access.OpenKey("\\" + Path("A\\B\\C"), false));
  ASSERT_TRUE(access.OpenKey("\\" + Path("A\\B\\C"), true));
  EXPECT_EQ(access.CurrentPath(), Path("A\\B\\C"));
  ASSERT_TRUE(access.OpenKey("D", true));
  EXPECT_EQ(access.CurrentPath(), Path("A\\B\\C") + "\\D");
  EXPECT_TRUE(access.KeyExists("\\" + Path("a\\b\\c\\d")));
}

TEST_F(RegistryConformance, KeyExistsResolvesLikeOpenButKeepsTheCurrentKey) {
  Load("[~\\Outer\\Inner]\r\n");
  RegistryAccess& access = At("Outer");
  EXPECT_TRUE(access.KeyExists("Inner"));
  EXPECT_TRUE(access.KeyExists("INNER"));
  EXPECT_FALSE(access.KeyExists("Outer"));
  EXPECT_TRUE(access.KeyExists("\\" + Path("Outer")));
  EXPECT_FALSE(access.KeyExists("\\" + Path("Inner")));
  EXPECT_EQ(access.CurrentPath(), Path("Outer"));
}

TEST_F(RegistryConformance, ChangingTheRootClosesTheKeyButSettingTheSameRootDoesNot) {
  Load("[~\\K]\r\n");
  RegistryAccess& access = At("K");
  access.SetRootKey(kHkeyCurrentUser);
  EXPECT_TRUE(access.HasCurrentKey());
  access.SetRootKey(kHkeyLocalMachine);
  EXPECT_FALSE(access.HasCurrentKey());
  EXPECT_FALSE(access.KeyExists("\\" + Path("K")));
  access.SetRootKey(kHkeyCurrentUser);
  EXPECT_TRUE(access.KeyExists("\\" + Path("K")));
}

TEST_F(RegistryConformance, DeleteKeyRemovesTheWholeTreeAndReportsMissingKeys) {
  Load(
      "[~\\Keep]\r\n\"v\"=\"1\"\r\n"
      "[~\\Tree\\A\\B\\C\\D]\r\n\"deep\"=dword:00000001\r\n"
      "[~\\Tree\\A\\Sibling]\r\n[~\\Tree\\Z]\r\n\"z\"=hex:01\r\n");
  RegistryAccess& access = At("Keep");
  EXPECT_TRUE(access.DeleteKey("\\" + Path("Tree")));
  EXPECT_FALSE(access.KeyExists("\\" + Path("Tree")));
  EXPECT_EQ(access.CurrentPath(), Path("Keep"));
  EXPECT_EQ(access.ReadString("v"), "1");

  EXPECT_FALSE(access.DeleteKey("\\" + Path("Tree")));
  EXPECT_FALSE(access.DeleteKey("NoSuchChild"));
  EXPECT_TRUE(access.KeyExists("\\" + Path("Keep")));

  // Relative to the current key, as opens are.
  ASSERT_TRUE(access.OpenKey("\\" + Path(""), false));
  EXPECT_TRUE(access.DeleteKey("Keep"));
  EXPECT_TRUE(access.SubkeyNames().empty());
}

TEST_F(RegistryConformance, PathsLongerThan260CharactersOpenAndDelete) {
  std::string below = "Long";
  for (int level = 0; level < 6; ++level) below += "\\" + std::string(50, static_cast<char>('a' + level));
  RegistryAccess& access = Scratch();
  ASSERT_TRUE(access.OpenKey("\\" + Path(below), true));
  ASSERT_GT(access.CurrentPath().size(), 300u);
  ASSERT_TRUE(access.WriteString("deep", "value"));
  access.CloseKey();
  EXPECT_TRUE(access.KeyExists("\\" + Path(below)));
  ASSERT_TRUE(access.OpenKey("\\" + Path(below), false));
  EXPECT_EQ(access.ReadString("deep"), "value");
  access.CloseKey();
  EXPECT_TRUE(access.DeleteKey("\\" + Path(below)));
  EXPECT_FALSE(access.KeyExists("\\" + Path(below)));
  EXPECT_TRUE(access.DeleteKey("\\" + Path("Long")));
  EXPECT_FALSE(access.KeyExists("\\" + Path("Long")));
}

TEST_F(RegistryConformance, KeysOpenedForReadingRefuseWrites) {
  Load("[~\\ReadOnly]\r\n\"v\"=\"1\"\r\n");
  RegistryAccess& access = Scratch();
  access.SetAccess(kAccessRead);
  ASSERT_TRUE(access.OpenKey("\\" + Path("ReadOnly"), false));
  EXPECT_EQ(access.ReadString("v"), "1");
  EXPECT_FALSE(access.WriteString("v", "2"));
  EXPECT_FALSE(access.DeleteValue("v"));
  access.SetAccess(kAccessFull);
  ASSERT_TRUE(access.OpenKey("", false));
  EXPECT_TRUE(access.WriteString("v", "2"));
}

TEST_F(RegistryConformance, SubkeysAndValuesEnumerateSortedByLowerCasedName) {
  Load(
      "[~\\Order\\zeta]\r\n[~\\Order\\Alpha]\r\n[~\\Order\\_under]\r\n[~\\Order\\beta]\r\n"
      "[~\\Order\\1num]\r\n[~\\Order\\ZZ]\r\n[~\\Order\\a]\r\n[~\\Order\\\xc4rger]\r\n"
      "[~\\Order]\r\n\"zeta\"=\"\"\r\n\"Alpha\"=\"\"\r\n\"_under\"=\"\"\r\n\"beta\"=\"\"\r\n"
      "\"1num\"=\"\"\r\n\"ZZ\"=\"\"\r\n\"a\"=\"\"\r\n\"\xc4rger\"=\"\"\r\n");
  RegistryAccess& access = At("Order");
  const std::vector<std::string> sorted = {"1num", "_under", "a",  "Alpha",
                                           "beta", "zeta",   "ZZ", "\u00c4rger"};
  EXPECT_EQ(access.SubkeyNames(), sorted);
  EXPECT_EQ(access.ValueNames(), sorted);
}

// Names in other scripts sort by their lower-cased UTF-16 units and open in any case.
TEST_F(RegistryConformance, NamesInAnyScriptSortAndMatchInAnyCase) {
  RegistryAccess& access = Scratch();
  const std::vector<std::string> created = {"\u0422\u0435\u0441\u0442",
                                            "\u03A9\u03BC\u03B5\u03B3\u03B1",
                                            "\u4E2D\u6587",
                                            "\u65E5\u672C",
                                            "\u0639\u0631\u0628\u064A",
                                            "\U0001F600",
                                            "\u00C9t\u00E9",
                                            "z"};
  for (const std::string& name : created) {
    ASSERT_TRUE(access.OpenKey("\\" + Path("Scripts\\" + name), true)) << name;
    ASSERT_TRUE(access.WriteString(name, name));
  }
  ASSERT_TRUE(access.OpenKey("\\" + Path("Scripts"), false));
  const std::vector<std::string> sorted = {"z",
                                           "\u00C9t\u00E9",
                                           "\u03A9\u03BC\u03B5\u03B3\u03B1",
                                           "\u0422\u0435\u0441\u0442",
                                           "\u0639\u0631\u0628\u064A",
                                           "\u4E2D\u6587",
                                           "\u65E5\u672C",
                                           "\U0001F600"};
  EXPECT_EQ(access.SubkeyNames(), sorted);
  EXPECT_TRUE(access.KeyExists("\u0442\u0415\u0421\u0422"));
  EXPECT_TRUE(access.KeyExists("\u03C9\u039C\u0395\u0393\u0391"));
  EXPECT_TRUE(access.KeyExists("\u00E9T\u00C9"));
  EXPECT_FALSE(access.KeyExists("\u4E2D"));
  ASSERT_TRUE(access.OpenKey("\u0442\u0435\u0441\u0442", false));
  EXPECT_EQ(access.ReadString("\u0422\u0415\u0421\u0422"), "\u0422\u0435\u0441\u0442");
}

TEST_F(RegistryConformance, SubkeysOpenBelowAnotherAccessWhoseKeyStaysOpen) {
  Load("[~\\Parent\\Child]\r\n\"v\"=\"child\"\r\n[~\\Parent]\r\n\"v\"=\"parent\"\r\n");
  RegistryAccess& parent = At("Parent");
  RegistryAccess child(*store_);
  child.SetRootKey(kHkeyLocalMachine);
  child.SetAccess(kAccessRead);
  ASSERT_TRUE(child.OpenSubkeyOf(parent, "CHILD"));
  EXPECT_EQ(child.Root(), kHkeyCurrentUser);
  EXPECT_EQ(child.CurrentPath(), Path("Parent") + "\\CHILD");
  EXPECT_EQ(child.ReadString("v"), "child");
  EXPECT_FALSE(child.WriteString("v", "refused"));
  EXPECT_EQ(parent.ReadString("v"), "parent");

  // A failed open leaves the key as it was; a parent without a key opens nothing.
  EXPECT_FALSE(child.OpenSubkeyOf(parent, "Missing"));
  EXPECT_EQ(child.CurrentPath(), Path("Parent") + "\\CHILD");
  parent.CloseKey();
  RegistryAccess orphan(*store_);
  EXPECT_FALSE(orphan.OpenSubkeyOf(parent, "Child"));
  EXPECT_FALSE(orphan.HasCurrentKey());
  EXPECT_EQ(child.ReadString("v"), "child");
}

TEST_F(RegistryConformance, KeyInformationCountsSubkeysValuesAndLongestNames) {
  Load(
      "[~\\Info\\short]\r\n[~\\Info\\a longer name]\r\n"
      "[~\\Info]\r\n\"v\"=hex:01,02,03,04,05,06,07,08,09,0a\r\n\"value name\"=hex:01\r\n");
  RegistryAccess& access = At("Info");
  RegKeyInfo info;
  ASSERT_TRUE(access.KeyInfo(info));
  EXPECT_EQ(info.subkeyCount, 2u);
  EXPECT_EQ(info.maxSubkeyNameLength, 13u);
  EXPECT_EQ(info.valueCount, 2u);
  EXPECT_EQ(info.maxValueNameLength, 10u);
  EXPECT_EQ(info.maxDataLength, 10u);
  EXPECT_NE(info.lastWriteTime, 0u);
}

}  // namespace
}  // namespace kelvane
