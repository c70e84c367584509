#include "editor/ProcessProgress.h"

namespace kelvane {

int NextProcessProgressPosition(int position) {
  if (position < 0) return position;
  if (position <= 300) return position + 10;
  if (position <= 400) return position + 5;
  if (position <= 450) return position + 3;
  if (position <= 490) return position + 2;
  if (position <= 500) return position + 1;
  return position;
}

}  // namespace kelvane
