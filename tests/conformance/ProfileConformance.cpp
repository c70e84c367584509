#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Utf8.h"
#include "tests/conformance/ProfileEnvironment.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

using testsupport::ReadRawFile;
using testsupport::WriteRawFile;

constexpr char kDefault[] = "<default>";

class ProfileConformance : public ::testing::Test {
 protected:
  ProfileConformance() : store_(MakeConformanceProfileStore()) {}

  std::string File(const std::string& name, const std::string& text) {
    const std::string path = folder_.PathOf(name);
    WriteRawFile(path, text);
    return path;
  }
  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& defaultValue = kDefault) {
    return store_->ReadString(file, section, key, defaultValue);
  }
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) {
    return store_->WriteString(file, section, key, value);
  }

  testsupport::ScratchFolder folder_;
  std::unique_ptr<ProfileStore> store_;
};

TEST_F(ProfileConformance, SectionsAndKeysMatchInAnyAsciiCaseWithSpaceAroundIgnored) {
  const std::string file =
      File("case.ini", "[Options]\r\n  Beep = 1  \r\n[\xC4rger]\r\n\xD6l=2\r\n");
  EXPECT_EQ(Read(file, "options", "BEEP"), "1");
  EXPECT_EQ(Read(file, " OPTIONS\t", "\tbeep "), "1");
  EXPECT_EQ(Read(file, "\u00C4RGER", "\u00D6L"), "2");
  // Letters outside ASCII keep their case.
  EXPECT_EQ(Read(file, "\u00E4rger", "\u00D6l"), kDefault);
  EXPECT_EQ(Read(file, "\u00C4rger", "\u00F6l"), kDefault);
}

TEST_F(ProfileConformance, KeyNamesOfASectionComeInFileOrder) {
  const std::string file =
      File("keys.ini",
           "[List]\r\nCount=3\r\nKey1=a\r\n; note\r\nkey3 = c\r\n[Other]\r\nX=1\r\n");
  EXPECT_EQ(store_->KeyNames(file, "list"), (std::vector<std::string>{"Count", "Key1", "key3"}));
  EXPECT_TRUE(store_->KeyNames(file, "Missing").empty());
  EXPECT_TRUE(store_->KeyNames(folder_.PathOf("missing.ini"), "List").empty());
}

TEST_F(ProfileConformance, MissingFileSectionOrKeyGivesTheDefault) {
  const std::string missing = folder_.PathOf("missing.ini");
  EXPECT_EQ(Read(missing, "A", "k"), kDefault);
  EXPECT_EQ(ReadRawFile(missing), "<missing>");
  EXPECT_EQ(Read(File("empty.ini", ""), "A", "k"), kDefault);

  const std::string file = File("defaults.ini", "[A]\r\nk=1\r\n");
  EXPECT_EQ(Read(file, "B", "k"), kDefault);
  EXPECT_EQ(Read(file, "A", "j"), kDefault);
  EXPECT_EQ(Read(file, "A", "j", ""), "");
  // A default loses the spaces (and only the spaces) at its end, and its quotes and length
  // are treated as a value's.
  EXPECT_EQ(Read(file, "A", "j", " lead\t  "), " lead\t");
  EXPECT_EQ(Read(file, "A", "j", "'quoted'"), "quoted");
  EXPECT_EQ(Read(file, "A", "j", std::string(3000, 'd')), std::string(2047, 'd'));
}

TEST_F(ProfileConformance, KeyWithEmptyValueGivesEmptyTextButLineWithoutEqualsGivesDefault) {
  const std::string file = File("empty-values.ini", "[A]\r\nempty=\r\nblank =   \r\nbare\r\n");
  EXPECT_EQ(Read(file, "A", "empty"), "");
  EXPECT_EQ(Read(file, "A", "blank"), "");
  EXPECT_EQ(Read(file, "A", "bare"), kDefault);
}

