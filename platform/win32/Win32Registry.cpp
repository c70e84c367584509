#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace kelvane {
namespace {

constexpr DWORD kFirstReadSize = 1024;

class Win32Key : public RegistryKey {
 public:
  // Predefined root handles are not closed.
  Win32Key(HKEY key, bool owned) : key_(key), owned_(owned) {}
  ~Win32Key() override {
    if (owned_) RegCloseKey(key_);
  }
  Win32Key(const Win32Key&) = delete;
  Win32Key& operator=(const Win32Key&) = delete;

  std::unique_ptr<RegistryKey> OpenSubkey(const std::string& path, std::uint32_t access,
                                          bool create) override {
    HKEY opened = nullptr;
    LONG result;
    if (create) {
      DWORD disposition = 0;
      result = RegCreateKeyExA(key_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                               nullptr, &opened, &disposition);
    } else {
      result = RegOpenKeyExA(key_, path.c_str(), 0, access, &opened);
    }
    if (result != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32Key>(opened, true);
  }

  std::vector<std::string> SubkeyNames() override {
    std::vector<std::string> names;
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return names;
    }
    std::string buffer(longest + 1, '\0');
    for (DWORD index = 0; index < count; ++index) {
      DWORD length = static_cast<DWORD>(buffer.size());
      const LONG result =
          RegEnumKeyExA(key_, index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_MORE_DATA) {
        buffer.assign(buffer.size() * 2 + 256, '\0');
        --index;
        continue;
      }
      if (result != ERROR_SUCCESS) break;
      names.emplace_back(buffer.data(), length);
    }
    return names;
  }

  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return names;
    }
    std::string buffer(longest + 1, '\0');
    for (DWORD index = 0; index < count; ++index) {
      DWORD length = static_cast<DWORD>(buffer.size());
      const LONG result =
          RegEnumValueA(key_, index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_MORE_DATA) {
        buffer.assign(buffer.size() * 2 + 256, '\0');
        --index;
        continue;
      }
      if (result != ERROR_SUCCESS) break;
      names.emplace_back(buffer.data(), length);
    }
    return names;
  }

  QueryStatus QueryValueInfo(const std::string& name, ValueInfo& info) override {
    DWORD type = 0;
    DWORD size = 0;
    const LONG result = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS) return StatusOf(result);
    info.type = type;
    info.size = size;
    return QueryStatus::Ok;
  }

  QueryStatus QueryValue(const std::string& name, RawValue& value) override {
    // Most values are short: one read into a small buffer, another only when it does not fit
    // (the size then says how much is needed; the value may also grow in between).
    DWORD size = kFirstReadSize;
    for (int attempt = 0; attempt < 8; ++attempt) {
      value.data.assign(size, 0);
      DWORD type = 0;
      const LONG result =
          RegQueryValueExA(key_, name.c_str(), nullptr, &type, value.data.data(), &size);
      if (result == ERROR_MORE_DATA) continue;
      if (result != ERROR_SUCCESS) return StatusOf(result);
      value.type = type;
      value.data.resize(size);
      return QueryStatus::Ok;
    }
    return QueryStatus::Failed;
  }

  bool SetValue(const std::string& name, const RawValue& value) override {
    return RegSetValueExA(key_, name.c_str(), 0, value.type,
                          value.data.empty() ? nullptr : value.data.data(),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
  }

  bool DeleteValue(const std::string& name) override {
    return RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
  }

  bool DeleteSubkey(const std::string& path) override {
    return RegDeleteKeyA(key_, path.c_str()) == ERROR_SUCCESS;
  }

  bool QueryInfo(RegKeyInfo& info) override {
    DWORD subkeys = 0, maxSubkey = 0, values = 0, maxValueName = 0, maxData = 0;
    FILETIME written = {};
    if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr, &values,
                         &maxValueName, &maxData, nullptr, &written) != ERROR_SUCCESS) {
      return false;
    }
    info.subkeyCount = subkeys;
    info.maxSubkeyNameLength = maxSubkey;
    info.valueCount = values;
    info.maxValueNameLength = maxValueName;
    info.maxDataLength = maxData;
    info.lastWriteTime = (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) |
                         written.dwLowDateTime;
    return true;
  }

 private:
  static QueryStatus StatusOf(LONG result) {
    return result == ERROR_FILE_NOT_FOUND ? QueryStatus::Missing : QueryStatus::Failed;
  }

  HKEY key_;
  bool owned_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenRoot(RootKey root) {
  // Predefined handles of roots the system does not have fail at their first use.
  return std::make_unique<Win32Key>(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(root)), false);
}

}  // namespace kelvane
