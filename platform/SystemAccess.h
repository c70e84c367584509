// Questions to the operating system and requests to its shell.
#pragma once

#include <string>

namespace kelvane {

// Platform ids of the system's version information.
constexpr int kPlatformWin32Windows = 1;  // the 9x family
constexpr int kPlatformWin32Nt = 2;

// The program's small code for a Windows version: 1 95, 3 98, 5 NT 3.x, 6 NT 4, 7 2000,
// 8 Me, 9 XP, 10 Server 2003 and anything unlisted, 11 Vista and other 6.x, 12 7.
int WindowsVersionCodeFor(int platformId, int major, int minor);

class SystemAccess {
 public:
  virtual ~SystemAccess() = default;
  virtual int WindowsVersionCode() = 0;
  // A 32-bit process on 64-bit Windows.
  virtual bool IsWow64() = 0;
  // Opens a document, folder, program or web address with the verb "Open", without waiting.
  virtual bool OpenWithShell(const std::string& target, const std::string& parameters) = 0;
};

}  // namespace kelvane
