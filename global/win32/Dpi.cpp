#include "global/win32/Dpi.h"

namespace kelvane {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: the program also starts on systems whose user32 lacks it.
GetDpiForWindowFunction GetDpiForWindowIfAny() {
  static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  return function;
}

}  // namespace

int SystemDpi() {
  const WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
  if (const auto function = GetDpiForWindowIfAny()) {
    if (const UINT dpi = window ? function(window) : 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

FontHandle GuiFont(int dpi, int heightPercent, int weight, bool underline) {
  LOGFONTA font = {};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  // The stock font is made at the system's DPI.
  font.lfHeight = MulDiv(font.lfHeight, dpi * heightPercent, SystemDpi() * 100);
  font.lfWidth = 0;
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  return FontHandle(CreateFontIndirectA(&font));
}

IconHandle ScaledIcon(HINSTANCE module, const char* name, int size, int dpi) {
  const int scaled = Scale(size, dpi);
  return IconHandle(static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, scaled, scaled, 0)));
}

}  // namespace kelvane
