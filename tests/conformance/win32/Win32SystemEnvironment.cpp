#include "platform/win32/Win32System.h"
#include "tests/conformance/SystemEnvironment.h"

namespace kelvane {

std::unique_ptr<SystemAccess> MakeConformanceSystem() { return std::make_unique<Win32System>(); }

}  // namespace kelvane
