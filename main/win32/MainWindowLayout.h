// Where the main window's controls stand, in pixels of its designed layout.
#pragma once

#include "global/Settings.h"
#include "results/ResultColumns.h"

namespace kelvane {

constexpr PixelSize kMainWindowDesignedSize{684, 520};

constexpr int kTreeLeft = 6;
constexpr int kTreeTop = 192;
constexpr int kTreeWidth = 183;
constexpr int kListLeft = 194;
constexpr int kListTop = 48;
constexpr int kButtonHeight = 25;
// The explanation below the list: lines of text it shows without scrolling, its frame and inner
// margins, and the gap above it.
constexpr int kExplanationLines = 11;
constexpr int kExplanationFrame = 8;
constexpr int kExplanationGap = 4;

// The least the results list, the tree and the status bar keep at the smallest window size.
constexpr int kNarrowestList = 250;
constexpr int kShortestTree = 120;
constexpr int kStatusBarAllowance = 24;
// The status bar's first panel, the count found, at least; longer texts widen it.
constexpr int kFirstStatusPanelWidth = 200;

}  // namespace kelvane