TEST_F(ProfileConformance, ValuesAreCutAt2047Characters) {
  std::string longValue;
  for (int i = 0; i < 3000; ++i) longValue += static_cast<char>('a' + i % 26);
  const std::string fitting = longValue.substr(0, 2047);
  const std::string file =
      File("long.ini", "[A]\r\nlong=" + longValue + "\r\nfitting=" + fitting + "\r\n");
  EXPECT_EQ(Read(file, "A", "long"), fitting);
  EXPECT_EQ(Read(file, "A", "fitting"), fitting);
}

TEST_F(ProfileConformance, MatchingSurroundingQuotesAreRemoved) {
  const std::string file = File("quotes.ini",
                                "[Q]\r\n"
                                "double=\"quoted\"\r\n"
                                "single='single'\r\n"
                                "spaced = \"  inner  \" \r\n"
                                "pair=\"\"\r\n"
                                "lone=\"\r\n"
                                "half=\"half\r\n"
                                "mixed=\"mixed'\r\n"
                                "inner=a\"b\"\r\n"
                                "outer=\"a\" b \"\r\n");
  EXPECT_EQ(Read(file, "Q", "double"), "quoted");
  EXPECT_EQ(Read(file, "Q", "single"), "single");
  EXPECT_EQ(Read(file, "Q", "spaced"), "  inner  ");
  EXPECT_EQ(Read(file, "Q", "pair"), "");
  EXPECT_EQ(Read(file, "Q", "lone"), "\"");
  EXPECT_EQ(Read(file, "Q", "half"), "\"half");
  EXPECT_EQ(Read(file, "Q", "mixed"), "\"mixed'");
  EXPECT_EQ(Read(file, "Q", "inner"), "a\"b\"");
  EXPECT_EQ(Read(file, "Q", "outer"), "a\" b ");
}

TEST_F(ProfileConformance, QuotedValuesAtTheLengthLimit) {
  const auto quoted = [](std::size_t length) { return "\"" + std::string(length, 'y') + "Z\""; };
  const std::string file =
      File("quoted-long.ini", "[A]\r\nfits=" + quoted(2045) + "\r\nedge=" + quoted(2046) +
                                  "\r\nover=" + quoted(2047) + "\r\n");
  EXPECT_EQ(Read(file, "A", "fits"), std::string(2045, 'y') + "Z");
  // One character too long: the closing quote goes after the cut, taking the 'Z' with it.
  EXPECT_EQ(Read(file, "A", "edge"), std::string(2046, 'y'));
  EXPECT_EQ(Read(file, "A", "over"), std::string(2047, 'y'));
}

TEST_F(ProfileConformance, CommentsAndOddLinesAreKeptAsOrdinaryLines) {
  const std::string file = File("odd.ini",
                                "; heading\r\n"
                                "[A]\r\n"
                                ";note=5\r\n"
                                "odd line\r\n"
                                "=first\r\n"
                                "=second\r\n"
                                "k=1\r\n"
                                "[B\r\n"
                                "j=2\r\n"
                                "[C] trailing\r\n"
                                "m=3\r\n"
                                "[D]x]\r\n"
                                "n=4\r\n");
  EXPECT_EQ(Read(file, "A", ";note"), "5");
  EXPECT_EQ(Read(file, "A", "odd line"), kDefault);
  EXPECT_EQ(Read(file, "A", ""), "first");
  // "[B" has no closing bracket: it is a line of section A.
  EXPECT_EQ(Read(file, "A", "j"), "2");
  EXPECT_EQ(Read(file, "B", "j"), kDefault);
  EXPECT_EQ(Read(file, "C", "m"), "3");
  EXPECT_EQ(Read(file, "D]x", "n"), "4");

  ASSERT_TRUE(Write(file, "A", "k", "2"));
  EXPECT_EQ(ReadRawFile(file),
            "; heading\r\n"
            "[A]\r\n"
            ";note=5\r\n"
            "odd line\r\n"
            "=first\r\n"
            "k=2\r\n"
            "[B\r\n"
            "j=2\r\n"
            "[C]\r\n"
            "m=3\r\n"
            "[D]x]\r\n"
            "n=4\r\n");
}

