#include "platform/PortableProfileStore.h"
#include "tests/conformance/ProfileEnvironment.h"

namespace kelvane {

std::unique_ptr<ProfileStore> MakeConformanceProfileStore() {
  return std::make_unique<PortableProfileStore>();
}

}  // namespace kelvane
