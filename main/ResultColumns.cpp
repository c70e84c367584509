#include "main/ResultColumns.h"

#include <algorithm>

namespace kelvane {

ColumnWidths FitResultColumns(const ColumnWidths& contents, int listWidth) {
  const int firstTwo = std::max(0, listWidth - listWidth / 3);
  const int problem = std::min(contents[0], firstTwo / 2);
  const int key = std::min(contents[1], firstTwo - problem);
  return {problem, key, std::max(contents[2], listWidth - problem - key)};
}

int LeftColumnWidth(int needed, int designed, int windowWidth) {
  return std::max(designed, std::min(needed, windowWidth * 9 / 20));
}

}  // namespace kelvane
