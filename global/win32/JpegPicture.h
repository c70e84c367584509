// A JPEG picture decoded with libjpeg into a 32-bit top-down DIB section, ready to draw.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/win32/Win32Handles.h"

namespace kelvane {

class JpegPicture {
 public:
  // An empty picture: draws nothing.
  JpegPicture() = default;
  // Empty when the data is not a whole, readable JPEG. Decoded at eighths/8 of its size
  // (1 to 16 eighths).
  static JpegPicture FromMemory(const void* data, std::size_t size, int eighths = 8);
  // The RCDATA resource of the module; empty when it is missing or unreadable.
  static JpegPicture FromResource(HMODULE module, int resourceId, int eighths = 8);

  bool Empty() const { return !bitmap_; }
  HBITMAP Bitmap() const { return bitmap_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Whole picture with its top-left corner at (x, y); the DC's clipping cuts what is beyond.
  // Given a height other than its own, it is stretched to it, in proportion.
  void Draw(HDC target, int x, int y, int height = 0) const;

 private:
  BitmapHandle bitmap_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace kelvane
