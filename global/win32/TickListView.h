// A virtual report list with a tick box in front of every row. The rows and their ticks live
// in a model; the list only shows them, and a press on a box or the space bar changes the
// model's tick.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "global/win32/ListViewControl.h"
#include "global/win32/TextMeasure.h"
#include "platform/Text.h"

namespace kelvane {

// What the list asks its model.
class TickListRows {
 public:
  virtual ~TickListRows() = default;
  virtual std::size_t RowCount() const = 0;
  virtual const std::string& CellText(std::size_t row, int column) const = 0;
  virtual bool RowTicked(std::size_t row) const = 0;
  virtual void SetRowTicked(std::size_t row, bool ticked) = 0;
  // What a cell shows where fits tells what fits in it: the whole text unless the rows say.
  virtual std::string ShownText(std::size_t row, int column, const FitsCheck& /*fits*/) const {
    return CellText(row, column);
  }
  // The row's image in the list's small image list; none unless the rows say.
  virtual int RowImage(std::size_t /*row*/) const { return I_IMAGENONE; }
  // The row's tip; empty for its cells, one a line.
  virtual std::string RowTip(std::size_t /*row*/) const { return {}; }
};

class TickListView : public ListViewControl {
 public:
  // Takes over a list view made with LVS_REPORT and LVS_OWNERDATA.
  TickListView(HWND list, TickListRows& rows);
  virtual ~TickListView() = default;
  TickListView(const TickListView&) = delete;
  TickListView& operator=(const TickListView&) = delete;

  void AddColumn(const char* caption, int width);
  // Draws the tick boxes, and the images the rows show, at the display scale.
  virtual void SetDpi(int dpi);
  // Shows the model again after rows or ticks changed.
  virtual void Refresh();
  // The list's notifications but a double click off the tick boxes, which the owner may use;
  // onTicksChanged runs after a tick changed.
  bool OnNotify(const NMHDR& header, LRESULT& result, const std::function<void()>& onTicksChanged);

  // What the column's widest text from firstRow on needs, tick box, image and margins included.
  int ContentWidth(int column, std::size_t firstRow = 0) const;
  // Fits every column to its contents and its caption.
  void FitColumns();
  // Widens the columns too narrow for their captions.
  void WidenToCaptions();

 private:
  void ToggleTick(int row);
  void FillCell(LVITEMW& item) const;
  // The list font's widths, for the texts the rows shorten.
  const CharacterWidths& Widths() const;
  std::string TipText(int row) const;
  // The row whose tick box the click hit; negative for none.
  int TickBoxRow(const NMHDR& header) const;

  TickListRows& rows_;
  int columnCount_ = 0;
  mutable std::optional<CharacterWidths> widths_;
  mutable HGDIOBJ widthsFont_ = nullptr;
};

}  // namespace kelvane
