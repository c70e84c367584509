// The narrow store beneath RegistryAccess: open keys and the primitive operations on one key.
// The live registry and the in-memory stand-in implement it; all path rules live above it.
// Threads: a store may be used from several threads at once (a repair reads on one and deletes
// on another); each key it opens is used by one thread at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/RegistryTypes.h"

namespace kelvane {

enum class QueryStatus { Ok, Missing, Failed };

struct ValueInfo {
  std::uint32_t type = RegType::None;
  std::uint32_t size = 0;
};

struct NamedValue {
  std::string name;
  RawValue value;
  bool operator==(const NamedValue& other) const {
    return name == other.name && value == other.value;
  }
};

// What a walk reads of one key.
struct KeyContents {
  std::vector<NamedValue> values;
  std::vector<std::string> subkeys;
};

// A symbolic link to another key holds its target's full name ("\\Registry\\Machine\\..." or
// "\\Registry\\User\\...") in UTF-16 in this value of type REG_LINK, its only value. Opening the
// link, or a path through it, reaches the target; only an open of the link itself shows the value.
constexpr char kLinkValueName[] = "SymbolicLinkValue";

// Whether values read from a key opened as itself make it a link.
bool HoldsLinkTarget(const std::vector<NamedValue>& values);

// One open key; destroying the object closes it.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // A subkey path below this key ("a" or "a\\b"); nullptr when it cannot be opened or created.
  virtual std::unique_ptr<RegistryKey> OpenSubkey(const std::string& path, std::uint32_t access,
                                                  bool create) = 0;
  // As OpenSubkey without creating, except that a link at the end of the path opens as itself
  // instead of as its target. Every other key opens as OpenSubkey opens it.
  virtual std::unique_ptr<RegistryKey> OpenSubkeyItself(const std::string& path,
                                                        std::uint32_t access) = 0;
  // In the store's enumeration order; empty when the key cannot be enumerated.
  virtual std::vector<std::string> SubkeyNames() = 0;
  virtual std::vector<std::string> ValueNames() = 0;
  // Every value with its data, in one pass in the store's enumeration order, as far as the
  // key's value count reaches; a value that cannot be read is left out.
  virtual std::vector<NamedValue> Values() = 0;
  // Values() and SubkeyNames() together, both counted by one look at the key where the store
  // can do that.
  virtual KeyContents Contents() { return {Values(), SubkeyNames()}; }
  // Every value and subkey name exactly as stored, for a copy that must restore the key; false
  // when something cannot be read or a name or text does not survive the ANSI code page.
  virtual bool ReadExactly(KeyContents& contents) = 0;
  virtual QueryStatus QueryValueInfo(const std::string& name, ValueInfo& info) = 0;
  virtual QueryStatus QueryValue(const std::string& name, RawValue& value) = 0;
  // As QueryValue, but Failed when the value's text does not survive the ANSI code page.
  virtual QueryStatus QueryValueExactly(const std::string& name, RawValue& value) = 0;
  virtual bool SetValue(const std::string& name, const RawValue& value) = 0;
  virtual bool DeleteValue(const std::string& name) = 0;
  // Deletes one key below this one that has no subkeys of its own.
  virtual bool DeleteSubkey(const std::string& path) = 0;
  virtual bool QueryInfo(RegKeyInfo& info) = 0;
};

// Whether the key, opened as itself, is a link.
bool IsLinkKey(RegistryKey& key);

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;
  // nullptr for a root the store does not have.
  virtual std::unique_ptr<RegistryKey> OpenRoot(RootKey root) = 0;
};

}  // namespace kelvane
