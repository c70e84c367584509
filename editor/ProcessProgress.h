// The bar of the process progress window: it creeps on a timer while the registry editor runs,
// slower as it goes, and only suggests activity.
#pragma once

namespace kelvane {

constexpr int kProcessProgressMaximum = 500;
constexpr unsigned kProcessProgressInterval = 500;  // milliseconds

// The position after one tick; it ends one past the maximum and stays there.
int NextProcessProgressPosition(int position);

}  // namespace kelvane
