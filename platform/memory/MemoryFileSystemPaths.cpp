// How the in-memory file system finds, makes and lists entries by their paths.
#include "platform/memory/MemoryFileSystem.h"

#include <stdexcept>

#include "platform/NameCollation.h"

namespace kelvane {

std::invalid_argument MemoryFileSystem::CannotHold(const std::string& path) {
  return std::invalid_argument("The in-memory file system cannot hold '" + path + "'");
}

WindowsPath MemoryFileSystem::Parse(const std::string& path) const {
  WindowsPath parsed = ParseWindowsPath(path, currentFolder_);
  const auto systemRoot = environment_.find("SYSTEMROOT");
  if (!wow64_ || systemRoot == environment_.end()) return parsed;
  const WindowsPath windows = ParseWindowsPath(systemRoot->second, "");
  const std::size_t depth = windows.components.size();
  if (parsed.drive != windows.drive || parsed.components.size() <= depth) return parsed;
  for (std::size_t i = 0; i < depth; ++i) {
    if (UpperCaseName(parsed.components[i]) != UpperCaseName(windows.components[i])) {
      return parsed;
    }
  }
  std::string& folder = parsed.components[depth];
  if (UpperCaseName(folder) == "SYSTEM32") {
    folder = "SysWOW64";
  } else if (UpperCaseName(folder) == "SYSNATIVE") {
    folder = "System32";
  }
  return parsed;
}

MemoryFileSystem::Node* MemoryFileSystem::Root(char drive) const {
  const auto found = drives_.find(drive);
  if (found == drives_.end() || !found->second.mediumPresent) return nullptr;
  return found->second.root.get();
}

MemoryFileSystem::Node* MemoryFileSystem::LookupFolder(char drive,
                                                       const std::vector<std::string>& components,
                                                       std::size_t count) const {
  Node* node = Root(drive);
  for (std::size_t i = 0; node && i < count; ++i) {
    const auto child = node->children.find(UpperCaseName(components[i]));
    node = child != node->children.end() && child->second->folder ? child->second.get() : nullptr;
  }
  return node;
}

MemoryFileSystem::Node* MemoryFileSystem::Lookup(const WindowsPath& path) const {
  if (path.components.empty()) return Root(path.drive);
  Node* folder = LookupFolder(path.drive, path.components, path.components.size() - 1);
  if (!folder) return nullptr;
  const auto found = folder->children.find(UpperCaseName(path.components.back()));
  if (found == folder->children.end()) return nullptr;
  Node* node = found->second.get();
  // A separator after a file's name is no path at all.
  return path.trailingSeparator && !node->folder ? nullptr : node;
}

MemoryFileSystem::Node* MemoryFileSystem::AddChild(Node& folder, const std::string& name,
                                                   bool isFolder) {
  auto node = std::make_unique<Node>();
  node->name = name;
  node->folder = isFolder;
  node->attributes = isFolder ? kFileAttributeDirectory : kFileAttributeArchive;
  node->dosTime = clock_;
  node->parent = &folder;
  Node* added = node.get();
  folder.children[UpperCaseName(name)] = std::move(node);
  return added;
}

MemoryFileSystem::Node* MemoryFileSystem::FillPath(const std::string& path, bool folder) {
  const WindowsPath parsed = Parse(path);
  Node* node = Root(parsed.drive);
  if (!node || (parsed.components.empty() && !folder)) throw CannotHold(path);
  for (std::size_t i = 0; i < parsed.components.size(); ++i) {
    const std::string& name = parsed.components[i];
    const bool last = i + 1 == parsed.components.size();
    const auto found = node->children.find(UpperCaseName(name));
    if (found == node->children.end()) {
      if (!IsValidFileName(name)) throw CannotHold(path);
      node = AddChild(*node, name, folder || !last);
    } else if (found->second->folder != (folder || !last)) {
      throw CannotHold(path);
    } else {
      node = found->second.get();
    }
  }
  return node;
}

MemoryFileSystem::Node* MemoryFileSystem::PatternFolder(const std::string& path,
                                                        std::string& pattern) const {
  const WindowsPath parsed = Parse(path);
  // Wildcards work in the last component only; a name must follow the last separator.
  if (parsed.components.empty() || parsed.trailingSeparator) return nullptr;
  pattern = parsed.components.back();
  return LookupFolder(parsed.drive, parsed.components, parsed.components.size() - 1);
}

std::vector<FileEntry> MemoryFileSystem::Listing(const std::string& path) const {
  std::vector<FileEntry> entries;
  std::string pattern;
  const Node* folder = PatternFolder(path, pattern);
  if (!folder) return entries;
  const auto add = [&](const std::string& name, const Node& node) {
    if (!EntryMatches(name, pattern)) return;
    entries.push_back(
        FileEntry{name, node.attributes, node.dosTime, static_cast<std::uint32_t>(node.size)});
  };
  // Without wildcards, and without the '~' every 8.3 alias has, only the name itself matches.
  if (pattern.find_first_of("*?~") == std::string::npos) {
    const auto found = folder->children.find(UpperCaseName(pattern));
    if (found != folder->children.end()) add(found->second->name, *found->second);
    return entries;
  }
  // A drive root has no "." and "..".
  if (folder->parent) {
    add(".", *folder);
    add("..", *folder->parent);
  }
  for (const auto& child : folder->children) add(child.second->name, *child.second);
  return entries;
}

}  // namespace kelvane
