#include "platform/memory/MemoryFileSystem.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Text.h"
#include "platform/NameCollation.h"

namespace kelvane {
namespace {

constexpr std::size_t kExpansionBufferSize = 1024;

using Lock = std::lock_guard<std::mutex>;

// The upper-case drive letter, or 0 for any other character.
char DriveLetter(char letter) {
  const char upper = UpperCaseAscii(std::string(1, letter))[0];
  return (upper >= 'A' && upper <= 'Z') ? upper : 0;
}

// The drive a root such as "C:\\" names; 0 for none.
char DriveLetterOf(const std::string& root) {
  return root.size() >= 2 && root[1] == ':' ? DriveLetter(root[0]) : 0;
}

}  // namespace

class MemoryFileSystem::TextFile : public TextFileWriter {
 public:
  TextFile(MemoryFileSystem& owner, std::string path) : owner_(owner), path_(std::move(path)) {}

  void Write(const std::string& bytes) override {
    if (closed_) throw MakeFileIoError(FileIoStep::Write, path_);
    owner_.AppendToFile(path_, bytes);
  }

  void Close() override {
    if (closed_) return;
    closed_ = true;
    const Lock lock(owner_.mutex_);
    owner_.CheckWritableFile(path_);
  }

 private:
  MemoryFileSystem& owner_;
  std::string path_;
  bool closed_ = false;
};

MemoryFileSystem::Drive& MemoryFileSystem::DriveFor(char letter) {
  const auto found = drives_.find(DriveLetter(letter));
  if (found == drives_.end()) throw CannotHold(std::string(1, letter) + ":");
  return found->second;
}

void MemoryFileSystem::AddDrive(char letter, DriveType type, bool mediumPresent) {
  const Lock lock(mutex_);
  const char drive = DriveLetter(letter);
  if (!drive) throw CannotHold(std::string(1, letter) + ":");
  Drive& added = drives_[drive];
  added.type = type;
  added.mediumPresent = mediumPresent;
  added.root = std::make_unique<Node>();
  added.root->folder = true;
  added.root->attributes = kFileAttributeDirectory;
  added.root->dosTime = clock_;
}

void MemoryFileSystem::SetMediumPresent(char letter, bool present) {
  const Lock lock(mutex_);
  DriveFor(letter).mediumPresent = present;
}

void MemoryFileSystem::AddFolder(const std::string& path) {
  const Lock lock(mutex_);
  FillPath(path, true);
}

void MemoryFileSystem::AddFile(const std::string& path, std::uint64_t size,
                               std::uint32_t attributes) {
  const Lock lock(mutex_);
  Node* file = FillPath(path, false);
  file->size = size;
  file->contents.clear();
  file->attributes = attributes & ~kFileAttributeDirectory;
}

void MemoryFileSystem::AddFileWithContents(const std::string& path, const std::string& contents) {
  const Lock lock(mutex_);
  Node* file = FillPath(path, false);
  file->contents = contents;
  file->size = contents.size();
}

void MemoryFileSystem::AddShortcut(const std::string& path, const std::string& target) {
  const Lock lock(mutex_);
  Node* file = FillPath(path, false);
  file->contents = kShortcutMark + target;
  file->size = file->contents.size();
}

void MemoryFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
  const Lock lock(mutex_);
  Node* node = Lookup(Parse(path));
  if (!node) throw CannotHold(path);
  node->attributes =
      node->folder ? attributes | kFileAttributeDirectory : attributes & ~kFileAttributeDirectory;
}

void MemoryFileSystem::SetLastWrite(const std::string& path, std::uint32_t dosTime) {
  const Lock lock(mutex_);
  Node* node = Lookup(Parse(path));
  if (!node) throw CannotHold(path);
  node->dosTime = dosTime;
}

void MemoryFileSystem::SetWritable(const std::string& path, bool writable) {
  const Lock lock(mutex_);
  Node* node = Lookup(Parse(path));
  if (!node) throw CannotHold(path);
  node->writable = writable;
}

void MemoryFileSystem::SetClock(std::uint32_t dosTime) {
  const Lock lock(mutex_);
  clock_ = dosTime;
}

void MemoryFileSystem::SetEnvironment(const std::string& name, const std::string& value) {
  const Lock lock(mutex_);
  environment_[UpperCaseAscii(name)] = value;
}

void MemoryFileSystem::SetWow64() {
  const Lock lock(mutex_);
  wow64_ = true;
}

void MemoryFileSystem::SetSpecialFolder(int shellFolderId, const std::string& path) {
  const Lock lock(mutex_);
  specialFolders_[shellFolderId] = path;
}

