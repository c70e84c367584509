// Owners of the handles the program opens: each closes its handle once, on every path.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace kelvane {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  // Closes the handle; false when closing it failed.
  bool reset(Handle handle = Traits::Invalid()) {
    const Handle old = std::exchange(handle_, handle);
    return old == Traits::Invalid() || Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// Traits of a handle of type H whose empty value is null and which CloseFunction frees,
// answering nonzero on success.
template <typename H, auto CloseFunction>
struct NullableHandleTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return CloseFunction(handle) != 0; }
};

// Traits of a kernel handle whose empty value is INVALID_HANDLE_VALUE.
template <auto CloseFunction>
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return CloseFunction(handle) != FALSE; }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};

// Memory from GlobalAlloc: GlobalFree answers null on success.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle memory) { return GlobalFree(memory) == nullptr; }
};

// Memory the system allocated with LocalAlloc for the caller, such as a security descriptor.
struct LocalMemoryTraits {
  using Handle = HLOCAL;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle memory) { return LocalFree(memory) == nullptr; }
};
using LocalMemoryHandle = UniqueHandle<LocalMemoryTraits>;

// CreateFileW's result.
using FileHandle = UniqueHandle<KernelHandleTraits<CloseHandle>>;
// FindFirstFileW's result.
using FindHandle = UniqueHandle<KernelHandleTraits<FindClose>>;
// A kernel object whose empty value is null: a mutex, a process or a thread.
using KernelObjectHandle = UniqueHandle<NullableHandleTraits<HANDLE, CloseHandle>>;
// An opened (not a predefined) registry key.
using RegistryKeyHandle = UniqueHandle<RegistryKeyTraits>;
using LibraryHandle = UniqueHandle<NullableHandleTraits<HMODULE, FreeLibrary>>;
using MenuHandle = UniqueHandle<NullableHandleTraits<HMENU, DestroyMenu>>;
// An icon the program made or loaded unshared; shared icons are never destroyed.
using IconHandle = UniqueHandle<NullableHandleTraits<HICON, DestroyIcon>>;
using ImageListHandle = UniqueHandle<NullableHandleTraits<HIMAGELIST, ImageList_Destroy>>;
using FontHandle = UniqueHandle<NullableHandleTraits<HFONT, DeleteObject>>;
using BitmapHandle = UniqueHandle<NullableHandleTraits<HBITMAP, DeleteObject>>;
using BrushHandle = UniqueHandle<NullableHandleTraits<HBRUSH, DeleteObject>>;
using HookHandle = UniqueHandle<NullableHandleTraits<HHOOK, UnhookWindowsHookEx>>;
using GlobalMemoryHandle = UniqueHandle<GlobalMemoryTraits>;
// A memory device context from CreateCompatibleDC.
using MemoryDcHandle = UniqueHandle<NullableHandleTraits<HDC, DeleteDC>>;

// The device context of a window (or of the screen, for none), released again.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context while this lives; the one before comes back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace kelvane
