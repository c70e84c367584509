#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Text.h"
#include "tests/conformance/FileSystemEnvironment.h"

namespace kelvane {
namespace {

std::string Root(char drive) { return std::string(1, drive) + ":\\"; }

std::vector<std::string> NamesOf(const std::vector<FileEntry>& entries) {
  std::vector<std::string> names;
  for (const FileEntry& entry : entries) names.push_back(entry.name);
  return names;
}

class FileSystemConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    env_ =
        MakeFileSystemEnvironment(::testing::UnitTest::GetInstance()->current_test_info()->name());
    scratch_ = env_->ScratchFolder();
  }

  FileSystemAccess& Files() { return env_->FileSystem(); }

  // The message of the FileIoError that opening the file raises; "" when none is raised.
  std::string OpenFailure(const std::string& path, bool append) {
    try {
      Files().OpenTextFile(path, append);
    } catch (const FileIoError& error) {
      return error.what();
    }
    return "";
  }

  void WriteText(const std::string& path, bool append, const std::vector<std::string>& lines) {
    std::unique_ptr<TextFileWriter> file = Files().OpenTextFile(path, append);
    for (const std::string& line : lines) file->WriteLine(line);
    file->Close();
  }

  std::unique_ptr<FileSystemEnvironment> env_;
  std::string scratch_;
};

TEST_F(FileSystemConformance, FileExistsForFilesOnlyInAnyCaseAndSpelling) {
  env_->WriteBytes(scratch_ + "Report.txt", "x");
  env_->MakeFolder(scratch_ + "Folder");

  EXPECT_TRUE(Files().FileExists(scratch_ + "Report.txt"));
  EXPECT_TRUE(Files().FileExists(UpperCaseAscii(scratch_ + "Report.txt")));
  EXPECT_TRUE(Files().FileExists(LowerCaseAscii(scratch_ + "Report.txt")));
  std::string forward = scratch_ + "Report.txt";
  std::replace(forward.begin(), forward.end(), '\\', '/');
  EXPECT_TRUE(Files().FileExists(forward));
  EXPECT_TRUE(Files().FileExists(scratch_ + "Folder\\..\\.\\Report.txt"));
  // Trailing dots and spaces of the last name are dropped.
  EXPECT_TRUE(Files().FileExists(scratch_ + "Report.txt. ."));

  EXPECT_FALSE(Files().FileExists(scratch_ + "Folder"));
  EXPECT_FALSE(Files().FileExists(scratch_ + "Report.txt\\"));
  EXPECT_FALSE(Files().FileExists(scratch_ + "Report"));
  EXPECT_FALSE(Files().FileExists(scratch_ + "Missing\\Report.txt"));
  EXPECT_FALSE(Files().FileExists(scratch_));
  EXPECT_FALSE(Files().FileExists(Root(kFixedDrive)));
}

TEST_F(FileSystemConformance, FileExistsTakesTheFirstMatchOfAWildcardInListingOrder) {
  env_->MakeFolder(scratch_ + "aa");
  env_->WriteBytes(scratch_ + "aa\\inner.txt", "");
  env_->WriteBytes(scratch_ + "ab.txt", "");
  env_->WriteBytes(scratch_ + "library.dllx", "");

  EXPECT_TRUE(Files().FileExists(scratch_ + "*.txt"));
  EXPECT_TRUE(Files().FileExists(scratch_ + "ab*"));
  EXPECT_TRUE(Files().FileExists(scratch_ + "?B.t?t"));
  // The folder "aa" comes before "ab.txt"; "." comes before everything.
  EXPECT_FALSE(Files().FileExists(scratch_ + "a*"));
  EXPECT_FALSE(Files().FileExists(scratch_ + "*"));
  // Wildcards count in the last name only.
  EXPECT_TRUE(Files().FileExists(scratch_ + "aa\\inner.txt"));
  EXPECT_FALSE(Files().FileExists(scratch_ + "a?\\inner.txt"));
  // A long name also matches through its generated 8.3 name (LIBR~XYZ.DLL).
  EXPECT_TRUE(Files().FileExists(scratch_ + "*.dll"));
  EXPECT_FALSE(Files().FileExists(scratch_ + "*.exe"));
}

