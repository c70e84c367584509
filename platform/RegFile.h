// Registry export text ("REGEDIT4" and "Windows Registry Editor Version 5.00"): reading it and
// applying it to a registry store, as the registry editor imports it.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/RegistryStore.h"

namespace kelvane {

struct RegFileValue {
  std::string name;  // "" for the default value
  bool remove = false;
  RawValue value;  // string types as UTF-8, as the program reads them
};

struct RegFileKey {
  RootKey root = 0;
  std::string path;
  bool remove = false;
  std::vector<RegFileValue> values;
};

struct RegFile {
  std::vector<RegFileKey> keys;
};

class RegFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text that begins with a UTF-16 LE byte-order mark is decoded first, any other is ANSI. Raises
// RegFileError naming the line of the first thing it cannot read.
RegFile ParseRegFile(const std::string& text);

// Creates keys and writes values in file order; "[-key]" deletes the whole subtree and
// "name"=- the value. Raises RegFileError when a key cannot be created or a value written.
void ApplyRegFile(RegistryStore& store, const RegFile& file);

}  // namespace kelvane
