#include "scan/CountKeyItems.h"

#include "platform/RegistryAccess.h"
#include "scan/RegistryReads.h"

namespace kelvane {
namespace {

bool IsOnlyAnEmptyDefaultString(RegistryAccess& key, const std::vector<std::string>& values) {
  if (values.size() != 1 || !values[0].empty()) return false;
  const std::optional<std::string> text = key.ReadText("");
  return text && text->empty();
}

}  // namespace

int CountKeyItems(RegistryStore& registry, RootKey root, const std::string& path, int limit,
                  bool stopOnManySubkeys, bool countEmptyDefault) {
  std::vector<std::string> subkeys;
  int count = 0;
  {
    RegistryAccess key(registry);
    key.SetRootKey(root);
    key.OpenLinksAsThemselves();
    if (!key.OpenKey(path, false)) return IsAbsentKey(registry, root, path) ? 0 : 1;
    // A link is something there, never walked into: its parent is not empty.
    if (key.CurrentIsLink()) return 1;
    const std::vector<std::string> values = key.ValueNames();
    count = static_cast<int>(values.size());
    if (!countEmptyDefault && IsOnlyAnEmptyDefaultString(key, values)) count = 0;
    if (limit != 0 && count >= limit) return count;
    subkeys = key.SubkeyNames();
  }
  if (stopOnManySubkeys && limit != 0 && static_cast<int>(subkeys.size()) > limit) {
    return static_cast<int>(subkeys.size());
  }
  for (const std::string& subkey : subkeys) {
    count += CountKeyItems(registry, root, path + "\\" + subkey, limit, stopOnManySubkeys,
                           countEmptyDefault);
    if (limit != 0 && count >= limit) return count;
  }
  return count;
}

}  // namespace kelvane
