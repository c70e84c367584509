// One UTF-16 unit in upper or lower case, as the system's case tables map it.
#pragma once

namespace kelvane {

char16_t UpperCaseUnit(char16_t c);
char16_t LowerCaseUnit(char16_t c);

}  // namespace kelvane
