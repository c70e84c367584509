// What several categories share when they judge the values of one key.
#pragma once

#include <string>

#include "platform/RegistryTypes.h"
#include "scan/CategoryRules.h"

namespace kelvane {

// Only string and expandable-string values are read as text.
inline bool IsTextKind(RegDataKind kind) {
  return kind == RegDataKind::String || kind == RegDataKind::ExpandString;
}

// The row for a value of the key keyText: a name that holds no backslash can be appended to the
// key text, any other cannot, so the row names the value in its value text instead.
inline void AddValueProblem(ScanContext& scan, const std::string& problem,
                            const std::string& keyText, const std::string& valueName,
                            const std::string& text) {
  if (valueName.find('\\') == std::string::npos) {
    scan.AddProblem(problem, keyText + "\\" + valueName, text, RepairKind::ValueInKeyText);
  } else {
    scan.AddProblem(problem, keyText, valueName, RepairKind::ValueNamedByValue);
  }
}

}  // namespace kelvane
