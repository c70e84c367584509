#include <gtest/gtest.h>

#include "results/ResultsModel.h"
#include "scan/CategoryTree.h"

namespace kelvane {
namespace {

constexpr int kRoot = 0;
constexpr int kFilesAndFolders = 1;
constexpr int kLocalMachine = 2;
constexpr int kCurrentUser = 3;
constexpr int kUsers = 4;
constexpr int kSoftwareLocations = 5;

std::string TickedCodes(const CategoryTree& tree) {
  std::string codes;
  for (const ScanCategory category : tree.Collect()) {
    codes += std::to_string(CategoryNumber(category)) + " ";
  }
  return codes;
}

TEST(CategoryTree, TwentyTwoNodesInTreeOrderCarryTheirCategoryNumbers) {
  const auto& nodes = CategoryTree::Nodes();
  for (int node = 0; node < CategoryTree::kNodeCount; ++node) {
    EXPECT_EQ(CategoryNumber(nodes[node].category), node + 1);
  }
  EXPECT_EQ(nodes[kUsers].level, 2);
  EXPECT_EQ(nodes[kSoftwareLocations].level, 1);
  EXPECT_STREQ(nodes[21].text, "Applications");
}

TEST(CategoryTree, TheRootTicksAndUnticksEverything) {
  CategoryTree tree;
  tree.PressTick(kRoot);
  EXPECT_EQ(TickedCodes(tree), "");
  tree.PressTick(kRoot);
  EXPECT_EQ(tree.Collect().size(), 22u);
}

TEST(CategoryTree, ChildrenAndParentsStayConsistent) {
  CategoryTree tree;
  tree.PressTick(kCurrentUser);
  EXPECT_TRUE(tree.Ticked(kFilesAndFolders));
  EXPECT_TRUE(tree.Ticked(kRoot));
  tree.PressTick(kLocalMachine);
  tree.PressTick(kUsers);
  EXPECT_FALSE(tree.Ticked(kFilesAndFolders));
  EXPECT_TRUE(tree.Ticked(kRoot));

  tree.PressTick(kRoot);  // the root was ticked: everything off
  tree.PressTick(kFilesAndFolders);
  EXPECT_EQ(TickedCodes(tree), "1 2 3 4 5 ");
  tree.PressTick(kFilesAndFolders);
  EXPECT_EQ(TickedCodes(tree), "");
  tree.PressTick(kSoftwareLocations);
  EXPECT_EQ(TickedCodes(tree), "1 6 ");
}

TEST(CategoryTree, TicksGoToAndComeFromTheSettingsByCategory) {
  CategoryTree tree;
  tree.PressTick(kCurrentUser);
  Settings settings;
  settings.categoryTicks.Fill(true);
  tree.Save(settings);
  EXPECT_FALSE(settings.categoryTicks[ScanCategory::FilesAndFoldersCurrentUser]);
  EXPECT_TRUE(settings.categoryTicks[ScanCategory::FilesAndFoldersLocalMachine]);
  EXPECT_TRUE(settings.categoryTicks[ScanCategory::EmptyKeysUsers]);

  settings.categoryTicks[ScanCategory::SoftwareLocations] = false;
  CategoryTree restored;
  restored.Restore(settings);
  EXPECT_FALSE(restored.Ticked(kCurrentUser));
  EXPECT_FALSE(restored.Ticked(kSoftwareLocations));
  EXPECT_TRUE(restored.Ticked(kLocalMachine));
}

TEST(ResultsModel, TicksOfATypeMatchTheProblemTextExactly) {
  ResultsModel results;
  results.Add({"Missing Shared Dlls", "K1", "", RepairKind::ValueInKeyText});
  results.Add({"missing shared dlls", "K2", "", RepairKind::ValueInKeyText});
  results.Add({"Missing Shared Dlls", "K3", "", RepairKind::ValueInKeyText});
  EXPECT_EQ(results.TickedCount(), 0u);
  results.TickAllOfType(2, true);
  EXPECT_TRUE(results.Row(0).ticked);
  EXPECT_FALSE(results.Row(1).ticked);
  EXPECT_EQ(results.TickedCount(), 2u);
  results.TickAll(true);
  results.TickAllOfType(1, false);
  EXPECT_EQ(results.TickedCount(), 2u);
  results.Remove(0);
  EXPECT_EQ(results.Row(0).record.key, "K2");
}

}  // namespace
}  // namespace kelvane
