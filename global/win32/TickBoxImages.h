// Tick boxes drawn at a display scale, for the lists and trees that show ticks as state images.
#pragma once

#include <windows.h>

#include "platform/win32/Win32Handles.h"

namespace kelvane {

// The side of a tick box image at 96 DPI.
constexpr int kTickBoxSize = 16;

// Who shows the boxes: a tree draws state n with image n, its image 0 never shown; a list with
// image n - 1.
enum class TickBoxesFor { Tree, List };

// The images of state 1, a clear box, and state 2, a ticked one; each kTickBoxSize at the DPI.
ImageListHandle TickBoxImages(int dpi, TickBoxesFor shownBy);

// A square image list at size, whose images draw(dc, rect, index) paints on white, white being
// clear; made fresh at each scale rather than one 96-DPI bitmap stretched.
template <typename Draw>
ImageListHandle DrawnImages(int size, int count, Draw draw) {
  ImageListHandle list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0));
  const WindowDc screen(nullptr);
  for (int index = 0; index < count; ++index) {
    const BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), size, size));
    {
      const MemoryDcHandle dc(CreateCompatibleDC(screen.get()));
      const SelectedObject selected(dc.get(), bitmap.get());
      RECT all = {0, 0, size, size};
      FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      draw(dc.get(), all, index);
    }
    ImageList_AddMasked(list.get(), bitmap.get(), RGB(255, 255, 255));
  }
  return list;
}

}  // namespace kelvane
