#include <gtest/gtest.h>

#include "platform/ShortcutFiles.h"
#include "platform/memory/MemoryFileSystem.h"

namespace kelvane {
namespace {

TEST(ShortcutFiles, TheExtensionIsLnkInAnyCase) {
  for (const char* name : {"a.lnk", "B.LNK", "x.y.Lnk"}) EXPECT_TRUE(HasShortcutExtension(name));
  for (const char* name : {"a.lnk.txt", "lnk", "a_lnk", "C:\\x.lnk\\file"}) {
    EXPECT_FALSE(HasShortcutExtension(name)) << name;
  }
}

TEST(ShortcutFiles, AreDeletedOnlyWhilePlainLinkFilesOnPlainFolders) {
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  files.AddShortcut("C:\\Links\\Plain.LNK", "C:\\a.exe");
  files.AddFile("C:\\Links\\Folder.lnk\\inside.txt");
  files.AddShortcut("C:\\Links\\Junction.lnk", "C:\\b.exe");
  files.SetAttributes("C:\\Links\\Junction.lnk", kFileAttributeReparsePoint);
  files.AddFile("C:\\Links\\Program.exe");
  files.AddShortcut("C:\\Links\\Other.lnk", "C:\\c.exe");
  // A folder on the way that became a junction.
  files.AddShortcut("C:\\Swapped\\Deeper\\Behind.lnk", "C:\\d.exe");
  files.SetAttributes("C:\\Swapped", kFileAttributeDirectory | kFileAttributeReparsePoint);

  EXPECT_TRUE(DeleteShortcutFile(files, "C:\\Links\\Plain.LNK"));
  EXPECT_FALSE(files.FileExists("C:\\Links\\Plain.LNK"));
  for (const char* path : {"C:\\Links\\Folder.lnk", "C:\\Links\\Junction.lnk",
                           "C:\\Links\\Program.exe", "C:\\Links\\O*", "C:\\Links\\\\Other.lnk",
                           "Links\\Other.lnk", "C:\\Swapped\\Deeper\\Behind.lnk"}) {
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
