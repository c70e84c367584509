#include <stdexcept>

#include "platform/memory/MemoryFileSystem.h"
#include "tests/conformance/FileSystemEnvironment.h"

namespace kelvane {
namespace {

constexpr char kScratchTop[] = "kelvane-fs-scratch";
constexpr char kProgramFile[] = "conformance_tests.exe";

// The shell folders of a Wine prefix: the user's Start menu and recent documents lie inside the
// application data.
const struct {
  int id;
  const char* path;
} kShellFolders[] = {
    {ShellFolder::Programs,
     "C:\\users\\kelvane\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
    {ShellFolder::Recent, "C:\\users\\kelvane\\AppData\\Roaming\\Microsoft\\Windows\\Recent"},
    {ShellFolder::StartMenu,
     "C:\\users\\kelvane\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
    {ShellFolder::DesktopDirectory, "C:\\users\\kelvane\\Desktop"},
    {ShellFolder::CommonStartMenu, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu"},
    {ShellFolder::CommonPrograms, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
    {ShellFolder::CommonDesktopDirectory, "C:\\users\\Public\\Desktop"},
    {ShellFolder::AppData, "C:\\users\\kelvane\\AppData\\Roaming"},
};

// The stand-in laid out like the Wine prefix the Windows runner uses.
class MemoryFileSystemEnvironment : public FileSystemEnvironment {
 public:
  explicit MemoryFileSystemEnvironment(const std::string& testName)
      : scratch_(std::string(1, kFixedDrive) + ":\\" + kScratchTop + "\\" + testName + "\\") {
    files_.AddDrive(kFixedDrive, DriveType::Fixed);
    files_.AddDrive(kCdRomDrive, DriveType::CdRom);
    files_.AddDrive(kEmptyCdRomDrive, DriveType::CdRom, false);
    files_.AddDrive(kEmptyRemovableDrive, DriveType::Removable, false);
    files_.AddFolder("C:\\windows\\Fonts");
    files_.SetEnvironment("SystemDrive", "C:");
    files_.SetEnvironment("SystemRoot", "C:\\windows");
    files_.SetSpecialFolder(ShellFolder::Fonts, "C:\\windows\\Fonts");
    for (const auto& folder : kShellFolders) {
      files_.AddFolder(folder.path);
      files_.SetSpecialFolder(folder.id, folder.path);
    }
    files_.AddFile(std::string("C:\\tests\\") + kProgramFile, 4096);
    files_.SetProgramFolder("C:\\tests\\");
    files_.AddFolder(scratch_);
  }

  FileSystemAccess& FileSystem() override { return files_; }
  std::string ScratchFolder() override { return scratch_; }
  std::string ScratchTopFolderName() override { return kScratchTop; }
  std::string ProgramFileName() override { return kProgramFile; }

  void MakeFolder(const std::string& path) override { files_.AddFolder(path); }
  void WriteBytes(const std::string& path, const std::string& bytes) override {
    files_.AddFileWithContents(path, bytes);
  }
  std::string ReadBytes(const std::string& path) override {
    const std::optional<std::string> contents = files_.FileContents(path);
    if (!contents) throw std::runtime_error("No file " + path);
    return *contents;
  }
  void SetLastWrite(const std::string& path, int year, int month, int day, int hour, int minute,
                    int second) override {
    files_.SetLastWrite(path, PackDosDateTime(year, month, day, hour, minute, second));
  }
  void MakeReadOnly(const std::string& path) override {
    files_.SetAttributes(path, kFileAttributeReadOnly | kFileAttributeArchive);
  }
  bool LetUsersWrite(const std::string& folder) override {
    files_.SetWritableByOthers(folder, true);
    return true;
  }
  void MakeShortcut(const std::string& path, const std::string& target) override {
    files_.AddShortcut(path, target);
  }
  void SetVariable(const std::string& name, const std::string& value) override {
    files_.SetEnvironment(name, value);
  }

 private:
  MemoryFileSystem files_;
  std::string scratch_;
};

}  // namespace

std::unique_ptr<FileSystemEnvironment> MakeFileSystemEnvironment(const std::string& testName) {
  return std::make_unique<MemoryFileSystemEnvironment>(testName);
}

std::unique_ptr<FileSystemAccess> MakeWow64ConformanceFileSystem() {
  auto files = std::make_unique<MemoryFileSystem>();
  files->AddDrive(kFixedDrive, DriveType::Fixed);
  files->SetEnvironment("SystemRoot", "C:\\windows");
  // Made before the switch, by their real names.
  files->AddFolder("C:\\windows\\system32");
  files->AddFolder("C:\\windows\\syswow64");
  files->SetWow64();
  return files;
}

}  // namespace kelvane
