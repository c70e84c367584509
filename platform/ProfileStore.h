// Windows profile (INI) files, one value at a time, as the system's profile-string functions
// read and write them: sections and keys match without regard to case, values hold at most
// 2047 characters, a missing file, section or key gives the default.
#pragma once

#include <string>

namespace kelvane {

constexpr std::size_t kProfileValueMaxLength = 2047;

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) = 0;
  // Creates the file, the section or the key as needed; false when the system refuses.
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

}  // namespace kelvane
