// The save dialog of the text report.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kelvane {

// The file the user chose, as typed; none when the dialog was cancelled.
std::optional<std::string> AskReportFile(HWND owner);

}  // namespace kelvane
