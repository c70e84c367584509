#include "platform/RegistryStore.h"

#include "platform/Text.h"

namespace kelvane {

bool HoldsLinkTarget(const std::vector<NamedValue>& values) {
  for (const NamedValue& value : values) {
    if (value.value.type == RegType::Link && SameTextAscii(value.name, kLinkValueName)) {
      return true;
    }
  }
  return false;
}

bool IsLinkKey(RegistryKey& key) {
  ValueInfo info;
  return key.QueryValueInfo(kLinkValueName, info) == QueryStatus::Ok &&
         info.type == RegType::Link;
}

}  // namespace kelvane
