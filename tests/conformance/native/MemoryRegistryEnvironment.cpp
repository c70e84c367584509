#include "platform/memory/MemoryRegistry.h"
#include "tests/conformance/RegistryEnvironment.h"

namespace kelvane {

std::unique_ptr<RegistryStore> MakeConformanceRegistry() {
  return std::make_unique<MemoryRegistry>();
}

}  // namespace kelvane
