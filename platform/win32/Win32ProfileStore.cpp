#include "platform/win32/Win32ProfileStore.h"

#include <windows.h>

#include <vector>

namespace kelvane {
namespace {

// The profile functions look a bare file name up in the Windows folder; the program always
// means the file relative to the current folder, as the portable store does.
std::string FullPath(const std::string& file) {
  const DWORD needed = GetFullPathNameA(file.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return file;
  std::string full(needed, '\0');
  const DWORD length = GetFullPathNameA(file.c_str(), needed, &full[0], nullptr);
  if (length == 0 || length >= needed) return file;
  full.resize(length);
  return full;
}

}  // namespace

std::string Win32ProfileStore::ReadString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& defaultValue) {
  std::vector<char> buffer(kProfileValueMaxLength + 1);
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                               static_cast<DWORD>(buffer.size()), FullPath(file).c_str());
  return std::string(buffer.data(), length);
}

std::vector<std::string> Win32ProfileStore::KeyNames(const std::string& file,
                                                     const std::string& section) {
  // Without a key the names come NUL-separated; a full buffer may have cut the list.
  std::vector<char> buffer(4096);
  DWORD length = 0;
  for (;;) {
    length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                      static_cast<DWORD>(buffer.size()), FullPath(file).c_str());
    if (length + 2 < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  std::vector<std::string> names;
  for (std::size_t start = 0; start < length;) {
    const std::string name(buffer.data() + start);
    names.push_back(name);
    start += name.size() + 1;
  }
  return names;
}

bool Win32ProfileStore::WriteString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                    FullPath(file).c_str()) != FALSE;
}

}  // namespace kelvane
