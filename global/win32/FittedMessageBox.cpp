#include "global/win32/FittedMessageBox.h"

#include <cstring>

#include "global/ProductTitle.h"
#include "global/win32/DialogTexts.h"
#include "global/win32/TextMeasure.h"
#include "platform/Text.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Handles.h"

namespace kelvane {
namespace {

// The box the thread shows, with the whole text for Ctrl+C.
struct ShownBox {
  const std::string& wholeText;
  ShownBox* outer;
};
thread_local ShownBox* g_shownBox = nullptr;

// A run two thirds as wide as the work area leaves the box room for its icon and margins.
int WidestRun() {
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return (area.right - area.left) * 2 / 3;
}

std::string TextToShow(const std::string& text) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  // Message boxes write in the system's message font.
  const FontHandle font(CreateFontIndirectW(&metrics.lfMessageFont));
  const HWND screen = nullptr;
  const TextMeter meter(screen, font.get());
  const int widest = WidestRun();
  return LongRunsShortened(text,
                           [&](const std::string& run) { return meter.Width(run) <= widest; });
}

void PutOnClipboard(HWND box, const std::string& text) {
  const std::wstring wide = Wide(text);
  const std::size_t size = (wide.size() + 1) * sizeof(wchar_t);
  GlobalMemoryHandle memory(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return;
  void* bytes = GlobalLock(memory.get());
  if (!bytes) return;
  std::memcpy(bytes, wide.c_str(), size);
  GlobalUnlock(memory.get());
  if (!OpenClipboard(box)) return;
  EmptyClipboard();
  // The clipboard owns the memory once it took it.
  if (SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();
  CloseClipboard();
}

// Ctrl+C, or Ctrl+Insert, in the box copies the whole text rather than the one shown; neither
// Wine's box nor the system's knows the whole text.
LRESULT CALLBACK OnBoxMessage(int code, WPARAM removed, LPARAM parameter) {
  MSG& message = *reinterpret_cast<MSG*>(parameter);
  if (code == HC_ACTION && removed == PM_REMOVE && g_shownBox && message.message == WM_KEYDOWN &&
      (message.wParam == 'C' || message.wParam == VK_INSERT) && GetKeyState(VK_CONTROL) < 0) {
    HWND box = GetAncestor(message.hwnd, GA_ROOT);
    wchar_t className[8] = {};
    GetClassNameW(box, className, 8);
    if (std::wcscmp(className, L"#32770") == 0 && WindowText(box) == kApplicationTitle) {
      PutOnClipboard(box, g_shownBox->wholeText);
      message.message = WM_NULL;
    }
  }
  return CallNextHookEx(nullptr, code, removed, parameter);
}

}  // namespace

int FittedMessageBox(HWND owner, const std::string& text, UINT type) {
  const std::string toShow = TextToShow(text);
  ShownBox shown{text, g_shownBox};
  g_shownBox = &shown;
  const HookHandle hook(
      SetWindowsHookExW(WH_GETMESSAGE, &OnBoxMessage, nullptr, GetCurrentThreadId()));
  const int answer =
      MessageBoxW(owner, Wide(toShow).c_str(), Wide(kApplicationTitle).c_str(), type);
  g_shownBox = shown.outer;
  return answer;
}

}  // namespace kelvane
