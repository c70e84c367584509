// Child controls of a window, made in one way: visible, at no size until the parent lays them
// out, with their control id.
#pragma once

#include <windows.h>

#include "platform/win32/WideText.h"

namespace kelvane {

inline HWND CreateChildWindow(HWND parent, const wchar_t* windowClass, const std::string& text,
                              DWORD style, int id, DWORD extendedStyle = 0) {
  return CreateWindowExW(extendedStyle, windowClass, Wide(text).c_str(),
                         WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace kelvane
