#include "repair/RestorePoint.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace kelvane {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }

}  // namespace

RestorePointRequest MakeRestorePointRequest(const std::string& description) {
  RestorePointRequest request{};
  request.eventType = kBeginSystemChange;
  request.restorePointType = kApplicationInstall;
  request.sequenceNumber = 0;
  const std::u16string units = Utf16FromUtf8(description);
  std::size_t length = std::min(units.size(), kRestorePointDescriptionSize - 1);
  // A character of two units goes whole or not at all.
  if (length < units.size() && length > 0 && IsHighSurrogate(units[length - 1])) --length;
  std::copy_n(units.begin(), length, request.description);
  return request;
}

}  // namespace kelvane
