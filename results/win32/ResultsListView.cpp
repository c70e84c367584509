#include "results/win32/ResultsListView.h"

#include <algorithm>

#include "global/win32/ChildWindow.h"
#include "global/win32/DialogTexts.h"
#include "global/win32/Dpi.h"
#include "platform/win32/WideText.h"
#include "results/RowExplanation.h"
#include "results/ShortenedCells.h"

namespace kelvane {
namespace {

// The header's room either side of a caption.
constexpr int kCaptionMargins = 12;
constexpr int kReviewImage = 0;

// The mark of rows for review: a question, which no colour scheme or language takes away.
HIMAGELIST ReviewMarkImages(int dpi) {
  // Loaded at the size it is shown, from the system's nearest image.
  const int size = Scale(16, dpi);
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
  HICON question = static_cast<HICON>(
      LoadImageW(nullptr, MAKEINTRESOURCEW(32514), IMAGE_ICON, size, size, 0));  // IDI_QUESTION
  ImageList_AddIcon(images, question);
  DestroyIcon(question);
  return images;
}

}  // namespace

const std::string& ResultsRows::CellText(std::size_t row, int column) const {
  const ProblemRecord& record = model_.Row(row).record;
  switch (column) {
    case 0: return record.problem;
    case 1: return record.key;
    default: return record.value;
  }
}

std::string ResultsRows::ShownText(std::size_t row, int column, const FitsCheck& fits) const {
  switch (column) {
    case 0: return CellText(row, column);
    case 1: return ShortenedKeyCell(CellText(row, column), fits);
    default: return ShortenedPathCell(CellText(row, column), fits);
  }
}

int ResultsRows::RowImage(std::size_t row) const {
  return model_.Row(row).record.certainty == Certainty::Review ? kReviewImage : I_IMAGENONE;
}

std::string ResultsRows::RowTip(std::size_t row) const {
  return kelvane::RowTip(model_.Row(row).record, language_);
}

ResultsListView::ResultsListView(HWND parent, int id, int explanationId, ResultsModel& model,
                                 const Language& language)
    : ResultsRows(model, language),
      TickListView(CreateChildWindow(parent, WC_LISTVIEWW, "",
                                     WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                                     id, WS_EX_CLIENTEDGE),
                   static_cast<ResultsRows&>(*this)),
      // Made after the list, it follows the list in the tab order.
      explanation_(
          CreateChildWindow(parent, L"EDIT", "",
                            ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                            explanationId, WS_EX_CLIENTEDGE)) {
  const char* captions[kResultColumnCount] = {"Problem", "Registry key", "Value"};
  for (int column = 0; column < kResultColumnCount; ++column) {
    AddColumn(captions[column], Scale(kDesignedColumnWidths[column], WindowDpi(parent)));
  }
  SetDpi(WindowDpi(parent));
}

void ResultsListView::SetDpi(int dpi) {
  TickListView::SetDpi(dpi);
  ImageList_Destroy(ListView_SetImageList(Handle(), ReviewMarkImages(dpi), LVSIL_SMALL));
}

void ResultsListView::Refresh() {
  TickListView::Refresh();
  ShowExplanation();
}

void ResultsListView::ShowExplanation() {
  const int row = CurrentRow();
  const std::string text =
      row >= 0 && static_cast<std::size_t>(row) < Model().Count()
          ? RowExplanation(Model().Row(static_cast<std::size_t>(row)).record, RowsLanguage())
          : "";
  if (text == shownExplanation_) return;
  shownExplanation_ = text;
  SetWindowTextW(explanation_, Wide(text).c_str());
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

void ResultsListView::OnFontChanged() {
  if (!contents_) return;
  for (int column = 0; column < kResultColumnCount; ++column) {
    (*contents_)[column] = ContentWidth(column, 0);
  }
  measured_ = *contents_;
  KeepValueInView();
}

void ResultsListView::KeepValueInView() {
  if (!contents_) return;
  RECT client;
  GetClientRect(Handle(), &client);
  // Captions change with the language.
  const std::vector<std::string> texts = ListColumnCaptions(Handle());
  const int margins = Scale(kCaptionMargins, WindowDpi(Handle()));
  ColumnWidths captions{};
  for (int column = 0; column < kResultColumnCount; ++column) {
    captions[column] = StringWidth(texts.at(column)) + margins;
  }
  const ColumnWidths widths = FitResultColumns(*contents_, captions, client.right);
  for (int column = 0; column < kResultColumnCount; ++column) SetColumnWidth(column, widths[column]);
}

}  // namespace kelvane
