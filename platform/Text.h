// Text helpers; texts are bytes in the ANSI code page and only ASCII letters change case.
#pragma once

#include <string>

namespace kelvane {

std::string UpperCaseAscii(std::string text);
std::string LowerCaseAscii(std::string text);
bool SameTextAscii(const std::string& a, const std::string& b);
// Each ASCII letter moved 13 places on in the alphabet, keeping its case.
std::string Rot13(std::string text);

}  // namespace kelvane
