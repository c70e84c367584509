#include "platform/NameCollation.h"

#include <algorithm>

#include "platform/Utf8.h"
#include "platform/CaseTables.h"

namespace kelvane {
namespace {

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

template <typename Units, typename Fold>
int CollateUnits(const Units& a, const Units& b, Fold fold) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t left = fold(static_cast<char16_t>(static_cast<unsigned char>(a[i])));
    const char16_t right = fold(static_cast<char16_t>(static_cast<unsigned char>(b[i])));
    if (left != right) return left < right ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <typename Fold>
int Collate(const std::string& a, const std::string& b, Fold fold) {
  // Most names are ASCII, where a byte is a unit.
  if (IsAscii(a) && IsAscii(b)) return CollateUnits(a, b, fold);
  const std::u16string left = Utf16FromUtf8(a);
  const std::u16string right = Utf16FromUtf8(b);
  const std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t x = fold(left[i]);
    const char16_t y = fold(right[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
  return Collate(a, b, LowerCaseUnit) == 0;
}

int CollateLower(const std::string& a, const std::string& b) {
  return Collate(a, b, LowerCaseUnit);
}

int CollateUpper(const std::string& a, const std::string& b) {
  return Collate(a, b, UpperCaseUnit);
}

std::string UpperCaseName(const std::string& name) {
  if (IsAscii(name)) {
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(UpperCaseUnit(static_cast<char16_t>(c)));
    return upper;
  }
  std::u16string units = Utf16FromUtf8(name);
  for (char16_t& unit : units) unit = UpperCaseUnit(unit);
  return Utf8FromUtf16(units);
}

}  // namespace kelvane
