// The running system's version and bitness, and the shell's "Open" (kernel32, shell32).
#pragma once

#include <string>

#include "platform/SystemAccess.h"

namespace kelvane {

class Win32System : public SystemAccess {
 public:
  WindowsVersion Version() override;
  bool IsWow64() override;
  bool OpenWithShell(const std::string& target, const std::string& parameters) override;
};

// The registry editor in the Windows folder, never one found first on the search path: the
// program runs elevated. Empty when the folder is unknown.
std::string RegistryEditorPath();

}  // namespace kelvane
