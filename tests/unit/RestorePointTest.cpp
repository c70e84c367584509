#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "repair/RestorePoint.h"

namespace kelvane {
namespace {

TEST(RestorePointProgress, CreepsSlowerAsItGoesAndStopsAtTheMaximum) {
  std::vector<int> firstTen;
  int position = 0;
  for (int tick = 0; tick < 10; ++tick) {
    position = NextCreepPosition(position, kRestorePointCreep);
    firstTen.push_back(position);
  }
  EXPECT_EQ(firstTen, (std::vector<int>{10, 20, 30, 40, 45, 50, 55, 58, 61, 63}));

  position = 0;
  int ticks = 0;
  while (position < kRestorePointProgressMaximum && ticks < 1000) {
    position = NextCreepPosition(position, kRestorePointCreep);
    ++ticks;
  }
  EXPECT_EQ(ticks, 38);
  EXPECT_EQ(position, 100);
  EXPECT_EQ(NextCreepPosition(100, kRestorePointCreep), 100);
  EXPECT_EQ(NextCreepPosition(150, kRestorePointCreep), 150);
  EXPECT_EQ(NextCreepPosition(-1, kRestorePointCreep), -1);
}

template <typename Number>
Number ReadAt(const unsigned char* bytes, std::size_t offset) {
  Number value;
  std::memcpy(&value, bytes + offset, sizeof(value));
  return value;
}

// The description as UTF-16 LE from byte 16, as SRSetRestorePointW reads it.
std::u16string DescriptionAt16(const RestorePointRequest& request) {
  unsigned char bytes[sizeof(request)];
  std::memcpy(bytes, &request, sizeof(request));
  std::u16string units;
  for (std::size_t at = 16; at < sizeof(bytes); at += 2) {
    units.push_back(static_cast<char16_t>(bytes[at] | bytes[at + 1] << 8));
  }
  return units;
}

TEST(RestorePointRequest, HasTheByteLayoutSystemRestoreReads) {
  const RestorePointRequest request = MakeRestorePointRequest(kRestorePointDescription);
  unsigned char bytes[sizeof(request)];
  std::memcpy(bytes, &request, sizeof(request));
  ASSERT_EQ(sizeof(bytes), 528u);
  EXPECT_EQ(ReadAt<std::uint32_t>(bytes, 0), 100u);
  EXPECT_EQ(ReadAt<std::uint32_t>(bytes, 4), 0u);
  EXPECT_EQ(ReadAt<std::int64_t>(bytes, 8), 0);
  const std::u16string description = u"Made by Tessaly Kelvane";
  EXPECT_EQ(DescriptionAt16(request),
            description + std::u16string(256 - description.size(), u'\0'));

  EXPECT_EQ(offsetof(RestorePointStatus, status), 0u);
  EXPECT_EQ(offsetof(RestorePointStatus, sequenceNumber), 4u);
  EXPECT_EQ(sizeof(RestorePointStatus), 12u);
}

TEST(RestorePointRequest, TakesADescriptionInAnyScriptAndCutsItWhereACharacterBegins) {
  EXPECT_EQ(DescriptionAt16(MakeRestorePointRequest("\xD0\x9F\xD0\xB5\xD1\x80\xD0\xB5\xD0\xB4 "
                                                    "\xE4\xBF\xAE\xE5\xA4\x8D"))
                .substr(0, 9),
            std::u16string(u"\u041F\u0435\u0440\u0435\u0434 \u4FEE\u590D") + u'\0');

  // 254 letters, then one character of two units that would leave no room for the NUL.
  const std::u16string cut =
      DescriptionAt16(MakeRestorePointRequest(std::string(254, 'a') + "\xF0\x9F\x98\x80"));
  EXPECT_EQ(cut, std::u16string(254, u'a') + u'\0' + u'\0');
  const std::u16string fits =
      DescriptionAt16(MakeRestorePointRequest(std::string(253, 'a') + "\xF0\x9F\x98\x80" "b"));
  EXPECT_EQ(fits, std::u16string(253, u'a') + u"\U0001F600" + u'\0');
}

}  // namespace
}  // namespace kelvane
