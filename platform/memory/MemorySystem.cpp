#include "platform/memory/MemorySystem.h"

namespace kelvane {
namespace {

using Lock = std::lock_guard<std::mutex>;

}  // namespace

void MemorySystem::SetVersion(WindowsVersion version) {
  const Lock lock(mutex_);
  version_ = version;
}

void MemorySystem::SetWow64(bool wow64) {
  const Lock lock(mutex_);
  wow64_ = wow64;
}

void MemorySystem::SetShellSucceeds(bool succeeds) {
  const Lock lock(mutex_);
  shellSucceeds_ = succeeds;
}

std::vector<ShellRequest> MemorySystem::ShellRequests() const {
  const Lock lock(mutex_);
  return shellRequests_;
}

WindowsVersion MemorySystem::Version() {
  const Lock lock(mutex_);
  return version_;
}

bool MemorySystem::IsWow64() {
  const Lock lock(mutex_);
  return wow64_;
}

bool MemorySystem::OpenWithShell(const std::string& target, const std::string& parameters) {
  const Lock lock(mutex_);
  shellRequests_.push_back(ShellRequest{target, parameters});
  return shellSucceeds_;
}

}  // namespace kelvane
