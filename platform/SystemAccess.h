// Questions to the operating system and requests to its shell.
#pragma once

#include <string>

#include "platform/WindowsVersion.h"

namespace kelvane {

class SystemAccess {
 public:
  virtual ~SystemAccess() = default;
  virtual WindowsVersion Version() = 0;
  // A 32-bit process on 64-bit Windows.
  virtual bool IsWow64() = 0;
  // Opens a document, folder, program or web address with the verb "Open", without waiting.
  virtual bool OpenWithShell(const std::string& target, const std::string& parameters) = 0;
};

}  // namespace kelvane
