#include "global/win32/TickListView.h"

#include <algorithm>

#include "global/win32/DialogTexts.h"
#include "global/win32/Dpi.h"
#include "global/win32/TickBoxImages.h"
#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

// Between a cell's text and the next column.
constexpr int kCellMargin = 12;
// The header's room either side of a caption.
constexpr int kCaptionMargins = 12;

}  // namespace

TickListView::TickListView(HWND list, TickListRows& rows) : ListViewControl(list), rows_(rows) {
  // Cut texts show whole on hover.
  SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
  SetDpi(WindowDpi(list));
}

void TickListView::SetDpi(int dpi) {
  // The list's own boxes are made at the system's scale once; these follow the window's. The
  // list owns its image lists and hands back the one it no longer shows.
  ImageListHandle boxes = TickBoxImages(dpi, TickBoxesFor::List);
  ImageList_Destroy(ListView_SetImageList(Handle(), boxes.release(), LVSIL_STATE));
}

void TickListView::AddColumn(const char* caption, int width) {
  InsertColumn(columnCount_++, caption, width);
}

void TickListView::Refresh() {
  // A new count costs the list its scroll bars and layout; ticks only need drawing.
  const int count = static_cast<int>(rows_.RowCount());
  if (ItemCount() != count) SetItemCount(count);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TickListView::ToggleTick(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.RowCount()) return;
  rows_.SetRowTicked(row, !rows_.RowTicked(row));
  RedrawItem(row);
}

int TickListView::TickBoxRow(const NMHDR& header) const {
  return StateIconRowAt(reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction);
}

bool TickListView::OnNotify(const NMHDR& header, LRESULT& result,
                            const std::function<void()>& onTicksChanged) {
  if (header.hwndFrom != Handle()) return false;
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      FillCell(reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item);
      return true;
    case NM_CLICK:
    case NM_DBLCLK: {
      // A virtual list does not tick by itself: a press on the box does it here. The second
      // press of a double click on the box arrives as a double click.
      const int row = TickBoxRow(header);
      if (row >= 0) {
        ToggleTick(row);
      } else if (header.code == NM_DBLCLK) {
        return false;
      }
      onTicksChanged();
      return true;
    }
    case LVN_GETINFOTIPW: {
      auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(const_cast<NMHDR&>(header));
      if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= rows_.RowCount()) return true;
      lstrcpynW(tip.pszText, Wide(TipText(tip.iItem)).c_str(), tip.cchTextMax);
      return true;
    }
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE) {
        for (std::size_t row : SelectedRows()) ToggleTick(static_cast<int>(row));
        onTicksChanged();
      }
      return true;
    default: return false;
  }
}

void TickListView::FillCell(LVITEMW& item) const {
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows_.RowCount()) return;
  if ((item.mask & LVIF_TEXT) && item.iSubItem < columnCount_) {
    const int room = ColumnWidth(item.iSubItem) - kCellMargin;
    const std::string text =
        rows_.ShownText(item.iItem, item.iSubItem, [this, room](const std::string& shown) {
          return Widths().Width(shown) <= room;
        });
    lstrcpynW(item.pszText, Wide(text).c_str(), item.cchTextMax);
  } else if (item.mask & LVIF_TEXT) {
    lstrcpynW(item.pszText, L"", item.cchTextMax);
  }
  if (item.mask & LVIF_IMAGE) item.iImage = rows_.RowImage(item.iItem);
  if (item.mask & LVIF_STATE) {
    item.state = INDEXTOSTATEIMAGEMASK(rows_.RowTicked(item.iItem) ? 2 : 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
  }
}

const CharacterWidths& TickListView::Widths() const {
  // Cells are drawn often; the font changes seldom.
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  if (!widths_ || widthsFont_ != font) {
    widths_.emplace(Handle());
    widthsFont_ = font;
  }
  return *widths_;
}

std::string TickListView::TipText(int row) const {
  std::string text = rows_.RowTip(row);
  if (!text.empty()) return text;
  for (int column = 0; column < columnCount_; ++column) {
    text += (column ? "\r\n" : "") + rows_.CellText(row, column);
  }
  return text;
}

int TickListView::ContentWidth(int column, std::size_t firstRow) const {
  // The list's own fitting (LVSCW_AUTOSIZE) asks for every row and measures it as a string,
  // far too slow for a hundred thousand rows.
  const CharacterWidths widths(Handle());
  int widest = 0;
  for (std::size_t row = firstRow; row < rows_.RowCount(); ++row) {
    widest = std::max(widest, widths.Width(rows_.CellText(row, column)));
  }
  const int tickBoxAndImage = column == 0 ? StateIconWidth() + SmallIconWidth() : 0;
  return widest + kCellMargin + tickBoxAndImage;
}

void TickListView::FitColumns() {
  for (int column = 0; column < columnCount_; ++column) {
    SetColumnWidth(column, ContentWidth(column));
  }
  WidenToCaptions();
}

void TickListView::WidenToCaptions() {
  const std::vector<std::string> captions = ListColumnCaptions(Handle());
  const int margins = Scale(kCaptionMargins, WindowDpi(Handle()));
  for (int column = 0; column < columnCount_; ++column) {
    const int needed = StringWidth(captions.at(column)) + margins;
    if (ColumnWidth(column) < needed) SetColumnWidth(column, needed);
  }
}

}  // namespace kelvane
