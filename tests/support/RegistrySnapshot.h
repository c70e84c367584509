// A whole subtree's keys and raw values, for comparing a registry before and after a change;
// plus a subtree holding every kind of value a backup must keep.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/RegistryStore.h"
#include "tests/support/RegistryValues.h"

namespace kelvane::testsupport {

// Key paths below the snapshot's top ("" for the top itself) to their values by name.
using RegistrySnapshot = std::map<std::string, std::map<std::string, RawValue>>;

inline void AddToSnapshot(RegistryKey& key, const std::string& below, RegistrySnapshot& into) {
  std::map<std::string, RawValue>& values = into[below];
  for (const std::string& name : key.ValueNames()) {
    RawValue value;
    if (key.QueryValue(name, value) == QueryStatus::Ok) values[name] = value;
  }
  for (const std::string& name : key.SubkeyNames()) {
    const std::unique_ptr<RegistryKey> subkey = key.OpenSubkey(name, kAccessRead, false);
    if (subkey) AddToSnapshot(*subkey, below.empty() ? name : below + "\\" + name, into);
  }
}

// Empty when the key does not exist.
inline RegistrySnapshot TakeSnapshot(RegistryStore& registry, RootKey root,
                                     const std::string& path) {
  RegistrySnapshot snapshot;
  const std::unique_ptr<RegistryKey> rootKey = registry.OpenRoot(root);
  const std::unique_ptr<RegistryKey> key =
      rootKey ? rootKey->OpenSubkey(path, kAccessRead, false) : nullptr;
  if (key) AddToSnapshot(*key, "", snapshot);
  return snapshot;
}

inline RawValue Raw(std::uint32_t type, const std::string& bytes) {
  return RawValue{type, Bytes(bytes.begin(), bytes.end())};
}

inline RawValue CountingBytes(std::size_t size) {
  Bytes data(size);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<unsigned char>(i * 7 + 1);
  return RawValue{RegType::Binary, data};
}

// Every value type, awkward texts and names, and a deep subtree, below path. String data of
// every type ends in a NUL: Wine's registry editor adds one when importing data that lacks it.
inline void PutEveryValueType(RegistryStore& registry, RootKey root, const std::string& path) {
  const auto put = [&](const std::string& below, const std::string& name, const RawValue& value) {
    PutValue(registry, root, below.empty() ? path : path + "\\" + below, name, value);
  };
  put("", "", TextValue("C:\\Old\\old.exe"));
  put("", "Quoted", TextValue("a \"quoted\" word, \\\"x and C:\\dir\\"));
  put("", "Na\"me\\with [marks]", TextValue("v"));
  put("", "Lines", TextValue("one\r\ntwo\nthree"));
  put("", "Ansi", TextValue("caf\u00e9 \u20ac \u00ff"));
  put("", "Empty text", TextValue(""));
  put("", "After NUL", Raw(RegType::Sz, std::string("ab\0cd\0", 6)));
  put("", "Unmapped ANSI", TextValue("\u0081\u008d\u008f\u0090\u009d"));
  put("", "No data", Raw(RegType::Sz, ""));
  put("", "Expand", Raw(RegType::ExpandSz, std::string("%SystemRoot%\\x\0", 15)));
  put("", "Multi", Raw(RegType::MultiSz, std::string("a\0b \"q\"\0\u00e9\0\0", 12)));
  put("", "Minus one", NumberValue(0xFFFFFFFFu));
  put("", "Answer", NumberValue(42));
  put("", "Short dword", Raw(RegType::Dword, "\x01\x02\x03"));
  put("", "Qword", Raw(RegType::Qword, "\x01\x02\x03\x04\x05\x06\x07\x80"));
  put("", "Big endian", Raw(RegType::DwordBigEndian, std::string("\0\0\0\x2a", 4)));
  put("", "Bin0", CountingBytes(0));
  put("", "Bin26", CountingBytes(26));
  put("", "Bin27", CountingBytes(27));
  put("", "Bin51", CountingBytes(51));
  put("", "None", Raw(RegType::None, ""));
  put("", "None with data", Raw(RegType::None, "\x01\x02"));
  put("", "Odd type", Raw(0x12345, "\xaa\xbb"));
  put("Deep\\Er\\Est", "", TextValue("bottom"));
  put("Deep\\Er\\Est", "Long", Raw(RegType::MultiSz, std::string(60, 'm') + std::string(2, '\0')));
  put("Deep\\Er", "Middle", NumberValue(7));
  put("Deep\\Sibling", "", Raw(RegType::ExpandSz, std::string("%TEMP%\0", 7)));
  const std::unique_ptr<RegistryKey> top = registry.OpenRoot(root);
  if (!top || !top->OpenSubkey(path + "\\Empty key", kAccessFull, true)) {
    throw std::runtime_error("cannot create " + path + "\\Empty key");
  }
}

// Keys, value names and every string type in six scripts and emoji, and every type below a key
// named in Cyrillic: what only the Unicode backup format holds.
inline void PutEveryScript(RegistryStore& registry, RootKey root, const std::string& path) {
  const std::string nul(1, '\0');
  for (const std::string name : {"\u0422\u0435\u0441\u0442", "\u0395\u03bb\u03bb\u03ac\u03b4\u03b1",
                                 "\u4e2d\u6587", "\u65e5\u672c\u8a9e", "\u0627\u0644\u0639\u0631\u0628\u064a\u0629",
                                 "\U0001F600 emoji"}) {
    const std::string key = path + "\\" + name;
    PutValue(registry, root, key, name, TextValue("C:\\" + name + "\\" + name + ".exe"));
    PutValue(registry, root, key, "", Raw(RegType::ExpandSz, "%TEMP%\\" + name + nul));
    PutValue(registry, root, key, "Multi", Raw(RegType::MultiSz, name + nul + "x" + nul + nul));
    PutValue(registry, root, key, "Lines " + name, TextValue(name + "\r\n" + name));
  }
  PutEveryValueType(registry, root, path + "\\\u0416");
}

}  // namespace kelvane::testsupport
