// A stand-in for the running system: a chosen version and bitness, and a record of every
// request to the shell instead of opening anything.
#pragma once

#include <mutex>
#include <vector>

#include "platform/SystemAccess.h"

namespace kelvane {

struct ShellRequest {
  std::string target;
  std::string parameters;
  bool operator==(const ShellRequest& other) const {
    return target == other.target && parameters == other.parameters;
  }
};

class MemorySystem : public SystemAccess {
 public:
  void SetVersion(WindowsVersion version);
  void SetWow64(bool wow64);
  // What OpenWithShell answers from now on; it succeeds until told otherwise.
  void SetShellSucceeds(bool succeeds);
  std::vector<ShellRequest> ShellRequests() const;

  WindowsVersion Version() override;
  bool IsWow64() override;
  bool OpenWithShell(const std::string& target, const std::string& parameters) override;

 private:
  mutable std::mutex mutex_;
  WindowsVersion version_ = WindowsVersion::WindowsXp;
  bool wow64_ = false;
  bool shellSucceeds_ = true;
  std::vector<ShellRequest> shellRequests_;
};

}  // namespace kelvane