TEST_F(ProfileConformance, FirstWriteCreatesTheFile) {
  const std::string file = folder_.PathOf("new.ini");
  ASSERT_TRUE(Write(file, "A", "k", "v"));
  EXPECT_EQ(ReadRawFile(file), "[A]\r\nk=v\r\n");
  ASSERT_TRUE(Write(file, "A", "empty", ""));
  ASSERT_TRUE(Write(file, "B", "x", "1"));
  EXPECT_EQ(ReadRawFile(file), "[A]\r\nk=v\r\nempty=\r\n[B]\r\nx=1\r\n");
  EXPECT_EQ(Read(file, "A", "empty"), "");
  EXPECT_EQ(Read(file, "B", "x"), "1");
}

TEST_F(ProfileConformance, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
  const std::string file = File("append.ini", "top=0\n[First]\nb=1\na=2\n\n[Second]\nc=3");
  EXPECT_EQ(Read(file, "", "top"), "0");
  ASSERT_TRUE(Write(file, "first", "NEW", "4"));
  ASSERT_TRUE(Write(file, "Third", "d", "5"));
  ASSERT_TRUE(Write(file, "SECOND", "C", "6"));
  EXPECT_EQ(ReadRawFile(file),
            "top=0\r\n[First]\r\nb=1\r\na=2\r\nNEW=4\r\n[Second]\r\nc=6\r\n[Third]\r\nd=5\r\n");
}

TEST_F(ProfileConformance, LinesMayEndInCrLfLfOrCr) {
  const std::string file = File("endings.ini", "[A]\nlf=1\r\ncrlf=2\rcr=3\n\n\r\n[B]\r\nlast=4");
  EXPECT_EQ(Read(file, "A", "lf"), "1");
  EXPECT_EQ(Read(file, "A", "crlf"), "2");
  EXPECT_EQ(Read(file, "A", "cr"), "3");
  EXPECT_EQ(Read(file, "B", "last"), "4");
}

TEST_F(ProfileConformance, WrittenNamesAndValuesLoseTheSpaceAroundThem) {
  const std::string file = folder_.PathOf("trimmed.ini");
  ASSERT_TRUE(Write(file, " N ", "\tk ", "  padded\t "));
  ASSERT_TRUE(Write(file, "N", "q", "\"kept\""));
  EXPECT_EQ(ReadRawFile(file), "[N]\r\nk=padded\r\nq=\"kept\"\r\n");
  EXPECT_EQ(Read(file, "N", "k"), "padded");
  EXPECT_EQ(Read(file, "N", "q"), "kept");
}

TEST_F(ProfileConformance, WritingTheSameValueLeavesTheFileAlone) {
  const std::string text = "[A]\r\n\r\nk = 1\r\n";
  const std::string file = File("same.ini", text);
  ASSERT_TRUE(Write(file, "a", "K", "1"));
  EXPECT_EQ(ReadRawFile(file), text);
  ASSERT_TRUE(Write(file, "A", "k", "2"));
  EXPECT_EQ(ReadRawFile(file), "[A]\r\nk=2\r\n");
}

TEST_F(ProfileConformance, FirstOfDuplicateSectionsAndKeysWins) {
  const std::string file = File("duplicates.ini", "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nm=4\r\n");
  EXPECT_EQ(Read(file, "A", "k"), "1");
  EXPECT_EQ(Read(file, "A", "m"), kDefault);
  ASSERT_TRUE(Write(file, "A", "k", "9"));
  ASSERT_TRUE(Write(file, "A", "m", "8"));
  EXPECT_EQ(ReadRawFile(file), "[A]\r\nk=9\r\nk=2\r\nm=8\r\n[a]\r\nk=3\r\nm=4\r\n");
}

TEST_F(ProfileConformance, ChangesMadeByOthersAreSeenAtOnce) {
  const std::string file = File("shared.ini", "[A]\r\nk=1\r\n");
  EXPECT_EQ(Read(file, "A", "k"), "1");
  WriteRawFile(file, "[A]\r\nk=2\r\nj=3\r\n");
  EXPECT_EQ(Read(file, "A", "k"), "2");
  ASSERT_TRUE(Write(file, "A", "n", "4"));
  EXPECT_EQ(ReadRawFile(file), "[A]\r\nk=2\r\nj=3\r\nn=4\r\n");
}

