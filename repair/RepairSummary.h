// The summary after a repair: how many problems it repaired, and the box that switches the
// summary off for later repairs.
#pragma once

#include <string>

#include "global/Localization.h"
#include "global/Settings.h"

namespace kelvane {

// In English, for 12: "There are total 12 problems to be repaired."; when the check after the
// repair found more, a second line says how many.
std::string RepairSummaryText(const Language& language, int problemCount, int foundAfter);

// A ticked "don't show" box turns the summary off; unticked turns it back on.
void ApplyNotShowHintBox(Settings& settings, bool ticked);

}  // namespace kelvane
