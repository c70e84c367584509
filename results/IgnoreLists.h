// The user's ignore lists against the results: which rows a scan keeps out of sight, and how
// selected rows are added to the lists. Every comparison ignores letter case in every script,
// as the registry does when it names keys and values.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "global/Settings.h"
#include "results/ResultsModel.h"
#include "scan/ProblemRecord.h"

namespace kelvane {

// A row a repair run left in the results, by its key and value texts.
struct Leftover {
  std::string key;
  std::string value;
  bool operator==(const Leftover& other) const {
    return key == other.key && value == other.value;
  }
};

// The rows repair runs left; they stay out of later scans' results until the program ends.
using Leftovers = std::vector<Leftover>;

// The key and value name a row stands for when it is matched against the ignore lists: a key
// row has no value name; a file row has neither.
struct MatchTarget {
  std::string key;
  std::string valueName;
};

MatchTarget MatchTargetOf(const ProblemRecord& record);

enum class IgnoreList { Value, Key };

// Whether an entry equals the text in any letter case: then the text is listed already and is
// not added again.
bool IsListedEntry(const std::vector<std::string>& entries, const std::string& text);

// Which rows of a scan stay out of sight: those that name a per-user placeholder
// ("%USERNAME%_"), the rows left over by an earlier repair, and the rows the ignore lists cover:
// a key row when an ignored key lies at, above or below it or an ignored value lies in it, a
// value row when it is ignored itself or lies at or below an ignored key. Rows of files are
// never ignored. An empty entry of the key list ignores nothing. The lists are read once, so
// that rows can be judged as they arrive.
class HiddenRows {
 public:
  HiddenRows(const Settings& settings, const Leftovers& leftovers);
  bool Hides(const ProblemRecord& record) const;

 private:
  bool IsLeftover(const ProblemRecord& record) const;
  bool IsIgnored(const ProblemRecord& record) const;
  bool IgnoredValueCovers(const MatchTarget& target) const;
  bool IgnoredKeyCovers(const MatchTarget& target, const std::string& keyText) const;

  std::vector<std::string> values_;             // upper-cased
  std::unordered_set<std::string> valuePaths_;  // the same, for a value row's whole path
  std::vector<std::string> keys_;               // upper-cased, each ending in a backslash
  std::set<std::pair<std::string, std::string>> leftovers_;  // upper-cased key and value
};

// Removes, after a scan, the rows HiddenRows hides. Changes no list.
void FilterResults(ResultsModel& results, const Settings& settings, const Leftovers& leftovers);

// Adds the rows at the selected indices to the ignore list their kind calls for, from the last
// selected row to the first, and removes them from the results; a row whose entry is already
// listed stays. Rows without a backslash in their key text are left alone; file rows are removed
// without an entry. Indices out of range are skipped.
void AddSelectedToIgnoreLists(ResultsModel& results, Settings& settings,
                              std::vector<std::size_t> selectedRows);

}  // namespace kelvane
