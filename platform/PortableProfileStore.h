// Profile files over host files, behaving as Wine's profile functions do. Files are ANSI, or
// UTF-16 LE or UTF-8 with a byte-order mark; an ANSI file that must hold a character the code
// page lacks is written as UTF-16 LE. Lines may end in CR LF, LF or CR and are written with
// CR LF.
//
// Like Wine, a write that changes the file rewrites it from what was parsed: blank lines are
// dropped, names and values lose the white space around them and section headers lose any
// text after their closing bracket. Windows itself edits the file in place and keeps them.
#pragma once

#include "platform/ProfileStore.h"

namespace kelvane {

// What ReadString and KeyNames give for a file of these bytes, for a caller that reads the file
// itself.
std::string ProfileStringOf(const std::string& fileBytes, const std::string& section,
                            const std::string& key, const std::string& defaultValue);
std::vector<std::string> ProfileKeyNamesOf(const std::string& fileBytes,
                                           const std::string& section);

class PortableProfileStore : public ProfileStore {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override;
  std::vector<std::string> KeyNames(const std::string& file,
                                    const std::string& section) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

}  // namespace kelvane
