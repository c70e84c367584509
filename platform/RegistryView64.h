// The 64-bit view of the registry for a 32-bit program on 64-bit Windows: every key is opened
// with KEY_WOW64_64KEY, so that WOW64 redirects nothing. On 32-bit Windows the flag is ignored.
#pragma once

#include <memory>

#include "platform/RegistryStore.h"

namespace kelvane {

constexpr std::uint32_t kAccessView64 = 0x0100u;  // KEY_WOW64_64KEY

class RegistryView64 : public RegistryStore {
 public:
  explicit RegistryView64(RegistryStore& store) : store_(store) {}
  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override;

 private:
  RegistryStore& store_;
};

}  // namespace kelvane
