// How wide the results list's columns are after a scan: each fits its contents, but the
// "Value" column, the missing path a user judges a row by, always keeps a third of the list,
// and "Problem", which the explanation below the list repeats, takes no more than a quarter.
// The columns fill the list and no more: what a cell cannot hold it shortens in the middle, and
// the explanation shows it whole.
#pragma once

#include <array>

namespace kelvane {

// The results list's columns: Problem, Registry key, Value.
constexpr int kResultColumnCount = 3;
using ColumnWidths = std::array<int, kResultColumnCount>;
constexpr int kDesignedColumnWidths[kResultColumnCount] = {120, 300, 150};
// After a scan that found nothing, no column is narrower than this.
constexpr int kNarrowestEmptyColumn = 120;

// contents: the width each column's longest text needs; captions: what each column's caption
// needs; listWidth: the list's inner width. A column wants the wider of the two. Problem takes
// at most a quarter, less where the key's caption would be cut, but not less than its own
// caption; the key what is left of the two thirds, and Value everything after both, however
// long its texts.
ColumnWidths FitResultColumns(const ColumnWidths& contents, const ColumnWidths& captions,
                              int listWidth);

// The left column (tree and command buttons) takes what its longest text needs, never less
// than designed and never more than 45 per cent of the window: enough for the German tree
// labels at the designed size, while the list keeps the larger part.
int LeftColumnWidth(int needed, int designed, int windowWidth);
// The narrowest window whose left column takes all it needs.
int WindowWidthForLeftColumn(int needed);

}  // namespace kelvane
