#include "backup/BackupWriter.h"

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/Utf8.h"

namespace kelvane {
namespace {

constexpr char kHeader4[] = "REGEDIT4";
constexpr char kHeader5[] = "Windows Registry Editor Version 5.00";
// A hex list breaks its line after every 25th byte past the first.
constexpr std::size_t kBytesPerContinuationLine = 25;

std::string TwoDigits(int number) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", number);
  return text;
}

std::string HexByte(unsigned char byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

// A quoted string restores exactly what it came from only when the data is one NUL-ended line.
bool IsQuotableText(const RawValue& value) {
  if (value.type != RegType::Sz || value.data.empty()) return false;
  for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
    const unsigned char c = value.data[i];
    if (c == 0 || c == '\r' || c == '\n') return false;
  }
  return value.data.back() == 0;
}

// prefix, then the bytes as a comma list continued over lines ending in a backslash.
std::vector<std::string> HexLines(std::string prefix, const Bytes& data) {
  std::vector<std::string> lines;
  std::string line = std::move(prefix);
  for (std::size_t i = 0; i < data.size(); ++i) {
    line += HexByte(data[i]);
    if (i + 1 == data.size()) break;
    line += ",";
    if (i > 0 && i % kBytesPerContinuationLine == 0) {
      lines.push_back(line + "\\");
      line.clear();
    }
  }
  lines.push_back(line);
  return lines;
}

// String types' bytes as an import of the format takes them: ANSI for REGEDIT4, none when the
// code page cannot hold them; UTF-16LE for the Unicode format.
std::optional<Bytes> FileBytes(const RawValue& value, BackupFormat format) {
  if (value.type != RegType::Sz && value.type != RegType::ExpandSz &&
      value.type != RegType::MultiSz) {
    return value.data;
  }
  const std::string text(value.data.begin(), value.data.end());
  if (format == BackupFormat::Unicode) {
    const std::string units = Utf16LeBytes(text);
    return Bytes(units.begin(), units.end());
  }
  const std::optional<std::string> ansi = AnsiFromUtf8(text);
  if (!ansi) return std::nullopt;
  return Bytes(ansi->begin(), ansi->end());
}

// Types other than a plain line of text, a four-byte dword and binary keep their type number
// and raw bytes, string types' in the format's encoding; none when the format cannot hold them.
std::optional<std::vector<std::string>> DataLines(const std::string& head, const RawValue& value,
                                                  BackupFormat format) {
  if (IsQuotableText(value)) {
    const std::string text(value.data.begin(), value.data.end() - 1);
    return std::vector<std::string>{head + "\"" + EscapeRegText(text) + "\""};
  }
  if (value.type == RegType::Dword && value.data.size() == 4) {
    char text[16];
    std::snprintf(text, sizeof text, "dword:%02X%02X%02X%02X", value.data[3], value.data[2],
                  value.data[1], value.data[0]);
    return std::vector<std::string>{head + text};
  }
  if (value.type == RegType::Binary) return HexLines(head + "hex:", value.data);
  const std::optional<Bytes> bytes = FileBytes(value, format);
  if (!bytes) return std::nullopt;
  char type[24];
  std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
  return HexLines(head + type, *bytes);
}

std::string NamePart(const std::string& name) {
  return name.empty() ? "@" : "\"" + EscapeRegText(name) + "\"";
}

// Reads one backup item; the registry object is shared by the item's keys.
class ItemReader {
 public:
  ItemReader(RegistryStore& registry, BackupItem& item) : access_(registry), item_(item) {
    access_.SetRootKey(item.root);
    access_.SetAccess(kAccessRead);
  }

  void ReadValue(const std::string& path, const std::string& name) {
    const std::size_t block = AddBlock(path);
    RawValue value;
    if (!access_.HasCurrentKey() || !access_.ReadRawExactly(name, value)) {
      item_.exact = false;
      // What cannot be read is written as an empty string.
      if (!access_.ReadRaw(name, value)) value = RawValue{RegType::Sz, Bytes{0}};
    }
    item_.blocks[block].values.push_back({name, value});
  }

  // The key, then each subkey depth-first, each opened by its full path below the root and as
  // itself. A link cannot be written into the file, and its target is not part of the item: a
  // tree that holds one is not exact, and the link is not entered.
  void ReadTree(const std::string& path) {
    access_.OpenLinksAsThemselves();
    const std::size_t block = AddBlock(path);
    if (!access_.HasCurrentKey() || access_.CurrentIsLink()) {
      item_.exact = false;
      return;
    }
    KeyContents contents;
    if (!access_.ReadExactly(contents)) {
      item_.exact = false;
      contents = access_.Contents();
    }
    item_.blocks[block].values = std::move(contents.values);
    access_.CloseKey();
    for (const std::string& subkey : contents.subkeys) ReadTree(path + "\\" + subkey);
  }

 private:
  // Opens the key and adds its block; the block's index stays valid as subkeys add theirs.
  std::size_t AddBlock(const std::string& path) {
    access_.CloseKey();
    access_.OpenKey("\\" + path, false);
    item_.blocks.push_back({path, {}});
    return item_.blocks.size() - 1;
  }

