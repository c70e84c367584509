#include "platform/memory/MemoryRegistry.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>

#include "platform/RegistryAccess.h"
#include "platform/RegistryView64.h"
#include "platform/Utf8.h"
#include "platform/NameCollation.h"

namespace kelvane {
namespace {

struct StoredValue {
  std::string name;
  RawValue value;  // text as UTF-8, as the program reads it
  // False for a text whose UTF-16 does not survive the code page.
  bool exact = true;
};

}  // namespace

struct MemoryRegistry::Node {
  std::string name;
  std::vector<std::shared_ptr<Node>> subkeys;
  std::vector<StoredValue> values;
  std::weak_ptr<Node> parent;
  bool deleted = false;
  bool valuesUnreadable = false;
  bool unopenable = false;
  // Opening it, or a path through it, reaches the key its link value names.
  bool link = false;
  std::uint64_t lastWriteTime = 0;
};

struct MemoryRegistry::State {
  Order order;
  std::mutex mutex;
  std::map<RootKey, std::shared_ptr<Node>> roots;
  std::function<void()> beforeDeletion;
  // On a 64-bit machine, the keys a 32-bit open reads in their Wow6432Node subkey.
  std::vector<std::shared_ptr<Node>> redirected;
};

namespace {

using Node = MemoryRegistry::Node;
using State = MemoryRegistry::State;

constexpr std::uint32_t kKeySetValue = 0x0002;
// Wine gives up on a chain of links longer than this, a loop among them included.
constexpr int kLongestLinkChain = 16;
constexpr char kWow64Node[] = "Wow6432Node";

// The derived roots are views of subtrees, as on the live system.
const struct {
  RootKey root;
  RootKey parent;
  const char* path;
} kAliases[] = {
    {kHkeyClassesRoot, kHkeyLocalMachine, "Software\\Classes"},
    {kHkeyCurrentUser, kHkeyUsers, "S-1-5-21-0-0-0-1000"},
    {kHkeyCurrentConfig, kHkeyLocalMachine,
     "System\\CurrentControlSet\\Hardware Profiles\\Current"},
};

enum class AtEnd { FollowLink, LinkItself };

std::uint64_t NowAsFileTime() {
  // 100 ns ticks between 1601-01-01 and 1970-01-01.
  constexpr std::uint64_t kUnixEpoch = 116444736000000000ull;
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return kUnixEpoch +
         std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count() * 10;
}

bool SubkeyBefore(MemoryRegistry::Order order, const std::string& a, const std::string& b) {
  return order == MemoryRegistry::Order::Wine ? CollateLower(a, b) < 0 : CollateUpper(a, b) < 0;
}

std::vector<std::string> SplitPath(const std::string& path, bool& valid) {
  std::vector<std::string> parts;
  valid = true;
  std::string::size_type start = 0;
  while (start <= path.size()) {
    const auto end = path.find('\\', start);
    const std::string part =
        path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty()) {
      // A trailing backslash is tolerated; an empty name inside the path is not.
      if (end != std::string::npos) valid = false;
    } else {
      parts.push_back(part);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

// Subkeys are kept sorted in the store's order, so a name is found by halving.
std::vector<std::shared_ptr<Node>>::iterator SubkeyPosition(MemoryRegistry::Order order,
                                                            Node& node, const std::string& name) {
  return std::lower_bound(
      node.subkeys.begin(), node.subkeys.end(), name,
      [order](const std::shared_ptr<Node>& child, const std::string& wanted) {
        return SubkeyBefore(order, child->name, wanted);
      });
}

enum class View { Bits64, Bits32 };

std::shared_ptr<Node> WalkPath(State& state, std::shared_ptr<Node> node,
                               const std::vector<std::string>& parts, bool create,
                               AtEnd atEnd = AtEnd::FollowLink, int chain = 0,
                               View view = View::Bits64);

View ViewOfAccess(std::uint32_t access) {
  return (access & kAccessView64) ? View::Bits64 : View::Bits32;
}

// A 32-bit open of a redirected key reads its Wow6432Node subkey instead, unless the path goes
// on into that subkey by name. Caller holds the state's mutex.
std::shared_ptr<Node> Redirected(State& state, std::shared_ptr<Node> node,
                                 const std::string* next) {
  if (std::find(state.redirected.begin(), state.redirected.end(), node) == state.redirected.end()) {
    return node;
  }
  if (next && SameName(*next, kWow64Node)) return node;
  const auto position = SubkeyPosition(state.order, *node, kWow64Node);
  if (position == node->subkeys.end() || !SameName((*position)->name, kWow64Node)) return node;
  return *position;
}

// The key a link names by its full name, found as any path is; none when it names no key of
// the two hives or the chain of links is too long. Caller holds the state's mutex.
std::shared_ptr<Node> LinkTarget(State& state, const Node& link, int chain) {
  if (chain >= kLongestLinkChain) return nullptr;
  const auto value = std::find_if(link.values.begin(), link.values.end(), [](const auto& stored) {
    return SameName(stored.name, kLinkValueName) && stored.value.type == RegType::Link;
  });
  if (value == link.values.end()) return nullptr;
  std::string name;
  const Bytes& data = value->value.data;
  for (std::size_t at = 0; at + 1 < data.size(); at += 2) {
    name.push_back(data[at + 1] == 0 ? static_cast<char>(data[at]) : '?');
  }
  if (name.empty() || name[0] != '\\') return nullptr;
  bool valid = false;
  std::vector<std::string> parts = SplitPath(name.substr(1), valid);
  if (!valid || parts.size() < 2 || !SameName(parts[0], "Registry")) return nullptr;
  const RootKey hive = SameName(parts[1], "Machine") ? kHkeyLocalMachine
                       : SameName(parts[1], "User") ? kHkeyUsers
                                                    : 0;
  if (hive == 0) return nullptr;
  parts.erase(parts.begin(), parts.begin() + 2);
  return WalkPath(state, state.roots.at(hive), parts, false, AtEnd::FollowLink, chain + 1);
}

// A link on the way is followed, and one at the end too unless it is to open as itself. Caller
// holds the state's mutex.
std::shared_ptr<Node> WalkPath(State& state, std::shared_ptr<Node> node,
                               const std::vector<std::string>& parts, bool create, AtEnd atEnd,
                               int chain, View view) {
  for (std::size_t index = 0;; ++index) {
    const bool atLast = index == parts.size();
    if (node->link && (!atLast || atEnd == AtEnd::FollowLink)) {
      node = LinkTarget(state, *node, chain);
      if (!node) return nullptr;
    }
    if (view == View::Bits32) node = Redirected(state, node, atLast ? nullptr : &parts[index]);
    if (atLast) break;
    const std::string& part = parts[index];
    const auto position = SubkeyPosition(state.order, *node, part);
    if (position != node->subkeys.end() && SameName((*position)->name, part)) {
      node = *position;
      continue;
    }
    if (!create) return nullptr;
    auto child = std::make_shared<Node>();
    child->name = part;
    child->parent = node;
    child->lastWriteTime = NowAsFileTime();
    node->subkeys.insert(position, child);
    node->lastWriteTime = child->lastWriteTime;
    node = child;
  }
  return node;
}

// Caller holds the state's mutex.
void StoreValue(State& state, Node& node, const std::string& name, const RawValue& value,
                bool exact) {
  node.lastWriteTime = NowAsFileTime();
  for (auto& existing : node.values) {
    if (SameName(existing.name, name)) {
      existing.value = value;
      existing.exact = exact;
      return;
    }
  }
  auto position = node.values.end();
  if (state.order == MemoryRegistry::Order::Wine) {
    position = std::find_if(node.values.begin(), node.values.end(), [&](const auto& other) {
      return CollateLower(name, other.name) < 0;
    });
  }
  node.values.insert(position, {name, value, exact});
}

// The hook is taken under the mutex and called without it: it may use the store.
void CallBeforeDeletion(State& state) {
  std::function<void()> hook;
  {
    std::lock_guard<std::mutex> lock(state.mutex);
    hook = state.beforeDeletion;
  }
  if (hook) hook();
}

class MemoryKey : public RegistryKey {
 public:
  MemoryKey(std::shared_ptr<State> state, std::shared_ptr<Node> node, std::uint32_t access)
      : state_(std::move(state)), node_(std::move(node)), access_(access) {}

  std::unique_ptr<RegistryKey> OpenSubkey(const std::string& path, std::uint32_t access,
                                          bool create) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (node_->deleted) return nullptr;
    bool valid = false;
    const std::vector<std::string> parts = SplitPath(path, valid);
    if (!valid) return nullptr;
    const std::shared_ptr<Node> node =
        WalkPath(*state_, node_, parts, create, AtEnd::FollowLink, 0, ViewOfAccess(access));
    if (!node || node->unopenable) return nullptr;
    return std::make_unique<MemoryKey>(state_, node, access);
  }

  std::unique_ptr<RegistryKey> OpenSubkeyItself(const std::string& path,
                                                std::uint32_t access) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (node_->deleted) return nullptr;
    bool valid = false;
    const std::vector<std::string> parts = SplitPath(path, valid);
    if (!valid) return nullptr;
    const std::shared_ptr<Node> node =
        WalkPath(*state_, node_, parts, false, AtEnd::LinkItself, 0, ViewOfAccess(access));
    if (!node || node->unopenable) return nullptr;
    return std::make_unique<MemoryKey>(state_, node, access);
  }

  std::vector<std::string> SubkeyNames() override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& child : node_->subkeys) names.push_back(child->name);
    return names;
  }

