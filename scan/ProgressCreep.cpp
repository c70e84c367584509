#include "scan/ProgressCreep.h"

namespace kelvane {

int NextCreepPosition(int position) {
  if (position < 0) return 0;
  if (position <= 200) return position + 10;
  if (position <= 400) return position + 5;
  if (position <= 700) return position + 3;
  if (position <= 800) return position + 2;
  if (position <= 998) return position + 1;
  return position;
}

}  // namespace kelvane
