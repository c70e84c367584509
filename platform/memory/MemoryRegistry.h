// An in-memory registry with the live registry's semantics: case-insensitive names, the
// enumeration order of the registry it stands in for, deleted keys that stay open but dead.
// Several threads may use it at once, as the store's contract allows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/RegistryStore.h"

namespace kelvane {

class MemoryRegistry : public RegistryStore {
 public:
  // Wine keeps subkeys and values sorted by their lower-cased names; Windows sorts subkeys by
  // their upper-cased names and keeps values in the order they were created.
  enum class Order { Wine, Windows };

  explicit MemoryRegistry(Order order = Order::Wine);
  ~MemoryRegistry() override;

  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override;

  // Makes every query of the key's values fail, as for a key whose values cannot be read.
  void MakeValuesUnreadable(RootKey root, const std::string& path);
  // Makes every open of the key fail while its parent still lists it, as for a key without
  // access.
  void MakeUnopenable(RootKey root, const std::string& path);
  // Stores string data (type one of the string types) as the live registry keeps it, in UTF-16,
  // making the key as needed: reads see it as UTF-8, and exact reads fail when that loses
  // something (a lone surrogate, which reads as U+FFFD).
  void SetUtf16Value(RootKey root, const std::string& path, const std::string& name,
                     std::uint32_t type, const std::u16string& data);

  // Makes a link at path, its parents made as needed, to the key named by its full name
  // ("\\Registry\\Machine\\..." or "\\Registry\\User\\..."), as the live registry keeps one.
  void AddLink(RootKey root, const std::string& path, const std::string& target);
  // Removes the link itself; its target stays.
  void RemoveLink(RootKey root, const std::string& path);
  // The full name of the key at path, as a link names its target.
  static std::string FullName(RootKey root, const std::string& path);

  // From now on it stands for the registry of 64-bit Windows as Wine keeps it: an open without
  // KEY_WOW64_64KEY reads HKEY_LOCAL_MACHINE\Software and its Classes in their Wow6432Node
  // subkeys, where they have one; a key the views share is a link there, made by the caller.
  void SetWow64();

  // Called before every deletion of a value or a key. A hook that throws stands for a program
  // killed at that moment.
  void SetBeforeDeletion(std::function<void()> hook);

  struct Node;
  struct State;

 private:
  void Mark(RootKey root, const std::string& path, bool Node::*flag);

  std::shared_ptr<State> state_;
};

}  // namespace kelvane
