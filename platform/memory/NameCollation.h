// How the registry and the file system compare names written in the ANSI code page 1252: as
// the Unicode characters they stand for, folded to one case.
#pragma once

#include <string>

namespace kelvane {

bool SameName(const std::string& a, const std::string& b);
// <0, 0, >0 comparing the lower-cased (Wine) or upper-cased (Windows) names.
int CollateLower(const std::string& a, const std::string& b);
int CollateUpper(const std::string& a, const std::string& b);
// Every letter in upper case, accented ones too: Wine finds "CAF\xC9" as "caf\xE9".
char UpperCaseLetter(char c);
std::string UpperCaseName(std::string name);

}  // namespace kelvane
