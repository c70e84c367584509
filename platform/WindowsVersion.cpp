#include "platform/WindowsVersion.h"

namespace kelvane {

WindowsVersion WindowsVersionFor(int platformId, int major, int minor) {
  if (platformId == kPlatformWin32Windows && major == 4) {
    if (minor == 0) return WindowsVersion::Windows95;
    if (minor == 10) return WindowsVersion::Windows98;
    if (minor == 90) return WindowsVersion::WindowsMe;
    return WindowsVersion::Other;
  }
  if (platformId == kPlatformWin32Nt) {
    if (major <= 3) return WindowsVersion::WindowsNt3;
    if (major == 4) return WindowsVersion::WindowsNt4;
    if (major == 5 && minor == 0) return WindowsVersion::Windows2000;
    if (major == 5 && minor == 1) return WindowsVersion::WindowsXp;
    if (major == 6) return minor == 1 ? WindowsVersion::Windows7 : WindowsVersion::WindowsVista;
  }
  return WindowsVersion::Other;
}

bool IsWindows9x(WindowsVersion version) {
  return version == WindowsVersion::Windows95 || version == WindowsVersion::Windows98 ||
         version == WindowsVersion::WindowsMe;
}

bool HasSystemRestore(WindowsVersion version) {
  return version == WindowsVersion::WindowsXp || version == WindowsVersion::Other ||
         version == WindowsVersion::WindowsVista || version == WindowsVersion::Windows7;
}

}  // namespace kelvane
