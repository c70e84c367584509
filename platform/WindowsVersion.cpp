#include "platform/SystemAccess.h"

namespace kelvane {

int WindowsVersionCodeFor(int platformId, int major, int minor) {
  if (platformId == kPlatformWin32Windows && major == 4) {
    if (minor == 0) return 1;
    if (minor == 10) return 3;
    if (minor == 90) return 8;
    return 10;
  }
  if (platformId == kPlatformWin32Nt) {
    if (major <= 3) return 5;
    if (major == 4) return 6;
    if (major == 5 && minor == 0) return 7;
    if (major == 5 && minor == 1) return 9;
    if (major == 6) return minor == 1 ? 12 : 11;
  }
  return 10;
}

}  // namespace kelvane
