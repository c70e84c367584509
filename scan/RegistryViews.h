// Which view of the registry a key text is read in. A 32-bit program on 64-bit Windows reads
// the redirected keys in their 32-bit view; the keys Windows shares between the views are the
// same in both. The list followed is Microsoft's "Registry Keys Affected by WOW64" for
// Windows 7 and later.
#pragma once

#include <string>

#include "scan/ProblemRecord.h"

namespace kelvane {

// keyText begins with the root's full name. On 32-bit Windows every key is in the 32-bit view.
RowView ViewOfKeyText(const std::string& keyText, bool isWow64);

}  // namespace kelvane
