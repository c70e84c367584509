// Under Wine: finds the program's main window and sends it WM_NULL every 50 ms, timing how long
// each answer takes, until the event kProbeStopEvent is set or the window goes; then prints the
// longest wait and every wait over 100 ms with when it began. Sets kProbeReadyEvent at its first
// answer.
//   window_probe.exe
#include "tests/bench/win32/WindowProbe.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "main/win32/MainWindow.h"
#include "platform/win32/Win32Handles.h"

namespace kelvane {
namespace {

constexpr DWORD kInterval = 50;
constexpr DWORD kSlowWait = 100;
constexpr DWORD kFindWindowMs = 60000;
constexpr DWORD kAnswerTimeout = 600000;
constexpr std::size_t kSlowWaitsShown = 12;

struct Wait {
  DWORD began;  // ms since the first message
  DWORD took;
};

int Probe() {
  const KernelObjectHandle stop(CreateEventA(nullptr, TRUE, FALSE, kProbeStopEvent));
  const KernelObjectHandle ready(CreateEventA(nullptr, TRUE, FALSE, kProbeReadyEvent));
  HWND window = nullptr;
  for (DWORD waited = 0; !window && waited < kFindWindowMs; waited += 10) {
    window = FindWindowW(kMainWindowClass, nullptr);
    if (!window) Sleep(10);
  }
  if (!window) {
    std::printf("probe: no main window\n");
    return 1;
  }
  const DWORD start = GetTickCount();
  std::vector<Wait> slow;
  DWORD longest = 0;
  DWORD longestBegan = 0;
  long answers = 0;
  while (WaitForSingleObject(stop.get(), kInterval) == WAIT_TIMEOUT) {
    const DWORD sent = GetTickCount();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeout, &result)) break;
    const DWORD took = GetTickCount() - sent;
    if (answers++ == 0) SetEvent(ready.get());
    if (took > longest) {
      longest = took;
      longestBegan = sent - start;
    }
    if (took > kSlowWait) slow.push_back({sent - start, took});
  }
  std::printf(
      "probe: %ld answers in %.1f s, longest wait %lu ms (sent at %.2f s), %zu waits "
      "over %lu ms\n",
      answers, (GetTickCount() - start) / 1000.0, longest, longestBegan / 1000.0, slow.size(),
      kSlowWait);
  for (std::size_t index = 0; index < slow.size() && index < kSlowWaitsShown; ++index) {
    std::printf("probe:   %lu ms, sent at %.2f s\n", slow[index].took, slow[index].began / 1000.0);
  }
  return 0;
}

}  // namespace
}  // namespace kelvane

int main() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  return kelvane::Probe();
}
