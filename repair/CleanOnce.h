// The end of the unattended scan and repair ("-cleanonce"): its caller learns the outcome from
// the exit code, and why from one line on standard error.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "repair/RepairRun.h"
#include "results/ResultsModel.h"

namespace kelvane {

// How many repairs an unattended run makes at most: each is followed by a check of what it
// touched, and a later repair takes what that check found.
constexpr int kCleanOncePasses = 3;

// What the passes found: the certain rows (ticked, to be repaired) and those left for review.
struct CleanOnceTally {
  std::size_t certain = 0;
  std::size_t review = 0;
  // Of those, the ones the checks after a repair found.
  std::size_t foundAfterRepair = 0;
};

// Repairs the ticked rows of the list, and then again what the check after each repair found
// ticked, for at most kCleanOncePasses repairs; certain rows still found after the last one are
// left, and so are rows a pass could not repair. A run that was abandoned ends at once. repair
// runs one repair of the list and, after a walk that ran, its check.
RepairOutcome RepairInPasses(const ResultsModel& results,
                             const std::function<RepairOutcome()>& repair,
                             CleanOnceTally& tally);

// 0 when every certain problem found was repaired (rows for review do not count), 3 when
// some could not be and are left, 1 when the scan failed (no repair) or the repair did not run
// to its end.
int CleanOnceExitCode(std::optional<RepairOutcome> repair);

// The line for standard error once the repair of the problems found has ended.
std::string CleanOnceRepairLine(const CleanOnceTally& tally, RepairOutcome repair);

}  // namespace kelvane
