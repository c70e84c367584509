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

// Whether the key, redirected on 64-bit Windows, is read in the 64-bit view as well: one of the
// machine's software or classes keys, but not the 32-bit view's own Wow6432Node keys. The
// users' keys are read once, in the program's view; HKEY_CLASSES_ROOT shows their classes.
bool HasA64BitView(const std::string& keyText);
// The name in the 64-bit view of a key of the 32-bit view that HasA64BitView: with Wow6432Node
// where WOW64 puts it, below the machine's software key or the classes.
std::string KeyTextOf32BitKeyIn64BitView(const std::string& keyText);
// Whether a key redirected and read in both views lies at or below the key.
bool MayHoldRedirectedKeys(const std::string& keyText);

}  // namespace kelvane
