// Where the registry conformance tests run: the in-memory stand-in natively, the live registry
// under Wine. Tests work only below the scratch key of HKEY_CURRENT_USER.
#pragma once

#include <memory>

#include "platform/RegistryStore.h"

namespace kelvane {

constexpr char kConformanceScratchKey[] = "Software\\KelvaneConformance";

std::unique_ptr<RegistryStore> MakeConformanceRegistry();

}  // namespace kelvane
