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

TEST(RestorePointRequest, HasTheByteLayoutSystemRestoreReads) {
  const RestorePointRequest request = MakeRestorePointRequest();
  unsigned char bytes[sizeof(request)];
  std::memcpy(bytes, &request, sizeof(request));
  ASSERT_EQ(sizeof(bytes), 80u);
  EXPECT_EQ(ReadAt<std::uint32_t>(bytes, 0), 100u);
  EXPECT_EQ(ReadAt<std::uint32_t>(bytes, 4), 0u);
  EXPECT_EQ(ReadAt<std::int64_t>(bytes, 8), 0);
  const std::string description = "Made by Tessaly Kelvane";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 16), description.size()),
            description);
  for (std::size_t at = 16 + description.size(); at < sizeof(bytes); ++at) {
    EXPECT_EQ(bytes[at], 0) << "byte " << at;
  }

  EXPECT_EQ(offsetof(RestorePointStatus, status), 0u);
  EXPECT_EQ(offsetof(RestorePointStatus, sequenceNumber), 4u);
  EXPECT_EQ(sizeof(RestorePointStatus), 12u);
}

}  // namespace
}  // namespace kelvane