  std::vector<std::string> ValueNames() override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& value : node_->values) names.push_back(value.name);
    return names;
  }

  std::vector<NamedValue> Values() override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    std::vector<NamedValue> values;
    // Values that cannot be read are left out, and here none of them can be.
    if (node_->deleted || node_->valuesUnreadable) return values;
    for (const auto& value : node_->values) values.push_back({value.name, value.value});
    return values;
  }

  // Names here are UTF-8 already; unreadable values and texts that lost something on the way
  // keep a key from being exact.
  bool ReadExactly(KeyContents& contents) override {
    {
      std::lock_guard<std::mutex> lock(state_->mutex);
      if (node_->deleted || node_->valuesUnreadable) return false;
      for (const auto& value : node_->values) {
        if (!value.exact) return false;
      }
    }
    contents = Contents();
    return true;
  }

  QueryStatus QueryValueExactly(const std::string& name, RawValue& result) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    const StoredValue* value = nullptr;
    QueryStatus status = Find(name, value);
    if (status == QueryStatus::Ok && !value->exact) status = QueryStatus::Failed;
    if (status == QueryStatus::Ok) result = value->value;
    return status;
  }

  QueryStatus QueryValueInfo(const std::string& name, ValueInfo& info) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    const StoredValue* value = nullptr;
    const QueryStatus status = Find(name, value);
    if (status == QueryStatus::Ok) {
      info.type = value->value.type;
      info.size = static_cast<std::uint32_t>(value->value.data.size());
    }
    return status;
  }

  QueryStatus QueryValue(const std::string& name, RawValue& result) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    const StoredValue* value = nullptr;
    const QueryStatus status = Find(name, value);
    if (status == QueryStatus::Ok) result = value->value;
    return status;
  }

  bool SetValue(const std::string& name, const RawValue& value) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (node_->deleted || !(access_ & kKeySetValue)) return false;
    StoreValue(*state_, *node_, name, value, true);
    return true;
  }

  bool DeleteValue(const std::string& name) override {
    CallBeforeDeletion(*state_);
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (node_->deleted || !(access_ & kKeySetValue)) return false;
    auto& values = node_->values;
    auto found = std::find_if(values.begin(), values.end(),
                              [&](const auto& value) { return SameName(value.name, name); });
    if (found == values.end()) return false;
    values.erase(found);
    node_->lastWriteTime = NowAsFileTime();
    return true;
  }

  bool DeleteSubkey(const std::string& path) override {
    CallBeforeDeletion(*state_);
    // In the view this key was opened in, as RegDeleteKeyEx is told it.
    std::unique_ptr<RegistryKey> opened =
        OpenSubkey(path, kAccessFull | (access_ & kAccessView64), false);
    if (!opened) return false;
    std::lock_guard<std::mutex> lock(state_->mutex);
    const std::shared_ptr<Node> target = static_cast<MemoryKey&>(*opened).node_;
    const std::shared_ptr<Node> parent = target->parent.lock();
    if (!parent || !target->subkeys.empty()) return false;
    auto& siblings = parent->subkeys;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), target), siblings.end());
    target->deleted = true;
    parent->lastWriteTime = NowAsFileTime();
    return true;
  }

  bool QueryInfo(RegKeyInfo& info) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (node_->deleted) return false;
    info = RegKeyInfo{};
    info.subkeyCount = static_cast<std::uint32_t>(node_->subkeys.size());
    for (const auto& child : node_->subkeys) {
      info.maxSubkeyNameLength =
          std::max(info.maxSubkeyNameLength, static_cast<std::uint32_t>(child->name.size()));
    }
    info.valueCount = static_cast<std::uint32_t>(node_->values.size());
    for (const auto& value : node_->values) {
      info.maxValueNameLength =
          std::max(info.maxValueNameLength, static_cast<std::uint32_t>(value.name.size()));
      info.maxDataLength =
          std::max(info.maxDataLength, static_cast<std::uint32_t>(value.value.data.size()));
    }
    info.lastWriteTime = node_->lastWriteTime;
    return true;
  }

 private:
  QueryStatus Find(const std::string& name, const StoredValue*& value) const {
    if (node_->deleted || node_->valuesUnreadable) return QueryStatus::Failed;
    for (const auto& existing : node_->values) {
      if (SameName(existing.name, name)) {
        value = &existing;
        return QueryStatus::Ok;
      }
    }
    return QueryStatus::Missing;
  }

  std::shared_ptr<State> state_;
  std::shared_ptr<Node> node_;
  std::uint32_t access_;
};

}  // namespace