  RegistryAccess access_;
  BackupItem& item_;
};

// An empty line, the key line, then a line (or a continued hex list) for each value; false
// when the format cannot hold a value's data.
bool WriteKeyBlock(RootKey root, const BackupKeyBlock& block, BackupFormat format,
                   std::vector<std::string>& lines) {
  lines.emplace_back();
  lines.push_back("[" + RootKeyName(root) + "\\" + block.path + "]");
  for (const NamedValue& value : block.values) {
    std::optional<std::vector<std::string>> data =
        DataLines(NamePart(value.name) + "=", value.value, format);
    if (!data) return false;
    for (std::string& line : *data) lines.push_back(std::move(line));
  }
  return true;
}

// The item as UTF-8 lines for the format; none when the format cannot hold it.
std::optional<std::vector<std::string>> ItemText(const BackupItem& item, BackupFormat format) {
  std::vector<std::string> lines;
  for (const BackupKeyBlock& block : item.blocks) {
    if (!WriteKeyBlock(item.root, block, format, lines)) return std::nullopt;
  }
  return lines;
}

std::string LineEnd(BackupFormat format) {
  return format == BackupFormat::Unicode ? std::string("\r\0\n\0", 4) : "\r\n";
}

// The header, and the mark when asked, in the format: a Unicode file starts with a byte-order
// mark.
std::string FileStart(BackupFormat format, bool in64BitView) {
  std::string start = format == BackupFormat::Unicode ? kHeader5 : kHeader4;
  start += "\r\n";
  if (in64BitView) start += std::string(k64BitViewFileMark) + "\r\n";
  return format == BackupFormat::Unicode ? Utf16LeFileBytes(start) : start;
}

std::string JoinedLines(const BackupLines& lines) {
  const std::string lineEnd = LineEnd(lines.format);
  std::string joined;
  joined.reserve(lines.FileSize());
  for (const std::string& line : lines.lines) joined += line + lineEnd;
  return joined;
}

bool SameKey(const RegFileKey& parsed, RootKey root, const BackupKeyBlock& block) {
  if (parsed.remove || parsed.root != root || parsed.path != block.path ||
      parsed.values.size() != block.values.size()) {
    return false;
  }
  for (std::size_t i = 0; i < block.values.size(); ++i) {
    const RegFileValue& value = parsed.values[i];
    if (value.remove || value.name != block.values[i].name ||
        !(value.value == block.values[i].value)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string MakeBackupFileName(const std::string& backupFolder, const LocalDateTime& now) {
  std::string path = backupFolder;
  if (path.empty() || path.back() != '\\') path += "\\";
  return path + "Backup" + std::to_string(now.year) + TwoDigits(now.month) + TwoDigits(now.day) +
         TwoDigits(now.hour) + TwoDigits(now.minute) + TwoDigits(now.second) + ".reg";
}

std::string EscapeRegText(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

std::string BackupKeyPath(const std::string& keyPath) {
  std::string path = keyPath;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

BackupItem ReadBackupItem(RegistryStore& registry, RootKey root, const std::string& keyPath,
                          const std::string& valueName, bool wholeKey) {
  const std::string path = BackupKeyPath(keyPath);
  BackupItem item;
  item.root = root;
  ItemReader reader(registry, item);
  if (wholeKey) {
    reader.ReadTree(path);
  } else {
    reader.ReadValue(path, valueName);
  }
  return item;
}

std::string UnicodeBackupFileName(const std::string& backupFile) {
  const std::size_t dot = backupFile.rfind('.');
  const std::size_t name = backupFile.rfind('\\');
  const std::size_t end = dot != std::string::npos && (name == std::string::npos || dot > name)
                              ? dot
                              : backupFile.size();
  return backupFile.substr(0, end) + "-Unicode" + backupFile.substr(end);
}

std::size_t BackupLines::FileSize() const {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size();
  return size + lines.size() * LineEnd(format).size();
}

std::optional<BackupLines> EncodeBackupLines(BackupFormat format,
                                             const std::vector<std::string>& lines) {
  BackupLines encoded{format, {}};
  encoded.lines.reserve(lines.size());
  for (const std::string& line : lines) {
    if (format == BackupFormat::Unicode) {
      encoded.lines.push_back(Utf16LeBytes(line));
      continue;
    }
    std::optional<std::string> ansi = AnsiFromUtf8(line);
    if (!ansi) return std::nullopt;
    encoded.lines.push_back(std::move(*ansi));
  }
  return encoded;
}

BackupLines BackupItemLines(const BackupItem& item) {
  if (const auto text = ItemText(item, BackupFormat::Regedit4)) {
    if (auto lines = EncodeBackupLines(BackupFormat::Regedit4, *text)) return std::move(*lines);
  }
  return *EncodeBackupLines(BackupFormat::Unicode, *ItemText(item, BackupFormat::Unicode));
}

std::string BackupFileBytes(const BackupLines& lines) {
  return FileStart(lines.format, false) + JoinedLines(lines);
}

bool LinesRestoreItem(const BackupLines& lines, const BackupItem& item) {
  RegFile parsed;
  try {
    parsed = ParseRegFile(BackupFileBytes(lines));
  } catch (const RegFileError&) {
    return false;
  }
  if (parsed.keys.size() != item.blocks.size()) return false;
  for (std::size_t i = 0; i < item.blocks.size(); ++i) {
    if (!SameKey(parsed.keys[i], item.root, item.blocks[i])) return false;
  }
  return true;
}

bool Names64BitView(const std::string& fileText) {
  for (const char* header : {kHeader4, kHeader5}) {
    const std::string start = std::string(header) + "\r\n" + k64BitViewFileMark + "\r\n";
    if (fileText.compare(0, start.size(), start) == 0) return true;
  }
  return false;
}

std::string AppendToBackupFile(FileSystemAccess& files, const std::string& filePath,
                               const BackupLines& lines, bool in64BitView) {
  const bool append = files.FileExists(filePath);
  const std::string written =
      (append ? "" : FileStart(lines.format, in64BitView)) + JoinedLines(lines);
  const std::unique_ptr<TextFileWriter> file = files.OpenTextFile(filePath, append);
  file->Write(written);
  file->Close();
  return written;
}

}  // namespace kelvane
