// A Windows file system kept in memory, with what the live one shows under Wine: drives with
// types and media, names in any letter case, '\\' or '/' separators, wildcard listings in
// Wine's order ("." and ".." first, except at a drive root), file contents, environment
// variables, special folders and the program's folder. One mutex guards it all, so a scan
// thread and the main thread can share an instance.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "platform/FileSystemAccess.h"
#include "platform/memory/WindowsPath.h"

namespace kelvane {

class MemoryFileSystem : public FileSystemAccess {
 public:
  static constexpr std::uint32_t kDefaultTime = PackDosDateTime(2010, 1, 1, 12, 0, 0);

  // Filling, for tests. Paths are full ("C:\\x\\y.dll") and missing parent folders are made;
  // a path that cannot hold the entry (no such drive, a file on the way, a bad name) raises
  // std::invalid_argument.
  void AddDrive(char letter, DriveType type, bool mediumPresent = true);
  void SetMediumPresent(char letter, bool present);
  void AddFolder(const std::string& path);
  // An existing file is replaced.
  void AddFile(const std::string& path, std::uint64_t size = 0,
               std::uint32_t attributes = kFileAttributeArchive);
  void AddFileWithContents(const std::string& path, const std::string& contents);
  // A shortcut file pointing at target, as the shell would save it; an empty target stands for
  // a shortcut to an object without a file-system path. An existing file is replaced. Its bytes
  // are the mark below and the target, so that a copy of them is the same shortcut.
  static inline const std::string kShortcutMark{"L\0\0\0", 4};
  void AddShortcut(const std::string& path, const std::string& target);
  // The directory bit follows the entry's kind whatever is given.
  void SetAttributes(const std::string& path, std::uint32_t attributes);
  void SetLastWrite(const std::string& path, std::uint32_t dosTime);
  // An unwritable file cannot be replaced, appended to or written to; in an unwritable folder
  // nothing can be created or deleted.
  void SetWritable(const std::string& path, bool writable);
  // Whether users who are not administrators may create files in the folder.
  void SetWritableByOthers(const std::string& folder, bool writable);
  // Writes that would take more than this many bytes from now on fail, as on a full disk.
  void SetSpaceLeft(std::uint64_t bytes);
  // From now on a file's end reads back with its last byte altered, as from a disk that
  // silently corrupts what it stores; FileContents still shows what was written.
  void SetReadsCorrupted(bool corrupted);
  // The time stamped on entries created or written from now on.
  void SetClock(std::uint32_t dosTime);
  void SetEnvironment(const std::string& name, const std::string& value);
  // From now on it is seen as a 32-bit program sees 64-bit Windows: the system folder below
  // %SystemRoot% is SysWOW64, and the real one is reached by the alias Sysnative.
  void SetWow64();
  void SetSpecialFolder(int shellFolderId, const std::string& path);
  void SetProgramFolder(const std::string& folder);
  // Relative paths are read against it; without one they name nothing.
  void SetCurrentFolder(const std::string& folder);
  // What was written to a file or given as its contents; nullopt when there is no such file.
  std::optional<std::string> FileContents(const std::string& path) const;

  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  void CreateDirectory(const std::string& path) override;
  std::vector<FileEntry> FindEntries(const std::string& pattern) override;
  DriveType GetDriveType(const std::string& root) override;
  bool VolumePresent(const std::string& root) override;
  std::optional<std::string> ExpandEnvironmentStrings(const std::string& text) override;
  std::optional<std::string> SpecialFolder(int shellFolderId) override;
  // The writer must not outlive this object.
  std::unique_ptr<TextFileWriter> OpenTextFile(const std::string& path, bool append) override;
  std::string ProgramFolder() override;
  std::optional<std::string> ReadFileEnd(const std::string& path, std::size_t count) override;
  bool IsPlainFile(const std::string& path) override;
  // Deletes every entry the name matches, folders with their contents, as the shell does;
  // read-only entries stay, as under Wine.
  bool DeleteFileSilently(const std::string& path) override;
  bool CreateNewFile(const std::string& path, const std::string& bytes) override;
  bool IsWritableByOthers(const std::string& folder) override;
  // Only files made by AddShortcut are shortcuts; any other file reads as none.
  std::string GetShortcutTarget(const std::string& shortcutPath) override;

 private:
  struct Node {
    std::string name;
    bool folder = false;
    std::uint32_t attributes = 0;
    std::uint32_t dosTime = 0;
    std::uint64_t size = 0;
    std::string contents;
    bool writable = true;
    bool writableByOthers = false;
    Node* parent = nullptr;
    // Keyed by the upper-cased name, which is also the order Wine lists them in.
    std::map<std::string, std::unique_ptr<Node>> children;
  };
  struct Drive {
    DriveType type = DriveType::Unknown;
    bool mediumPresent = true;
    std::unique_ptr<Node> root;
  };
  class TextFile;

  // What filling raises for a path that cannot hold the entry.
  static std::invalid_argument CannotHold(const std::string& path);

  // All of these expect the mutex to be held.
  WindowsPath Parse(const std::string& path) const;
  Drive& DriveFor(char letter);
  Node* Root(char drive) const;
  Node* Lookup(const WindowsPath& path) const;
  Node* LookupFolder(char drive, const std::vector<std::string>& components,
                     std::size_t count) const;
  Node* FillPath(const std::string& path, bool folder);
  Node* AddChild(Node& folder, const std::string& name, bool isFolder);
  // The folder a pattern lists and the pattern's last component; nullptr when none.
  Node* PatternFolder(const std::string& path, std::string& pattern) const;
  std::vector<FileEntry> Listing(const std::string& path) const;
  void AppendToFile(const std::string& path, const std::string& bytes);
  void CheckWritableFile(const std::string& path) const;

  mutable std::mutex mutex_;
  std::map<char, Drive> drives_;
  std::map<std::string, std::string> environment_;  // by upper-cased name
  bool wow64_ = false;
  std::map<int, std::string> specialFolders_;
  std::string programFolder_ = "C:\\";
  std::string currentFolder_;
  std::uint32_t clock_ = kDefaultTime;
  std::optional<std::uint64_t> spaceLeft_;
  bool readsCorrupted_ = false;
};

}  // namespace kelvane
