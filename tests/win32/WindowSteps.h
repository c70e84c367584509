// Steps that drive a test's modal windows from a timer of the test's thread, one after the
// other: a step runs on every tick until it says it is done. Steps that wait too long are
// given up and the windows closed, so a failing test ends.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "tests/win32/DialogSearch.h"

namespace kelvane {

using WindowStep = std::function<bool()>;

namespace windowsteps {

inline std::vector<WindowStep> g_steps;
inline int g_ticksLeft = 0;
constexpr int kTicksAllowed = 1200;

inline void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
  if (g_steps.empty()) return;
  if (--g_ticksLeft < 0) {
    if (HWND dialog = FindThreadDialog()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (g_steps.front()()) g_steps.erase(g_steps.begin());
}

}  // namespace windowsteps

// Runs the steps every 50 ms while the object lives.
class WindowSteps {
 public:
  WindowSteps() : timer_(SetTimer(nullptr, 0, 50, &windowsteps::RunStep)) {}
  ~WindowSteps() {
    KillTimer(nullptr, timer_);
    windowsteps::g_steps.clear();
  }
  WindowSteps(const WindowSteps&) = delete;
  WindowSteps& operator=(const WindowSteps&) = delete;

  void Set(std::vector<WindowStep> steps) {
    windowsteps::g_steps = std::move(steps);
    windowsteps::g_ticksLeft = windowsteps::kTicksAllowed;
  }
  // How many steps did not happen.
  std::size_t Left() const { return windowsteps::g_steps.size(); }

 private:
  UINT_PTR timer_;
};

// A click on the control, as the mouse gives it; a disabled control ignores it.
inline void Press(HWND window, int id) { PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }

}  // namespace kelvane
