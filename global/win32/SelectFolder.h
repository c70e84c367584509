// The shell's folder dialog, shared by the windows that ask for a folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kelvane {

// File-system folders only, below root (the desktop when empty), nothing preselected, centred
// on the screen; the program's other windows are disabled and critical-error dialogs are off
// while it is open. The chosen folder's path, or none when the user cancelled.
std::optional<std::string> SelectFolder(HWND owner, const std::string& title,
                                        const std::string& root);

}  // namespace kelvane
