// The Windows versions the program tells apart, and what follows from them.
#pragma once

namespace kelvane {

// Platform ids of the system's version information.
constexpr int kPlatformWin32Windows = 1;  // the 9x family
constexpr int kPlatformWin32Nt = 2;

enum class WindowsVersion {
  Windows95,
  Windows98,
  WindowsMe,
  WindowsNt3,
  WindowsNt4,
  Windows2000,
  WindowsXp,
  // Server 2003 and every version not otherwise listed, of either family.
  Other,
  // Vista and the other 6.x versions but 7.
  WindowsVista,
  Windows7,
};

WindowsVersion WindowsVersionFor(int platformId, int major, int minor);

// 95, 98 and Me: fonts live in another key, and there is no system backup tool.
bool IsWindows9x(WindowsVersion version);
// XP and later: a restore point can be asked for.
bool HasSystemRestore(WindowsVersion version);

}  // namespace kelvane
