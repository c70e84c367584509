// One row of the results: what is wrong, where, and what repair deletes.
#pragma once

#include <string>

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

struct ProblemRecord {
  std::string problem;
  std::string key;
  std::string value;
  RepairKind repairKind = RepairKind::Key;
};

}  // namespace kelvane
