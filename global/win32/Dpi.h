// Display scaling: the sizes in the code are designed at 96 DPI and drawn at the DPI of the
// monitor a window stands on.
#pragma once

#include <windows.h>

#include "platform/win32/Win32Handles.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace kelvane {

constexpr int kDesignDpi = 96;

// The DPI the window is drawn at: its monitor's where the system tells (Windows 10 1607 and
// later), else the system's.
int WindowDpi(HWND window);
// The system's DPI, that of the stock fonts and the system metrics.
int SystemDpi();

// The window's frame around that client rectangle, its caption, menu and borders at that DPI.
RECT FrameAround(HWND window, RECT client, int dpi);

// A designed 96-DPI length at that DPI, and back.
inline int Scale(int value, int dpi) { return MulDiv(value, dpi, kDesignDpi); }
inline int Unscale(int value, int dpi) { return MulDiv(value, kDesignDpi, dpi); }

// The eighths of its size a picture designed at 96 DPI is decoded at for that DPI (1 to 16).
inline int PictureEighths(int dpi) {
  const int eighths = (dpi * 8 + kDesignDpi / 2) / kDesignDpi;
  return eighths < 1 ? 1 : eighths > 16 ? 16 : eighths;
}

// The default GUI font at that DPI; heightPercent of its height, in that weight.
FontHandle GuiFont(int dpi, int heightPercent = 100, int weight = FW_NORMAL,
                   bool underline = false);
// The module's icon at size (designed at 96 DPI) times the scale, from its nearest larger image.
IconHandle ScaledIcon(HINSTANCE module, const wchar_t* name, int size, int dpi);

}  // namespace kelvane
