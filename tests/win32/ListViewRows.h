// The rows of a list view as the user sees them; a virtual list answers through its owner, and
// only when asked for a text too.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win32/WideText.h"

namespace kelvane {

// The cell's text; with ticked, whether the row's box is ticked.
inline std::string ListCell(HWND list, int row, int column, bool* ticked = nullptr) {
  wchar_t text[512] = {};
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_STATE;
  item.iItem = row;
  item.iSubItem = column;
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  if (ticked) *ticked = (item.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
  return Utf8(text);
}

// Selects the row and presses the space bar on it.
inline void PressSpaceOnRow(HWND list, int row) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
}

}  // namespace kelvane
