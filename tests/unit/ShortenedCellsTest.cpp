#include <gtest/gtest.h>

#include "results/ShortenedCells.h"

namespace kelvane {
namespace {

FitsCheck AtMost(std::size_t characters) {
  return [characters](const std::string& text) { return text.size() <= characters; };
}

TEST(ShortenedCells, KeysKeepTheirRootAbbreviatedAndPathsTheirFirstAndLastPartsWhole) {
  const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Vendor\\Run";
  EXPECT_EQ(ShortenedKeyCell(key, AtMost(38)), key);
  EXPECT_EQ(ShortenedKeyCell(key, AtMost(30)), "HKLM\\Software\\Vendor\\Run");
  EXPECT_EQ(ShortenedKeyCell(key, AtMost(20)), "HKLM\\...\\Vendor\\Run");
  // Not even the last part fits: characters go from the middle.
  EXPECT_EQ(ShortenedKeyCell(key, AtMost(11)), "HKLM...\\Run");
  EXPECT_EQ(ShortenedKeyCell("HKEY_LOCAL_MACHINE (64-bit)\\Software\\Vendor\\Run", AtMost(29)),
            "HKLM (64-bit)\\...\\Vendor\\Run");
  // A key of a default value ends with its separator.
  EXPECT_EQ(ShortenedKeyCell("HKEY_USERS\\S-1\\Software\\CLSID\\", AtMost(20)),
            "HKU\\...\\CLSID\\");
  EXPECT_EQ(ShortenedPathCell("C:\\Apps\\Hollowmere\\PhotoDesk\\thumb.dll", AtMost(26)),
            "C:\\...\\PhotoDesk\\thumb.dll");
  EXPECT_EQ(ShortenedPathCell("\"C:\\Apps\\Old\\run.exe\" -min", AtMost(22)),
            "\"C:\\...\\run.exe\" -min");
}

}  // namespace
}  // namespace kelvane
