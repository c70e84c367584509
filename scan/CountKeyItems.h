#pragma once

#include <string>

#include "platform/RegistryStore.h"

namespace kelvane {

// Counts the values in a key's subtree, stopping early once limit is reached (0: no limit).
// With limit 1 and both flags set it tells whether the subtree holds anything at all. A key
// that is not there is empty; one that is there but cannot be opened counts as one item, since
// nothing can be said of what it holds, and so does a link, the key at path included.
int CountKeyItems(RegistryStore& registry, RootKey root, const std::string& path, int limit,
                  bool stopOnManySubkeys, bool countEmptyDefault);

}  // namespace kelvane
