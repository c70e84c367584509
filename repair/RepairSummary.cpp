#include "repair/RepairSummary.h"

namespace kelvane {

std::string RepairSummaryText(const Language& language, int problemCount, int foundAfter) {
  std::string text = language.LangString("RES_ThereTotal", "There are total") + " " +
                     std::to_string(problemCount) + " " +
                     language.LangString("RES_RepairProblems", "problems to be repaired.");
  if (foundAfter > 0) {
    text += "\r\n" + FilledIn(language.LangString("RES_Found_After_Repair",
                                                   "The check after the repair found %1 more "
                                                   "problems; they are listed now."),
                               std::to_string(foundAfter));
  }
  return text;
}

void ApplyNotShowHintBox(Settings& settings, bool ticked) {
  settings.showRepairSummary = !ticked;
}

}  // namespace kelvane
