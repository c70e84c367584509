#include <gtest/gtest.h>

#include <string>

#include "global/Localization.h"
#include "global/Settings.h"
#include "platform/PortableProfileStore.h"
#include "repair/RepairSummary.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

class RepairSummary : public ::testing::Test {
 protected:
  testsupport::ScratchFolder folder_;
  PortableProfileStore store_;
  std::string lan_ = "English";
  Language language_{store_, folder_.Path(), lan_};
};

TEST_F(RepairSummary, CountsTheProblemsInTheCurrentLanguage) {
  EXPECT_EQ(RepairSummaryText(language_, 12, 0), "There are total 12 problems to be repaired.");
  EXPECT_EQ(RepairSummaryText(language_, 1, 0), "There are total 1 problems to be repaired.");
  EXPECT_EQ(RepairSummaryText(language_, 2, 3),
            "There are total 2 problems to be repaired.\r\nThe check after the repair found 3 "
            "more problems; they are listed now.");

  testsupport::WriteRawFile(LanguageFilePath(folder_.Path(), "German"),
                            "[ResourceString]\r\nRES_ThereTotal=Insgesamt wurden\r\n"
                            "RES_RepairProblems=Probleme repariert.\r\n");
  lan_ = "German";
  EXPECT_EQ(RepairSummaryText(language_, 12, 0), "Insgesamt wurden 12 Probleme repariert.");
  // A language without its file speaks English.
  lan_ = "French";
  EXPECT_EQ(RepairSummaryText(language_, 3, 0), "There are total 3 problems to be repaired.");
}

TEST(NotShowHintBox, TickingTurnsTheSummaryOffAndUntickingBackOn) {
  Settings settings;
  settings.showRepairSummary = true;
  ApplyNotShowHintBox(settings, true);
  EXPECT_FALSE(settings.showRepairSummary);
  ApplyNotShowHintBox(settings, false);
  EXPECT_TRUE(settings.showRepairSummary);

  settings.showRepairSummary = false;
  ApplyNotShowHintBox(settings, false);
  EXPECT_TRUE(settings.showRepairSummary);
}

}  // namespace
}  // namespace kelvane