void MemoryFileSystem::SetProgramFolder(const std::string& folder) {
  const Lock lock(mutex_);
  programFolder_ = folder;
}

void MemoryFileSystem::SetCurrentFolder(const std::string& folder) {
  const Lock lock(mutex_);
  currentFolder_ = folder;
}

std::optional<std::string> MemoryFileSystem::FileContents(const std::string& path) const {
  const Lock lock(mutex_);
  const Node* node = Lookup(Parse(path));
  if (!node || node->folder) return std::nullopt;
  return node->contents;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
  const Lock lock(mutex_);
  const std::vector<FileEntry> entries = Listing(path);
  return !entries.empty() && !(entries.front().attributes & kFileAttributeDirectory);
}

bool MemoryFileSystem::DirectoryExists(const std::string& path) {
  const Lock lock(mutex_);
  const Node* node = Lookup(Parse(path));
  return node && node->folder;
}

void MemoryFileSystem::CreateDirectory(const std::string& path) {
  const Lock lock(mutex_);
  const auto fail = [&path](const char* reason) {
    return MakeFileIoError(FileIoStep::CreateFolder, path, reason);
  };
  const WindowsPath parsed = Parse(path);
  Node* node = Root(parsed.drive);
  if (!node) throw fail("The system cannot find the path specified.");
  for (const std::string& name : parsed.components) {
    const auto found = node->children.find(UpperCaseName(name));
    if (found != node->children.end()) {
      if (!found->second->folder) throw fail("Cannot create a file when that file already exists.");
      node = found->second.get();
    } else {
      if (!node->writable) throw fail("Access is denied.");
      if (!IsValidFileName(name)) {
        throw fail("The filename, directory name, or volume label syntax is incorrect.");
      }
      node = AddChild(*node, name, true);
    }
  }
}

std::vector<FileEntry> MemoryFileSystem::FindEntries(const std::string& pattern) {
  const Lock lock(mutex_);
  return Listing(pattern);
}

DriveType MemoryFileSystem::GetDriveType(const std::string& root) {
  const Lock lock(mutex_);
  const auto found = drives_.find(DriveLetterOf(root));
  return found == drives_.end() ? DriveType::NoRootDirectory : found->second.type;
}

bool MemoryFileSystem::VolumePresent(const std::string& root) {
  const Lock lock(mutex_);
  return Root(DriveLetterOf(root)) != nullptr;
}

std::optional<std::string> MemoryFileSystem::ExpandEnvironmentStrings(const std::string& text) {
  const Lock lock(mutex_);
  std::string result;
  std::size_t position = 0;
  while (position < text.size()) {
    const std::size_t open = text.find('%', position);
    const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) {
      result += text.substr(position);
      break;
    }
    result += text.substr(position, open - position);
    const auto variable =
        environment_.find(UpperCaseAscii(text.substr(open + 1, close - open - 1)));
    // An unknown name stays with both its percent signs, and the scan goes on after them (as
    // Wine does; Windows would look for a name again from the second sign).
    if (variable != environment_.end() && close > open + 1) {
      result += variable->second;
    } else {
      result += text.substr(open, close - open + 1);
    }
    position = close + 1;
  }
  if (result.size() + 1 > kExpansionBufferSize) return std::nullopt;
  return result;
}

std::optional<std::string> MemoryFileSystem::SpecialFolder(int shellFolderId) {
  const Lock lock(mutex_);
  const auto found = specialFolders_.find(shellFolderId);
  if (found == specialFolders_.end()) return std::nullopt;
  return found->second;
}

std::unique_ptr<TextFileWriter> MemoryFileSystem::OpenTextFile(const std::string& path,
                                                               bool append) {
  const Lock lock(mutex_);
  const FileIoError failure =
      MakeFileIoError(append ? FileIoStep::Append : FileIoStep::Create, path);
  const WindowsPath parsed = Parse(path);
  if (parsed.components.empty() || parsed.trailingSeparator) throw failure;
  Node* folder = LookupFolder(parsed.drive, parsed.components, parsed.components.size() - 1);
  if (!folder) throw failure;
  const std::string& name = parsed.components.back();
  const auto found = folder->children.find(UpperCaseName(name));
  if (found == folder->children.end()) {
    if (append || !folder->writable || !IsValidFileName(name)) throw failure;
    AddChild(*folder, name, false);
  } else {
    // Under Wine the read-only attribute does not stop a write; only unwritable files do.
    Node& file = *found->second;
    if (file.folder || !file.writable) throw failure;
    if (!append) {
      file.contents.clear();
      file.size = 0;
      file.dosTime = clock_;
    }
  }
  return std::make_unique<TextFile>(*this, path);
}

