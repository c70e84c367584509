#include <gtest/gtest.h>

#include "platform/ShortcutFiles.h"
#include "platform/memory/MemoryFileSystem.h"

namespace kelvane {
namespace {

TEST(ShortcutFiles, TheExtensionIsLnkInAnyCase) {
  for (const char* name : {"a.lnk", "B.LNK", "c.Lnk", "x.y.lnk", ".lnk"}) {
    EXPECT_TRUE(HasShortcutExtension(name)) << name;
  }
  for (const char* name : {"a.lnk.txt", "lnk", "a.lnkx", "a_lnk", "C:\\x.lnk\\file"}) {
    EXPECT_FALSE(HasShortcutExtension(name)) << name;
  }
}

TEST(ShortcutFiles, AreDeletedOnlyWhilePlainLinkFilesOnPlainFolders) {
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  files.AddShortcut("C:\\Links\\Plain.LNK", "C:\\Gone\\a.exe");
  files.AddShortcut("C:\\Plain.lnk", "C:\\Gone\\a.exe");
  files.AddFolder("C:\\Links\\Folder.lnk");
  files.AddFile("C:\\Links\\Folder.lnk\\inside.txt");
  files.AddShortcut("C:\\Links\\Junction.lnk", "C:\\Gone\\b.exe");
  files.SetAttributes("C:\\Links\\Junction.lnk", kFileAttributeReparsePoint);
  files.AddFile("C:\\Links\\Program.exe");
  files.AddShortcut("C:\\Links\\Other.lnk", "C:\\Gone\\c.exe");
  // A folder on the way that became a junction.
  files.AddShortcut("C:\\Swapped\\Deeper\\Behind.lnk", "C:\\Gone\\d.exe");
  files.SetAttributes("C:\\Swapped", kFileAttributeDirectory | kFileAttributeReparsePoint);

  EXPECT_TRUE(DeleteShortcutFile(files, "C:\\Links\\Plain.LNK"));
  EXPECT_FALSE(files.FileExists("C:\\Links\\Plain.LNK"));
  EXPECT_TRUE(DeleteShortcutFile(files, "C:\\Plain.lnk"));
  EXPECT_FALSE(files.FileExists("C:\\Plain.lnk"));
  for (const char* path :
       {"C:\\Links\\Folder.lnk", "C:\\Links\\Junction.lnk", "C:\\Links\\Program.exe",
        "C:\\Links\\*.lnk", "C:\\Links\\O*", "C:\\Swapped\\Deeper\\Behind.lnk",
        "C:\\Links\\\\Other.lnk", "Links\\Other.lnk", "C:Other.lnk"}) {
    EXPECT_FALSE(DeleteShortcutFile(files, path)) << path;
  }
  for (const char* path :
       {"C:\\Links\\Folder.lnk\\inside.txt", "C:\\Links\\Junction.lnk", "C:\\Links\\Program.exe",
        "C:\\Links\\Other.lnk", "C:\\Swapped\\Deeper\\Behind.lnk"}) {
    EXPECT_TRUE(files.FileExists(path)) << path;
  }
}

}  // namespace
}  // namespace kelvane
