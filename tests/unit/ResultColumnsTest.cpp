#include <gtest/gtest.h>

#include "results/ResultColumns.h"

namespace kelvane {
namespace {

TEST(ResultColumns, ValueKeepsAThirdAndProblemAQuarterWhateverTheKeysNeed) {
  const ColumnWidths captions{60, 80, 40};
  // Short texts: every column fits, and Value takes the rest.
  EXPECT_EQ(FitResultColumns({100, 200, 150}, captions, 900), (ColumnWidths{100, 200, 600}));
  // Long keys take only what the Problem column leaves of two thirds.
  EXPECT_EQ(FitResultColumns({150, 2000, 300}, captions, 900), (ColumnWidths{150, 450, 300}));
  // Problem, which the explanation repeats, takes no more than a quarter.
  EXPECT_EQ(FitResultColumns({900, 2000, 50}, captions, 900), (ColumnWidths{225, 375, 300}));
  // Wider values take the rest of the list, not more: their cells shorten them in the middle.
  EXPECT_EQ(FitResultColumns({100, 100, 2000}, captions, 600), (ColumnWidths{100, 100, 400}));
}

TEST(ResultColumns, CaptionsStayWholeWhereTheTwoThirdsHoldThem) {
  // Problem gives way to a long key caption, down to its own.
  EXPECT_EQ(FitResultColumns({300, 400, 100}, {60, 144, 40}, 345), (ColumnWidths{86, 144, 115}));
  // Short contents under long captions.
  EXPECT_EQ(FitResultColumns({20, 30, 10}, {60, 144, 40}, 900), (ColumnWidths{60, 144, 696}));
}

TEST(ResultColumns, LeftColumnFitsItsTextsWithinNineTwentieths) {
  EXPECT_EQ(LeftColumnWidth(150, 183, 684), 183);
  EXPECT_EQ(LeftColumnWidth(220, 183, 900), 220);
  EXPECT_EQ(LeftColumnWidth(400, 183, 900), 400);
  EXPECT_EQ(LeftColumnWidth(500, 183, 900), 405);
  EXPECT_EQ(LeftColumnWidth(400, 183, 300), 183);
  for (int needed : {301, 400, 405}) {
    const int least = WindowWidthForLeftColumn(needed);
    EXPECT_EQ(LeftColumnWidth(needed, 183, least), needed);
    EXPECT_LT(LeftColumnWidth(needed, 183, least - 1), needed);
  }
}

}  // namespace
}  // namespace kelvane
