#include "global/win32/Dpi.h"

namespace kelvane {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// Looked up once: the program also starts on systems whose user32 lacks it.
GetDpiForWindowFunction GetDpiForWindowIfAny() {
  static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

AdjustForDpiFunction AdjustWindowRectExForDpiIfAny() {
  static const auto function = reinterpret_cast<AdjustForDpiFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  return function;
}

}  // namespace

RECT FrameAround(HWND window, RECT client, int dpi) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const BOOL menu = GetMenu(window) != nullptr;
  if (const auto adjust = AdjustWindowRectExForDpiIfAny()) {
    adjust(&client, style, menu, exStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&client, style, menu, exStyle);
  }
  return client;
}

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
  LOGFONTW font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  // The stock font is made at the system's DPI.
  font.lfHeight = MulDiv(font.lfHeight, dpi * heightPercent, SystemDpi() * 100);
  font.lfWidth = 0;
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  return FontHandle(CreateFontIndirectW(&font));
}

IconHandle ScaledIcon(HINSTANCE module, const wchar_t* name, int size, int dpi) {
  const int scaled = Scale(size, dpi);
  return IconHandle(static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, scaled, scaled, 0)));
}

}  // namespace kelvane
