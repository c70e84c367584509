#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Handles.h"

namespace kelvane {
namespace {

constexpr DWORD kFirstReadSize = 1024;
constexpr std::size_t kLongestPathInOneCall = 255;
constexpr std::uint32_t kViewFlags = KEY_WOW64_64KEY | KEY_WOW64_32KEY;

// RegDeleteKeyExW exists from XP x64 on; where it does not, there is only one view.
bool DeleteKeyInView(HKEY parent, const std::string& path, std::uint32_t view) {
  using DeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  const auto deleteKeyEx = reinterpret_cast<DeleteKeyExFunction>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"advapi32"), "RegDeleteKeyExW")));
  if (!deleteKeyEx) return RegDeleteKeyW(parent, Wide(path).c_str()) == ERROR_SUCCESS;
  return deleteKeyEx(parent, Wide(path).c_str(), view, 0) == ERROR_SUCCESS;
}
constexpr DWORD kLongestValueName = 16383;

// The types whose data the program holds as UTF-8 text, converted from the stored UTF-16.
bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Data read by a wide function as the program holds it; exact turns false when text does not
// survive UTF-8 (an odd size or a lone surrogate).
RawValue RawValueFromWide(DWORD type, const wchar_t* data, DWORD size, bool& exact) {
  RawValue value;
  value.type = type;
  if (IsStringType(type)) {
    const std::optional<std::string> text = ExactUtf8(data, size / sizeof(wchar_t));
    if (!text || size % sizeof(wchar_t) != 0) exact = false;
    const std::string converted = text ? *text : Utf8(data, size / sizeof(wchar_t));
    value.data.assign(converted.begin(), converted.end());
  } else {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    value.data.assign(bytes, bytes + size);
  }
  return value;
}

// The bytes a wide function stores for the program's value.
std::vector<BYTE> StoredData(const RawValue& value) {
  if (!IsStringType(value.type)) return std::vector<BYTE>(value.data.begin(), value.data.end());
  const std::wstring text = Wide(std::string(value.data.begin(), value.data.end()));
  const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
  return std::vector<BYTE>(bytes, bytes + text.size() * sizeof(wchar_t));
}

class Win32Key : public RegistryKey {
 public:
  // A predefined root: its handle is never closed.
  explicit Win32Key(HKEY predefined) : key_(predefined) {}
  Win32Key(RegistryKeyHandle opened, std::uint32_t view)
      : key_(opened.get()), owned_(std::move(opened)), view_(view) {}
  Win32Key(const Win32Key&) = delete;
  Win32Key& operator=(const Win32Key&) = delete;

  std::unique_ptr<RegistryKey> OpenSubkey(const std::string& path, std::uint32_t access,
                                          bool create) override {
    return Open(path, access, create ? Mode::Create : Mode::Open);
  }

  std::unique_ptr<RegistryKey> OpenSubkeyItself(const std::string& path,
                                                std::uint32_t access) override {
    return Open(path, access, Mode::OpenLinkItself);
  }