TEST_F(FileSystemConformance, WildcardsFollowWineRules) {
  const std::vector<std::string> names = {
      "abab", "aXa", "test1.ta.tornado.txt", "hellothisisatest.dat", "a b.txt", "noext", "x.tx"};
  for (const std::string& name : names) env_->WriteBytes(scratch_ + name, "");
  const auto matches = [&](const std::string& pattern) {
    return NamesOf(Files().FindEntries(scratch_ + pattern));
  };
  using Names = std::vector<std::string>;

  EXPECT_EQ(matches("*b"), Names({"abab"}));
  EXPECT_EQ(matches("a*a"), Names({"aXa"}));
  EXPECT_EQ(matches("*.t??????.t*"), Names({"test1.ta.tornado.txt"}));
  EXPECT_EQ(matches("h?l?o*t.dat"), Names({"hellothisisatest.dat"}));
  EXPECT_EQ(matches("?est???"), Names());
  EXPECT_EQ(matches("*.tx"), Names({"x.tx"}));
  EXPECT_EQ(matches("*.tx?"), Names({"a b.txt", "test1.ta.tornado.txt"}));
  // '?' takes exactly one character; trailing '.' and '*' may match nothing.
  EXPECT_EQ(matches("noext?"), Names());
  EXPECT_EQ(matches("noext.*"), Names({"noext"}));
  EXPECT_EQ(matches("noext."), Names({"noext"}));
  EXPECT_EQ(matches("?"), Names({"."}));
  EXPECT_EQ(matches(".*"), Names({".", ".."}));
  // Wine looks for a '?' right after a '*' literally.
  EXPECT_EQ(matches("*?"), Names());
  EXPECT_EQ(matches("*?.txt"), Names());
  // Generated 8.3 names hold a '~' and '_' for a space.
  EXPECT_EQ(matches("*~*"), Names({"a b.txt", "hellothisisatest.dat", "test1.ta.tornado.txt"}));
  EXPECT_EQ(matches("a_b*"), Names({"a b.txt"}));
}

TEST_F(FileSystemConformance, DirectoryExistsWithOrWithoutTrailingBackslash) {
  env_->MakeFolder(scratch_ + "Sub");
  env_->WriteBytes(scratch_ + "file.txt", "");

  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "Sub"));
  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "Sub\\"));
  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "sub\\\\"));
  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "SUB/"));
  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "Sub."));
  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "Sub\\.."));
  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "file.txt\\..\\Sub"));
  EXPECT_TRUE(Files().DirectoryExists(scratch_));
  EXPECT_TRUE(Files().DirectoryExists(Root(kFixedDrive)));

  EXPECT_FALSE(Files().DirectoryExists(scratch_ + "file.txt"));
  EXPECT_FALSE(Files().DirectoryExists(scratch_ + "file.txt\\"));
  EXPECT_FALSE(Files().DirectoryExists(scratch_ + "Missing"));
  EXPECT_FALSE(Files().DirectoryExists(scratch_ + "Su?"));
  EXPECT_FALSE(Files().DirectoryExists(scratch_ + "Sub..\\"));
  EXPECT_FALSE(Files().DirectoryExists(Root(kEmptyRemovableDrive)));
  EXPECT_FALSE(Files().DirectoryExists(Root(kUnusedDrive)));
}

TEST_F(FileSystemConformance, CreateDirectoryMakesEveryMissingParent) {
  EXPECT_NO_THROW(Files().CreateDirectory(scratch_ + "one\\two\\three"));
  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "one"));
  EXPECT_TRUE(Files().DirectoryExists(scratch_ + "one\\two\\three"));
  // A folder that exists already is a success.
  EXPECT_NO_THROW(Files().CreateDirectory(scratch_ + "ONE\\two\\"));

  env_->WriteBytes(scratch_ + "file.txt", "");
  EXPECT_THROW(Files().CreateDirectory(scratch_ + "file.txt"), FileIoError);
  EXPECT_THROW(Files().CreateDirectory(scratch_ + "file.txt\\sub"), FileIoError);
  EXPECT_THROW(Files().CreateDirectory(Root(kEmptyRemovableDrive) + "new"), FileIoError);
  // The folder and the system's reason, for the user.
  try {
    Files().CreateDirectory(scratch_ + "file.txt");
  } catch (const FileIoError& error) {
    const std::string expected = "Cannot create the folder \"" + scratch_ + "file.txt\". ";
    EXPECT_EQ(std::string(error.what()).substr(0, expected.size()), expected);
    EXPECT_GT(std::string(error.what()).size(), expected.size());
  }
}

