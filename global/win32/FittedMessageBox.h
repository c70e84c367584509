// The program's message boxes: a run of text too wide for the screen, such as a long path, is
// shown by its two ends so that the box fits, and Ctrl+C copies the whole text all the same.
#pragma once

#include <windows.h>

#include <string>

namespace kelvane {

// MessageBoxW with the program's title; answers as it does.
int FittedMessageBox(HWND owner, const std::string& text, UINT type);

}  // namespace kelvane
