// Shortcut (.lnk) files: which names are shortcuts, and how one is deleted without reaching
// anything else.
#pragma once

#include <string>

#include "platform/FileSystemAccess.h"

namespace kelvane {

// The name's extension, in any ASCII case, is exactly ".lnk".
bool HasShortcutExtension(const std::string& fileName);

// Whether the file is still a plain ".lnk" file on a full path through plain folders: the
// program runs elevated, and a folder the user can write to may have been swapped for a link or
// junction since the path was found.
bool IsDeletableShortcut(FileSystemAccess& files, const std::string& path);
// Deletes the file only while it is deletable so.
bool DeleteShortcutFile(FileSystemAccess& files, const std::string& path);

}  // namespace kelvane
