// One row of the results: what is wrong, where, what repair deletes, and why it was found.
#pragma once

#include <string>

#include "global/ScanCategory.h"

namespace kelvane {

// What repair deletes for a row.
enum class RepairKind {
  Key = 0,                // the key named by the key text, with its subtree
  ValueInKeyText = 1,     // the value named by the last component of the key text
  ValueNamedByValue = 2,  // the value named by the value text, in the key of the key text
  SubkeyNamedByValue = 3, // the key formed by the key text, "\" and the value text
  ShortcutFile = 4,       // the file named by the key text
  DefaultValue = 5,       // the key's unnamed default value
  EncodedValueName = 6,   // the value whose stored name is the value text, rotated by 13
};

// Certain: the evidence is direct and deleting cannot break anything that still works.
// Review: the evidence is indirect or the entry may still be in use; a person decides.
enum class Certainty { Certain, Review };

// The registry view a row was read in. Shared keys are the same in both views of 64-bit
// Windows; a shortcut file is in no view at all.
enum class RowView { None, Shared, Bits32, Bits64 };

struct ProblemRecord {
  std::string problem;
  std::string key;
  std::string value;
  RepairKind repairKind = RepairKind::Key;
  // The explanation, made by the rule that found the row.
  std::string ruleId;
  std::string reason;      // one sentence in the user's language
  std::string testedPath;  // the path or name tested, whole
  RowView view = RowView::None;
  Certainty certainty = Certainty::Review;
  // The category whose scan found the row, so that a repair can check it again.
  ScanCategory category = ScanCategory::AllCategories;
};

// Stable words for the view and the class, as reports and the window name them.
const char* ViewName(RowView view);
const char* CertaintyName(Certainty certainty);

}  // namespace kelvane
