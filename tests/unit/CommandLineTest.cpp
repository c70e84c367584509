#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/CommandLine.h"

namespace kelvane {
namespace {

using Arguments = std::vector<std::string>;

StartMode ModeOf(const Arguments& arguments) { return ParseCommandLine(arguments).mode; }

TEST(CommandLine, OnlyTheTwoSwitchesRunAndAnythingElseAsksForTheUsage) {
  EXPECT_EQ(ModeOf({}), StartMode::Window);
  EXPECT_EQ(ModeOf(Arguments{"-REPORT", "x.txt"}), StartMode::Report);
  EXPECT_EQ(ModeOf(Arguments{"-report"}), StartMode::Report);
  EXPECT_EQ(ModeOf(Arguments{"-CleanOnce"}), StartMode::CleanOnce);
  for (const char* wrong : {"/?", "-?", "--help", "-foo", "/report", "report", "", "-cleanonce2"}) {
    EXPECT_EQ(ModeOf(Arguments{wrong}), StartMode::Usage) << wrong;
  }
}

TEST(CommandLine, TheOptionsFollowTheModeTheyBelongTo) {
  const StartRequest detect = ParseCommandLine({"-report", "C:\\r.txt", "-FORMAT", "jsonl",
                                                "-exitcode", "-keep", "8"});
  EXPECT_EQ(detect.keep, 8u);
  EXPECT_EQ(detect.Format(), ReportFormat::JsonLines);
  EXPECT_TRUE(detect.exitCode);
  EXPECT_TRUE(detect.quiet);

  const StartRequest clean = ParseCommandLine({"-cleanonce", "-report", "C:\\r.csv"});
  EXPECT_EQ(clean.Format(), ReportFormat::Csv);
  EXPECT_TRUE(clean.quiet);
  EXPECT_FALSE(ParseCommandLine({"-cleanonce"}).quiet);
  EXPECT_TRUE(ParseCommandLine({"-cleanonce", "-quiet"}).quiet);

  for (const Arguments& wrong :
       {Arguments{"-cleanonce", "-exitcode"}, Arguments{"-cleanonce", "-format", "csv"},
        Arguments{"-report", "r.txt", "-format", "xml"}, Arguments{"-report", "r.txt", "-format"},
        Arguments{"-cleanonce", "extra"}, Arguments{"-report", "a", "-report", "b"},
        Arguments{"-report", "a", "-keep", "0"}, Arguments{"-report", "a", "-keep", "x1"},
        Arguments{"-cleanonce", "-keep", "3"}}) {
    EXPECT_EQ(ModeOf(wrong), StartMode::Usage) << wrong.back();
  }
}

}  // namespace
}  // namespace kelvane