MemoryRegistry::MemoryRegistry(Order order) : state_(std::make_shared<State>()) {
  state_->order = order;
  for (RootKey root : {kHkeyLocalMachine, kHkeyUsers}) {
    state_->roots[root] = std::make_shared<Node>();
  }
  for (const auto& alias : kAliases) {
    bool valid = false;
    state_->roots[alias.root] =
        WalkPath(*state_, state_->roots[alias.parent], SplitPath(alias.path, valid), true);
  }
}

MemoryRegistry::~MemoryRegistry() = default;

std::unique_ptr<RegistryKey> MemoryRegistry::OpenRoot(RootKey root) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  const auto found = state_->roots.find(root);
  if (found == state_->roots.end()) return nullptr;
  return std::make_unique<MemoryKey>(state_, found->second, kAccessFull);
}

void MemoryRegistry::MakeValuesUnreadable(RootKey root, const std::string& path) {
  Mark(root, path, &Node::valuesUnreadable);
}

void MemoryRegistry::MakeUnopenable(RootKey root, const std::string& path) {
  Mark(root, path, &Node::unopenable);
}

void MemoryRegistry::SetUtf16Value(RootKey root, const std::string& path, const std::string& name,
                                   std::uint32_t type, const std::u16string& data) {
  const std::optional<std::string> exact = ExactUtf8FromUtf16(data.data(), data.size());
  const std::string text = exact ? *exact : Utf8FromUtf16(data);
  std::lock_guard<std::mutex> lock(state_->mutex);
  bool valid = false;
  const std::shared_ptr<Node> node =
      WalkPath(*state_, state_->roots.at(root), SplitPath(path, valid), true);
  StoreValue(*state_, *node, name, RawValue{type, Bytes(text.begin(), text.end())},
             exact.has_value());
}

