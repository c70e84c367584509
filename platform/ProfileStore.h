// Windows profile (INI) files, one value at a time, as the system's profile-string functions
// read and write them: sections and keys match without regard to ASCII case and with white
// space around them ignored, values hold at most 2047 characters and lose a matching pair of
// surrounding quotes, a missing file, section or key gives the default. Every call reads the
// file anew, so changes made by others are seen at once.
#pragma once

#include <string>
#include <vector>

namespace kelvane {

constexpr std::size_t kProfileValueMaxLength = 2047;

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) = 0;
  // The names of the section's keys in file order; none when the file or section is missing.
  virtual std::vector<std::string> KeyNames(const std::string& file,
                                            const std::string& section) = 0;
  // Creates the file, the section or the key as needed; false when the system refuses.
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

}  // namespace kelvane