TEST_F(ProfileConformance, AnsiFilesKeepTheirBytesUntilATextNeedsUnicode) {
  const std::string file = File("ansi.ini", "[A]\r\nk=\xC4\xE4\x81\x8D\x9D\xFF\r\n");
  const std::string k = "\u00C4\u00E4\u0081\u008D\u009D\u00FF";
  EXPECT_EQ(Read(file, "A", "k"), k);
  // A no-break space (0xA0) is not white space.
  ASSERT_TRUE(Write(file, "A", "j", "\u00E9\u20AC\u00A0"));
  EXPECT_EQ(ReadRawFile(file), "[A]\r\nk=\xC4\xE4\x81\x8D\x9D\xFF\r\nj=\xE9\x80\xA0\r\n");
  EXPECT_EQ(Read(file, "A", "j"), "\u00E9\u20AC\u00A0");

  const std::string cyrillic = "\u041F\u0440\u0438\u0432\u0435\u0442";
  ASSERT_TRUE(Write(file, "\u0420\u0430\u0437\u0434\u0435\u043B", "x", cyrillic));
  EXPECT_EQ(ReadRawFile(file).compare(0, 4, "\xFF\xFE[\0", 4), 0);
  EXPECT_EQ(Read(file, "\u0420\u0430\u0437\u0434\u0435\u043B", "x"), cyrillic);
  EXPECT_EQ(Read(file, "A", "k"), k);
  ASSERT_TRUE(Write(file, "A", "k", "1"));
  EXPECT_EQ(ReadRawFile(file).compare(0, 2, "\xFF\xFE"), 0);
  EXPECT_EQ(Read(file, "\u0420\u0430\u0437\u0434\u0435\u043B", "x"), cyrillic);
}

TEST_F(ProfileConformance, Utf8AndUtf16FilesWithAMarkReadInAnyScript) {
  const std::string text = "[\u0410]\r\n\u043A=\u65E5\u672C\u8A9E\r\n";
  const std::string utf8 = File("utf8.ini", "\xEF\xBB\xBF" + text);
  EXPECT_EQ(Read(utf8, "\u0410", "\u043A"), "\u65E5\u672C\u8A9E");
  const std::string utf16 = File("utf16.ini", Utf16LeFileBytes(text));
  EXPECT_EQ(Read(utf16, "\u0410", "\u043A"), "\u65E5\u672C\u8A9E");
}

TEST_F(ProfileConformance, WriteWhereNoFileCanBeMadeFails) {
  const std::string inMissingFolder = folder_.PathOf("absent/x.ini");
  EXPECT_FALSE(Write(inMissingFolder, "A", "k", "v"));
  EXPECT_EQ(Read(inMissingFolder, "A", "k"), kDefault);
  EXPECT_FALSE(std::filesystem::exists(folder_.PathOf("absent")));

  const std::string folderNamedLikeAFile = folder_.PathOf("folder.ini");
  std::filesystem::create_directory(folderNamedLikeAFile);
  EXPECT_FALSE(Write(folderNamedLikeAFile, "A", "k", "v"));
  EXPECT_EQ(Read(folderNamedLikeAFile, "A", "k"), kDefault);
}

TEST_F(ProfileConformance, WriteToReadOnlyFileFails) {
  const std::string text = "[A]\r\nk=1\r\n";
  const std::string file = File("read-only.ini", text);
  std::filesystem::permissions(file,
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  if (std::ofstream(file, std::ios::app)) {
    GTEST_SKIP() << "this account may write to read-only files";
  }
  EXPECT_FALSE(Write(file, "A", "k", "2"));
  EXPECT_FALSE(Write(file, "A", "k", "1"));
  EXPECT_EQ(ReadRawFile(file), text);
  EXPECT_EQ(Read(file, "A", "k"), "1");
}

}  // namespace
}  // namespace kelvane
