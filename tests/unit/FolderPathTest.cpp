#include <gtest/gtest.h>

#include "platform/FolderPath.h"

namespace kelvane {
namespace {

TEST(FolderPath, OnlyRelativeFoldersAreTakenBelowTheBase) {
  const std::string base = "C:\\Program Files\\Kelvane\\";
  const struct {
    const char* typed;
    const char* absolute;
  } cases[] = {
      {"relbk", "C:\\Program Files\\Kelvane\\relbk"},
      {".\\relbk\\", "C:\\Program Files\\Kelvane\\relbk\\"},
      {"..\\relbk", "C:\\Program Files\\Kelvane\\..\\relbk"},
      {"\\relbk", "C:\\relbk"},
      {"D:relbk", "D:\\relbk"},
      {"d:\\relbk", "d:\\relbk"},
      {"E:/relbk", "E:/relbk"},
      {"\\\\server\\share\\relbk", "\\\\server\\share\\relbk"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AbsoluteFolder(c.typed, base), c.absolute) << c.typed;
}

}  // namespace
}  // namespace kelvane
