#include "repair/RestorePoint.h"

#include <cstring>

namespace kelvane {

RestorePointRequest MakeRestorePointRequest() {
  RestorePointRequest request{};
  request.eventType = kBeginSystemChange;
  request.restorePointType = kApplicationInstall;
  request.sequenceNumber = 0;
  static_assert(sizeof(kRestorePointDescription) <= kRestorePointDescriptionSize);
  std::memcpy(request.description, kRestorePointDescription, sizeof(kRestorePointDescription));
  return request;
}

}  // namespace kelvane
