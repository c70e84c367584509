// Registry values as the registry stores them, for tests that write values one by one: paths
// need no escaping, and types and bytes are exactly as given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/RegistryStore.h"
#include "platform/RegistryTypes.h"

namespace kelvane::testsupport {

// A string value with its closing zero.
inline RawValue TextValue(const std::string& text) {
  RawValue value{RegType::Sz, Bytes(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

inline RawValue NumberValue(std::uint32_t number) {
  Bytes bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back((number >> shift) & 0xFF);
  return RawValue{RegType::Dword, bytes};
}

// A program-use history entry: sixteen bytes unless told, with the run counter at bytes 4 to 7
// as far as the entry reaches.
inline RawValue ProgramUseEntry(std::uint32_t runs, std::size_t size = 16) {
  Bytes data(size);
  for (std::size_t i = 0; i < 4 && 4 + i < size; ++i) {
    data[4 + i] = static_cast<unsigned char>(runs >> (8 * i));
  }
  return RawValue{RegType::Binary, data};
}

// Writes the value, making the key and its parents as needed.
inline void PutValue(RegistryStore& registry, RootKey root, const std::string& path,
                     const std::string& name, const RawValue& value) {
  const std::unique_ptr<RegistryKey> rootKey = registry.OpenRoot(root);
  const std::unique_ptr<RegistryKey> key =
      rootKey ? rootKey->OpenSubkey(path, kAccessFull, true) : nullptr;
  if (!key || !key->SetValue(name, value)) throw std::runtime_error("cannot write " + path);
}

}  // namespace kelvane::testsupport
