// The list view that shows the results model: a virtual report list, so a hundred thousand rows
// stay fast, with a tick box per row, whole-row and multiple selection. Below it a read-only
// box explains the current row whole, which the list's cells often cannot.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "global/Localization.h"
#include "global/win32/TickListView.h"
#include "results/ResultColumns.h"
#include "results/ResultsModel.h"

namespace kelvane {

// The results model as rows of three columns: problem, registry key, value. Rows for review
// carry a mark in front of the first column.
class ResultsRows : public TickListRows {
 public:
  ResultsRows(ResultsModel& model, const Language& language)
      : model_(model), language_(language) {}
  std::size_t RowCount() const override { return model_.Count(); }
  const std::string& CellText(std::size_t row, int column) const override;
  bool RowTicked(std::size_t row) const override { return model_.Row(row).ticked; }
  void SetRowTicked(std::size_t row, bool ticked) override { model_.SetTicked(row, ticked); }
  // A key or value too long for its cell keeps the parts that tell most.
  std::string ShownText(std::size_t row, int column, const FitsCheck& fits) const override;
  int RowImage(std::size_t row) const override;
  std::string RowTip(std::size_t row) const override;

 protected:
  const ResultsModel& Model() const { return model_; }
  const Language& RowsLanguage() const { return language_; }

 private:
  ResultsModel& model_;
  const Language& language_;
};

// The rows are a base of their own so that they exist before the list that shows them.
class ResultsListView : private ResultsRows, public TickListView {
 public:
  ResultsListView(HWND parent, int id, int explanationId, ResultsModel& model,
                  const Language& language);

  // The box below the list that explains the current row.
  HWND Explanation() const { return explanation_; }
  // Shows rows and ticks again, and the current row's explanation.
  void Refresh() override;
  // The current row's explanation; empty when no row is current. The box keeps its selection
  // and scroll position while the text stays the same.
  void ShowExplanation();

  // Before a scan fills the list anew: its contents are measured again from no rows.
  void Restart();
  // Shows the rows added from first on, and measures them, so that the end of a large scan
  // has nothing left to measure.
  void ShowAddedRows(std::size_t first);
  // After a scan: the columns fill the list, each fitting its contents where it can, while
  // Value keeps a third of the list.
  void FitToContents();
  // After a resize: the same rule over the contents measured last.
  void KeepValueInView();
  // The rows measured again in the list's new font (another DPI), and the columns fitted.
  void OnFontChanged();
  void SetDpi(int dpi) override;

 private:
  HWND explanation_;
  std::string shownExplanation_;
  ColumnWidths measured_{};  // the rows added since the last Restart
  std::optional<ColumnWidths> contents_;
};

}  // namespace kelvane
