// Registry reads that several categories share.
//
// Links: a category's fixed start (HKEY_LOCAL_MACHINE\\Software, ...\\CurrentVersion\\Fonts, the
// services of CurrentControlSet) is opened as the system shows it to the program, links on the
// way followed: in the 32-bit view of a 64-bit system many shared keys, the classes among them,
// are links to the 64-bit ones, and on Windows CurrentControlSet is one. Every key a category
// comes to below its start, by a name it enumerated, is opened as itself: a link there is never
// reported and never walked into, since a row found through it names the link's target under
// the link's name, and a repair by that name would reach the target.
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

// Whether the key at path and every key below it are no links: what a repair that deletes the
// key may delete. A key that cannot be opened has nothing that can be told.
bool HoldsNoLink(RegistryStore& registry, RootKey root, const std::string& path);

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
