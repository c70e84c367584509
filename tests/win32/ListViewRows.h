// Reading and ticking the rows of a list view as the user sees them; a virtual list answers
// from its model through its owner.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace kelvane {

inline std::string ListCell(HWND list, int row, int column) {
  char text[512] = {};
  ListView_GetItemText(list, row, column, text, sizeof(text));
  return text;
}

// The texts of one column, top to bottom.
inline std::vector<std::string> ListColumn(HWND list, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    texts.push_back(ListCell(list, row, column));
  }
  return texts;
}

// Asked together with the text, so that a virtual list asks its owner for the tick too.
inline bool ListRowTicked(HWND list, int row) {
  char text[8] = {};
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_STATE;
  item.iItem = row;
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return (item.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

// Selects the row and presses the space bar on it.
inline void PressSpaceOnRow(HWND list, int row) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(list, WM_KEYUP, VK_SPACE, 0);
}

}  // namespace kelvane
