#include "main/BackupWriter.h"

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "platform/RegistryAccess.h"

namespace kelvane {
namespace {

constexpr char kHeader[] = "REGEDIT4";
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

// Types other than a plain line of text, a four-byte dword and binary keep their type number
// and raw bytes; a REGEDIT4 import takes string types' bytes as ANSI text.
std::vector<std::string> DataLines(const std::string& head, const RawValue& value) {
  if (IsQuotableText(value)) {
    const std::string text(value.data.begin(), value.data.end() - 1);
    return {head + "\"" + EscapeRegText(text) + "\""};
  }
  if (value.type == RegType::Dword && value.data.size() == 4) {
    char text[16];
    std::snprintf(text, sizeof text, "dword:%02X%02X%02X%02X", value.data[3], value.data[2],
                  value.data[1], value.data[0]);
    return {head + text};
  }
  if (value.type == RegType::Binary) return HexLines(head + "hex:", value.data);
  char type[24];
  std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
  return HexLines(head + type, value.data);
}

std::string NamePart(const std::string& name) {
  return name.empty() ? "@" : "\"" + EscapeRegText(name) + "\"";
}

// One backup item: the shared file, registry object and request of a BackupToRegFile call.
class KeyBlockWriter {
 public:
  KeyBlockWriter(TextFileWriter& file, RegistryStore& registry, RootKey root,
                 const std::string& valueName, bool wholeKey)
      : file_(file), registry_(registry), root_(root), valueName_(valueName), wholeKey_(wholeKey) {}

  void WriteKeyBlock(const std::string& path) {
    file_.WriteLine("");
    file_.WriteLine("[" + RootKeyName(root_) + "\\" + path + "]");
    RegistryAccess access(registry_);
    access.SetRootKey(root_);
    access.SetAccess(kAccessRead);
    access.OpenKey("\\" + path, false);
    if (!wholeKey_) {
      WriteValue(access, valueName_);
      return;
    }
    const std::vector<std::string> subkeys = access.SubkeyNames();
    for (const std::string& name : access.ValueNames()) WriteValue(access, name);
    access.CloseKey();
    for (const std::string& subkey : subkeys) WriteKeyBlock(path + "\\" + subkey);
  }

 private:
  // A value that cannot be read is written as an empty string.
  void WriteValue(RegistryAccess& access, const std::string& name) {
    RawValue value;
    const std::string head = NamePart(name) + "=";
    if (!access.ReadRaw(name, value)) {
      file_.WriteLine(head + "\"\"");
      return;
    }
    for (const std::string& line : DataLines(head, value)) file_.WriteLine(line);
  }

  TextFileWriter& file_;
  RegistryStore& registry_;
  RootKey root_;
  const std::string& valueName_;
  bool wholeKey_;
};

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

void BackupToRegFile(RegistryStore& registry, FileSystemAccess& files, const std::string& filePath,
                     RootKey root, const std::string& keyPath, const std::string& valueName,
                     bool wholeKey) {
  std::string path = keyPath;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  const bool append = files.FileExists(filePath);
  const std::unique_ptr<TextFileWriter> file = files.OpenTextFile(filePath, append);
  if (!append) file->WriteLine(kHeader);
  KeyBlockWriter(*file, registry, root, valueName, wholeKey).WriteKeyBlock(path);
  file->Close();
}

}  // namespace kelvane
