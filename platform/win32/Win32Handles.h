// Owners of the handles the program opens: each closes its handle once, on every path.
#pragma once

#include <commctrl.h>
#include <windows.h>

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

// Traits of a handle whose empty value is null.
template <typename H, BOOL(WINAPI* CloseFunction)(H)>
struct NullableHandleTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return CloseFunction(handle) != FALSE; }
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return CloseHandle(handle) != FALSE; }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return FindClose(handle) != FALSE; }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};

template <typename Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle object) { return DeleteObject(object) != FALSE; }
};

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle list) { return ImageList_Destroy(list) != FALSE; }
};

// CreateFileA's result.
using FileHandle = UniqueHandle<FileHandleTraits>;
// FindFirstFileA's result.
using FindHandle = UniqueHandle<FindHandleTraits>;
// An opened (not a predefined) registry key.
using RegistryKeyHandle = UniqueHandle<RegistryKeyTraits>;
using LibraryHandle = UniqueHandle<NullableHandleTraits<HMODULE, FreeLibrary>>;
using MenuHandle = UniqueHandle<NullableHandleTraits<HMENU, DestroyMenu>>;
// An icon the program made or loaded unshared; shared icons are never destroyed.
using IconHandle = UniqueHandle<NullableHandleTraits<HICON, DestroyIcon>>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using BitmapHandle = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;
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
