// The runs without any window: "-report" and the quiet "-cleanonce". Each ends with one line
// on standard output that a fleet collects, and says on standard error why it failed.
#pragma once

#include "main/CommandLine.h"

namespace kelvane {

int RunReportMode(const StartRequest& request);
int RunQuietCleanOnceMode(const StartRequest& request);

}  // namespace kelvane
