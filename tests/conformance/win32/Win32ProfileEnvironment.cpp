#include "platform/win32/Win32ProfileStore.h"
#include "tests/conformance/ProfileEnvironment.h"

namespace kelvane {

std::unique_ptr<ProfileStore> MakeConformanceProfileStore() {
  return std::make_unique<Win32ProfileStore>();
}

}  // namespace kelvane
