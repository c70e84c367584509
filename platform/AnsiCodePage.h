// Conversion between UTF-16 and the ANSI code page 1252 that older stored files are written in.
#pragma once

#include <string>

namespace kelvane {

char16_t AnsiCharToUtf16(unsigned char byte);
// Characters that code page 1252 cannot hold become '?'.
std::string Utf16ToAnsi(const std::u16string& text);
std::u16string AnsiToUtf16(const std::string& text);
std::string AnsiToUtf8(const std::string& text);

}  // namespace kelvane
