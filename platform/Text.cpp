#include "platform/Text.h"

#include <algorithm>

namespace kelvane {

std::string UpperCaseAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string LowerCaseAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool SameTextAscii(const std::string& a, const std::string& b) {
  return a.size() == b.size() && UpperCaseAscii(a) == UpperCaseAscii(b);
}

std::string Rot13(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>('a' + (c - 'a' + 13) % 26);
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>('A' + (c - 'A' + 13) % 26);
    }
  }
  return text;
}

bool IsSpaceOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string TrimLeft(const std::string& text, BlankTest blank) {
  std::size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

std::string TrimRight(const std::string& text, BlankTest blank) {
  std::size_t end = text.size();
  while (end > 0 && blank(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string Trim(const std::string& text, BlankTest blank) {
  return TrimLeft(TrimRight(text, blank), blank);
}

std::string ShortenedInMiddle(const std::string& text, const FitsCheck& fits) {
  if (fits(text)) return text;
  const auto twoEnds = [&text](std::size_t kept) {
    return text.substr(0, kept - kept / 2) + "..." + text.substr(text.size() - kept / 2);
  };
  // The most characters kept that still fit; more never fit when fewer do not.
  std::size_t fitting = 0;
  std::size_t tooMany = text.size();
  while (tooMany - fitting > 1) {
    const std::size_t kept = fitting + (tooMany - fitting) / 2;
    if (fits(twoEnds(kept))) {
      fitting = kept;
    } else {
      tooMany = kept;
    }
  }
  return twoEnds(fitting);
}

std::string LongRunsShortened(const std::string& text, const FitsCheck& fits) {
  static constexpr char kRunEnds[] = " \t\r\n";
  std::string result;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of(kRunEnds, start), text.size());
    result += ShortenedInMiddle(text.substr(start, end - start), fits);
    const std::size_t next = std::min(text.find_first_not_of(kRunEnds, end), text.size());
    result += text.substr(end, next - end);
    start = next;
  }
  return result;
}

}  // namespace kelvane
