// The one place where the program's UTF-8 texts meet the UTF-16 of the wide system functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kelvane {

std::wstring Wide(const std::string& text);
std::string Utf8(const wchar_t* text, std::size_t length);
std::string Utf8(const std::wstring& text);
// Up to the first NUL.
std::string Utf8(const wchar_t* text);
// None when the stored units do not survive UTF-8 (a lone surrogate).
std::optional<std::string> ExactUtf8(const wchar_t* text, std::size_t length);

}  // namespace kelvane
