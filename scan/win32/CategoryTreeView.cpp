#include "scan/win32/CategoryTreeView.h"

#include <algorithm>

#include "global/win32/CallbackGuard.h"
#include "global/win32/ChildWindow.h"

namespace kelvane {
namespace {

constexpr int kIconSize = 16;

// A small square in its own colour for every category, so nodes can be told apart.
// An icon drawn by draw(dc) on a bitmap compatible with the screen.
template <typename Draw>
BitmapHandle DrawnIcon(Draw draw) {
  const WindowDc screen(nullptr);
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), kIconSize, kIconSize));
  const MemoryDcHandle dc(CreateCompatibleDC(screen.get()));
  const SelectedObject selected(dc.get(), bitmap.get());
  draw(dc.get());
  return bitmap;
}

ImageListHandle CategoryImages() {
  ImageListHandle list(ImageList_Create(kIconSize, kIconSize, ILC_COLOR24 | ILC_MASK,
                                        CategoryTree::kNodeCount + 1, 0));
  for (int index = 0; index <= CategoryTree::kNodeCount; ++index) {
    const BitmapHandle bitmap = DrawnIcon([index](HDC dc) {
      RECT all = {0, 0, kIconSize, kIconSize};
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      const BrushHandle fill(CreateSolidBrush(
          RGB(40 + (index * 53) % 180, 60 + (index * 97) % 160, 120 + (index * 31) % 120)));
      RECT square = {2, 2, kIconSize - 2, kIconSize - 2};
      FillRect(dc, &square, fill.get());
    });
    ImageList_AddMasked(list.get(), bitmap.get(), RGB(255, 255, 255));
  }
  return list;
}

// State image 0 is never shown; 1 is a clear box, 2 a ticked one.
ImageListHandle TickImages() {
  ImageListHandle list(ImageList_Create(kIconSize, kIconSize, ILC_COLOR24, 3, 0));
  for (int state = 0; state < 3; ++state) {
    const BitmapHandle bitmap = DrawnIcon([state](HDC dc) {
      RECT all = {0, 0, kIconSize, kIconSize};
      FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
      RECT box = {1, 1, kIconSize - 1, kIconSize - 1};
      DrawFrameControl(dc, &box, DFC_BUTTON,
                       DFCS_BUTTONCHECK | DFCS_FLAT | (state == 2 ? DFCS_CHECKED : 0));
    });
    ImageList_Add(list.get(), bitmap.get(), nullptr);
  }
  return list;
}

}  // namespace

CategoryTreeView::CategoryTreeView(HWND parent, int id, CategoryTree& model) : model_(model) {
  handle_ = CreateChildWindow(
      parent, WC_TREEVIEWA, "",
      WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, id,
      WS_EX_CLIENTEDGE);
  images_ = CategoryImages();
  ticks_ = TickImages();
  TreeView_SetImageList(handle_, images_.get(), TVSIL_NORMAL);
  TreeView_SetImageList(handle_, ticks_.get(), TVSIL_STATE);

  std::array<HTREEITEM, 3> parents{};
  const auto& nodes = CategoryTree::Nodes();
  for (int node = 0; node < CategoryTree::kNodeCount; ++node) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = nodes[node].level == 0 ? TVI_ROOT : parents[nodes[node].level - 1];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(nodes[node].text);
    insert.item.iImage = insert.item.iSelectedImage = CategoryNumber(nodes[node].category);
    insert.item.lParam = node;
    items_[node] = reinterpret_cast<HTREEITEM>(
        SendMessageA(handle_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    parents[nodes[node].level] = items_[node];
  }
  for (HTREEITEM item : items_) TreeView_Expand(handle_, item, TVE_EXPAND);
  TreeView_SelectSetFirstVisible(handle_, items_[0]);
  Refresh();

  SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
}

CategoryTreeView::~CategoryTreeView() {
  SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
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
  return RECT{text.left - 2 * kIconSize - 3, text.top, text.left - kIconSize - 3, text.bottom};
}

LRESULT CALLBACK CategoryTreeView::Subclass(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  return GuardCallback<LRESULT>(window, 0, [&] {
    auto* view = reinterpret_cast<CategoryTreeView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
      const int node = view->TickAt(
          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (node >= 0) {
        view->model_.PressTick(node);
        view->Refresh();
        return LRESULT{0};
      }
    }
    return CallWindowProcA(view->original_, window, message, wParam, lParam);
  });
}

bool CategoryTreeView::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != handle_) return false;
  // The tree stays fully open: a collapse is refused, and opened again where the refusal is
  // not heeded (Wine collapses all the same).
  const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
  switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
      result = (change.action & TVE_COLLAPSE) ? TRUE : FALSE;
      return true;
    case TVN_ITEMEXPANDEDA:
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
    char buffer[256] = {};
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = sizeof(buffer);
    SendMessageA(handle_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    texts.emplace_back(buffer);
  }
  return texts;
}

void CategoryTreeView::SetTexts(const std::vector<std::string>& texts) {
  for (std::size_t node = 0; node < texts.size() && node < items_.size(); ++node) {
    TVITEMA change = {};
    change.mask = TVIF_TEXT;
    change.hItem = items_[node];
    change.pszText = const_cast<char*>(texts[node].c_str());
    SendMessageA(handle_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
  }
}

}  // namespace kelvane