TEST_F(FileSystemConformance, FindEntriesListsDotEntriesFirstThenNamesInUpperCaseOrder) {
  for (const std::string name : {"b.txt", "Zeta", "_under", "[br]", "~tilde", "1num", "a_b"}) {
    env_->WriteBytes(scratch_ + name, "");
  }
  env_->WriteBytes(scratch_ + "A.txt", "abc");
  env_->MakeFolder(scratch_ + "Dir");

  const std::vector<FileEntry> entries = Files().FindEntries(scratch_ + "*");
  EXPECT_EQ(NamesOf(entries),
            std::vector<std::string>({".", "..", "1num", "A.txt", "a_b", "b.txt", "Dir", "Zeta",
                                      "[br]", "_under", "~tilde"}));
  for (const FileEntry& entry : entries) {
    const bool folder = entry.name == "." || entry.name == ".." || entry.name == "Dir";
    EXPECT_EQ(entry.attributes, folder ? kFileAttributeDirectory : kFileAttributeArchive)
        << entry.name;
    EXPECT_EQ(entry.size, entry.name == "A.txt" ? 3u : 0u) << entry.name;
  }
  EXPECT_EQ(NamesOf(Files().FindEntries(scratch_ + "*.*")), NamesOf(entries));
}

TEST_F(FileSystemConformance, FindEntriesGivesTheLastWriteInLocalDosTime) {
  env_->WriteBytes(scratch_ + "dated.txt", "x");
  env_->SetLastWrite(scratch_ + "dated.txt", 2009, 6, 15, 10, 20, 31);

  const std::vector<FileEntry> entries = Files().FindEntries(scratch_ + "dated.txt");
  ASSERT_EQ(entries.size(), 1u);
  // Two-second resolution: 31 seconds become 30.
  EXPECT_EQ(entries[0].dosTime, PackDosDateTime(2009, 6, 15, 10, 20, 30));
}

TEST_F(FileSystemConformance, FindEntriesOfADriveRootHasNoDotEntries) {
  const std::vector<std::string> names = NamesOf(Files().FindEntries(Root(kFixedDrive) + "*"));
  EXPECT_EQ(std::count(names.begin(), names.end(), "."), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), ".."), 0);
  EXPECT_EQ(std::count_if(names.begin(), names.end(),
                          [&](const std::string& name) {
                            return SameTextAscii(name, env_->ScratchTopFolderName());
                          }),
            1);

  EXPECT_TRUE(Files().FindEntries(scratch_ + "nothing*").empty());
  EXPECT_TRUE(Files().FindEntries(scratch_ + "Missing\\*").empty());
  EXPECT_TRUE(Files().FindEntries(scratch_).empty());
}

TEST_F(FileSystemConformance, DriveTypesAndWhetherAMediumIsPresent) {
  EXPECT_EQ(Files().GetDriveType(Root(kFixedDrive)), DriveType::Fixed);
  EXPECT_EQ(Files().GetDriveType(Root(kCdRomDrive)), DriveType::CdRom)
      << "under Wine the drives come from add_test_drives in scripts/lib/wine.sh";
  EXPECT_EQ(Files().GetDriveType(Root(kEmptyCdRomDrive)), DriveType::CdRom);
  EXPECT_EQ(Files().GetDriveType(Root(kEmptyRemovableDrive)), DriveType::Removable);
  EXPECT_EQ(Files().GetDriveType(Root(kUnusedDrive)), DriveType::NoRootDirectory);

  EXPECT_TRUE(Files().VolumePresent(Root(kFixedDrive)));
  EXPECT_TRUE(Files().VolumePresent(Root(kCdRomDrive)));
  EXPECT_FALSE(Files().VolumePresent(Root(kEmptyCdRomDrive)));
  EXPECT_FALSE(Files().VolumePresent(Root(kEmptyRemovableDrive)));
  EXPECT_FALSE(Files().VolumePresent(Root(kUnusedDrive)));
}

