#include "backup/ShortcutBackup.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/RegFile.h"
#include "platform/Utf8.h"

namespace kelvane {
namespace {

constexpr char kPathLine[] = "; Shortcut \"";
constexpr char kBytesLine[] = "; ";
constexpr std::size_t kBytesPerLine = 25;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "4c,00,00," read into bytes; false at anything else.
bool AppendHexBytes(const std::string& text, std::string& bytes) {
  for (std::size_t at = 0; at < text.size(); at += 3) {
    if (at + 2 > text.size() || (at + 2 < text.size() && text[at + 2] != ',')) return false;
    const int high = HexDigit(text[at]);
    const int low = HexDigit(text[at + 1]);
    if (high < 0 || low < 0) return false;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return true;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// The path and size of a line such as "; Shortcut "C:\x\Old.lnk" 1234".
std::optional<BackedUpShortcut> PathLine(const std::string& line, std::size_t& size) {
  const std::size_t start = sizeof(kPathLine) - 1;
  if (line.rfind(kPathLine, 0) != 0) return std::nullopt;
  const std::size_t quote = line.find('"', start);
  if (quote == std::string::npos || quote == start || quote + 2 >= line.size() ||
      line[quote + 1] != ' ' || line.size() - quote - 2 > 9) {
    return std::nullopt;
  }
  size = 0;
  for (std::size_t at = quote + 2; at < line.size(); ++at) {
    if (line[at] < '0' || line[at] > '9') return std::nullopt;
    size = size * 10 + static_cast<std::size_t>(line[at] - '0');
  }
  return BackedUpShortcut{line.substr(start, quote - start), {}};
}

}  // namespace

BackupLines ShortcutBackupLines(const BackedUpShortcut& shortcut) {
  static const char kDigits[] = "0123456789abcdef";
  std::vector<std::string> lines = {kPathLine + shortcut.path + "\" " +
                                    std::to_string(shortcut.bytes.size())};
  for (std::size_t at = 0; at < shortcut.bytes.size(); at += kBytesPerLine) {
    std::string line = kBytesLine;
    const std::size_t end = std::min(shortcut.bytes.size(), at + kBytesPerLine);
    for (std::size_t i = at; i < end; ++i) {
      const auto byte = static_cast<unsigned char>(shortcut.bytes[i]);
      line += kDigits[byte >> 4];
      line += kDigits[byte & 0x0F];
      if (i + 1 < end) line += ',';
    }
    lines.push_back(line);
  }
  lines.emplace_back();
  if (auto ansi = EncodeBackupLines(BackupFormat::Regedit4, lines)) return std::move(*ansi);
  return *EncodeBackupLines(BackupFormat::Unicode, lines);
}

bool LinesRestoreShortcut(const BackupLines& lines, const BackedUpShortcut& shortcut) {
  const std::string bytes = BackupFileBytes(lines);
  try {
    if (!ParseRegFile(bytes).keys.empty()) return false;
  } catch (const RegFileError&) {
    return false;
  }
  const std::vector<BackedUpShortcut> back = ShortcutsInBackup(TextFromFileBytes(bytes));
  return back.size() == 1 && back[0].path == shortcut.path && back[0].bytes == shortcut.bytes;
}

std::vector<BackedUpShortcut> ShortcutsInBackup(const std::string& text) {
  std::vector<BackedUpShortcut> found;
  // The last one found takes the byte lines that follow it; it goes again when they do not
  // read or do not add up to its size.
  bool open = false;
  std::size_t size = 0;
  const auto drop = [&] {
    found.pop_back();
    open = false;
  };
  const auto close = [&] {
    if (open && found.back().bytes.size() != size) drop();
    open = false;
  };
  for (const std::string& line : Lines(text)) {
    if (open && line.rfind(kBytesLine, 0) == 0 && line.rfind(kPathLine, 0) != 0) {
      if (!AppendHexBytes(line.substr(sizeof(kBytesLine) - 1), found.back().bytes)) drop();
      continue;
    }
    close();
    if (std::optional<BackedUpShortcut> start = PathLine(line, size)) {
      found.push_back(std::move(*start));
      open = true;
    }
  }
  close();
  return found;
}

}  // namespace kelvane
