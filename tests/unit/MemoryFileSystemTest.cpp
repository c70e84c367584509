#include <gtest/gtest.h>

#include <thread>

#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemorySystem.h"

namespace kelvane {
namespace {

class MemoryFileSystemTest : public ::testing::Test {
 protected:
  MemoryFileSystemTest() { files_.AddDrive('C', DriveType::Fixed); }

  std::string WriteFailure(const std::string& path, bool append) {
    try {
      files_.OpenTextFile(path, append);
    } catch (const FileIoError& error) {
      return error.what();
    }
    return "";
  }

  MemoryFileSystem files_;
};

TEST_F(MemoryFileSystemTest, FillingMakesParentFoldersAndRefusesPathsThatCannotHoldTheEntry) {
  files_.AddFile("C:\\Windows\\System32\\x.dll", 42, kFileAttributeArchive | kFileAttributeHidden);
  EXPECT_TRUE(files_.DirectoryExists("C:\\WINDOWS\\system32"));
  const std::vector<FileEntry> entries = files_.FindEntries("C:\\Windows\\System32\\x.dll");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].size, 42u);
  EXPECT_EQ(entries[0].attributes, kFileAttributeArchive | kFileAttributeHidden);

  EXPECT_THROW(files_.AddFile("D:\\x.dll"), std::invalid_argument);
  EXPECT_THROW(files_.AddFile("C:\\Windows\\System32\\x.dll\\y.dll"), std::invalid_argument);
  EXPECT_THROW(files_.AddFile("C:\\Windows"), std::invalid_argument);
  EXPECT_THROW(files_.AddFolder("C:\\a|b"), std::invalid_argument);
  EXPECT_THROW(files_.SetLastWrite("C:\\missing", 0), std::invalid_argument);
  EXPECT_FALSE(files_.FileContents("C:\\Windows").has_value());
  EXPECT_FALSE(files_.FileContents("C:\\missing.txt").has_value());
}

TEST_F(MemoryFileSystemTest, SizesAreListedAsTheirLow32BitsAndTheDirectoryBitFollowsTheKind) {
  files_.AddFile("C:\\big.iso", 0x100000005ull);
  files_.AddFolder("C:\\Folder");
  files_.SetAttributes("C:\\big.iso", kFileAttributeDirectory | kFileAttributeReadOnly);
  files_.SetAttributes("C:\\Folder", kFileAttributeHidden);

  const std::vector<FileEntry> entries = files_.FindEntries("C:\\*");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "big.iso");
  EXPECT_EQ(entries[0].size, 5u);
  EXPECT_EQ(entries[0].attributes, kFileAttributeReadOnly);
  EXPECT_EQ(entries[1].attributes, kFileAttributeHidden | kFileAttributeDirectory);
  EXPECT_TRUE(files_.FileExists("C:\\big.iso"));
}

TEST_F(MemoryFileSystemTest, UnwritableFilesAndFoldersRefuseEveryChange) {
  files_.AddFileWithContents("C:\\Backup\\locked.reg", "old");
  files_.SetWritable("C:\\Backup\\locked.reg", false);
  EXPECT_NE(WriteFailure("C:\\Backup\\locked.reg", false), "");
  EXPECT_NE(WriteFailure("C:\\Backup\\locked.reg", true), "");
  EXPECT_EQ(files_.FileContents("C:\\Backup\\locked.reg"), "old");

  files_.AddFile("C:\\Sealed\\inside.lnk");
  files_.SetWritable("C:\\Sealed", false);
  EXPECT_NE(WriteFailure("C:\\Sealed\\new.txt", false), "");
  EXPECT_THROW(files_.CreateDirectory("C:\\Sealed\\Sub"), FileIoError);
  EXPECT_FALSE(files_.DeleteFileSilently("C:\\Sealed\\inside.lnk"));
  EXPECT_TRUE(files_.FileExists("C:\\Sealed\\inside.lnk"));
  // What is inside stays writable.
  EXPECT_EQ(WriteFailure("C:\\Sealed\\inside.lnk", true), "");
}

