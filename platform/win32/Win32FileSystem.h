// The live drives behind FileSystemAccess (kernel32 and shell32).
#pragma once

#include <windows.h>

#include <atomic>

#include "platform/FileSystemAccess.h"

namespace kelvane {

class Win32FileSystem : public FileSystemAccess {
 public:
  // The top-level window that owns shell requests; none until set.
  void SetOwnerWindow(HWND owner) { owner_ = owner; }

  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  void CreateDirectory(const std::string& path) override;
  std::vector<FileEntry> FindEntries(const std::string& pattern) override;
  DriveType GetDriveType(const std::string& root) override;
  bool VolumePresent(const std::string& root) override;
  std::optional<std::string> ExpandEnvironmentStrings(const std::string& text) override;
  std::optional<std::string> SpecialFolder(int shellFolderId) override;
  std::unique_ptr<TextFileWriter> OpenTextFile(const std::string& path, bool append) override;
  std::string ProgramFolder() override;
  std::optional<std::string> ReadFileEnd(const std::string& path, std::size_t count) override;
  bool IsPlainFile(const std::string& path) override;
  bool DeleteFileSilently(const std::string& path) override;
  bool CreateNewFile(const std::string& path, const std::string& bytes) override;
  bool IsWritableByOthers(const std::string& folder) override;
  // Through the shell's link object, with COM made ready on the calling thread for the call.
  std::string GetShortcutTarget(const std::string& shortcutPath) override;

 private:
  // Set by the main thread, read by the scan thread.
  std::atomic<HWND> owner_{nullptr};
};

}  // namespace kelvane
