#include <gtest/gtest.h>

#include <string>

#include "platform/PortableProfileStore.h"
#include "results/RowExplanation.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

ProblemRecord Row(const std::string& rule, Certainty certainty, RowView view = RowView::Bits32) {
  ProblemRecord row;
  row.problem = "Invalid File or Folder";
  row.key = "HKEY_CURRENT_USER\\Software\\V";
  row.value = row.testedPath = "C:\\Gone\\a.exe";
  row.ruleId = rule;
  row.reason = "The file \"C:\\Gone\\a.exe\" does not exist.";
  row.view = view;
  row.certainty = certainty;
  return row;
}

class RowExplanationTest : public ::testing::Test {
 protected:
  PortableProfileStore store_;
  std::string lan_ = "English";
  Language language_{store_, "", lan_};
};

TEST_F(RowExplanationTest, NamesEveryPartOfTheRowWholeOneALine) {
  EXPECT_EQ(RowExplanation(Row("file-reference", Certainty::Certain), language_),
            "The file \"C:\\Gone\\a.exe\" does not exist.\r\n"
            "Problem: Invalid File or Folder\r\n"
            "Class: certain - the evidence is direct, and repairing cannot break anything that "
            "still works\r\n"
            "Rule: file-reference\r\n"
            "Registry view: 32-bit\r\n"
            "Tested: C:\\Gone\\a.exe\r\n"
            "Key: HKEY_CURRENT_USER\\Software\\V\r\n"
            "Value: C:\\Gone\\a.exe");
}

TEST_F(RowExplanationTest, AReviewRowSaysWhyByItsRuleOrItsPath) {
  // A certain rule's row is for review when its path could not be checked directly.
  const std::string byPath = CertaintyText(Row("file-reference", Certainty::Review), language_);
  const std::string byRule = CertaintyText(Row("empty-software-key", Certainty::Review), language_);
  EXPECT_EQ(byPath.rfind("review - the path could not be checked directly", 0), 0u) << byPath;
  EXPECT_EQ(byRule.rfind("review - the evidence is indirect", 0), 0u) << byRule;
  EXPECT_EQ(RowTip(Row("empty-software-key", Certainty::Review), language_),
            "The file \"C:\\Gone\\a.exe\" does not exist.\r\nClass: " + byRule);
}

TEST_F(RowExplanationTest, TheEnglishFileSaysWhatTheBuiltInEnglishSays) {
  testsupport::ScratchFolder folder;
  testsupport::WriteRawFile(folder.PathOf("Lan_EnglishFromFile.ini"),
                            testsupport::ReadRawFile(KELVANE_RESOURCES_FOLDER "Lan_English.ini"));
  const std::string fromFile = "EnglishFromFile";
  const Language fileLanguage(store_, folder.Path(), fromFile);
  for (const RowView view : {RowView::None, RowView::Shared, RowView::Bits32, RowView::Bits64}) {
    for (const ProblemRecord& row :
         {Row("file-reference", Certainty::Certain, view), Row("file-reference", Certainty::Review),
          Row("empty-software-key", Certainty::Review)}) {
      EXPECT_EQ(RowExplanation(row, fileLanguage), RowExplanation(row, language_));
    }
  }
}

}  // namespace
}  // namespace kelvane
