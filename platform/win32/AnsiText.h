// Conversion between the program's ANSI texts and the UTF-16 the system stores, as the ANSI
// functions of the system convert.
#pragma once

#include <cstddef>
#include <string>

namespace kelvane {

std::wstring WideFromAnsi(const std::string& ansi);
std::string AnsiFromWide(const wchar_t* text, std::size_t length);

}  // namespace kelvane
