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
template <typename Evidence>
void AddValueProblem(ScanContext& scan, Rule rule, const std::string& problem,
                     const std::string& keyText, const std::string& valueName,
                     const std::string& text, const Evidence& evidence) {
  if (valueName.find('\\') == std::string::npos) {
    scan.AddProblem(rule, problem, keyText + "\\" + valueName, text, RepairKind::ValueInKeyText,
                    evidence);
  } else {
    scan.AddProblem(rule, problem, keyText, valueName, RepairKind::ValueNamedByValue, evidence);
  }
}

}  // namespace kelvane
