// The file system as a 64-bit program on 64-bit Windows sees it, for a 32-bit one: the system
// folder through its "Sysnative" alias, which WOW64 does not redirect, and %ProgramFiles% and
// %CommonProgramFiles% as the 64-bit folders. Only the questions a scan asks are translated;
// nothing is written through it.
#pragma once

#include <string>

#include "platform/FileSystemAccess.h"

namespace kelvane {

class NativeFileSystem : public FileSystemAccess {
 public:
  explicit NativeFileSystem(FileSystemAccess& files);

  // The path with the system folder's name replaced by its alias; otherwise unchanged.
  std::string NativePath(const std::string& path);
  // Whether the path lies in the system folder while the alias is missing (XP x64 without its
  // update): what is there cannot be seen, so it counts as there.
  bool IsUnseen(const std::string& path) const;

  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::vector<FileEntry> FindEntries(const std::string& pattern) override;
  std::optional<std::string> ExpandEnvironmentStrings(const std::string& text) override;
  std::string GetShortcutTarget(const std::string& shortcutPath) override;

  void CreateDirectory(const std::string& path) override { files_.CreateDirectory(path); }
  DriveType GetDriveType(const std::string& root) override { return files_.GetDriveType(root); }
  bool VolumePresent(const std::string& root) override { return files_.VolumePresent(root); }
  std::optional<std::string> SpecialFolder(int id) override { return files_.SpecialFolder(id); }
  std::unique_ptr<TextFileWriter> OpenTextFile(const std::string& path, bool append) override {
    return files_.OpenTextFile(path, append);
  }
  std::string ProgramFolder() override { return files_.ProgramFolder(); }
  std::optional<std::string> ReadFileEnd(const std::string& path, std::size_t count) override {
    return files_.ReadFileEnd(path, count);
  }
  bool IsPlainFile(const std::string& path) override { return files_.IsPlainFile(path); }
  bool DeleteFileSilently(const std::string& path) override {
    return files_.DeleteFileSilently(path);
  }
  bool CreateNewFile(const std::string& path, const std::string& bytes) override {
    return files_.CreateNewFile(path, bytes);
  }
  bool IsWritableByOthers(const std::string& folder) override {
    return files_.IsWritableByOthers(folder);
  }

 private:
  FileSystemAccess& files_;
  std::string systemFolder_;  // upper-cased, e.g. "C:\\WINDOWS\\SYSTEM32"
  std::string aliasFolder_;   // e.g. "C:\\Windows\\Sysnative"
  bool aliasMissing_ = false;
};

}  // namespace kelvane
