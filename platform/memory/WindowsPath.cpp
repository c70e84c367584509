#include "platform/memory/WindowsPath.h"

#include <cstdint>

#include "platform/Text.h"
#include "platform/Utf8.h"
#include "platform/CaseTables.h"

namespace kelvane {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameLetter(char a, char b) { return UpperAscii(a) == UpperAscii(b); }

bool SameUnit(char16_t a, char16_t b) { return UpperCaseUnit(a) == UpperCaseUnit(b); }

// Characters an 8.3 name cannot hold; a generated one has '_' in their place.
bool IsInvalidShortNameChar(char16_t c) {
  return std::u16string_view(u"*?<>|\"+=,;[] ").find(c) != std::u16string_view::npos || c == 0xE5;
}

bool IsValidShortName(std::u16string_view name) {
  if (name.empty() || name.size() > 12) return false;
  if (name[0] == '.') return name == u"." || name == u"..";
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '.') {
      if (dot != std::string_view::npos) return false;
      dot = i;
    } else if (IsInvalidShortNameChar(name[i]) || name[i] == ':' || name[i] == '\\' ||
               name[i] == '/') {
      return false;
    }
  }
  if (dot == std::string_view::npos) return name.size() <= 8;
  return dot <= 8 && name.size() - dot >= 2 && name.size() - dot <= 4;
}

std::string StripTrailing(std::string component, std::string_view characters) {
  while (!component.empty() && characters.find(component.back()) != std::string_view::npos) {
    component.pop_back();
  }
  return component;
}

void Append(WindowsPath& path, const std::string& component, bool last) {
  if (component == ".") return;
  if (component == "..") {
    if (!path.components.empty()) path.components.pop_back();
    return;
  }
  std::string name = component;
  if (last) {
    name = StripTrailing(name, ". ");
    // A last component of dots and spaces only leaves the folder before it.
    if (name.empty()) path.trailingSeparator = true;
  } else if (name.back() == '.') {
    name.pop_back();
  }
  if (!name.empty()) path.components.push_back(name);
}

}  // namespace

WindowsPath ParseWindowsPath(const std::string& path, const std::string& currentFolder) {
  WindowsPath parsed;
  std::string rest;
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') {
    // "C:x" is read from the current folder when that is on C:, else from the root.
    const bool driveRelative = path.size() == 2 || !IsSeparator(path[2]);
    if (driveRelative && !currentFolder.empty() && SameLetter(currentFolder[0], path[0])) {
      return ParseWindowsPath(currentFolder + "\\" + path.substr(2), "");
    }
    parsed.drive = UpperAscii(path[0]);
    rest = path.substr(2);
  } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return parsed;  // UNC and device paths are not modelled
  } else if (currentFolder.empty() || path.empty()) {
    return parsed;
  } else if (IsSeparator(path[0])) {
    return ParseWindowsPath(currentFolder.substr(0, 2) + path, "");
  } else {
    return ParseWindowsPath(currentFolder + "\\" + path, "");
  }

  std::vector<std::string> pieces;
  std::string piece;
  for (char c : rest) {
    if (!IsSeparator(c)) {
      piece += c;
    } else if (!piece.empty()) {
      pieces.push_back(piece);
      piece.clear();
    }
  }
  const bool endsInSeparator = piece.empty() && !rest.empty();
  if (!piece.empty()) pieces.push_back(piece);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    Append(parsed, pieces[i], i + 1 == pieces.size() && !endsInSeparator);
  }
  if (endsInSeparator) parsed.trailingSeparator = true;
  if (parsed.components.empty()) parsed.trailingSeparator = false;
  return parsed;
}

bool IsValidFileName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::string ShortNameAlias(std::string_view utf8Name) {
  const std::u16string wide = Utf16FromUtf8(std::string(utf8Name));
  const std::u16string_view name = wide;
  if (IsValidShortName(name)) return "";
  // The extension starts at the last dot that is neither the first nor the last character.
  std::size_t extension = std::string_view::npos;
  for (std::size_t i = 1; i + 1 < name.size(); ++i) {
    if (name[i] == '.') extension = i;
  }
  const auto shortChar = [](char16_t c) {
    return IsInvalidShortNameChar(c) ? u'_' : UpperCaseUnit(c);
  };
  std::u16string alias;
  for (std::size_t i = 0; i < name.size() && i != extension && alias.size() < 4; ++i) {
    if (name[i] != '.') alias += shortChar(name[i]);
  }
  alias.resize(5, '~');

  static constexpr char kHashCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  std::uint32_t hash = 0;
  for (char16_t c : name) hash = hash * 31 + (c < 0x80 ? UpperCaseUnit(c) : c);
  alias += kHashCharacters[(hash >> 10) & 31];
  alias += kHashCharacters[(hash >> 5) & 31];
  alias += kHashCharacters[hash & 31];

  if (extension != std::string_view::npos) {
    alias += '.';
    for (char16_t c : name.substr(extension + 1, 3)) alias += shortChar(c);
  }
  return Utf8FromUtf16(alias);
}

bool MatchesPattern(std::string_view utf8Name, std::string_view utf8Pattern) {
  const std::u16string name = Utf16FromUtf8(std::string(utf8Name));
  const std::u16string pattern = Utf16FromUtf8(std::string(utf8Pattern));
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t afterStar = kNone;  // pattern position after the last '*'
  std::size_t retry = 0;          // name position the text after that '*' was last tried at
  while (n < name.size() && p < pattern.size()) {
    if (pattern[p] == '*') {
      while (p < pattern.size() && pattern[p] == '*') ++p;
      if (p == pattern.size()) return true;
      afterStar = p;
      while (n < name.size() && !SameUnit(name[n], pattern[p])) ++n;
      retry = n;
    } else if (pattern[p] == '?') {
      ++p;
      ++n;
    } else if (SameUnit(pattern[p], name[n])) {
      ++p;
      ++n;
      if (p == pattern.size()) {
        if (n == name.size()) return true;
        if (afterStar != kNone) p = afterStar;
      }
    } else if (afterStar != kNone) {
      p = afterStar;
      n = ++retry;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && (pattern[p] == '.' || pattern[p] == '*')) ++p;
  return n == name.size() && p == pattern.size();
}

bool EntryMatches(std::string_view name, std::string_view pattern) {
  if (MatchesPattern(name, pattern)) return true;
  const std::string alias = ShortNameAlias(name);
  return !alias.empty() && MatchesPattern(alias, pattern);
}

}  // namespace kelvane
