#include "repair/CleanOnce.h"

namespace kelvane {
namespace {

constexpr int kCleanOnceRepaired = 0;
constexpr int kCleanOnceFailed = 1;
constexpr int kCleanOnceRowsLeft = 3;

}  // namespace

RepairOutcome RepairInPasses(const ResultsModel& results,
                             const std::function<RepairOutcome()>& repair,
                             CleanOnceTally& tally) {
  RepairOutcome result = RepairOutcome::Repaired;
  for (int pass = 0;; ++pass) {
    const bool afterRepair = pass > 0;
    const std::size_t ticked = results.TickedCount();
    tally.certain += ticked;
    tally.review += results.Count() - ticked;
    if (afterRepair) tally.foundAfterRepair += results.Count();
    if (afterRepair && ticked == 0) return result;
    if (pass == kCleanOncePasses) return RepairOutcome::RowsLeft;
    const RepairOutcome outcome = repair();
    if (outcome == RepairOutcome::Abandoned) return outcome;
    // Rows a pass could not repair stay left, whatever later passes do.
    if (outcome == RepairOutcome::RowsLeft) result = outcome;
    // Without a ticked row no walk ran and the list is as it was.
    if (ticked == 0) return result;
  }
}

int CleanOnceExitCode(std::optional<RepairOutcome> repair) {
  if (!repair) return kCleanOnceFailed;
  switch (*repair) {
    case RepairOutcome::Repaired: return kCleanOnceRepaired;
    case RepairOutcome::RowsLeft: return kCleanOnceRowsLeft;
    case RepairOutcome::Abandoned: break;
  }
  return kCleanOnceFailed;
}

std::string CleanOnceRepairLine(const CleanOnceTally& tally, RepairOutcome repair) {
  std::string how = "the repair did not run to its end";
  if (repair == RepairOutcome::Repaired) {
    how = tally.review == 0 ? "every one repaired" : "every certain one repaired";
  }
  if (repair == RepairOutcome::RowsLeft) how = "some could not be repaired and are left";
  std::string line = "clean-once: " + std::to_string(tally.certain + tally.review) +
                     " problems found, " + how;
  if (tally.review > 0) line += ", " + std::to_string(tally.review) + " left for review";
  if (tally.foundAfterRepair > 0) {
    line += ", " + std::to_string(tally.foundAfterRepair) + " found by the check after a repair";
  }
  return line;
}

}  // namespace kelvane
