#include "platform/PortableProfileStore.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/Text.h"
#include "platform/Utf8.h"

namespace kelvane {
namespace {

struct Entry {
  std::string name;
  std::optional<std::string> value;  // none for a line without '='
};

struct Section {
  std::string name;  // empty for the lines before the first header
  std::vector<Entry> entries;
};

using Profile = std::vector<Section>;

// ^Z, a DOS end-of-file mark, counts as white space too.
bool IsProfileSpace(char c) { return (c >= '\t' && c <= '\r') || c == '\x1a' || c == ' '; }

// A header is '[' up to the last ']' of the line; a line without ']' is an ordinary line.
std::optional<std::string> SectionHeaderName(const std::string& line) {
  if (line[0] != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1), IsProfileSpace);
}

Entry ParseEntry(const std::string& line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return {line, std::nullopt};
  return {TrimRight(line.substr(0, equals), IsProfileSpace),
          TrimLeft(line.substr(equals + 1), IsProfileSpace)};
}

Profile Parse(const std::string& text) {
  Profile profile(1);
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t end = text.find_first_of("\r\n", position);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(position, end - position), IsProfileSpace);
    position = std::min(text.size(), text.find_first_not_of("\r\n", end));
    if (line.empty()) continue;
    if (std::optional<std::string> name = SectionHeaderName(line)) {
      profile.push_back({*name, {}});
      continue;
    }
    Entry entry = ParseEntry(line);
    std::vector<Entry>& entries = profile.back().entries;
    // Wine keeps only the first of consecutive lines with no name before their '='.
    if (entry.name.empty() && !entries.empty() && entries.back().name.empty()) continue;
    entries.push_back(std::move(entry));
  }
  return profile;
}

std::string Format(const Profile& profile) {
  std::string text;
  for (const Section& section : profile) {
    if (!section.name.empty()) text += "[" + section.name + "]\r\n";
    for (const Entry& entry : section.entries) {
      text += entry.name;
      if (entry.value) text += "=" + *entry.value;
      text += "\r\n";
    }
  }
  return text;
}

template <typename Item>
Item* FindByName(std::vector<Item>& items, const std::string& name) {
  const auto found = std::find_if(items.begin(), items.end(),
                                  [&](const Item& item) { return SameTextAscii(item.name, name); });
  return found == items.end() ? nullptr : &*found;
}

Entry& FindOrAddEntry(Profile& profile, const std::string& sectionName, const std::string& key) {
  Section* section = FindByName(profile, sectionName);
  if (!section) section = &profile.emplace_back(Section{sectionName, {}});
  Entry* entry = FindByName(section->entries, key);
  return entry ? *entry : section->entries.emplace_back(Entry{key, std::nullopt});
}

std::string ReadAll(std::istream& in) {
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string ReadFileBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return in ? ReadAll(in) : std::string();
}

// ANSI text that begins as a byte-order mark would read back as another encoding.
bool StartsLikeByteOrderMark(const std::string& ansi) {
  return ansi.compare(0, 2, "\xFF\xFE") == 0 || ansi.compare(0, 2, "\xFE\xFF") == 0 ||
         ansi.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// The file keeps its encoding: UTF-16 or UTF-8 with their marks, else ANSI until a text needs
// more, when it becomes UTF-16, as the program's own profile writes keep it.
std::string EncodedLike(const std::string& before, const std::string& text) {
  if (before.compare(0, 3, "\xEF\xBB\xBF") == 0) return "\xEF\xBB\xBF" + text;
  if (before.compare(0, 2, "\xFF\xFE") == 0) return Utf16LeFileBytes(text);
  const std::optional<std::string> ansi = AnsiFromUtf8(text);
  return ansi && !StartsLikeByteOrderMark(*ansi) ? *ansi : Utf16LeFileBytes(text);
}

// A file that exists but cannot be opened for writing refuses every write, even one that
// would change nothing; a missing file reads as empty and is created by the write.
bool ReadForUpdate(const std::string& file, std::string& text) {
  std::fstream existing(file, std::ios::in | std::ios::out | std::ios::binary);
  if (existing) {
    text = ReadAll(existing);
    return true;
  }
  if (std::ifstream(file)) return false;
  text.clear();
  return true;
}

bool WriteFileText(const std::string& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out << text;
  out.close();
  return !out.fail();
}

// Only the spaces at the end of a default go, and never its first character.
std::string WithoutTrailingSpaces(const std::string& text) {
  std::size_t end = text.size();
  while (end > 1 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

// A matching pair of surrounding quotes is removed. The closing quote is taken off what is
// left after the cut to the buffer, and only when the rest of the text just fits it, so
// text one character too long loses its last character too, as with Wine's reader.
std::string QuotesRemovedAndCut(const std::string& text) {
  const bool quoted =
      text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0];
  const std::string rest = quoted ? text.substr(1) : text;
  std::string result = rest.substr(0, kProfileValueMaxLength);
  if (quoted && rest.size() <= kProfileValueMaxLength + 1) result.pop_back();
  return result;
}

// Names and values reach the system as UTF-16, where bytes that are not UTF-8 become U+FFFD;
// so they do here, and a name written that way is found again by the same bytes.
std::string AsSystemText(const std::string& text) { return Utf8FromUtf16(Utf16FromUtf8(text)); }

}  // namespace

std::string ProfileStringOf(const std::string& fileBytes, const std::string& section,
                            const std::string& key, const std::string& defaultValue) {
  Profile profile = Parse(TextFromFileBytes(fileBytes));
  const Entry* entry = nullptr;
  if (Section* found = FindByName(profile, Trim(AsSystemText(section), IsProfileSpace))) {
    entry = FindByName(found->entries, Trim(AsSystemText(key), IsProfileSpace));
  }
  if (entry && entry->value) return QuotesRemovedAndCut(*entry->value);
  return QuotesRemovedAndCut(WithoutTrailingSpaces(defaultValue));
}

std::vector<std::string> ProfileKeyNamesOf(const std::string& fileBytes,
                                           const std::string& section) {
  Profile profile = Parse(TextFromFileBytes(fileBytes));
  std::vector<std::string> names;
  if (Section* found = FindByName(profile, Trim(AsSystemText(section), IsProfileSpace))) {
    for (const Entry& entry : found->entries) {
      if (!entry.name.empty() && entry.name[0] != ';') names.push_back(entry.name);
    }
  }
  return names;
}

std::string PortableProfileStore::ReadString(const std::string& file, const std::string& section,
                                             const std::string& key,
                                             const std::string& defaultValue) {
  return ProfileStringOf(ReadFileBytes(file), section, key, defaultValue);
}

std::vector<std::string> PortableProfileStore::KeyNames(const std::string& file,
                                                        const std::string& section) {
  return ProfileKeyNamesOf(ReadFileBytes(file), section);
}

bool PortableProfileStore::WriteString(const std::string& file, const std::string& section,
                                       const std::string& key, const std::string& value) {
  std::string bytes;
  if (!ReadForUpdate(file, bytes)) return false;
  Profile profile = Parse(TextFromFileBytes(bytes));
  Entry& entry = FindOrAddEntry(profile, Trim(AsSystemText(section), IsProfileSpace),
                                Trim(AsSystemText(key), IsProfileSpace));
  const std::string trimmedValue = Trim(AsSystemText(value), IsProfileSpace);
  if (entry.value == trimmedValue) return true;
  entry.value = trimmedValue;
  return WriteFileText(file, EncodedLike(bytes, Format(profile)));
}

}  // namespace kelvane
