// Profile files such as options.ini are edited by users and other programs: any bytes must
// read, and a key written into them must read back.
//
// The input's first line is the section, the second the key, the third the default; the rest
// is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/PortableProfileStore.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using namespace kelvane;
using fuzzsupport::Fault;

// Cuts off the text up to the first line end; all of it when there is none.
std::string TakeLine(std::string& text) {
  const std::size_t end = text.find('\n');
  std::string line = text.substr(0, end);
  text.erase(0, end == std::string::npos ? text.size() : end + 1);
  return line;
}

bool IsProfileSpace(char c) { return (c >= '\t' && c <= '\r') || c == '\x1a' || c == ' '; }

// A name that a profile line can hold: no line break, and a key that neither holds '=' nor
// starts a section header.
bool CanHold(const std::string& name, bool isKey) {
  if (name.find_first_of("\r\n") != std::string::npos) return false;
  if (!isKey) return true;
  std::size_t first = 0;
  while (first < name.size() && IsProfileSpace(name[first])) ++first;
  return name.find('=') == std::string::npos && (first == name.size() || name[first] != '[');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzsupport::ScratchFolder folder;
  static const std::string file = folder.Path() + "options.ini";
  std::string text(reinterpret_cast<const char*>(data), size);
  const std::string section = TakeLine(text);
  const std::string key = TakeLine(text);
  const std::string defaultValue = TakeLine(text);
  fuzzsupport::WriteFileBytes(file, text);

  PortableProfileStore store;
  if (store.ReadString(file, section, key, defaultValue).size() > kProfileValueMaxLength) {
    Fault("a value read is longer than a profile value can be");
  }
  if (!CanHold(section, false) || !CanHold(key, true)) return 0;
  const std::string written = "written " + std::to_string(size);
  if (!store.WriteString(file, section, key, written)) Fault("a write to the file was refused");
  if (store.ReadString(file, section, key, "") != written) {
    Fault("a value written reads back otherwise");
  }
  return 0;
}
