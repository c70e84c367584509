#include "platform/win32/Win32ProfileStore.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/PortableProfileStore.h"
#include "platform/Utf8.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Handles.h"

namespace kelvane {
namespace {

// The profile functions look a bare file name up in the Windows folder; the program always
// means the file relative to the current folder, as the portable store does.
std::wstring FullPath(const std::string& file) {
  const std::wstring wide = Wide(file);
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, &full[0], nullptr);
  if (length == 0 || length >= needed) return wide;
  full.resize(length);
  return full;
}

// At most limit bytes from the start.
std::optional<std::string> ReadBytes(const std::wstring& path,
                                     std::size_t limit = std::string::npos) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char block[4096];
  DWORD read = 0;
  while (bytes.size() < limit &&
         ReadFile(file.get(), block,
                  static_cast<DWORD>(std::min<std::size_t>(sizeof block, limit - bytes.size())),
                  &read, nullptr) &&
         read > 0) {
    bytes.append(block, read);
  }
  return bytes;
}

// Windows' profile functions know no UTF-8 (Wine's do): they read such a file, a language file
// most likely, as ANSI, and write ANSI into it.
bool HoldsUtf8(const std::wstring& path) { return ReadBytes(path, 3) == "\xEF\xBB\xBF"; }

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file &&
         WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// An ANSI file as the profile functions read it: in the system's code page.
std::string SystemAnsiText(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return Utf8(wide);
}

// The profile functions write an ANSI file in the code page and lose what it lacks, and write
// ANSI into a UTF-8 one: such a file is turned into UTF-16 LE first, which they then keep;
// false when it cannot be.
bool TurnedUtf16(const std::wstring& path) {
  const std::optional<std::string> bytes = ReadBytes(path);
  const std::string before = bytes.value_or("");
  if (before.compare(0, 2, "\xFF\xFE") == 0) return true;
  return WriteBytes(path, Utf16LeFileBytes(before.compare(0, 3, "\xEF\xBB\xBF") == 0
                                               ? before.substr(3)
                                               : SystemAnsiText(before)));
}

}  // namespace

std::string Win32ProfileStore::ReadString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& defaultValue) {
  const std::wstring path = FullPath(file);
  if (HoldsUtf8(path)) {
    return ProfileStringOf(ReadBytes(path).value_or(""), section, key, defaultValue);
  }
  std::vector<wchar_t> buffer(kProfileValueMaxLength + 1);
  const DWORD length = GetPrivateProfileStringW(
      Wide(section).c_str(), Wide(key).c_str(), Wide(defaultValue).c_str(), buffer.data(),
      static_cast<DWORD>(buffer.size()), path.c_str());
  return Utf8(buffer.data(), length);
}

std::vector<std::string> Win32ProfileStore::KeyNames(const std::string& file,
                                                     const std::string& section) {
  const std::wstring path = FullPath(file);
  if (HoldsUtf8(path)) return ProfileKeyNamesOf(ReadBytes(path).value_or(""), section);
  // Without a key the names come NUL-separated; a full buffer may have cut the list.
  std::vector<wchar_t> buffer(4096);
  DWORD length = 0;
  for (;;) {
    length = GetPrivateProfileStringW(Wide(section).c_str(), nullptr, L"", buffer.data(),
                                      static_cast<DWORD>(buffer.size()), path.c_str());
    if (length + 2 < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  std::vector<std::string> names;
  for (std::size_t start = 0; start < length;) {
    const std::wstring name(buffer.data() + start);
    names.push_back(Utf8(name));
    start += name.size() + 1;
  }
  return names;
}

bool Win32ProfileStore::WriteString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& value) {
  const std::wstring path = FullPath(file);
  if ((!FitsAnsi(section + key + value) || HoldsUtf8(path)) && !TurnedUtf16(path)) return false;
  return WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                    path.c_str()) != FALSE;
}

}  // namespace kelvane
