#include "scan/win32/CategoryTreeView.h"

#include <algorithm>

#include "global/win32/CallbackGuard.h"
#include "global/win32/ChildWindow.h"
#include "global/win32/Dpi.h"
#include "global/win32/TickBoxImages.h"
#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

constexpr int kIconSize = 16;

// A small square in its own colour for every category, so nodes can be told apart.
ImageListHandle CategoryImages(int dpi) {
  const int size = Scale(kIconSize, dpi);
  const int inset = Scale(2, dpi);
  return DrawnImages(size, CategoryTree::kNodeCount + 1, [inset](HDC dc, RECT all, int index) {
    const BrushHandle fill(CreateSolidBrush(
        RGB(40 + (index * 53) % 180, 60 + (index * 97) % 160, 120 + (index * 31) % 120)));
    RECT square = {inset, inset, all.right - inset, all.bottom - inset};
    FillRect(dc, &square, fill.get());
  });
}

}  // namespace

CategoryTreeView::CategoryTreeView(HWND parent, int id, CategoryTree& model) : model_(model) {
  handle_ = CreateChildWindow(
      parent, WC_TREEVIEWW, "",
      WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, id,
      WS_EX_CLIENTEDGE);
  SetDpi(WindowDpi(parent));

  std::array<HTREEITEM, 3> parents{};
  const auto& nodes = CategoryTree::Nodes();
  for (int node = 0; node < CategoryTree::kNodeCount; ++node) {
    std::wstring text = Wide(nodes[node].text);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = nodes[node].level == 0 ? TVI_ROOT : parents[nodes[node].level - 1];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = &text[0];
    insert.item.iImage = insert.item.iSelectedImage = CategoryNumber(nodes[node].category);
    insert.item.lParam = node;
    items_[node] = reinterpret_cast<HTREEITEM>(
        SendMessageW(handle_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    parents[nodes[node].level] = items_[node];
  }
  for (HTREEITEM item : items_) TreeView_Expand(handle_, item, TVE_EXPAND);
  TreeView_SelectSetFirstVisible(handle_, items_[0]);
  Refresh();

  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
}

void CategoryTreeView::SetDpi(int dpi) {
  // The tree keeps the lists it is given: the former ones go once it shows the new ones.
  ImageListHandle images = CategoryImages(dpi);
  ImageListHandle ticks = TickBoxImages(dpi, TickBoxesFor::Tree);
  TreeView_SetImageList(handle_, images.get(), TVSIL_NORMAL);
  TreeView_SetImageList(handle_, ticks.get(), TVSIL_STATE);
  images_ = std::move(images);
  ticks_ = std::move(ticks);
  iconSize_ = Scale(kIconSize, dpi);
}

CategoryTreeView::~CategoryTreeView() {
  SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  DestroyWindow(handle_);
}

void CategoryTreeView::Refresh() {
  for (int node = 0; node < CategoryTree::kNodeCount; ++node) {
    TreeView_SetItemState(handle_, items_[node],
                          INDEXTOSTATEIMAGEMASK(model_.Ticked(node) ? 2 : 1), TVIS_STATEIMAGEMASK);
  }
}

int CategoryTreeView::TickAt(POINT point) const {
  TVHITTESTINFO hit = {};
  hit.pt = point;
  TreeView_HitTest(handle_, &hit);
  if (!hit.hItem || !(hit.flags & TVHT_ONITEMSTATEICON)) return -1;
  for (int node = 0; node < CategoryTree::kNodeCount; ++node) {
    if (items_[node] == hit.hItem) return node;
  }
  return -1;
}

int CategoryTreeView::WidthForTexts() const {
  // A node's text rectangle ends where its text does; the tree's frame, a vertical scroll bar
  // and a little room come on top.
  int right = 0;
  for (HTREEITEM item : items_) {
    RECT text = {};
    if (TreeView_GetItemRect(handle_, item, &text, TRUE)) right = std::max(right, static_cast<int>(text.right));
  }
  return right + 4 + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
}

RECT CategoryTreeView::TickRect(int node) const {
  RECT text = {};
  TreeView_GetItemRect(handle_, items_.at(node), &text, TRUE);
  // The state image stands left of the normal image, which stands left of the text.
  return RECT{text.left - 2 * iconSize_ - 3, text.top, text.left - iconSize_ - 3, text.bottom};
}

LRESULT CALLBACK CategoryTreeView::Subclass(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  return GuardCallback<LRESULT>(window, 0, [&] {
    auto* view = reinterpret_cast<CategoryTreeView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
      const int node = view->TickAt(
          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (node >= 0) {
        view->model_.PressTick(node);
        view->Refresh();
        return LRESULT{0};
      }
    }
    return CallWindowProcW(view->original_, window, message, wParam, lParam);
  });
}

bool CategoryTreeView::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != handle_) return false;
  // The tree stays fully open: a collapse is refused, and opened again where the refusal is
  // not heeded (Wine collapses all the same).
  const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
  switch (header.code) {
    case TVN_ITEMEXPANDINGW: result = (change.action & TVE_COLLAPSE) ? TRUE : FALSE; return true;
    case TVN_ITEMEXPANDEDW:
      if (change.action & TVE_COLLAPSE) TreeView_Expand(handle_, change.itemNew.hItem, TVE_EXPAND);
      result = 0;
      return true;
    default:
      return false;
  }
}

std::vector<std::string> CategoryTreeView::Texts() const {
  std::vector<std::string> texts;
  for (HTREEITEM item : items_) {
    wchar_t buffer[256] = {};
    TVITEMW query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = 256;
    SendMessageW(handle_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    texts.push_back(Utf8(buffer));
  }
  return texts;
}

void CategoryTreeView::SetTexts(const std::vector<std::string>& texts) {
  for (std::size_t node = 0; node < texts.size() && node < items_.size(); ++node) {
    std::wstring text = Wide(texts[node]);
    TVITEMW change = {};
    change.mask = TVIF_TEXT;
    change.hItem = items_[node];
    change.pszText = &text[0];
    SendMessageW(handle_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
  }
}

}  // namespace kelvane
