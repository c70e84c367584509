#include "results/ResultsModel.h"

#include <algorithm>
#include <utility>

namespace kelvane {

void ResultsModel::Add(ProblemRecord record) {
  rows_.push_back({std::move(record), false});
}

void ResultsModel::Clear() { rows_.clear(); }

void ResultsModel::Remove(std::size_t index) {
  if (index < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

void ResultsModel::RemoveWhere(const std::function<bool(const ResultRow&)>& matches) {
  std::vector<bool> removed(rows_.size());
  try {
    for (std::size_t index = rows_.size(); index-- > 0;) removed[index] = matches(rows_[index]);
  } catch (...) {
    RemoveMarked(removed);
    throw;
  }
  RemoveMarked(removed);
}

void ResultsModel::RemoveMarked(const std::vector<bool>& removed) {
  std::size_t kept = 0;
  for (std::size_t index = 0; index < rows_.size(); ++index) {
    if (index < removed.size() && removed[index]) continue;
    if (kept != index) rows_[kept] = std::move(rows_[index]);
    ++kept;
  }
  rows_.resize(kept);
}

void ResultsModel::SetTicked(std::size_t index, bool ticked) { rows_.at(index).ticked = ticked; }

std::size_t ResultsModel::TickedCount() const {
  return static_cast<std::size_t>(
      std::count_if(rows_.begin(), rows_.end(), [](const ResultRow& row) { return row.ticked; }));
}

void ResultsModel::TickAll(bool ticked) {
  for (ResultRow& row : rows_) row.ticked = ticked;
}

void ResultsModel::TickFound(bool alsoReview) {
  for (ResultRow& row : rows_) {
    row.ticked = alsoReview || row.record.certainty == Certainty::Certain;
  }
}

void ResultsModel::TickAllOfType(std::size_t index, bool ticked) {
  if (index >= rows_.size()) return;
  const std::string type = rows_[index].record.problem;
  for (ResultRow& row : rows_) {
    if (row.record.problem == type) row.ticked = ticked;
  }
}

bool HasCurrentRegistryRow(const ResultsModel& results, int currentRow) {
  return currentRow >= 0 && static_cast<std::size_t>(currentRow) < results.Count() &&
         results.Row(static_cast<std::size_t>(currentRow)).record.repairKind !=
             RepairKind::ShortcutFile;
}

}  // namespace kelvane
