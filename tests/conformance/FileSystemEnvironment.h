// How a file-system conformance test reaches the implementation under test: the in-memory
// stand-in in the native runner, the live Win32 one under Wine. Each test gets an environment
// of its own with an empty scratch folder, and touches nothing outside that folder.
#pragma once

#include <memory>
#include <string>

#include "platform/FileSystemAccess.h"

namespace kelvane {

// Drives every environment has. Under Wine, add_test_drives in scripts/lib/wine.sh makes them.
constexpr char kFixedDrive = 'C';
constexpr char kCdRomDrive = 'D';           // with a disc in it
constexpr char kEmptyCdRomDrive = 'E';      // without a disc
constexpr char kEmptyRemovableDrive = 'A';  // a floppy drive without a disk
constexpr char kUnusedDrive = 'Q';

class FileSystemEnvironment {
 public:
  virtual ~FileSystemEnvironment() = default;

  virtual FileSystemAccess& FileSystem() = 0;
  // The test's own empty folder on the fixed drive, with a trailing backslash.
  virtual std::string ScratchFolder() = 0;
  // The first folder of the scratch folder's path, below the drive's root.
  virtual std::string ScratchTopFolderName() = 0;
  // The file name of the running test program, found in the program's folder.
  virtual std::string ProgramFileName() = 0;

  // Preparation and inspection that do not go through the interface under test.
  virtual void MakeFolder(const std::string& path) = 0;
  virtual void WriteBytes(const std::string& path, const std::string& bytes) = 0;
  virtual std::string ReadBytes(const std::string& path) = 0;
  virtual void SetLastWrite(const std::string& path, int year, int month, int day, int hour,
                            int minute, int second) = 0;
  virtual void MakeReadOnly(const std::string& path) = 0;
  // Lets the built-in group of ordinary users create files in the folder; false where the
  // platform keeps no such permission (a Wine prefix on a file system without extended
  // attributes).
  virtual bool LetUsersWrite(const std::string& folder) = 0;
  // A shortcut file pointing at target, saved by the platform's own shortcut maker.
  virtual void MakeShortcut(const std::string& path, const std::string& target) = 0;
  // A process environment variable, removed again when the environment ends.
  virtual void SetVariable(const std::string& name, const std::string& value) = 0;
};

std::unique_ptr<FileSystemEnvironment> MakeFileSystemEnvironment(const std::string& testName);

// The file system of 64-bit Windows as a 32-bit program sees it, with %SystemRoot% set:
// natively the stand-in made so, under Wine the live one of a 64-bit prefix; none in a 32-bit
// prefix. Its tests work in the system folders, on files of their own.
std::unique_ptr<FileSystemAccess> MakeWow64ConformanceFileSystem();

}  // namespace kelvane
