#include "main/win32/ResultsListView.h"

#include "global/win32/ChildWindow.h"
#include "main/win32/MainWindowLayout.h"

namespace kelvane {

ResultsListView::ResultsListView(HWND parent, int id, ResultsModel& model) : model_(model) {
  handle_ = CreateChildWindow(parent, WC_LISTVIEWA, "",
                              WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, id,
                              WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(handle_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  const char* captions[kResultColumnCount] = {"Problem", "Registry key", "Value"};
  for (int column = 0; column < kResultColumnCount; ++column) {
    LVCOLUMNA definition = {};
    definition.mask = LVCF_TEXT | LVCF_WIDTH;
    definition.pszText = const_cast<char*>(captions[column]);
    definition.cx = kDesignedColumnWidths[column];
    SendMessageA(handle_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&definition));
  }
}

void ResultsListView::Refresh() {
  ListView_SetItemCountEx(handle_, static_cast<int>(model_.Count()), LVSICF_NOSCROLL);
  InvalidateRect(handle_, nullptr, FALSE);
}

void ResultsListView::ToggleTick(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= model_.Count()) return;
  model_.SetTicked(row, !model_.Row(row).ticked);
  ListView_RedrawItems(handle_, row, row);
}

bool ResultsListView::OnNotify(const NMHDR& header, LRESULT& result,
                               const std::function<void()>& onTicksChanged) {
  if (header.hwndFrom != handle_) return false;
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOA: {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA&>(const_cast<NMHDR&>(header)).item;
      if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= model_.Count()) return true;
      const ResultRow& row = model_.Row(item.iItem);
      if (item.mask & LVIF_TEXT) {
        const std::string* texts[kResultColumnCount] = {&row.record.problem, &row.record.key,
                                                        &row.record.value};
        cellText_ = item.iSubItem < kResultColumnCount ? *texts[item.iSubItem] : std::string();
        lstrcpynA(item.pszText, cellText_.c_str(), item.cchTextMax);
      }
      if (item.mask & LVIF_STATE) {
        item.state = INDEXTOSTATEIMAGEMASK(row.ticked ? 2 : 1);
        item.stateMask = LVIS_STATEIMAGEMASK;
      }
      return true;
    }
    case NM_CLICK:
    case NM_DBLCLK: {
      // A virtual list does not tick by itself: a press on the box does it here.
      const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
      LVHITTESTINFO hit = {};
      hit.pt = activate.ptAction;
      ListView_HitTest(handle_, &hit);
      if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) ToggleTick(hit.iItem);
      onTicksChanged();
      return true;
    }
    case LVN_KEYDOWN: {
      const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
      if (key.wVKey == VK_SPACE) {
        for (std::size_t row : SelectedRows()) ToggleTick(static_cast<int>(row));
        onTicksChanged();
      }
      return true;
    }
    default:
      return false;
  }
}

int ResultsListView::CurrentRow() const {
  return ListView_GetNextItem(handle_, -1, LVNI_FOCUSED);
}

std::vector<std::size_t> ResultsListView::SelectedRows() const {
  std::vector<std::size_t> rows;
  for (int row = ListView_GetNextItem(handle_, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(handle_, row, LVNI_SELECTED)) {
    rows.push_back(static_cast<std::size_t>(row));
  }
  return rows;
}

int ResultsListView::ColumnWidth(int column) const {
  return ListView_GetColumnWidth(handle_, column);
}

void ResultsListView::SetColumnWidth(int column, int width) {
  ListView_SetColumnWidth(handle_, column, width);
}

void ResultsListView::FitColumns() {
  for (int column = 0; column < kResultColumnCount; ++column) {
    ListView_SetColumnWidth(handle_, column, LVSCW_AUTOSIZE);
  }
}

std::vector<std::string> ResultsListView::ColumnCaptions() const {
  std::vector<std::string> captions;
  for (int column = 0; column < kResultColumnCount; ++column) {
    char buffer[256] = {};
    LVCOLUMNA query = {};
    query.mask = LVCF_TEXT;
    query.pszText = buffer;
    query.cchTextMax = sizeof(buffer);
    SendMessageA(handle_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&query));
    captions.emplace_back(buffer);
  }
  return captions;
}

void ResultsListView::SetColumnCaptions(const std::vector<std::string>& captions) {
  for (int column = 0; column < kResultColumnCount && column < static_cast<int>(captions.size());
       ++column) {
    LVCOLUMNA change = {};
    change.mask = LVCF_TEXT;
    change.pszText = const_cast<char*>(captions[column].c_str());
    SendMessageA(handle_, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&change));
  }
}

}  // namespace kelvane
