#include "platform/RegistryView64.h"

namespace kelvane {
namespace {

// Every open below it carries the flag; everything else goes to the key as it is.
class View64Key : public RegistryKey {
 public:
  explicit View64Key(std::unique_ptr<RegistryKey> key) : key_(std::move(key)) {}

  std::unique_ptr<RegistryKey> OpenSubkey(const std::string& path, std::uint32_t access,
                                          bool create) override {
    return Wrap(key_->OpenSubkey(path, access | kAccessView64, create));
  }
  std::unique_ptr<RegistryKey> OpenSubkeyItself(const std::string& path,
                                                std::uint32_t access) override {
    return Wrap(key_->OpenSubkeyItself(path, access | kAccessView64));
  }
  std::vector<std::string> SubkeyNames() override { return key_->SubkeyNames(); }
  std::vector<std::string> ValueNames() override { return key_->ValueNames(); }
  std::vector<NamedValue> Values() override { return key_->Values(); }
  KeyContents Contents() override { return key_->Contents(); }
  bool ReadExactly(KeyContents& contents) override { return key_->ReadExactly(contents); }
  QueryStatus QueryValueInfo(const std::string& name, ValueInfo& info) override {
    return key_->QueryValueInfo(name, info);
  }
  QueryStatus QueryValue(const std::string& name, RawValue& value) override {
    return key_->QueryValue(name, value);
  }
  QueryStatus QueryValueExactly(const std::string& name, RawValue& value) override {
    return key_->QueryValueExactly(name, value);
  }
  bool SetValue(const std::string& name, const RawValue& value) override {
    return key_->SetValue(name, value);
  }
  bool DeleteValue(const std::string& name) override { return key_->DeleteValue(name); }
  // Through a handle opened in the view: a delete goes to the view of the handle it is made on,
  // and a root's handle has the program's own.
  bool DeleteSubkey(const std::string& path) override {
    const std::unique_ptr<RegistryKey> self =
        key_->OpenSubkey("", kAccessFull | kAccessView64, false);
    return self && self->DeleteSubkey(path);
  }
  bool QueryInfo(RegKeyInfo& info) override { return key_->QueryInfo(info); }

 private:
  static std::unique_ptr<RegistryKey> Wrap(std::unique_ptr<RegistryKey> key) {
    if (!key) return nullptr;
    return std::make_unique<View64Key>(std::move(key));
  }

  std::unique_ptr<RegistryKey> key_;
};

}  // namespace

std::unique_ptr<RegistryKey> RegistryView64::OpenRoot(RootKey root) {
  std::unique_ptr<RegistryKey> key = store_.OpenRoot(root);
  if (!key) return nullptr;
  return std::make_unique<View64Key>(std::move(key));
}

}  // namespace kelvane
