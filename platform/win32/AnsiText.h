// Conversion between the program's ANSI texts and the UTF-16 the system stores, as the ANSI
// functions of the system convert.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kelvane {

std::wstring WideFromAnsi(const std::string& ansi);
std::string AnsiFromWide(const wchar_t* text, std::size_t length);
// None when a character has no place in the code page or maps to a look-alike, so that the
// ANSI text would name something else.
std::optional<std::string> ExactAnsiFromWide(const std::wstring& text);

}  // namespace kelvane
