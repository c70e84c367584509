// The system queries of the runner's platform: a 32-bit, non-WOW64 stand-in natively, the live
// system under Wine.
#pragma once

#include <memory>

#include "platform/SystemAccess.h"

namespace kelvane {

std::unique_ptr<SystemAccess> MakeConformanceSystem();

}  // namespace kelvane
