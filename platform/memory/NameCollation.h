// How the registry compares and sorts names written in the ANSI code page 1252: as the
// Unicode characters they stand for, folded to one case.
#pragma once

#include <string>

namespace kelvane {

bool SameName(const std::string& a, const std::string& b);
// <0, 0, >0 comparing the lower-cased (Wine) or upper-cased (Windows) names.
int CollateLower(const std::string& a, const std::string& b);
int CollateUpper(const std::string& a, const std::string& b);

}  // namespace kelvane