TEST_F(FileSystemConformance, ExpandEnvironmentStringsReplacesKnownNamesInAnyCase) {
  env_->SetVariable("KelvaneTestValue", "val");
  const auto expand = [&](const std::string& text) {
    return Files().ExpandEnvironmentStrings(text).value_or("<failed>");
  };

  EXPECT_EQ(expand("%KELVANETESTVALUE%\\x"), "val\\x");
  EXPECT_EQ(expand("a%kelvanetestvalue%%KelvaneTestValue%"), "avalval");
  EXPECT_EQ(expand("no names"), "no names");
  // Unknown names stay with both signs and the scan goes on after them.
  EXPECT_EQ(expand("%KelvaneNoSuchName%"), "%KelvaneNoSuchName%");
  EXPECT_EQ(expand("%KelvaneNoSuchName%KelvaneTestValue%"), "%KelvaneNoSuchName%KelvaneTestValue%");
  EXPECT_EQ(expand("%KelvaneNoSuchName%%KelvaneTestValue%"), "%KelvaneNoSuchName%val");
  EXPECT_EQ(expand("%%"), "%%");
  EXPECT_EQ(expand("100%"), "100%");
  EXPECT_EQ(expand("%KelvaneTestValue"), "%KelvaneTestValue");
}

TEST_F(FileSystemConformance, ExpandEnvironmentStringsFailsFromTheThousandTwentyFourthCharacter) {
  env_->SetVariable("KelvaneTestLong", std::string(1000, 'x'));

  EXPECT_EQ(Files().ExpandEnvironmentStrings("%KelvaneTestLong%" + std::string(23, 'y')),
            std::string(1000, 'x') + std::string(23, 'y'));
  EXPECT_FALSE(Files().ExpandEnvironmentStrings("%KelvaneTestLong%" + std::string(24, 'y')));
  EXPECT_EQ(Files().ExpandEnvironmentStrings(std::string(1023, 'z')), std::string(1023, 'z'));
  EXPECT_FALSE(Files().ExpandEnvironmentStrings(std::string(1024, 'z')));
}

TEST_F(FileSystemConformance, TextFilesAreCreatedReplacedAndAppendedWithCrLf) {
  const std::string path = scratch_ + "log.txt";
  WriteText(path, false, {"first line", "", "third"});
  EXPECT_EQ(env_->ReadBytes(path), "first line\r\n\r\nthird\r\n");

  WriteText(path, false, {"new"});
  EXPECT_EQ(env_->ReadBytes(path), "new\r\n");

  WriteText(path, true, {"more", "\xC4nd \xE9"});
  EXPECT_EQ(env_->ReadBytes(path), "new\r\nmore\r\n\xC4nd \xE9\r\n");
  const std::vector<FileEntry> entries = Files().FindEntries(path);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].size, 18u);
}

TEST_F(FileSystemConformance, TextFileFailuresRaiseFileIoErrorNamingThePath) {
  const std::string inMissingFolder = scratch_ + "Missing\\new.txt";
  EXPECT_NE(OpenFailure(inMissingFolder, false).find(inMissingFolder), std::string::npos);
  EXPECT_FALSE(Files().DirectoryExists(scratch_ + "Missing"));

  const std::string missingFile = scratch_ + "absent.txt";
  EXPECT_NE(OpenFailure(missingFile, true).find(missingFile), std::string::npos);
  EXPECT_FALSE(Files().FileExists(missingFile));

  env_->MakeFolder(scratch_ + "Folder");
  EXPECT_NE(OpenFailure(scratch_ + "Folder", false), "");
  EXPECT_NE(OpenFailure(scratch_ + "Folder", true), "");
}

TEST_F(FileSystemConformance, DeleteFileSilentlyRemovesTheOneFileButNotAReadOnlyOneOrAFolder) {
  env_->WriteBytes(scratch_ + "gone.lnk", "x");
  env_->WriteBytes(scratch_ + "other.lnk", "x");
  env_->MakeFolder(scratch_ + "Folder.lnk");
  env_->WriteBytes(scratch_ + "Folder.lnk\\inside.lnk", "x");
  EXPECT_FALSE(Files().DeleteFileSilently(scratch_ + "*.lnk"));
  EXPECT_FALSE(Files().DeleteFileSilently(scratch_ + "Folder.lnk"));
  EXPECT_TRUE(Files().FileExists(scratch_ + "Folder.lnk\\inside.lnk"));
  EXPECT_TRUE(Files().DeleteFileSilently(scratch_ + "gone.lnk"));
  EXPECT_FALSE(Files().FileExists(scratch_ + "gone.lnk"));
  EXPECT_TRUE(Files().FileExists(scratch_ + "other.lnk"));

  EXPECT_FALSE(Files().DeleteFileSilently(scratch_ + "gone.lnk"));
  EXPECT_FALSE(Files().DeleteFileSilently(scratch_ + "Missing\\gone.lnk"));

  env_->WriteBytes(scratch_ + "kept.lnk", "x");
  env_->MakeReadOnly(scratch_ + "kept.lnk");
  EXPECT_FALSE(Files().DeleteFileSilently(scratch_ + "kept.lnk"));
  EXPECT_TRUE(Files().FileExists(scratch_ + "kept.lnk"));
}

