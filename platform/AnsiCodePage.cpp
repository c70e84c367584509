#include "platform/AnsiCodePage.h"

#include <algorithm>

namespace kelvane {
namespace {

// Bytes 0x80..0x9F of code page 1252; every other byte stands for the same code point.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char16_t AnsiCharToUtf16(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

std::u16string AnsiToUtf16(const std::string& text) {
  std::u16string result;
  result.reserve(text.size());
  for (char c : text) result.push_back(AnsiCharToUtf16(static_cast<unsigned char>(c)));
  return result;
}

std::string AnsiToUtf8(const std::string& text) {
  // Most text is ASCII, the same in both.
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return text;
  }
  std::string result;
  result.reserve(text.size());
  // Every character of the code page lies in the Basic Multilingual Plane.
  for (char16_t unit : AnsiToUtf16(text)) {
    if (unit < 0x80) {
      result.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      result.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      result.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      result.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      result.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return result;
}

std::string Utf16ToAnsi(const std::u16string& text) {
  std::string result;
  result.reserve(text.size());
  for (char16_t unit : text) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      result.push_back(static_cast<char>(unit));
      continue;
    }
    char mapped = '?';
    for (int i = 0; i < 32; ++i) {
      if (kHighControls[i] == unit) mapped = static_cast<char>(0x80 + i);
    }
    result.push_back(mapped);
  }
  return result;
}

}  // namespace kelvane
