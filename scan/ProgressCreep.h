// The scan progress bar creeps towards 999 on a timer, slower as it goes, and reaches 1000
// only when a task ends.
#pragma once

namespace kelvane {

constexpr int kProgressMaximum = 1000;

int NextCreepPosition(int position);

}  // namespace kelvane
