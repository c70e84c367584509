// What a restore point before a repair asks of System Restore, and the bar that creeps while
// the request runs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvane {

constexpr int kRestorePointProgressMaximum = 100;

// The bar's next position on a tick: it slows down as it goes and stays at the maximum, so it
// only suggests activity.
int NextRestorePointPosition(int position);

constexpr std::uint32_t kBeginSystemChange = 100;
constexpr std::uint32_t kApplicationInstall = 0;
constexpr std::size_t kRestorePointDescriptionSize = 64;
constexpr char kRestorePointDescription[] = "Made by Tessaly Kelvane";

// System Restore reads and writes these byte for byte: packed, as its own headers declare them.
#pragma pack(push, 1)
struct RestorePointRequest {
  std::uint32_t eventType;
  std::uint32_t restorePointType;
  std::int64_t sequenceNumber;
  char description[kRestorePointDescriptionSize];  // NUL-terminated and NUL-padded
};

struct RestorePointStatus {
  std::uint32_t status;
  std::int64_t sequenceNumber;
};
#pragma pack(pop)

static_assert(sizeof(RestorePointRequest) == 80, "System Restore expects 80 bytes");
static_assert(sizeof(RestorePointStatus) == 12, "System Restore expects 12 bytes");

// The start of a system change by an application install, with the program's description.
RestorePointRequest MakeRestorePointRequest();

enum class RestorePointOutcome { Created, Failed };

}  // namespace kelvane
