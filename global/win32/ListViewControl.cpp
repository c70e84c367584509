#include "global/win32/ListViewControl.h"
#include "platform/win32/WideText.h"

namespace kelvane {

void ListViewControl::SetExtendedStyle(DWORD style) {
  ListView_SetExtendedListViewStyle(handle_, style);
}

void ListViewControl::InsertColumn(int column, const char* caption, int width) {
  std::wstring text = Wide(caption);
  LVCOLUMNW definition = {};
  definition.mask = LVCF_TEXT | LVCF_WIDTH;
  definition.pszText = &text[0];
  definition.cx = width;
  SendMessageW(handle_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&definition));
}

int ListViewControl::ColumnWidth(int column) const {
  return ListView_GetColumnWidth(handle_, column);
}

void ListViewControl::SetColumnWidth(int column, int width) {
  ListView_SetColumnWidth(handle_, column, width);
}

int ListViewControl::ItemCount() const { return ListView_GetItemCount(handle_); }

void ListViewControl::SetItemCount(int count) {
  ListView_SetItemCountEx(handle_, count, LVSICF_NOSCROLL);
}

void ListViewControl::InsertItem(int row, const std::string& text) {
  std::wstring wide = Wide(text);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = &wide[0];
  SendMessageW(handle_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewControl::SetItemText(int row, int column, const std::string& text) {
  std::wstring wide = Wide(text);
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = &wide[0];
  SendMessageW(handle_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListViewControl::ItemText(int row, int column) const {
  wchar_t text[MAX_PATH] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  SendMessageW(handle_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return Utf8(text);
}

void ListViewControl::DeleteItem(int row) { ListView_DeleteItem(handle_, row); }

void ListViewControl::DeleteAllItems() { ListView_DeleteAllItems(handle_); }

void ListViewControl::RedrawItem(int row) { ListView_RedrawItems(handle_, row, row); }

int ListViewControl::CurrentRow() const { return ListView_GetNextItem(handle_, -1, LVNI_FOCUSED); }

int ListViewControl::SelectedRow() const {
  return ListView_GetNextItem(handle_, -1, LVNI_SELECTED);
}

std::vector<std::size_t> ListViewControl::SelectedRows() const {
  std::vector<std::size_t> rows;
  for (int row = ListView_GetNextItem(handle_, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(handle_, row, LVNI_SELECTED)) {
    rows.push_back(static_cast<std::size_t>(row));
  }
  return rows;
}

void ListViewControl::SelectRow(int row) {
  // Row -1 would stand for every row.
  if (row < 0) return;
  ListView_SetItemState(handle_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(handle_, row, FALSE);
}

void ListViewControl::ClearSelection() {
  ListView_SetItemState(handle_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

int ListViewControl::StringWidth(const std::string& text) const {
  return static_cast<int>(
      SendMessageW(handle_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())));
}

int ListViewControl::StateIconRowAt(POINT point) const {
  LVHITTESTINFO hit = {};
  hit.pt = point;
  ListView_HitTest(handle_, &hit);
  return hit.flags & LVHT_ONITEMSTATEICON ? hit.iItem : -1;
}

namespace {

int ImageWidth(HWND list, int kind) {
  int width = 0;
  int height = 0;
  if (HIMAGELIST images = ListView_GetImageList(list, kind)) {
    ImageList_GetIconSize(images, &width, &height);
  }
  return width;
}

}  // namespace

int ListViewControl::StateIconWidth() const { return ImageWidth(handle_, LVSIL_STATE); }

int ListViewControl::SmallIconWidth() const { return ImageWidth(handle_, LVSIL_SMALL); }

}  // namespace kelvane
