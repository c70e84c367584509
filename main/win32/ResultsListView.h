// The list view that shows the results model: a virtual report list, so a hundred thousand rows
// stay fast, with a tick box per row, whole-row and multiple selection.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "main/ResultsModel.h"

namespace kelvane {

class ResultsListView {
 public:
  ResultsListView(HWND parent, int id, ResultsModel& model);
  HWND Handle() const { return handle_; }

  // Shows the model again after rows came or went.
  void Refresh();
  // Handles the list's notifications; onTicksChanged runs after a tick changed.
  bool OnNotify(const NMHDR& header, LRESULT& result, const std::function<void()>& onTicksChanged);

  int CurrentRow() const;
  std::vector<std::size_t> SelectedRows() const;
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);
  // Fits every column to its contents.
  void FitColumns();
  std::vector<std::string> ColumnCaptions() const;
  void SetColumnCaptions(const std::vector<std::string>& captions);

 private:
  void ToggleTick(int row);

  HWND handle_;
  ResultsModel& model_;
  std::string cellText_;  // kept alive while the list draws it
};

}  // namespace kelvane
