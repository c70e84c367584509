#include "platform/RegistryAccess.h"

#include <cstring>

namespace kelvane {
namespace {

RegistryError InvalidDataType(const std::string& name) {
  return RegistryError("Invalid data type for '" + name + "'");
}

RegistryError FailedToGetData(const std::string& name) {
  return RegistryError("Failed to get data for '" + name + "'");
}

bool IsText(const RawValue& value) {
  const RegDataKind kind = DataKindFromRawType(value.type);
  return kind == RegDataKind::String || kind == RegDataKind::ExpandString;
}

// The text ends at the first NUL, or with the data when there is none.
std::string TextOf(const RawValue& value) {
  const auto* bytes = reinterpret_cast<const char*>(value.data.data());
  return std::string(bytes, strnlen(bytes, value.data.size()));
}

}  // namespace

std::optional<std::string> ValueText(const RawValue& value) {
  if (!IsText(value)) return std::nullopt;
  return TextOf(value);
}

RegistryAccess::RegistryAccess(RegistryStore& store) : store_(store) {}

void RegistryAccess::SetRootKey(RootKey root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

RegistryAccess::ResolvedPath RegistryAccess::Resolve(const std::string& path) {
  ResolvedPath resolved{nullptr, path, nullptr};
  const bool absolute = !path.empty() && path[0] == '\\';
  if (absolute) resolved.relative.erase(0, 1);
  if (current_ && !absolute) {
    resolved.base = current_.get();
  } else {
    resolved.ownedBase = store_.OpenRoot(root_);
    resolved.base = resolved.ownedBase.get();
  }
  return resolved;
}

std::unique_ptr<RegistryKey> RegistryAccess::Open(RegistryKey& base, const std::string& relative,
                                                  bool create) {
  if (linksAsThemselves_ && !create) return base.OpenSubkeyItself(relative, access_);
  return base.OpenSubkey(relative, access_, create);
}

bool RegistryAccess::OpenKey(const std::string& path, bool create) {
  const bool relativeToCurrent = current_ && !path.empty() && path[0] != '\\';
  ResolvedPath resolved = Resolve(path);
  if (!resolved.base) return false;
  std::unique_ptr<RegistryKey> opened =
      Open(*resolved.base, resolved.relative, create && !path.empty());
  if (!opened) return false;
  if (relativeToCurrent) {
    currentPath_ = currentPath_ + "\\" + path;
  } else if (!path.empty() || !current_) {
    currentPath_ = resolved.relative;
  }
  current_ = std::move(opened);
  return true;
}

bool RegistryAccess::OpenSubkeyOf(const RegistryAccess& parent, const std::string& name) {
  if (!parent.current_) return false;
  std::unique_ptr<RegistryKey> opened = Open(*parent.current_, name, false);
  if (!opened) return false;
  root_ = parent.root_;
  currentPath_ = parent.currentPath_ + "\\" + name;
  current_ = std::move(opened);
  return true;
}

void RegistryAccess::CloseKey() {
  current_.reset();
  currentPath_.clear();
}

bool RegistryAccess::KeyExists(const std::string& path) {
  ResolvedPath resolved = Resolve(path);
  return resolved.base &&
         resolved.base->OpenSubkey(resolved.relative, kAccessExistenceTest, false) != nullptr;
}

bool RegistryAccess::IsLink(const std::string& path) {
  ResolvedPath resolved = Resolve(path);
  if (!resolved.base) return false;
  const std::unique_ptr<RegistryKey> key =
      resolved.base->OpenSubkeyItself(resolved.relative, kAccessRead);
  return key && IsLinkKey(*key);
}

std::vector<std::string> RegistryAccess::SubkeyNames() {
  return current_ ? current_->SubkeyNames() : std::vector<std::string>{};
}

std::vector<std::string> RegistryAccess::ValueNames() {
  return current_ ? current_->ValueNames() : std::vector<std::string>{};
}

std::vector<NamedValue> RegistryAccess::Values() {
  return current_ ? current_->Values() : std::vector<NamedValue>{};
}

KeyContents RegistryAccess::Contents() { return current_ ? current_->Contents() : KeyContents{}; }

RegDataKind RegistryAccess::DataKind(const std::string& name) {
  ValueInfo info;
  if (!current_ || current_->QueryValueInfo(name, info) != QueryStatus::Ok) {
    return RegDataKind::Unknown;
  }
  return DataKindFromRawType(info.type);
}

int RegistryAccess::DataSize(const std::string& name) {
  ValueInfo info;
  if (!current_ || current_->QueryValueInfo(name, info) != QueryStatus::Ok) return -1;
  return static_cast<int>(info.size);
}

bool RegistryAccess::ValueExists(const std::string& name) {
  ValueInfo info;
  return current_ && current_->QueryValueInfo(name, info) == QueryStatus::Ok;
}

bool RegistryAccess::ReadRaw(const std::string& name, RawValue& value) {
  return current_ && current_->QueryValue(name, value) == QueryStatus::Ok;
}

bool RegistryAccess::ReadExactly(KeyContents& contents) {
  return current_ && current_->ReadExactly(contents);
}

bool RegistryAccess::ReadRawExactly(const std::string& name, RawValue& value) {
  return current_ && current_->QueryValueExactly(name, value) == QueryStatus::Ok;
}

std::optional<std::string> RegistryAccess::ReadText(const std::string& name) {
  RawValue value;
  if (!current_ || current_->QueryValue(name, value) != QueryStatus::Ok) return std::nullopt;
  return ValueText(value);
}

std::string RegistryAccess::ReadString(const std::string& name) {
  // A value that is missing, cannot be queried or holds no data reads as empty.
  RawValue value;
  if (!current_ || current_->QueryValue(name, value) != QueryStatus::Ok || value.data.empty()) {
    return {};
  }
  if (!IsText(value)) throw InvalidDataType(name);
  return TextOf(value);
}

std::int32_t RegistryAccess::ReadInteger(const std::string& name) {
  RawValue value;
  if (!current_ || current_->QueryValue(name, value) != QueryStatus::Ok) {
    throw FailedToGetData(name);
  }
  if (DataKindFromRawType(value.type) != RegDataKind::Integer) throw InvalidDataType(name);
  // Read into a four-byte buffer: longer data does not fit, shorter data fills its start.
  if (value.data.size() > sizeof(std::int32_t)) throw FailedToGetData(name);
  std::uint32_t number = 0;
  std::memcpy(&number, value.data.data(), value.data.size());
  return static_cast<std::int32_t>(number);
}

std::size_t RegistryAccess::ReadBinary(const std::string& name, void* buffer,
                                       std::size_t bufferSize) {
  ValueInfo info;
  if (!current_) return 0;
  const QueryStatus status = current_->QueryValueInfo(name, info);
  if (status == QueryStatus::Missing) return 0;
  if (status == QueryStatus::Failed) throw FailedToGetData(name);
  const RegDataKind kind = DataKindFromRawType(info.type);
  if ((kind != RegDataKind::Binary && kind != RegDataKind::Unknown) || info.size > bufferSize) {
    throw InvalidDataType(name);
  }
  RawValue value;
  if (current_->QueryValue(name, value) != QueryStatus::Ok) throw FailedToGetData(name);
  if (value.data.size() > bufferSize) throw InvalidDataType(name);
  if (!value.data.empty()) std::memcpy(buffer, value.data.data(), value.data.size());
  return value.data.size();
}

bool RegistryAccess::WriteString(const std::string& name, const std::string& text) {
  if (!current_) return false;
  RawValue value{RegType::Sz, Bytes(text.begin(), text.end())};
  value.data.push_back(0);
  return current_->SetValue(name, value);
}

bool RegistryAccess::DeleteValue(const std::string& name) {
  return current_ && current_->DeleteValue(name);
}

bool RegistryAccess::DeleteKey(const std::string& path) {
  ResolvedPath resolved = Resolve(path);
  // An empty path would name the current key or the root itself: never delete those.
  if (!resolved.base || resolved.relative.empty()) return false;
  return DeleteTree(*resolved.base, resolved.relative);
}

bool RegistryAccess::DeleteTree(RegistryKey& parent, const std::string& relative) {
  // Deleting a link by its name would delete its target, and entering it the target's subtree.
  std::unique_ptr<RegistryKey> key = parent.OpenSubkeyItself(relative, access_);
  if (key && IsLinkKey(*key)) return false;
  if (key) {
    const std::vector<std::string> names = key->SubkeyNames();
    for (auto name = names.rbegin(); name != names.rend(); ++name) DeleteTree(*key, *name);
  }
  key.reset();
  return parent.DeleteSubkey(relative);
}

bool RegistryAccess::KeyInfo(RegKeyInfo& info) { return current_ && current_->QueryInfo(info); }

}  // namespace kelvane
