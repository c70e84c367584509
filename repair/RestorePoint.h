// What a restore point before a repair asks of System Restore, and the bar that creeps while
// the request runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "global/ProgressCreep.h"

namespace kelvane {

constexpr int kRestorePointProgressMaximum = 100;

// The bar creeps on a timer and stays at the maximum, so it only suggests activity.
constexpr CreepBand kRestorePointCreep[] = {{30, 10}, {50, 5}, {60, 3}, {80, 2}, {99, 1}};

constexpr std::uint32_t kBeginSystemChange = 100;
constexpr std::uint32_t kApplicationInstall = 0;
// UTF-16 units, the closing NUL included.
constexpr std::size_t kRestorePointDescriptionSize = 256;
constexpr char kRestorePointDescription[] = "Made by Tessaly Kelvane";

// System Restore reads and writes these byte for byte: packed, as its own headers declare them.
#pragma pack(push, 1)
struct RestorePointRequest {
  std::uint32_t eventType;
  std::uint32_t restorePointType;
  std::int64_t sequenceNumber;
  char16_t description[kRestorePointDescriptionSize];  // NUL-terminated and NUL-padded
};

struct RestorePointStatus {
  std::uint32_t status;
  std::int64_t sequenceNumber;
};
#pragma pack(pop)

static_assert(sizeof(RestorePointRequest) == 528, "System Restore expects 528 bytes");
static_assert(sizeof(RestorePointStatus) == 12, "System Restore expects 12 bytes");

// The start of a system change by an application install, described by the UTF-8 text, cut
// to fit where a character begins.
RestorePointRequest MakeRestorePointRequest(const std::string& description);

enum class RestorePointOutcome { Created, Failed };

}  // namespace kelvane
