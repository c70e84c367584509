// The live registry behind RegistryAccess (advapi32).
#pragma once

#include "platform/RegistryStore.h"

namespace kelvane {

class Win32Registry : public RegistryStore {
 public:
  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override;
};

}  // namespace kelvane
