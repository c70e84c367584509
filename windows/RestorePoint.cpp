#include "windows/RestorePoint.h"

#include <cstring>

namespace kelvane {

int NextRestorePointPosition(int position) {
  if (position < 0) return position;
  if (position <= 30) return position + 10;
  if (position <= 50) return position + 5;
  if (position <= 60) return position + 3;
  if (position <= 80) return position + 2;
  if (position <= 99) return position + 1;
  return position;
}

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
