#include "platform/RegFile.h"

#include <cstdlib>
#include <memory>

#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "platform/Utf8.h"

namespace kelvane {
namespace {

const char kHeader4[] = "REGEDIT4";
const char kHeader5[] = "Windows Registry Editor Version 5.00";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

class Parser {
 public:
  explicit Parser(const std::string& text) : lines_(SplitLines(TextFromFileBytes(text))) {}

  RegFile Parse() {
    SkipBlankLines();
    if (index_ >= lines_.size()) Fail("the file is empty");
    const std::string header = TrimRight(lines_[index_], IsSpaceOrTab);
    if (header == kHeader5) {
      unicode_ = true;
    } else if (header != kHeader4) {
      Fail("it does not begin with \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\"");
    }
    ++index_;
    RegFile file;
    for (; index_ < lines_.size(); ++index_) {
      const std::string line = TrimLeft(lines_[index_], IsSpaceOrTab);
      if (line.empty() || line[0] == ';') continue;
      if (line[0] == '[') {
        file.keys.push_back(ParseKey(TrimRight(line, IsSpaceOrTab)));
      } else if (line[0] == '"' || line[0] == '@') {
        if (file.keys.empty()) Fail("a value stands before the first key");
        if (file.keys.back().remove) Fail("a value stands in a key being deleted");
        file.keys.back().values.push_back(ParseValue(JoinContinuations(line)));
      } else {
        Fail("it is neither a key nor a value");
      }
    }
    return file;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw RegFileError("Line " + std::to_string(index_ + 1) + " of the registry file: " + why);
  }

  void SkipBlankLines() {
    while (index_ < lines_.size() && TrimRight(lines_[index_], IsSpaceOrTab).empty()) ++index_;
  }

  // Hex lists go on over lines that end in a backslash.
  std::string JoinContinuations(std::string line) {
    line = TrimRight(line, IsSpaceOrTab);
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos &&
           index_ + 1 < lines_.size()) {
      line.pop_back();
      line += Trim(lines_[++index_], IsSpaceOrTab);
    }
    return line;
  }

  RegFileKey ParseKey(const std::string& line) {
    if (line.back() != ']') Fail("the key has no closing bracket");
    RegFileKey key;
    std::string name = line.substr(1, line.size() - 2);
    if (!name.empty() && name[0] == '-') {
      key.remove = true;
      name.erase(0, 1);
    }
    const auto slash = name.find('\\');
    const auto root = RootKeyFromName(name.substr(0, slash));
    if (!root) Fail("\"" + name.substr(0, slash) + "\" is not a root key");
    key.root = *root;
    if (slash != std::string::npos) key.path = name.substr(slash + 1);
    return key;
  }

  RegFileValue ParseValue(const std::string& line) {
    RegFileValue value;
    std::size_t position = 0;
    if (line[0] == '@') {
      position = 1;
    } else {
      value.name = ParseQuoted(line, position);
    }
    if (position >= line.size() || line[position] != '=') Fail("the value name has no '='");
    const std::string data = TrimRight(line.substr(position + 1), IsSpaceOrTab);
    if (data == "-") {
      value.remove = true;
    } else if (!data.empty() && data[0] == '"') {
      std::size_t end = 0;
      const std::string text = ParseQuoted(data, end);
      if (end != data.size()) Fail("text follows the closing quote");
      value.value.type = RegType::Sz;
      value.value.data.assign(text.begin(), text.end());
      value.value.data.push_back(0);
    } else if (data.compare(0, 6, "dword:") == 0) {
      value.value.type = RegType::Dword;
      const std::uint32_t number = ParseHexNumber(data.substr(6), 8);
      for (int shift = 0; shift < 32; shift += 8) {
        value.value.data.push_back(static_cast<unsigned char>(number >> shift));
      }
    } else if (data.compare(0, 4, "hex:") == 0) {
      value.value.type = RegType::Binary;
      value.value.data = ParseHexBytes(data.substr(4));
    } else if (data.compare(0, 4, "hex(") == 0) {
      const auto close = data.find("):");
      if (close == std::string::npos) Fail("the hex type has no \"):\"");
      value.value.type = ParseHexNumber(data.substr(4, close - 4), 8);
      value.value.data = ParseHexBytes(data.substr(close + 2));
      value.value.data = ProgramText(value.value.type, value.value.data);
    } else {
      Fail("the value's data is not understood");
    }
    return value;
  }

  // Reads a quoted text at position; leaves position after the closing quote.
  std::string ParseQuoted(const std::string& line, std::size_t& position) {
    std::string text;
    std::size_t i = position + 1;
    for (; i < line.size() && line[i] != '"'; ++i) {
      if (line[i] != '\\' || i + 1 >= line.size()) {
        text.push_back(line[i]);
        continue;
      }
      const char escaped = line[++i];
      switch (escaped) {
        case '\\': text.push_back('\\'); break;
        case '"': text.push_back('"'); break;
        case 'n': text.push_back('\n'); break;
        case 'r': text.push_back('\r'); break;
        case '0': text.push_back('\0'); break;
        default:
          text.push_back('\\');
          text.push_back(escaped);
      }
    }
    if (i >= line.size()) Fail("a quoted text has no closing quote");
    position = i + 1;
    return text;
  }

  std::uint32_t ParseHexNumber(const std::string& digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      Fail("\"" + digits + "\" is not a hexadecimal number");
    }
    return static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
  }

  Bytes ParseHexBytes(const std::string& list) {
    Bytes bytes;
    std::size_t start = 0;
    while (start < list.size()) {
      auto comma = list.find(',', start);
      if (comma == std::string::npos) comma = list.size();
      const std::string item = Trim(list.substr(start, comma - start), IsSpaceOrTab);
      if (!item.empty() || comma < list.size()) {
        bytes.push_back(static_cast<unsigned char>(ParseHexNumber(item, 2)));
      }
      start = comma + 1;
    }
    return bytes;
  }

  // String types' bytes are UTF-16 in version 5 files and ANSI in REGEDIT4 ones; the program
  // holds them as UTF-8.
  Bytes ProgramText(std::uint32_t type, const Bytes& data) const {
    if (type != RegType::Sz && type != RegType::ExpandSz && type != RegType::MultiSz) return data;
    std::string text;
    if (unicode_) {
      std::u16string units;
      for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
      }
      text = Utf8FromUtf16(units);
    } else {
      text = Utf8FromAnsi(std::string(data.begin(), data.end()));
    }
    return Bytes(text.begin(), text.end());
  }

  std::vector<std::string> lines_;
  std::size_t index_ = 0;
  bool unicode_ = false;
};

}  // namespace

RegFile ParseRegFile(const std::string& text) { return Parser(text).Parse(); }

void ApplyRegFile(RegistryStore& store, const RegFile& file) {
  for (const RegFileKey& key : file.keys) {
    const std::string where = RootKeyName(key.root) + "\\" + key.path;
    if (key.remove) {
      RegistryAccess access(store);
      access.SetRootKey(key.root);
      access.DeleteKey(key.path);
      continue;
    }
    std::unique_ptr<RegistryKey> root = store.OpenRoot(key.root);
    std::unique_ptr<RegistryKey> opened =
        root ? root->OpenSubkey(key.path, kAccessFull, true) : nullptr;
    if (!opened) throw RegFileError("Cannot create the key " + where);
    for (const RegFileValue& value : key.values) {
      if (value.remove) {
        opened->DeleteValue(value.name);
      } else if (!opened->SetValue(value.name, value.value)) {
        throw RegFileError("Cannot write the value \"" + value.name + "\" of " + where);
      }
    }
  }
}

}  // namespace kelvane
