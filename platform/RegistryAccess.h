// The registry as every rule of the program sees it: one root, one current key, relative and
// absolute opens. One object belongs to one thread; create it for the task in hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/RegistryStore.h"
#include "platform/RegistryTypes.h"

namespace kelvane {

class RegistryAccess {
 public:
  explicit RegistryAccess(RegistryStore& store);
  RegistryAccess(const RegistryAccess&) = delete;
  RegistryAccess& operator=(const RegistryAccess&) = delete;

  RootKey Root() const { return root_; }
  // Closes the current key when the root changes.
  void SetRootKey(RootKey root);
  void SetAccess(std::uint32_t access) { access_ = access; }
  // From now on a link at the end of a path opens as itself, not as its target, so that a walk
  // sees it and can leave it alone. Other keys open as before.
  void OpenLinksAsThemselves() { linksAsThemselves_ = true; }

  // "" reopens the current key (or the root); "\\x" is absolute from the root; anything else
  // is relative to the current key when one is open. On failure the current key is unchanged.
  bool OpenKey(const std::string& path, bool create);
  // Opens the subkey name of parent's current key, on parent's root, as parent.OpenKey(name)
  // would, while parent keeps its own key open. False when parent has no key open.
  bool OpenSubkeyOf(const RegistryAccess& parent, const std::string& name);
  void CloseKey();
  bool HasCurrentKey() const { return current_ != nullptr; }
  const std::string& CurrentPath() const { return currentPath_; }
  bool KeyExists(const std::string& path);
  // Whether the key at path, found as OpenKey finds it, is itself a link; false when it cannot
  // be opened. A link met on the way to it is followed.
  bool IsLink(const std::string& path);
  // Whether the current key was opened as a link itself.
  bool CurrentIsLink() { return current_ && IsLinkKey(*current_); }

  std::vector<std::string> SubkeyNames();
  std::vector<std::string> ValueNames();
  // Every value of the current key with its data, read in one pass.
  std::vector<NamedValue> Values();
  // The values with their data and the subkey names of the current key.
  KeyContents Contents();
  RegDataKind DataKind(const std::string& name);
  // -1 when the value cannot be queried.
  int DataSize(const std::string& name);
  bool ValueExists(const std::string& name);
  // Raw type and bytes, for writers that must keep every type exactly.
  bool ReadRaw(const std::string& name, RawValue& value);
  // The current key's contents, or one of its values, for a copy that must restore them: false
  // when something cannot be read or does not survive the ANSI code page.
  bool ReadExactly(KeyContents& contents);
  bool ReadRawExactly(const std::string& name, RawValue& value);

  // The text of a string or expandable-string value, read once; none when the value is missing,
  // cannot be read or is of another kind.
  std::optional<std::string> ReadText(const std::string& name);

  // The reads raise RegistryError with "Invalid data type for '%s'" or
  // "Failed to get data for '%s'".
  std::string ReadString(const std::string& name);
  std::int32_t ReadInteger(const std::string& name);
  std::size_t ReadBinary(const std::string& name, void* buffer, std::size_t bufferSize);

  bool WriteString(const std::string& name, const std::string& text);
  bool DeleteValue(const std::string& name);
  // Deletes the key and its whole subtree; the current key stays as it was. A link is neither
  // deleted nor entered, so a tree that holds one is not deleted whole.
  bool DeleteKey(const std::string& path);
  bool KeyInfo(RegKeyInfo& info);

 private:
  struct ResolvedPath {
    RegistryKey* base;  // the key the path is relative to
    std::string relative;
    std::unique_ptr<RegistryKey> ownedBase;  // the root, when no key is open
  };
  ResolvedPath Resolve(const std::string& path);
  std::unique_ptr<RegistryKey> Open(RegistryKey& base, const std::string& relative, bool create);
  bool DeleteTree(RegistryKey& parent, const std::string& relative);

  RegistryStore& store_;
  RootKey root_ = kHkeyCurrentUser;
  std::uint32_t access_ = kAccessFull;
  bool linksAsThemselves_ = false;
  std::unique_ptr<RegistryKey> current_;
  std::string currentPath_;
};

// The text of a string or expandable-string value, up to its first NUL; none for any other.
std::optional<std::string> ValueText(const RawValue& value);

}  // namespace kelvane
