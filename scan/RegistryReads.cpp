#include "scan/RegistryReads.h"

namespace kelvane {

bool HoldsNoLink(RegistryStore& registry, RootKey root, const std::string& path) {
  std::vector<std::string> subkeys;
  {
    RegistryAccess key(registry);
    key.SetRootKey(root);
    key.SetAccess(kAccessRead);
    key.OpenLinksAsThemselves();
    if (!key.OpenKey(path, false)) return true;
    if (key.CurrentIsLink()) return false;
    subkeys = key.SubkeyNames();
  }
  for (const std::string& subkey : subkeys) {
    if (!HoldsNoLink(registry, root, path + "\\" + subkey)) return false;
  }
  return true;
}

}  // namespace kelvane
