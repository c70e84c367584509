// How the registry and the file system compare names: as UTF-16 units folded to one case.
#pragma once

#include <string>

namespace kelvane {

bool SameName(const std::string& a, const std::string& b);
// <0, 0, >0 comparing the lower-cased (Wine) or upper-cased (Windows) names.
int CollateLower(const std::string& a, const std::string& b);
int CollateUpper(const std::string& a, const std::string& b);
// Every letter in upper case, in any script: Wine finds "\u0422\u0415\u0421\u0422" as
// "\u0442\u0435\u0441\u0442".
std::string UpperCaseName(const std::string& name);

}  // namespace kelvane
