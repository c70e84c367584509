// What a results cell shows when its text is wider than the cell: the parts of a key or path
// that tell most, kept whole, and "..." for the rest. The explanation shows the text whole.
#pragma once

#include <string>

#include "platform/Text.h"

namespace kelvane {

// A file path or other text: whole when it fits; else its first part and as many of its last
// parts as fit ("C:\...\PhotoDesk\thumb.dll"); when not even the last part fits, characters
// from the middle.
std::string ShortenedPathCell(const std::string& text, const FitsCheck& fits);

// A registry key: whole when it fits; else the same with its root abbreviated ("HKLM\...\Run").
std::string ShortenedKeyCell(const std::string& key, const FitsCheck& fits);

}  // namespace kelvane