void MemoryRegistry::SetWow64() {
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    bool valid = false;
    for (const char* path : {"Software", "Software\\Classes"}) {
      const std::shared_ptr<Node> key =
          WalkPath(*state_, state_->roots.at(kHkeyLocalMachine), SplitPath(path, valid), true);
      WalkPath(*state_, key, {kWow64Node}, true);
      state_->redirected.push_back(key);
    }
  }
  // As Wine makes it: the 32-bit view's classes are the classes' own Wow6432Node.
  AddLink(kHkeyLocalMachine, "Software\\Wow6432Node\\Classes",
          FullName(kHkeyLocalMachine, "Software\\Classes\\Wow6432Node"));
}

void MemoryRegistry::SetBeforeDeletion(std::function<void()> hook) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->beforeDeletion = std::move(hook);
}

void MemoryRegistry::AddLink(RootKey root, const std::string& path, const std::string& target) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  bool valid = false;
  std::vector<std::string> parts = SplitPath(path, valid);
  const std::string name = parts.back();
  parts.pop_back();
  const std::shared_ptr<Node> parent = WalkPath(*state_, state_->roots.at(root), parts, true);
  const std::shared_ptr<Node> link = WalkPath(*state_, parent, {name}, true, AtEnd::LinkItself);
  link->link = true;
  Bytes data;
  for (char16_t unit : Utf16FromUtf8(target)) {
    data.push_back(static_cast<unsigned char>(unit & 0xFF));
    data.push_back(static_cast<unsigned char>(unit >> 8));
  }
  StoreValue(*state_, *link, kLinkValueName, RawValue{RegType::Link, data}, true);
}

void MemoryRegistry::RemoveLink(RootKey root, const std::string& path) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  bool valid = false;
  const std::shared_ptr<Node> link =
      WalkPath(*state_, state_->roots.at(root), SplitPath(path, valid), false, AtEnd::LinkItself);
  const std::shared_ptr<Node> parent = link ? link->parent.lock() : nullptr;
  if (!parent || !link->link) return;
  auto& siblings = parent->subkeys;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), link), siblings.end());
  link->deleted = true;
}

std::string MemoryRegistry::FullName(RootKey root, const std::string& path) {
  std::string name = path;
  for (const auto& alias : kAliases) {
    if (alias.root == root) {
      name = std::string(alias.path) + (path.empty() ? "" : "\\" + path);
      root = alias.parent;
    }
  }
  return std::string(root == kHkeyUsers ? "\\Registry\\User\\" : "\\Registry\\Machine\\") + name;
}

void MemoryRegistry::Mark(RootKey root, const std::string& path, bool Node::*flag) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  bool valid = false;
  const auto found = state_->roots.find(root);
  if (found == state_->roots.end()) return;
  if (auto node = WalkPath(*state_, found->second, SplitPath(path, valid), false)) {
    (*node).*flag = true;
  }
}

}  // namespace kelvane
