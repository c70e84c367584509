#include "platform/win32/WideText.h"

#include <cwchar>

#include "platform/Utf8.h"

namespace kelvane {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's wide text is UTF-16");

std::wstring Wide(const std::string& text) {
  const std::u16string units = Utf16FromUtf8(text);
  return std::wstring(units.begin(), units.end());
}

std::string Utf8(const wchar_t* text, std::size_t length) {
  return Utf8FromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

std::string Utf8(const std::wstring& text) { return Utf8(text.data(), text.size()); }

std::string Utf8(const wchar_t* text) { return Utf8(text, std::wcslen(text)); }

std::optional<std::string> ExactUtf8(const wchar_t* text, std::size_t length) {
  return ExactUtf8FromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

}  // namespace kelvane