TEST_F(FileSystemConformance, CreateNewFileWritesTheExactBytesButNeverOverAnything) {
  const std::string bytes("L\0\0\0\r\n\x1a\xff", 8);
  EXPECT_TRUE(Files().CreateNewFile(scratch_ + "Back.lnk", bytes));
  EXPECT_EQ(Files().ReadFileEnd(scratch_ + "Back.lnk", 100), bytes);
  EXPECT_FALSE(Files().CreateNewFile(scratch_ + "BACK.LNK", "other"));
  EXPECT_EQ(Files().ReadFileEnd(scratch_ + "Back.lnk", 100), bytes);
  env_->MakeFolder(scratch_ + "Taken.lnk");
  EXPECT_FALSE(Files().CreateNewFile(scratch_ + "Taken.lnk", bytes));
  EXPECT_FALSE(Files().CreateNewFile(scratch_ + "Missing\\Back.lnk", bytes));
  EXPECT_FALSE(Files().FileExists(scratch_ + "Missing\\Back.lnk"));
}

TEST_F(FileSystemConformance, AFolderIsWritableByOthersOnlyWhenItsPermissionsSaySo) {
  env_->MakeFolder(scratch_ + "Own");
  env_->MakeFolder(scratch_ + "Open");
  EXPECT_FALSE(Files().IsWritableByOthers(scratch_ + "Own"));
  EXPECT_FALSE(Files().IsWritableByOthers(scratch_ + "Missing"));
  if (!env_->LetUsersWrite(scratch_ + "Open")) GTEST_SKIP() << "no permissions kept here";
  EXPECT_TRUE(Files().IsWritableByOthers(scratch_ + "Open"));
  EXPECT_FALSE(Files().IsWritableByOthers(scratch_ + "Own"));
}

TEST_F(FileSystemConformance, ShortcutTargetsAreReadFromSavedShortcutsOnly) {
  env_->WriteBytes(scratch_ + "app.exe", "MZ");
  env_->MakeFolder(scratch_ + "Data");
  env_->MakeShortcut(scratch_ + "App.lnk", scratch_ + "app.exe");
  env_->MakeShortcut(scratch_ + "GONE.LNK", scratch_ + "gone.exe");
  env_->MakeShortcut(scratch_ + "Data.lnk", scratch_ + "Data");
  env_->WriteBytes(scratch_ + "plain.lnk", "not a shortcut");

  EXPECT_EQ(Files().GetShortcutTarget(scratch_ + "App.lnk"), scratch_ + "app.exe");
  EXPECT_EQ(Files().GetShortcutTarget(UpperCaseAscii(scratch_ + "app.lnk")), scratch_ + "app.exe");
  // The target need not exist, and a folder is a target like a file.
  EXPECT_EQ(Files().GetShortcutTarget(scratch_ + "gone.lnk"), scratch_ + "gone.exe");
  EXPECT_EQ(Files().GetShortcutTarget(scratch_ + "Data.lnk"), scratch_ + "Data");

  EXPECT_EQ(Files().GetShortcutTarget(scratch_ + "plain.lnk"), "");
  EXPECT_EQ(Files().GetShortcutTarget(scratch_ + "missing.lnk"), "");
  EXPECT_EQ(Files().GetShortcutTarget(scratch_ + "Data"), "");
  EXPECT_EQ(Files().GetShortcutTarget(scratch_ + "App.lnk\\"), "");
}

TEST_F(FileSystemConformance, SpecialFoldersComeWithoutTrailingBackslash) {
  const std::optional<std::string> fonts = Files().SpecialFolder(ShellFolder::Fonts);
  ASSERT_TRUE(fonts.has_value());
  ASSERT_FALSE(fonts->empty());
  EXPECT_NE(fonts->back(), '\\');
  EXPECT_TRUE(Files().DirectoryExists(*fonts));

  EXPECT_FALSE(Files().SpecialFolder(0x70).has_value());
}

TEST_F(FileSystemConformance, ProgramFolderEndsInABackslashAndHoldsTheProgram) {
  const std::string folder = Files().ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_TRUE(Files().FileExists(folder + env_->ProgramFileName())) << folder;
}

}  // namespace
}  // namespace kelvane