TEST_F(MemoryFileSystemTest, AWriterFailsOnceItsFileCannotBeWrittenAnyMore) {
  std::unique_ptr<TextFileWriter> file = files_.OpenTextFile("C:\\out.txt", false);
  file->WriteLine("kept");
  files_.SetWritable("C:\\out.txt", false);
  EXPECT_THROW(file->WriteLine("lost"), FileIoError);
  EXPECT_THROW(file->Close(), FileIoError);
  EXPECT_EQ(files_.FileContents("C:\\out.txt"), "kept\r\n");

  std::unique_ptr<TextFileWriter> removed = files_.OpenTextFile("C:\\gone.txt", false);
  EXPECT_TRUE(files_.DeleteFileSilently("C:\\gone.txt"));
  EXPECT_THROW(removed->WriteLine("x"), FileIoError);
}

TEST_F(MemoryFileSystemTest, WrittenEntriesGetTheClockTime) {
  const std::uint32_t noon = PackDosDateTime(2011, 3, 4, 12, 0, 0);
  files_.AddFile("C:\\old.txt");
  files_.SetClock(noon);
  files_.CreateDirectory("C:\\New");
  files_.OpenTextFile("C:\\old.txt", true)->WriteLine("x");

  for (const FileEntry& entry : files_.FindEntries("C:\\*")) {
    EXPECT_EQ(entry.dosTime, noon) << entry.name;
  }
  EXPECT_EQ(files_.FindEntries("C:\\New\\*")[0].dosTime, noon);
}

TEST_F(MemoryFileSystemTest, RelativePathsNeedACurrentFolder) {
  files_.AddFile("C:\\Tools\\run.exe");
  EXPECT_FALSE(files_.FileExists("run.exe"));
  EXPECT_FALSE(files_.FileExists("\\Tools\\run.exe"));

  files_.SetCurrentFolder("C:\\Tools");
  EXPECT_TRUE(files_.FileExists("run.exe"));
  EXPECT_TRUE(files_.FileExists("C:run.exe"));
  EXPECT_TRUE(files_.DirectoryExists("c:"));
  EXPECT_FALSE(files_.DirectoryExists("C:Tools"));
  EXPECT_TRUE(files_.FileExists("..\\Tools\\run.exe"));
  EXPECT_TRUE(files_.FileExists("\\Tools\\run.exe"));
  EXPECT_FALSE(files_.FileExists("\\\\server\\share\\run.exe"));
}

TEST_F(MemoryFileSystemTest, RemovingTheMediumHidesTheDriveUntilItIsBack) {
  files_.AddDrive('A', DriveType::Removable);
  files_.AddFile("A:\\setup.exe");
  files_.SetMediumPresent('a', false);
  EXPECT_FALSE(files_.FileExists("A:\\setup.exe"));
  EXPECT_FALSE(files_.VolumePresent("A:\\"));
  EXPECT_EQ(files_.GetDriveType("a:\\"), DriveType::Removable);

  files_.SetMediumPresent('A', true);
  EXPECT_TRUE(files_.FileExists("A:\\setup.exe"));
}

TEST_F(MemoryFileSystemTest, OneInstanceServesTwoThreads) {
  std::thread writer([&] {
    for (int i = 0; i < 200; ++i) files_.AddFile("C:\\Many\\file" + std::to_string(i) + ".dll");
  });
  for (int i = 0; i < 200; ++i) files_.FindEntries("C:\\Many\\*.dll");
  writer.join();
  EXPECT_EQ(files_.FindEntries("C:\\Many\\*.dll").size(), 200u);
}

TEST(MemorySystem, RecordsShellRequestsAndAnswersAsTold) {
  MemorySystem system;
  EXPECT_TRUE(system.OpenWithShell("C:\\Backup", ""));
  system.SetShellSucceeds(false);
  EXPECT_FALSE(system.OpenWithShell("regedit.exe", "/s x.reg"));
  EXPECT_EQ(system.ShellRequests(),
            std::vector<ShellRequest>({{"C:\\Backup", ""}, {"regedit.exe", "/s x.reg"}}));
}

}  // namespace
}  // namespace kelvane
