// Profile files through the system's profile-string functions (kernel32).
#pragma once

#include "platform/ProfileStore.h"

namespace kelvane {

class Win32ProfileStore : public ProfileStore {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override;
  std::vector<std::string> KeyNames(const std::string& file,
                                    const std::string& section) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

}  // namespace kelvane
