// The tree view that shows the category tree: one node per category, its tick drawn as a
// state image, never collapsed. A press on a tick goes to the model, which the view then shows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "platform/win32/Win32Handles.h"
#include "scan/CategoryTree.h"

namespace kelvane {

class CategoryTreeView {
 public:
  CategoryTreeView(HWND parent, int id, CategoryTree& model);
  ~CategoryTreeView();
  CategoryTreeView(const CategoryTreeView&) = delete;
  CategoryTreeView& operator=(const CategoryTreeView&) = delete;

  HWND Handle() const { return handle_; }
  // Draws the node images and ticks at the display scale.
  void SetDpi(int dpi);
  // Shows the model's ticks.
  void Refresh();
  // Handles the tree's notifications; returns true with the result when it took one.
  bool OnNotify(const NMHDR& header, LRESULT& result);
  // The node texts in tree order, and setting them (translation).
  std::vector<std::string> Texts() const;
  void SetTexts(const std::vector<std::string>& texts);
  // The width the tree needs to show every node's text whole, scroll bar included.
  int WidthForTexts() const;
  // The node whose tick is at the point (client coordinates), or -1.
  int TickAt(POINT point) const;
  // Where a node's tick is drawn, for tests that press it.
  RECT TickRect(int node) const;

 private:
  static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_;
  CategoryTree& model_;
  ImageListHandle images_;
  ImageListHandle ticks_;
  int iconSize_ = 0;
  WNDPROC original_ = nullptr;
  std::array<HTREEITEM, CategoryTree::kNodeCount> items_{};
};

}  // namespace kelvane