  std::vector<std::string> SubkeyNames() override {
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return {};
    }
    return EnumerateSubkeys(count, longest);
  }

  std::vector<std::string> ValueNames() override {
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return {};
    }
    return EnumerateNames(count, longest, [this](DWORD index, wchar_t* name, DWORD* length) {
      return RegEnumValueW(key_, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
  }

  std::vector<NamedValue> Values() override {
    DWORD count = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
      return {};
    }
    return EnumerateValues(count, longestName, longestData);
  }

  KeyContents Contents() override {
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr,
                         &values, &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
      return {};
    }
    return {EnumerateValues(values, longestName, longestData),
            EnumerateSubkeys(subkeys, longestSubkey)};
  }

  bool ReadExactly(KeyContents& contents) override {
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr,
                         &values, &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    bool exact = true;
    contents.values = EnumerateValues(values, longestName, longestData, &exact);
    contents.subkeys = EnumerateSubkeysExactly(subkeys, longestSubkey, exact);
    return exact && contents.values.size() == values && contents.subkeys.size() == subkeys;
  }

  QueryStatus QueryValueInfo(const std::string& name, ValueInfo& info) override {
    // Text is measured as the program holds it, so the data is read with the type: one call
    // for most values, as a query of the size alone would be.
    RawValue value;
    const QueryStatus status = QueryValue(name, value);
    if (status != QueryStatus::Ok) return status;
    info.type = value.type;
    info.size = static_cast<std::uint32_t>(value.data.size());
    return QueryStatus::Ok;
  }

  QueryStatus QueryValue(const std::string& name, RawValue& value) override {
    bool exact = true;
    return ReadValue(name, value, exact);
  }

  QueryStatus QueryValueExactly(const std::string& name, RawValue& value) override {
    // A repair reads every value this way: a loss shows here.
    bool exact = true;
    const QueryStatus status = ReadValue(name, value, exact);
    return status == QueryStatus::Ok && !exact ? QueryStatus::Failed : status;
  }

  bool SetValue(const std::string& name, const RawValue& value) override {
    const std::vector<BYTE> data = StoredData(value);
    return RegSetValueExW(key_, Wide(name).c_str(), 0, value.type,
                          data.empty() ? nullptr : data.data(),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }

  bool DeleteValue(const std::string& name) override {
    return RegDeleteValueW(key_, Wide(name).c_str()) == ERROR_SUCCESS;
  }

  bool DeleteSubkey(const std::string& path) override {
    const auto last = path.rfind('\\');
    if (path.size() > kLongestPathInOneCall && last != std::string::npos && last > 0) {
      std::unique_ptr<RegistryKey> parent =
          OpenSubkey(path.substr(0, last), KEY_ALL_ACCESS | view_, false);
      return parent && parent->DeleteSubkey(path.substr(last + 1));
    }
    // RegDeleteKeyW would delete the key of the same name in the program's own view.
    if (view_ != 0) return DeleteKeyInView(key_, path, view_);
    return RegDeleteKeyW(key_, Wide(path).c_str()) == ERROR_SUCCESS;
  }

  bool QueryInfo(RegKeyInfo& info) override {
    DWORD subkeys = 0, maxSubkey = 0, values = 0, maxValueName = 0, maxData = 0;
    FILETIME written = {};
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr, &values,
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
  enum class Mode { Open, Create, OpenLinkItself };

  std::unique_ptr<Win32Key> Open(const std::string& path, std::uint32_t access, Mode mode) {
    // Wine refuses a path of more than 260 characters in one call, where Windows takes it:
    // a longer path is opened a part at a time, the parts before the last as any key.
    const auto split = path.size() > kLongestPathInOneCall
                           ? path.rfind('\\', kLongestPathInOneCall)
                           : std::string::npos;
    if (split != std::string::npos && split > 0) {
      const Mode headMode = mode == Mode::Create ? Mode::Create : Mode::Open;
      const std::unique_ptr<Win32Key> head = Open(path.substr(0, split), access, headMode);
      return head ? head->Open(path.substr(split + 1), access, mode) : nullptr;
    }
    HKEY opened = nullptr;
    LONG result;
    if (mode == Mode::Create) {
      DWORD disposition = 0;
      result = RegCreateKeyExW(key_, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               access, nullptr, &opened, &disposition);
    } else {
      const DWORD options = mode == Mode::OpenLinkItself ? REG_OPTION_OPEN_LINK : 0;
      result = RegOpenKeyExW(key_, Wide(path).c_str(), options, access, &opened);
    }
    if (result != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32Key>(RegistryKeyHandle(opened), access & kViewFlags);
  }

  std::vector<std::string> EnumerateSubkeys(DWORD count, DWORD longest) {
    return EnumerateNames(count, longest, [this](DWORD index, wchar_t* name, DWORD* length) {
      return RegEnumKeyExW(key_, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
  }

  // Subkey names read as stored; exact is cleared when one does not survive UTF-8.
  std::vector<std::string> EnumerateSubkeysExactly(DWORD count, DWORD longest, bool& exact) {
    std::vector<std::string> names;
    std::wstring buffer(longest + 1, L'\0');
    for (DWORD index = 0; index < count; ++index) {
      DWORD length = static_cast<DWORD>(buffer.size());
      const LONG result =
          RegEnumKeyExW(key_, index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr);
      if (result != ERROR_SUCCESS) {
        exact = false;
        break;
      }
      const std::optional<std::string> name = ExactUtf8(buffer.data(), length);
      if (!name) exact = false;
      names.push_back(name ? *name : Utf8(buffer.data(), length));
    }
    return names;
  }

  // Names by index, up to the count the key's information gave; a name longer than that
  // information said (the key changed) is read again with a larger buffer.
  template <typename Enumerate>
  static std::vector<std::string> EnumerateNames(DWORD count, DWORD longest, Enumerate enumerate) {
    std::vector<std::string> names;
    std::wstring buffer(longest + 1, L'\0');
    for (DWORD index = 0; index < count; ++index) {
      DWORD length = static_cast<DWORD>(buffer.size());
      const LONG result = enumerate(index, &buffer[0], &length);
      if (result == ERROR_MORE_DATA) {
        buffer.assign(buffer.size() * 2 + 256, L'\0');
        --index;
        continue;
      }
      if (result != ERROR_SUCCESS) break;
      names.push_back(Utf8(buffer.data(), length));
    }
    return names;
  }

  // Each value comes with its data in one call, as stored in UTF-16, and is converted to UTF-8. The
  // count bounds the loop: Wine answers every index of some keys with an error, never with the end
  // of the list. exact, when given, is cleared when a name or text does not survive UTF-8.
  std::vector<NamedValue> EnumerateValues(DWORD count, DWORD longestName, DWORD longestData,
                                          bool* exact = nullptr) {
    std::vector<NamedValue> values;
    std::wstring name(longestName + 1, L'\0');
    std::vector<wchar_t> data(longestData / sizeof(wchar_t) + 1);
    values.reserve(count);
    bool unused = true;
    for (DWORD index = 0; index < count; ++index) {
      NamedValue value;
      if (EnumerateValue(index, name, data, value, exact ? *exact : unused)) {
        values.push_back(std::move(value));
      }
    }
    return values;
  }

  bool EnumerateValue(DWORD index, std::wstring& name, std::vector<wchar_t>& data,
                      NamedValue& value, bool& exact) {
    DWORD nameLength = 0;
    DWORD size = 0;
    DWORD type = 0;
    LONG result = ERROR_MORE_DATA;
    // The buffers fit the key's longest name and data; a value that grew since takes more.
    for (int attempt = 0; attempt < 8 && result == ERROR_MORE_DATA; ++attempt) {
      if (attempt > 0) {
        name.assign(kLongestValueName + 1, L'\0');
        data.assign(std::max<std::size_t>(data.size(), size / sizeof(wchar_t) + 1), 0);
      }
      nameLength = static_cast<DWORD>(name.size());
      size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
      result = RegEnumValueW(key_, index, &name[0], &nameLength, nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (result != ERROR_SUCCESS) return false;
    const std::optional<std::string> exactName = ExactUtf8(name.data(), nameLength);
    value.name = exactName ? *exactName : Utf8(name.data(), nameLength);
    // A name that does not survive UTF-8 names another value or none.
    if (!exactName) {
      exact = false;
      return false;
    }
    value.value = RawValueFromWide(type, data.data(), size, exact);
    return true;
  }

  // One wide read, converted here where a loss shows. Most values are short: one read into a
  // small buffer, another only when it does not fit (the value may also grow in between).
  QueryStatus ReadValue(const std::string& name, RawValue& value, bool& exact) {
    const std::wstring wideName = Wide(name);
    std::vector<wchar_t> data(kFirstReadSize);
    DWORD type = 0;
    DWORD size = 0;
    LONG result = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 8 && result == ERROR_MORE_DATA; ++attempt) {
      if (attempt > 0) data.assign(size / sizeof(wchar_t) + 1, 0);
      size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
      result = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (result != ERROR_SUCCESS) return StatusOf(result);
    value = RawValueFromWide(type, data.data(), size, exact);
    return QueryStatus::Ok;
  }

  static QueryStatus StatusOf(LONG result) {
    return result == ERROR_FILE_NOT_FOUND ? QueryStatus::Missing : QueryStatus::Failed;
  }

  HKEY key_;
  RegistryKeyHandle owned_;
  std::uint32_t view_ = 0;  // the WOW64 view flag it was opened with, for deletes below it
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenRoot(RootKey root) {
  // Predefined handles of roots the system does not have fail at their first use.
  return std::make_unique<Win32Key>(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(root)));
}

}  // namespace kelvane
