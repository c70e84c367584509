#include "results/win32/ResultsListView.h"

#include <algorithm>

#include "global/win32/ChildWindow.h"
#include "global/win32/DialogTexts.h"

namespace kelvane {
namespace {

// The header's room either side of a caption.
constexpr int kCaptionMargins = 12;

}  // namespace

const std::string& ResultsRows::CellText(std::size_t row, int column) const {
  const ProblemRecord& record = model_.Row(row).record;
  switch (column) {
    case 0: return record.problem;
    case 1: return record.key;
    default: return record.value;
  }
}

ResultsListView::ResultsListView(HWND parent, int id, ResultsModel& model)
    : ResultsRows(model),
      TickListView(CreateChildWindow(parent, WC_LISTVIEWA, "",
                                     WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                                     id, WS_EX_CLIENTEDGE),
                   static_cast<ResultsRows&>(*this)) {
  const char* captions[kResultColumnCount] = {"Problem", "Registry key", "Value"};
  for (int column = 0; column < kResultColumnCount; ++column) {
    AddColumn(captions[column], kDesignedColumnWidths[column]);
  }
}

void ResultsListView::Restart() {
  for (int column = 0; column < kResultColumnCount; ++column) {
    measured_[column] = ContentWidth(column, RowCount());
  }
  Refresh();
}

void ResultsListView::ShowAddedRows(std::size_t first) {
  for (int column = 0; column < kResultColumnCount; ++column) {
    measured_[column] = std::max(measured_[column], ContentWidth(column, first));
  }
  Refresh();
}

void ResultsListView::FitToContents() {
  contents_ = measured_;
  KeepValueInView();
}

void ResultsListView::KeepValueInView() {
  if (!contents_) return;
  RECT client;
  GetClientRect(Handle(), &client);
  // Captions change with the language.
  const std::vector<std::string> texts = ListColumnCaptions(Handle());
  ColumnWidths captions{};
  for (int column = 0; column < kResultColumnCount; ++column) {
    captions[column] = StringWidth(texts.at(column)) + kCaptionMargins;
  }
  const ColumnWidths widths = FitResultColumns(*contents_, captions, client.right);
  for (int column = 0; column < kResultColumnCount; ++column) SetColumnWidth(column, widths[column]);
}

}  // namespace kelvane
