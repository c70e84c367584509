#include "platform/memory/MemorySystem.h"
#include "tests/conformance/SystemEnvironment.h"

namespace kelvane {

std::unique_ptr<SystemAccess> MakeConformanceSystem() { return std::make_unique<MemorySystem>(); }

}  // namespace kelvane
