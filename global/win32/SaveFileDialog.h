// The save dialog of the text report and of the full registry backup.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kelvane {

// The filter pairs a description with its pattern, separated by '|'. The file the user chose,
// as typed; none when the dialog was cancelled.
std::optional<std::string> AskSaveFile(HWND owner, const std::string& title,
                                       const std::string& filter);

}  // namespace kelvane
