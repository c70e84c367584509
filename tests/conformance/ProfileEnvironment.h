// Where the profile conformance tests run: the portable store over host files natively, the
// system's profile functions under Wine. Tests work only in a scratch folder of their own.
#pragma once

#include <memory>

#include "platform/ProfileStore.h"

namespace kelvane {

std::unique_ptr<ProfileStore> MakeConformanceProfileStore();

}  // namespace kelvane
