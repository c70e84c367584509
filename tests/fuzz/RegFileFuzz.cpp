// Registry export text from outside (a backup file, a file the user imports): any bytes must
// either read or be refused with a RegFileError, and what reads must land in the registry as
// the file says.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/RegFile.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/NameCollation.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using namespace kelvane;
using fuzzsupport::Fault;

// The last word of the key's block on a value name: written, or deleted.
const RegFileValue* LastWord(const RegFileKey& key, const std::string& name) {
  const RegFileValue* last = nullptr;
  for (const RegFileValue& value : key.values) {
    if (SameName(value.name, name)) last = &value;
  }
  return last;
}

// Applied one key block at a time, so each block can be checked before a later one changes it.
void ApplyAndCheck(MemoryRegistry& registry, const RegFileKey& key) {
  try {
    ApplyRegFile(registry, RegFile{{key}});
  } catch (const RegFileError&) {
    return;
  }
  std::unique_ptr<RegistryKey> root = registry.OpenRoot(key.root);
  if (!root) Fault("an applied key has no root");
  if (key.remove) {
    // A leading backslash reads from the root; an empty path names the root, never deleted.
    const std::string path =
        !key.path.empty() && key.path[0] == '\\' ? key.path.substr(1) : key.path;
    if (!path.empty() && root->OpenSubkey(path, kAccessRead, false)) {
      Fault("a deleted key still opens");
    }
    return;
  }
  std::unique_ptr<RegistryKey> opened = root->OpenSubkey(key.path, kAccessRead, false);
  if (!opened) Fault("a created key does not open");
  for (const RegFileValue& value : key.values) {
    const RegFileValue* last = LastWord(key, value.name);
    RawValue stored;
    const QueryStatus status = opened->QueryValue(value.name, stored);
    if (last->remove) {
      if (status != QueryStatus::Missing) Fault("a deleted value is still there");
    } else if (status != QueryStatus::Ok || !(stored == last->value)) {
      Fault("a written value reads back otherwise");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  RegFile file;
  try {
    file = ParseRegFile(text);
  } catch (const RegFileError&) {
    return 0;
  }
  MemoryRegistry registry;
  for (const RegFileKey& key : file.keys) ApplyAndCheck(registry, key);
  return 0;
}
