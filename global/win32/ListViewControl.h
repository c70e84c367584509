// A report list view through its columns, items and selection. It owns nothing: the control
// belongs to its window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kelvane {

class ListViewControl {
 public:
  explicit ListViewControl(HWND list = nullptr) : handle_(list) {}

  HWND Handle() const { return handle_; }
  void SetExtendedStyle(DWORD style);

  void InsertColumn(int column, const char* caption, int width);
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);

  int ItemCount() const;
  // The count of a list without items of its own, keeping its scroll position.
  void SetItemCount(int count);
  void InsertItem(int row, const std::string& text);
  void SetItemText(int row, int column, const std::string& text);
  // Up to MAX_PATH characters.
  std::string ItemText(int row, int column) const;
  void DeleteItem(int row);
  void DeleteAllItems();
  void RedrawItem(int row);

  // The focused row; negative for none.
  int CurrentRow() const;
  // The first selected row; negative for none.
  int SelectedRow() const;
  std::vector<std::size_t> SelectedRows() const;
  // Selected, focused and scrolled into view; a negative row selects nothing.
  void SelectRow(int row);
  void ClearSelection();

  // A text's width in the list's font, without the cell's margins.
  int StringWidth(const std::string& text) const;
  // The row whose state icon (the tick box) is at the point; negative for none.
  int StateIconRowAt(POINT point) const;
  int StateIconWidth() const;
  // The width of the row images in front of the first column; none without them.
  int SmallIconWidth() const;

 private:
  HWND handle_;
};

}  // namespace kelvane
