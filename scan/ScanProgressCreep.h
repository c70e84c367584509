// The scan progress bar creeps towards 999 on a timer, slower as it goes, and reaches 1000
// only when a task ends.
#pragma once

#include "global/ProgressCreep.h"

namespace kelvane {

constexpr int kProgressMaximum = 1000;
constexpr CreepBand kScanProgressCreep[] = {{200, 10}, {400, 5}, {700, 3}, {800, 2}, {998, 1}};

}  // namespace kelvane
