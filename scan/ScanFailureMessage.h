// How a scan that ended early with an error is told to the user.
#pragma once

#include <string>

#include "global/Localization.h"
#include "scan/ScanSink.h"

namespace kelvane {

// For a message box, in the user's language.
std::string ScanFailureMessage(const Language& language, const ScanFailure& failure);
// One English line, for the command line.
std::string ScanFailureLine(const ScanFailure& failure);

}  // namespace kelvane
