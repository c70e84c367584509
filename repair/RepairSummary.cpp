#include "repair/RepairSummary.h"

namespace kelvane {

std::string RepairSummaryText(const Language& language, int problemCount) {
  return language.LangString("RES_ThereTotal", "There are total") + " " +
         std::to_string(problemCount) + " " +
         language.LangString("RES_RepairProblems", "problems to be repaired.");
}

void ApplyNotShowHintBox(Settings& settings, bool ticked) {
  settings.showRepairSummary = !ticked;
}

}  // namespace kelvane
