#include <gtest/gtest.h>

#include "platform/RegFile.h"
#include "platform/memory/MemoryRegistry.h"
#include "scan/CountKeyItems.h"
#include "scan/ScanProgressCreep.h"

namespace kelvane {
namespace {

TEST(ProgressCreep, CreepsSlowerAsItGoesAndReaches999AfterExactly406Ticks) {
  int position = 0;
  int ticks = 0;
  while (position < 999) {
    const int next = NextCreepPosition(position, kScanProgressCreep);
    ASSERT_GT(next, position);
    position = next;
    ++ticks;
  }
  EXPECT_EQ(position, 999);
  EXPECT_EQ(ticks, 406);
  EXPECT_EQ(NextCreepPosition(999, kScanProgressCreep), 999);
  EXPECT_EQ(NextCreepPosition(1000, kScanProgressCreep), 1000);
  EXPECT_EQ(NextCreepPosition(200, kScanProgressCreep), 210);
  EXPECT_EQ(NextCreepPosition(201, kScanProgressCreep), 206);
  EXPECT_EQ(NextCreepPosition(700, kScanProgressCreep), 703);
  EXPECT_EQ(NextCreepPosition(800, kScanProgressCreep), 802);
  EXPECT_EQ(NextCreepPosition(998, kScanProgressCreep), 999);
}

int CountIn(const std::string& regText, const std::string& path) {
  MemoryRegistry registry;
  ApplyRegFile(registry, ParseRegFile("REGEDIT4\r\n" + regText));
  return CountKeyItems(registry, kHkeyCurrentUser, path, 1, true, true);
}

TEST(CountKeyItems, TellsWhetherASubtreeHoldsAnythingWithoutWalkingBroadKeys) {
  EXPECT_EQ(CountIn("[HKEY_CURRENT_USER\\K]\r\n", "K"), 0);
  EXPECT_EQ(CountIn("[HKEY_CURRENT_USER\\K\\One]\r\n", "K"), 0);
  EXPECT_EQ(CountIn("[HKEY_CURRENT_USER\\K\\A\\B\\C]\r\n", "K"), 0);
  EXPECT_EQ(CountIn("[HKEY_CURRENT_USER\\K\\A\\B\\C]\r\n\"v\"=\"\"\r\n", "K"), 1);
  EXPECT_EQ(CountIn("[HKEY_CURRENT_USER\\K\\One]\r\n[HKEY_CURRENT_USER\\K\\Two]\r\n", "K"), 2);
  EXPECT_EQ(CountIn("[HKEY_CURRENT_USER\\K]\r\n@=\"\"\r\n", "K"), 1);
  EXPECT_EQ(CountIn("[HKEY_CURRENT_USER\\K]\r\n\"a\"=\"\"\r\n\"b\"=\"\"\r\n", "K"), 2);
  EXPECT_EQ(CountIn("[HKEY_CURRENT_USER\\Other]\r\n", "Missing"), 0);
}

TEST(CountKeyItems, WithoutLimitCountsEveryValueAndCanIgnoreAnEmptyDefault) {
  MemoryRegistry registry;
  ApplyRegFile(registry, ParseRegFile("REGEDIT4\r\n"
                                      "[HKEY_CURRENT_USER\\K]\r\n@=\"\"\r\n"
                                      "[HKEY_CURRENT_USER\\K\\A]\r\n\"x\"=\"1\"\r\n\"y\"=\"2\"\r\n"
                                      "[HKEY_CURRENT_USER\\K\\B]\r\n@=\"\"\r\n"
                                      "[HKEY_CURRENT_USER\\K\\C]\r\n@=dword:00000000\r\n"));
  EXPECT_EQ(CountKeyItems(registry, kHkeyCurrentUser, "K", 0, false, true), 5);
  EXPECT_EQ(CountKeyItems(registry, kHkeyCurrentUser, "K", 0, false, false), 3);
}

TEST(CountKeyItems, ALinkCountsAsOneItemAndIsNeverEntered) {
  MemoryRegistry registry;
  ApplyRegFile(registry,
               ParseRegFile("REGEDIT4\r\n"
                            "[HKEY_CURRENT_USER\\Target]\r\n\"x\"=\"1\"\r\n\"y\"=\"2\"\r\n"
                            "[HKEY_CURRENT_USER\\Empty]\r\n"));
  const auto link = [&](const std::string& path, const std::string& target) {
    registry.AddLink(kHkeyCurrentUser, path, MemoryRegistry::FullName(kHkeyCurrentUser, target));
  };
  link("K\\ToTarget", "Target");
  link("Holder\\ToEmpty", "Empty");
  link("Loop\\Back", "Loop");
  EXPECT_EQ(CountKeyItems(registry, kHkeyCurrentUser, "K", 0, false, true), 1);
  EXPECT_EQ(CountKeyItems(registry, kHkeyCurrentUser, "K\\ToTarget", 0, false, true), 1);
  EXPECT_EQ(CountKeyItems(registry, kHkeyCurrentUser, "Holder", 1, true, true), 1);
  EXPECT_EQ(CountKeyItems(registry, kHkeyCurrentUser, "Loop", 0, false, true), 1);
}

}  // namespace
}  // namespace kelvane
