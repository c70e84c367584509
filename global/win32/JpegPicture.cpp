#include "global/win32/JpegPicture.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace kelvane {
namespace {

constexpr int kBytesPerPixel = 4;

// Lives outside the frame that calls setjmp, so nothing in it is lost when an error jumps back.
struct Decoding {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  std::jmp_buf failed;
  HBITMAP bitmap = nullptr;
  void* pixels = nullptr;
};

// libjpeg must not return from error_exit; jumping back is the C way out of it.
void StopDecoding(j_common_ptr info) {
  std::longjmp(static_cast<Decoding*>(info->client_data)->failed, 1);
}

// A damaged picture shows nothing rather than a patched one; warnings have level -1.
void StopOnWarning(j_common_ptr info, int level) {
  if (level < 0) StopDecoding(info);
}

void KeepSilent(j_common_ptr) {}

HBITMAP CreateTopDownBitmap(int width, int height, void** pixels) {
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 8 * kBytesPerPixel;
  format.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, pixels, nullptr, 0);
}

// Only plain C objects live in this frame: libjpeg's errors longjmp back into it.
bool Decode(const unsigned char* data, unsigned long size, int eighths, Decoding& decoding) {
  jpeg_decompress_struct& info = decoding.info;
  info.err = jpeg_std_error(&decoding.errors);
  decoding.errors.error_exit = &StopDecoding;
  decoding.errors.emit_message = &StopOnWarning;
  decoding.errors.output_message = &KeepSilent;
  info.client_data = &decoding;
  if (setjmp(decoding.failed) != 0) {
    // No owner lives in this frame: a jump back would skip its destructor.
    jpeg_destroy_decompress(&info);
    if (decoding.bitmap) DeleteObject(decoding.bitmap);
    decoding.bitmap = nullptr;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  // Scaled while decoded, from the DCT itself: sharper than stretching the decoded picture.
  info.scale_num = static_cast<unsigned int>(eighths);
  info.scale_denom = 8;
  // Rows of a 32-bit DIB are blue, green, red and a spare byte: libjpeg writes them as they are.
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  decoding.bitmap = CreateTopDownBitmap(info.output_width, info.output_height, &decoding.pixels);
  if (!decoding.bitmap) StopDecoding(reinterpret_cast<j_common_ptr>(&info));
  const JDIMENSION stride = info.output_width * kBytesPerPixel;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = static_cast<JSAMPROW>(decoding.pixels) + info.output_scanline * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

JpegPicture JpegPicture::FromMemory(const void* data, std::size_t size, int eighths) {
  JpegPicture picture;
  if (!data || size == 0) return picture;
  Decoding decoding{};
  if (!Decode(static_cast<const unsigned char*>(data), static_cast<unsigned long>(size),
              eighths, decoding)) {
    return picture;
  }
  picture.bitmap_.reset(decoding.bitmap);
  picture.width_ = static_cast<int>(decoding.info.output_width);
  picture.height_ = static_cast<int>(decoding.info.output_height);
  return picture;
}

JpegPicture JpegPicture::FromResource(HMODULE module, int resourceId, int eighths) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  // Resources stay mapped with the module; there is nothing to free.
  return FromMemory(data, data ? SizeofResource(module, found) : 0, eighths);
}

void JpegPicture::Draw(HDC target, int x, int y, int height) const {
  if (Empty()) return;
  const MemoryDcHandle source(CreateCompatibleDC(target));
  const SelectedObject selected(source.get(), bitmap_.get());
  if (height <= 0 || height == height_) {
    BitBlt(target, x, y, width_, height_, source.get(), 0, 0, SRCCOPY);
    return;
  }
  const int previousMode = SetStretchBltMode(target, HALFTONE);
  SetBrushOrgEx(target, 0, 0, nullptr);
  StretchBlt(target, x, y, MulDiv(width_, height, height_), height, source.get(), 0, 0, width_,
             height_, SRCCOPY);
  SetStretchBltMode(target, previousMode);
}

}  // namespace kelvane