void MemoryFileSystem::CheckWritableFile(const std::string& path) const {
  const Node* file = Lookup(Parse(path));
  if (!file || file->folder || !file->writable) throw MakeFileIoError(FileIoStep::Write, path);
}

void MemoryFileSystem::AppendToFile(const std::string& path, const std::string& bytes) {
  const Lock lock(mutex_);
  CheckWritableFile(path);
  Node* file = Lookup(Parse(path));
  if (spaceLeft_) {
    // A full disk takes what fits and fails the rest.
    const auto fits =
        static_cast<std::size_t>(std::min<std::uint64_t>(*spaceLeft_, bytes.size()));
    file->contents += bytes.substr(0, fits);
    *spaceLeft_ -= fits;
    file->size = file->contents.size();
    if (fits < bytes.size()) {
      throw MakeFileIoError(FileIoStep::Write, path, "There is not enough space on the disk.");
    }
    return;
  }
  file->contents += bytes;
  file->size = file->contents.size();
  file->dosTime = clock_;
}

void MemoryFileSystem::SetSpaceLeft(std::uint64_t bytes) {
  const Lock lock(mutex_);
  spaceLeft_ = bytes;
}

void MemoryFileSystem::SetReadsCorrupted(bool corrupted) {
  const Lock lock(mutex_);
  readsCorrupted_ = corrupted;
}

std::optional<std::string> MemoryFileSystem::ReadFileEnd(const std::string& path,
                                                         std::size_t count) {
  const Lock lock(mutex_);
  const Node* node = Lookup(Parse(path));
  if (!node || node->folder) return std::nullopt;
  const std::string& contents = node->contents;
  std::string end = contents.substr(contents.size() - std::min(count, contents.size()));
  if (readsCorrupted_ && !end.empty()) end.back() ^= 1;
  return end;
}

bool MemoryFileSystem::IsPlainFile(const std::string& path) {
  const Lock lock(mutex_);
  if (path.find_first_of("*?") != std::string::npos) return false;
  const Node* node = Lookup(Parse(path));
  return node && !node->folder && !(node->attributes & kFileAttributeReparsePoint);
}

std::string MemoryFileSystem::ProgramFolder() {
  const Lock lock(mutex_);
  return programFolder_;
}

bool MemoryFileSystem::DeleteFileSilently(const std::string& path) {
  const Lock lock(mutex_);
  if (path.find_first_of("*?") != std::string::npos) return false;
  Node* file = Lookup(Parse(path));
  if (!file || file->folder || !file->parent || !file->parent->writable ||
      (file->attributes & (kFileAttributeReadOnly | kFileAttributeReparsePoint))) {
    return false;
  }
  file->parent->children.erase(UpperCaseName(file->name));
  return true;
}

bool MemoryFileSystem::CreateNewFile(const std::string& path, const std::string& bytes) {
  const Lock lock(mutex_);
  const WindowsPath parsed = Parse(path);
  if (parsed.components.empty() || parsed.trailingSeparator) return false;
  Node* folder = LookupFolder(parsed.drive, parsed.components, parsed.components.size() - 1);
  const std::string& name = parsed.components.back();
  if (!folder || !folder->writable || !IsValidFileName(name) ||
      folder->children.count(UpperCaseName(name)) || (spaceLeft_ && bytes.size() > *spaceLeft_)) {
    return false;
  }
  Node* file = AddChild(*folder, name, false);
  file->contents = bytes;
  file->size = bytes.size();
  file->dosTime = clock_;
  if (spaceLeft_) *spaceLeft_ -= bytes.size();
  return true;
}

void MemoryFileSystem::SetWritableByOthers(const std::string& folder, bool writable) {
  const Lock lock(mutex_);
  Node* node = Lookup(Parse(folder));
  if (!node || !node->folder) throw CannotHold(folder);
  node->writableByOthers = writable;
}

bool MemoryFileSystem::IsWritableByOthers(const std::string& folder) {
  const Lock lock(mutex_);
  const Node* node = Lookup(Parse(folder));
  return node && node->folder && node->writableByOthers;
}

std::string MemoryFileSystem::GetShortcutTarget(const std::string& shortcutPath) {
  const Lock lock(mutex_);
  const Node* file = Lookup(Parse(shortcutPath));
  if (!file || file->folder || file->contents.rfind(kShortcutMark, 0) != 0) return {};
  return file->contents.substr(kShortcutMark.size());
}

}  // namespace kelvane
