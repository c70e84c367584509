// The list view that shows the results model: a virtual report list, so a hundred thousand rows
// stay fast, with a tick box per row, whole-row and multiple selection.
#pragma once

#include <windows.h>

#include <optional>

#include "global/win32/TickListView.h"
#include "results/ResultColumns.h"
#include "results/ResultsModel.h"

namespace kelvane {

// The results model as rows of three columns: problem, registry key, value.
class ResultsRows : public TickListRows {
 public:
  explicit ResultsRows(ResultsModel& model) : model_(model) {}
  std::size_t RowCount() const override { return model_.Count(); }
  const std::string& CellText(std::size_t row, int column) const override;
  bool RowTicked(std::size_t row) const override { return model_.Row(row).ticked; }
  void SetRowTicked(std::size_t row, bool ticked) override { model_.SetTicked(row, ticked); }

 private:
  ResultsModel& model_;
};

// The rows are a base of their own so that they exist before the list that shows them.
class ResultsListView : private ResultsRows, public TickListView {
 public:
  ResultsListView(HWND parent, int id, ResultsModel& model);

  // Before a scan fills the list anew: its contents are measured again from no rows.
  void Restart();
  // Shows the rows added from first on, and measures them, so that the end of a large scan
  // has nothing left to measure.
  void ShowAddedRows(std::size_t first);
  // After a scan: each column fits its contents, while Value keeps a third of the list.
  void FitToContents();
  // After a resize: the same rule over the contents measured last.
  void KeepValueInView();

 private:
  ColumnWidths measured_{};  // the rows added since the last Restart
  std::optional<ColumnWidths> contents_;
};

}  // namespace kelvane
