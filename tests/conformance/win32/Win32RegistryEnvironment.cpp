#include "platform/win32/Win32Registry.h"
#include "tests/conformance/RegistryEnvironment.h"

namespace kelvane {

std::unique_ptr<RegistryStore> MakeConformanceRegistry() {
  return std::make_unique<Win32Registry>();
}

}  // namespace kelvane
