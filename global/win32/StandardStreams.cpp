#include "global/win32/StandardStreams.h"

#include <windows.h>

namespace kelvane {
namespace {

void WriteLine(DWORD stream, const std::string& line) {
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(stream), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

}  // namespace

void WriteStandardError(const std::string& line) { WriteLine(STD_ERROR_HANDLE, "Kelvane: " + line); }

void WriteStandardOutput(const std::string& line) { WriteLine(STD_OUTPUT_HANDLE, line); }

}  // namespace kelvane
