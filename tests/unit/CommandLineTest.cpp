#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/CommandLine.h"

namespace kelvane {
namespace {

TEST(CommandLine, OnlyTheTwoSwitchesRunAndAnythingElseAsksForTheUsage) {
  using Arguments = std::vector<std::string>;
  EXPECT_EQ(StartModeOf({}), StartMode::Window);
  EXPECT_EQ(StartModeOf(Arguments{"-REPORT", "x.txt"}), StartMode::Report);
  EXPECT_EQ(StartModeOf(Arguments{"-report"}), StartMode::Report);
  EXPECT_EQ(StartModeOf(Arguments{"-CleanOnce", "extra"}), StartMode::CleanOnce);
  for (const char* wrong : {"/?", "-?", "--help", "-foo", "/report", "report", "", "-cleanonce2"}) {
    EXPECT_EQ(StartModeOf(Arguments{wrong}), StartMode::Usage) << wrong;
  }
}

}  // namespace
}  // namespace kelvane
