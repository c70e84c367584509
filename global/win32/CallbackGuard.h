// Exceptions must not cross a window procedure into the system's code: one that reaches a
// callback is shown to the user there, and the message gets the given result.
#pragma once

#include <windows.h>

#include <exception>

#include "global/win32/FittedMessageBox.h"

namespace kelvane {

template <typename Result, typename Body>
Result GuardCallback(HWND window, Result failed, Body body) noexcept {
  try {
    return body();
  } catch (const std::exception& error) {
    FittedMessageBox(window, error.what(), MB_OK | MB_ICONERROR);
  } catch (...) {
    FittedMessageBox(window, "An unexpected error occurred.", MB_OK | MB_ICONERROR);
  }
  return failed;
}

}  // namespace kelvane
