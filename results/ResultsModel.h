// The results list as the program knows it: the rows the scan found, in the order found, each
// with the tick that says whether it is to be repaired. The list window only shows this model.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "scan/ProblemRecord.h"

namespace kelvane {

struct ResultRow {
  ProblemRecord record;
  bool ticked = false;
};

class ResultsModel {
 public:
  std::size_t Count() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  const ResultRow& Row(std::size_t index) const { return rows_.at(index); }
  const std::vector<ResultRow>& Rows() const { return rows_; }

  void Add(ProblemRecord record);
  void Clear();
  void Remove(std::size_t index);
  // Asks about every row from the last to the first and removes those that match, keeping the
  // order of the rest. When asking raises, the rows that matched before are still removed.
  void RemoveWhere(const std::function<bool(const ResultRow&)>& matches);
  // Removes the rows marked true, keeping the order of the rest.
  void RemoveMarked(const std::vector<bool>& removed);
  void SetTicked(std::size_t index, bool ticked);
  std::size_t TickedCount() const;

  // Every row.
  void TickAll(bool ticked);
  // After a scan: the certain rows, and the rows for review only when asked.
  void TickFound(bool alsoReview);
  // Every row whose problem text equals the given row's, letter case counted.
  void TickAllOfType(std::size_t index, bool ticked);

 private:
  std::vector<ResultRow> rows_;
};

// Whether the current row (the list's focused row, none when negative) exists and names
// something in the registry, not a file: the rule for adding to the ignore lists and for opening
// the registry editor at the row's key.
bool HasCurrentRegistryRow(const ResultsModel& results, int currentRow);

}  // namespace kelvane
