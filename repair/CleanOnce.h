// The end of the unattended scan and repair ("-cleanonce"): its caller learns the outcome from
// the exit code, and why from one line on standard error.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "repair/RepairRun.h"

namespace kelvane {

// 0 when every problem found was repaired, 3 when some could not be and are left, 1 when the
// scan failed (no repair) or the repair did not run to its end.
int CleanOnceExitCode(std::optional<RepairOutcome> repair);

// The line for standard error once the repair of the problems found has ended.
std::string CleanOnceRepairLine(std::size_t found, RepairOutcome repair);

}  // namespace kelvane
