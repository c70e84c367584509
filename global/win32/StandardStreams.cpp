#include "global/win32/StandardStreams.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

// A console shows UTF-16 in any script whatever its code page; a pipe or a file gets UTF-8, as
// the reports are written.
void WriteLine(DWORD stream, const std::string& line) {
  const HANDLE handle = GetStdHandle(stream);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring text = Wide(line + "\r\n");
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string text = line + "\r\n";
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void WriteStandardError(const std::string& line) { WriteLine(STD_ERROR_HANDLE, "Kelvane: " + line); }

void WriteStandardOutput(const std::string& line) { WriteLine(STD_OUTPUT_HANDLE, line); }

}  // namespace kelvane
