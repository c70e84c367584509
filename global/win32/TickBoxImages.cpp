#include "global/win32/TickBoxImages.h"

#include <commctrl.h>

#include <algorithm>

#include "global/win32/Dpi.h"

namespace kelvane {

ImageListHandle TickBoxImages(int dpi, TickBoxesFor shownBy) {
  const int size = Scale(kTickBoxSize, dpi);
  // The box keeps a sixteenth of its side clear around it, as the system's own do.
  const int inset = std::max(1, size / 16);
  const int firstState = shownBy == TickBoxesFor::Tree ? 0 : 1;
  return DrawnImages(size, 3 - firstState, [inset, firstState](HDC dc, RECT all, int index) {
    const int state = firstState + index;
    RECT box = {all.left + inset, all.top + inset, all.right - inset, all.bottom - inset};
    DrawFrameControl(dc, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (state == 2 ? DFCS_CHECKED : 0));
  });
}

}  // namespace kelvane
