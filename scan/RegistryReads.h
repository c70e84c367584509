// Registry reads that several categories share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/RegistryAccess.h"
#include "platform/RegistryTypes.h"
#include "platform/Text.h"

namespace kelvane {

// Opens path below the root called rootName, in any case; false when no root is called that or
// the key cannot be opened. Rows spell the root as RootKeyName(key.Root()) does: upper-cased.
inline bool OpenKeyBelowNamedRoot(RegistryAccess& key, const std::string& rootName,
                                  const std::string& path) {
  const std::optional<RootKey> root = RootKeyFromName(rootName);
  if (!root) return false;
  key.SetRootKey(*root);
  return key.OpenKey(path, false);
}

// The subkey names of a key; none when it cannot be opened. The key is closed again at once, so
// a walk over the names holds no key open.
inline std::vector<std::string> SubkeyNamesOf(RegistryStore& registry, RootKey root,
                                              const std::string& path) {
  RegistryAccess key(registry);
  key.SetRootKey(root);
  if (!key.OpenKey(path, false)) return {};
  return key.SubkeyNames();
}

// Whether a key that cannot be opened is not there at all: its parent can be read and does not
// list it. One that is listed but cannot be opened (no access, a name the ANSI code page cannot
// hold, a link that leads nowhere) may hold anything.
inline bool IsAbsentKey(RegistryStore& registry, RootKey root, const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  RegistryAccess parent(registry);
  parent.SetRootKey(root);
  parent.SetAccess(kAccessRead);
  if (!parent.OpenKey(slash == std::string::npos ? "" : path.substr(0, slash), false)) {
    return false;
  }
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (const std::string& listed : parent.SubkeyNames()) {
    if (SameTextAscii(listed, name)) return false;
  }
  return true;
}

// The subkey names, told apart from a key that cannot be read: none then, while a key that is
// not there has no names. A rule that reports what such a list lacks judges nothing without
// it, since it cannot be sure.
inline std::optional<std::vector<std::string>> ReadableSubkeyNames(RegistryStore& registry,
                                                                  RootKey root,
                                                                  const std::string& path) {
  RegistryAccess key(registry);
  key.SetRootKey(root);
  key.SetAccess(kAccessRead);
  if (!key.OpenKey(path, false)) {
    if (IsAbsentKey(registry, root, path)) return std::vector<std::string>{};
    return std::nullopt;
  }
  return key.SubkeyNames();
}

}  // namespace kelvane
