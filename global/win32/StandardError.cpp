#include "global/win32/StandardError.h"

#include <windows.h>

namespace kelvane {

void WriteStandardError(const std::string& line) {
  const std::string text = "Kelvane: " + line + "\r\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()),
            &written, nullptr);
}

}  // namespace kelvane
