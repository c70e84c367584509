#include <gtest/gtest.h>

#include <optional>

#include "repair/CleanOnce.h"

namespace kelvane {
namespace {

TEST(CleanOnce, ExitCodeIsZeroOnlyWhenAllIsRepairedAndThreeForRowsLeft) {
  EXPECT_EQ(CleanOnceExitCode(RepairOutcome::Repaired), 0);
  EXPECT_EQ(CleanOnceExitCode(RepairOutcome::RowsLeft), 3);
  EXPECT_EQ(CleanOnceExitCode(RepairOutcome::Abandoned), 1);
  // The scan failed: no repair ran.
  EXPECT_EQ(CleanOnceExitCode(std::nullopt), 1);
}

TEST(CleanOnce, TheLineCountsTheProblemsFoundAndSaysHowTheRepairEnded) {
  EXPECT_EQ(CleanOnceRepairLine(12, RepairOutcome::Repaired),
            "clean-once: 12 problems found, every one repaired");
  EXPECT_EQ(CleanOnceRepairLine(3, RepairOutcome::RowsLeft),
            "clean-once: 3 problems found, some could not be repaired and are left");
  EXPECT_EQ(CleanOnceRepairLine(0, RepairOutcome::Abandoned),
            "clean-once: 0 problems found, the repair did not run to its end");
}

}  // namespace
}  // namespace kelvane
