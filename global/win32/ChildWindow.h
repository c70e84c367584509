// Child controls of a window, made in one way: visible, at no size until the parent lays them
// out, with their control id.
#pragma once

#include <windows.h>

namespace kelvane {

inline HWND CreateChildWindow(HWND parent, const char* windowClass, const char* text, DWORD style,
                              int id, DWORD extendedStyle = 0) {
  return CreateWindowExA(extendedStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                         0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace kelvane
