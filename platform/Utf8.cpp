#include "platform/Utf8.h"

#include "platform/AnsiCodePage.h"

namespace kelvane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Set once at start, before any other thread runs.
bool systemAnsiIsCodePage1252 = true;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    text.push_back(static_cast<char>(0xC0 | (c >> 6)));
    text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    text.push_back(static_cast<char>(0xE0 | (c >> 12)));
    text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    text.push_back(static_cast<char>(0xF0 | (c >> 18)));
    text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

char32_t NextCodePoint(const std::string& text, std::size_t& i) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char lead = byte(i++);
  if (lead < 0x80) return lead;
  int more = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (more < 0 || lead >= 0xF5) return kReplacement;
  char32_t c = lead & (0x3F >> more);
  const std::size_t start = i;
  for (; more > 0; --more) {
    if (i >= text.size() || (byte(i) & 0xC0) != 0x80) {
      i = start;
      return kReplacement;
    }
    c = c << 6 | (byte(i++) & 0x3F);
  }
  const std::size_t length = i - start + 1;
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  if (overlong || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) return kReplacement;
  return c;
}

std::size_t CharacterStart(const std::string& text, std::size_t position) {
  while (position > 0 && position < text.size() &&
         (static_cast<unsigned char>(text[position]) & 0xC0) == 0x80) {
    --position;
  }
  return position;
}

std::string Utf8FromUtf16(const char16_t* units, std::size_t count) {
  std::string text;
  text.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const char32_t unit = units[i];
    if (unit < 0x80) {
      text.push_back(static_cast<char>(unit));
    } else if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(units[i + 1])) {
      AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
    } else {
      AppendUtf8(text, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit);
    }
  }
  return text;
}

std::string Utf8FromUtf16(const std::u16string& units) {
  return Utf8FromUtf16(units.data(), units.size());
}

std::u16string Utf16FromUtf8(const std::string& text) {
  std::u16string units;
  units.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      units.push_back(static_cast<char16_t>(text[i++]));
      continue;
    }
    const char32_t c = NextCodePoint(text, i);
    if (c < 0x10000) {
      units.push_back(static_cast<char16_t>(c));
    } else {
      units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  return units;
}

std::optional<std::string> ExactUtf8FromUtf16(const char16_t* units, std::size_t count) {
  std::string text = Utf8FromUtf16(units, count);
  if (Utf16FromUtf8(text).compare(0, std::u16string::npos, units, count) != 0) {
    return std::nullopt;
  }
  return text;
}

std::string Utf8FromAnsi(const std::string& ansi) { return AnsiToUtf8(ansi); }

std::optional<std::string> AnsiFromUtf8(const std::string& text) {
  std::string ansi;
  ansi.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ansi.push_back(text[i++]);
      continue;
    }
    if (!systemAnsiIsCodePage1252) return std::nullopt;
    const char32_t c = NextCodePoint(text, i);
    const std::string mapped = c < 0x10000 ? Utf16ToAnsi(std::u16string(1, c)) : "?";
    if (mapped == "?") return std::nullopt;
    ansi += mapped;
  }
  return ansi;
}

bool FitsAnsi(const std::string& text) { return AnsiFromUtf8(text).has_value(); }

void SetSystemAnsiIsCodePage1252(bool is1252) { systemAnsiIsCodePage1252 = is1252; }

std::string Utf16LeBytes(const std::string& text) {
  std::string bytes;
  for (char16_t unit : Utf16FromUtf8(text)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::string Utf16LeFileBytes(const std::string& text) { return "\xFF\xFE" + Utf16LeBytes(text); }

std::string TextFromFileBytes(const std::string& bytes) {
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  if (bytes.compare(0, 2, "\xFF\xFE") != 0) return Utf8FromAnsi(bytes);
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return Utf8FromUtf16(units);
}

}  // namespace kelvane
