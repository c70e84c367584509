// A progress bar that creeps on a timer while work of unknown length runs, slower as it goes:
// a position up to a band's end moves on by the band's step; past the last band it stands.
#pragma once

#include <cstddef>

namespace kelvane {

struct CreepBand {
  int upTo;
  int step;
};

template <std::size_t Count>
constexpr int NextCreepPosition(int position, const CreepBand (&bands)[Count]) {
  if (position < 0) return position;
  for (const CreepBand& band : bands) {
    if (position <= band.upTo) return position + band.step;
  }
  return position;
}

}  // namespace kelvane
