#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/memory/MemoryFileSystem.h"
#include "scan/FileReference.h"

namespace kelvane {
namespace {

class FileReference : public ::testing::Test {
 protected:
  FileReference() {
    files.AddDrive('A', DriveType::Removable, false);
    files.AddDrive('C', DriveType::Fixed);
    files.AddDrive('D', DriveType::CdRom);
    files.AddFile("C:\\Program Files\\App\\app.exe");
    files.AddFile("C:\\Windows\\notepad.exe");
    files.AddFile("C:\\Windows\\System32\\cmd.exe");
    files.AddFile("C:\\Windows\\System32\\present.dll");
    files.AddFolder("C:\\Old");
    files.AddFolder("C:\\Data");
    files.AddFile("C:\\Tools\\HPLaser\\x.exe");
    files.AddFile("D:\\setup.exe");
    files.SetEnvironment("SystemRoot", "C:\\Windows");
    files.SetEnvironment("ComSpec", "C:\\Windows\\System32\\cmd.exe");
  }

  bool Invalid(const std::string& text, const std::string& anchor = "", bool allowFolder = true) {
    FileReferenceCheck check(files, drives);
    return check.Missing(text, anchor, allowFolder).has_value();
  }

  MemoryFileSystem files;
  DriveChecks drives{"c", "c"};
};

// Remembers the longest path it was asked about.
class MeasuringFileSystem : public MemoryFileSystem {
 public:
  bool FileExists(const std::string& path) override {
    longest = std::max(longest, path.size());
    ++questions;
    return MemoryFileSystem::FileExists(path);
  }
  bool DirectoryExists(const std::string& path) override {
    longest = std::max(longest, path.size());
    ++questions;
    return MemoryFileSystem::DirectoryExists(path);
  }
  std::size_t longest = 0;
  std::size_t questions = 0;
};

// A megabyte of text is judged like any other, and no file system could hold a longer path
// than the ANSI functions take, so nothing longer is asked about.
TEST(FileReferenceLimits, AMegabyteOfTextIsJudgedWithoutAskingAboutLongerPaths) {
  MeasuringFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  FileReferenceCheck check(files, DriveChecks{"c"});
  for (const char separator : {'x', ' '}) {
    const std::string text = "C:\\Gone\\" + std::string(1 << 20, separator) + ".exe";
    EXPECT_TRUE(check.Missing(text, "", true)) << separator;
  }
  EXPECT_LE(files.longest, 259u);
  EXPECT_LT(files.questions, 3000u);
}

TEST_F(FileReference, ArgumentsAfterAnExistingProgramAreIgnored) {
  EXPECT_FALSE(Invalid("C:\\Program Files\\App\\app.exe /min"));
  EXPECT_FALSE(Invalid("C:\\Program Files\\App\\app.exe,1"));
  EXPECT_FALSE(Invalid("C:\\Windows\\notepad"));
  EXPECT_FALSE(Invalid("C:\\Windows\\notepad -x"));
  EXPECT_TRUE(Invalid("C:\\Program Files\\App\\gone.exe /min"));
}

TEST_F(FileReference, QuotesCutTheArgumentsOff) {
  EXPECT_TRUE(Invalid("\"C:\\Program Files\\App\\gone.exe\" -x"));
  EXPECT_FALSE(Invalid("\"C:\\Program Files\\App\\app.exe\" -x"));
  EXPECT_TRUE(Invalid("\"C:\\Program Files\\App\\gone.exe"));
  EXPECT_FALSE(Invalid("\""));
  drives.isWow64 = true;
  EXPECT_FALSE(Invalid("\"C:\\Program Files\\App\\gone.exe\" -x"));
}

TEST_F(FileReference, ALeadingVariableMustNameAFolderAndNoVariableMayBeUnknown) {
  EXPECT_TRUE(Invalid("%SystemRoot%\\system32\\x.dll"));
  EXPECT_FALSE(Invalid("%systemroot%\\system32\\present.dll"));
  EXPECT_FALSE(Invalid("%ComSpec%"));
  EXPECT_FALSE(Invalid("%Unknown%\\x.dll"));
  files.SetEnvironment("GoneRoot", "C:\\Gone");
  EXPECT_FALSE(Invalid("%GoneRoot%\\x.dll"));
  EXPECT_FALSE(Invalid("%"));
  EXPECT_FALSE(Invalid("%SystemRoot"));
  // Expanded, it names two paths.
  EXPECT_FALSE(Invalid("C:\\%SystemRoot%\\x.dll"));
  // Its value is not expanded again, so what it names is not known.
  files.SetEnvironment("Nested", "%SystemRoot%");
  EXPECT_FALSE(Invalid("C:\\Old\\%Nested%\\x.dll"));
  drives.isWow64 = true;
  EXPECT_FALSE(Invalid("%SystemRoot%\\system32\\x.dll"));
  EXPECT_FALSE(Invalid("C:\\ProgramFiles\\x.dll"));
}

TEST_F(FileReference, OnlyPathsOnJudgedDrivesCount) {
  EXPECT_FALSE(Invalid("rundll32.exe shell32.dll,Control_RunDLL"));
  EXPECT_FALSE(Invalid("\\\\server\\share\\gone.exe"));
  EXPECT_FALSE(Invalid("D:\\gone.exe"));
  EXPECT_FALSE(Invalid("C:gone.exe"));
  drives.driveLetters = "cd";
  EXPECT_TRUE(Invalid("D:\\gone.exe"));
  EXPECT_FALSE(Invalid("d:\\setup.exe"));
}

TEST_F(FileReference, EmptyFloppiesAreReportedWithoutTouchingTheDrive) {
  EXPECT_FALSE(Invalid("A:\\setup.exe"));
  drives = DriveChecks{"ab" "c", "c", false, true, false, false};
  EXPECT_TRUE(Invalid("A:\\setup.exe"));
  EXPECT_TRUE(Invalid("a:\\setup.exe", "setup.exe"));
  drives.driveAReady = true;
  EXPECT_TRUE(Invalid("A:\\setup.exe"));
  files.SetMediumPresent('A', true);
  files.AddFile("A:\\setup.exe");
  EXPECT_FALSE(Invalid("A:\\setup.exe"));
}

TEST_F(FileReference, ThingsThatCannotBeJudgedAreNotProblems) {
  EXPECT_FALSE(Invalid(""));
  EXPECT_FALSE(Invalid("C:\\Tools\\HPLaser\\gone.exe"));
  EXPECT_FALSE(Invalid("C:\\a.exe;C:\\b.exe"));
}

TEST_F(FileReference, FoldersCountOnlyWhenAllowedAndATrailingSemicolonIsIgnored) {
  EXPECT_FALSE(Invalid("C:\\Data"));
  EXPECT_TRUE(Invalid("C:\\Data", "", false));
  EXPECT_FALSE(Invalid("C:\\Data\\"));
  EXPECT_TRUE(Invalid("C:\\Gone\\"));
  EXPECT_TRUE(Invalid("C:\\Old\\gone.exe;"));
  files.AddFile("C:\\Old\\gone.exe");
  EXPECT_FALSE(Invalid("C:\\Old\\gone.exe;"));
  EXPECT_FALSE(Invalid("C:\\Old\\gone.exe;;"));
}

TEST_F(FileReference, AMissingFolderIsClearedByAnyExistingPrefix) {
  EXPECT_TRUE(Invalid("C:\\Program Files\\Gone\\x.exe"));
  EXPECT_FALSE(Invalid("C:\\Windows\\notepad.exe\\sub"));
  EXPECT_TRUE(Invalid("C:\\Windows\\sub dir\\x.exe"));
  files.AddFile("C:\\Windows\\sub.exe");
  EXPECT_FALSE(Invalid("C:\\Windows\\sub dir\\x.exe"));
}

TEST_F(FileReference, AnAnchorNameCutsThePathAfterTheName) {
  files.AddFile("C:\\Apps\\app.exe");
  files.AddFile("C:\\Tools\\Setup.exe");
  EXPECT_FALSE(Invalid("C:\\Apps\\APP.EXE -q", "app.exe"));
  EXPECT_TRUE(Invalid("C:\\Apps\\Gone\\APP.EXE -q", "app.exe"));
  EXPECT_FALSE(Invalid("C:\\Apps\\other.exe", "app.exe"));
  EXPECT_FALSE(Invalid("C:\\Tools\\Setup.EXE /uninstall", ".exe"));
  EXPECT_TRUE(Invalid("C:\\Tools\\Gone.EXE /uninstall", ".exe"));
  EXPECT_FALSE(Invalid("MsiExec.exe /X{12345}", ".exe"));
  EXPECT_FALSE(Invalid("C:\\Tools\\setup.msi", ".exe"));
  // Folders never count for an anchored path.
  files.AddFolder("C:\\Dir.exe");
  EXPECT_TRUE(Invalid("C:\\Dir.exe", ".exe"));
}

TEST_F(FileReference, ExpandPathVariableKeepsTextThatIsNoFolder) {
  FileReferenceCheck check(files, drives);
  files.SetEnvironment("Padded", "  C:\\Data\t");
  EXPECT_EQ(check.ExpandPathVariable("%Padded%"), "C:\\Data");
  EXPECT_EQ(check.ExpandPathVariable("%ComSpec%"), "%ComSpec%");
  EXPECT_EQ(check.ExpandPathVariable("%Nothing%"), "%Nothing%");
  files.SetEnvironment("Long", std::string(1100, 'x'));
  EXPECT_EQ(check.ExpandPathVariable("%Long%"), "%Long%");
}

}  // namespace
}  // namespace kelvane
