#include "platform/memory/NameCollation.h"

#include <algorithm>

#include "platform/AnsiCodePage.h"

namespace kelvane {
namespace {

char16_t Lower(char16_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  switch (c) {
    case 0x0160: return 0x0161;
    case 0x0152: return 0x0153;
    case 0x017D: return 0x017E;
    case 0x0178: return 0x00FF;
    default: return c;
  }
}

char16_t Upper(char16_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  switch (c) {
    case 0x0161: return 0x0160;
    case 0x0153: return 0x0152;
    case 0x017E: return 0x017D;
    case 0x00FF: return 0x0178;
    default: return c;
  }
}

template <typename Fold>
int Collate(const std::string& a, const std::string& b, Fold fold) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t left = fold(AnsiCharToUtf16(static_cast<unsigned char>(a[i])));
    const char16_t right = fold(AnsiCharToUtf16(static_cast<unsigned char>(b[i])));
    if (left != right) return left < right ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && Collate(a, b, Lower) == 0;
}

int CollateLower(const std::string& a, const std::string& b) { return Collate(a, b, Lower); }

int CollateUpper(const std::string& a, const std::string& b) { return Collate(a, b, Upper); }

char UpperCaseLetter(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (static_cast<unsigned char>(c) < 0x80) return c;
  const char16_t unicode = AnsiCharToUtf16(static_cast<unsigned char>(c));
  const char16_t upper = Upper(unicode);
  return upper == unicode ? c : Utf16ToAnsi(std::u16string(1, upper))[0];
}

std::string UpperCaseName(std::string name) {
  for (char& c : name) c = UpperCaseLetter(c);
  return name;
}

}  // namespace kelvane
