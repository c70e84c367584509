#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

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
  EXPECT_EQ(CleanOnceRepairLine({12, 0, 0}, RepairOutcome::Repaired),
            "clean-once: 12 problems found, every one repaired");
  EXPECT_EQ(CleanOnceRepairLine({3, 0, 0}, RepairOutcome::RowsLeft),
            "clean-once: 3 problems found, some could not be repaired and are left");
  EXPECT_EQ(CleanOnceRepairLine({10, 2, 1}, RepairOutcome::Repaired),
            "clean-once: 12 problems found, every certain one repaired, 2 left for review, 1 "
            "found by the check after a repair");
}

// Each pass finds what the check after the previous repair left in the list.
class RepairPasses : public ::testing::Test {
 protected:
  void Fill(std::size_t certain, std::size_t review) {
    results_.Clear();
    for (std::size_t row = 0; row < certain + review; ++row) {
      results_.Add(ProblemRecord{});
      results_.SetTicked(row, row < certain);
    }
  }
  // checks[n]: what the check after repair n finds, certain and for review.
  RepairOutcome Run(std::vector<std::pair<std::size_t, std::size_t>> checks,
                    RepairOutcome firstPass = RepairOutcome::Repaired) {
    return RepairInPasses(results_, [&] {
      const auto found = checks.at(repairs_);
      Fill(found.first, found.second);
      return repairs_++ == 0 ? firstPass : RepairOutcome::Repaired;
    }, tally_);
  }

  ResultsModel results_;
  CleanOnceTally tally_;
  std::size_t repairs_ = 0;
};

TEST_F(RepairPasses, RepairWhatTheChecksExposeAndCountEveryRowOnce) {
  Fill(3, 1);
  EXPECT_EQ(Run({{1, 2}, {0, 1}}), RepairOutcome::Repaired);
  EXPECT_EQ(repairs_, 2u);
  EXPECT_EQ(tally_.certain, 4u);
  EXPECT_EQ(tally_.review, 4u);
  EXPECT_EQ(tally_.foundAfterRepair, 4u);

  // Rows a pass left keep the run's outcome, while later passes go on; a run abandoned ends.
  tally_ = {};
  repairs_ = 0;
  Fill(2, 0);
  EXPECT_EQ(Run({{1, 0}, {0, 0}}, RepairOutcome::RowsLeft), RepairOutcome::RowsLeft);
  EXPECT_EQ(repairs_, 2u);
  repairs_ = 0;
  Fill(2, 0);
  EXPECT_EQ(Run({{1, 0}}, RepairOutcome::Abandoned), RepairOutcome::Abandoned);
  EXPECT_EQ(repairs_, 1u);
}

TEST_F(RepairPasses, StopAfterTheLastPassWithCertainRowsLeftAndWithoutATickedRow) {
  Fill(1, 0);
  EXPECT_EQ(Run({{1, 0}, {1, 0}, {1, 0}}), RepairOutcome::RowsLeft);
  EXPECT_EQ(repairs_, static_cast<std::size_t>(kCleanOncePasses));

  // Nothing certain: one repair call (it checks the backup folder), nothing counted twice.
  tally_ = {};
  repairs_ = 0;
  Fill(0, 2);
  EXPECT_EQ(Run({{0, 2}}), RepairOutcome::Repaired);
  EXPECT_EQ(repairs_, 1u);
  EXPECT_EQ(tally_.review, 2u);
}

}  // namespace
}  // namespace kelvane
