// Registry reads that several categories share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/RegistryAccess.h"
#include "platform/RegistryTypes.h"

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

}  // namespace kelvane
