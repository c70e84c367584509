#include "repair/CleanOnce.h"

namespace kelvane {
namespace {

constexpr int kCleanOnceRepaired = 0;
constexpr int kCleanOnceFailed = 1;
constexpr int kCleanOnceRowsLeft = 3;

}  // namespace

int CleanOnceExitCode(std::optional<RepairOutcome> repair) {
  if (!repair) return kCleanOnceFailed;
  switch (*repair) {
    case RepairOutcome::Repaired: return kCleanOnceRepaired;
    case RepairOutcome::RowsLeft: return kCleanOnceRowsLeft;
    case RepairOutcome::Abandoned: break;
  }
  return kCleanOnceFailed;
}

std::string CleanOnceRepairLine(std::size_t found, RepairOutcome repair) {
  std::string how = "the repair did not run to its end";
  if (repair == RepairOutcome::Repaired) how = "every one repaired";
  if (repair == RepairOutcome::RowsLeft) how = "some could not be repaired and are left";
  return "clean-once: " + std::to_string(found) + " problems found, " + how;
}

}  // namespace kelvane
