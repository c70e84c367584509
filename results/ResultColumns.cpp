#include "results/ResultColumns.h"

#include <algorithm>

namespace kelvane {

ColumnWidths FitResultColumns(const ColumnWidths& contents, const ColumnWidths& captions,
                              int listWidth) {
  ColumnWidths needs;
  for (std::size_t column = 0; column < needs.size(); ++column) {
    needs[column] = std::max(contents[column], captions[column]);
  }
  const int firstTwo = std::max(0, listWidth - listWidth / 3);
  const int problemShare =
      std::min(listWidth / 4, std::max(captions[0], firstTwo - captions[1]));
  const int problem = std::min(needs[0], problemShare);
  const int key = std::min(needs[1], firstTwo - problem);
  return {problem, key, listWidth - problem - key};
}

int LeftColumnWidth(int needed, int designed, int windowWidth) {
  return std::max(designed, std::min(needed, windowWidth * 9 / 20));
}

int WindowWidthForLeftColumn(int needed) { return (needed * 20 + 8) / 9; }

}  // namespace kelvane
