#include "results/IgnoreLists.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "platform/NameCollation.h"
#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr char kUserPlaceholder[] = "%USERNAME%_";

// An empty part occurs nowhere.
bool Contains(const std::string& text, const std::string& part) {
  return !part.empty() && text.find(part) != std::string::npos;
}

bool HasBackslash(const std::string& text) { return text.find('\\') != std::string::npos; }

std::string WithTrailingBackslash(std::string text) {
  if (text.empty() || text.back() != '\\') text += '\\';
  return text;
}

std::vector<std::string> UpperCased(const std::vector<std::string>& texts) {
  std::vector<std::string> upper;
  upper.reserve(texts.size());
  for (const std::string& text : texts) upper.push_back(UpperCaseName(text));
  return upper;
}

bool NamesUserPlaceholder(const ProblemRecord& record) {
  return Contains(UpperCaseAscii(record.key), kUserPlaceholder) ||
         Contains(UpperCaseAscii(record.value), kUserPlaceholder);
}

struct IgnoreEntry {
  std::string text;
  IgnoreList list;
};

std::optional<IgnoreEntry> IgnoreEntryFor(const ProblemRecord& record) {
  switch (record.repairKind) {
    case RepairKind::Key:
    case RepairKind::DefaultValue:
      return IgnoreEntry{record.key, IgnoreList::Key};
    case RepairKind::ValueInKeyText:
      return IgnoreEntry{record.key, IgnoreList::Value};
    case RepairKind::ValueNamedByValue:
      return IgnoreEntry{record.key + "\\" + record.value, IgnoreList::Value};
    case RepairKind::SubkeyNamedByValue:
      return IgnoreEntry{record.key + "\\" + record.value, IgnoreList::Key};
    case RepairKind::EncodedValueName:
      return IgnoreEntry{record.key + "\\" + Rot13(record.value), IgnoreList::Value};
    case RepairKind::ShortcutFile:
      break;
  }
  return std::nullopt;
}

std::vector<std::string>& Entries(Settings& settings, IgnoreList list) {
  return list == IgnoreList::Key ? settings.ignoredKeys : settings.ignoredValues;
}

}  // namespace

MatchTarget MatchTargetOf(const ProblemRecord& record) {
  const std::string& key = record.key;
  switch (record.repairKind) {
    case RepairKind::Key:
      return {key, ""};
    case RepairKind::ValueInKeyText: {
      // The last component is the value; a value right under the root keeps the root's
      // backslash in its key.
      const std::size_t rootEnd = key.find('\\');
      const std::size_t last = key.rfind('\\');
      if (rootEnd == std::string::npos) return {key + "\\", ""};
      const std::size_t keyLength = last == rootEnd ? rootEnd + 1 : last;
      return {key.substr(0, keyLength), key.substr(last + 1)};
    }
    case RepairKind::ValueNamedByValue:
      return {key, record.value};
    case RepairKind::SubkeyNamedByValue:
      return {key + "\\" + record.value, ""};
    case RepairKind::DefaultValue:
      return {key, "@"};
    case RepairKind::EncodedValueName:
      return {key, Rot13(record.value)};
    case RepairKind::ShortcutFile:
      break;
  }
  return {};
}

bool IsListedEntry(const std::vector<std::string>& entries, const std::string& text) {
  return std::any_of(entries.begin(), entries.end(),
                     [&](const std::string& entry) { return SameName(entry, text); });
}

HiddenRows::HiddenRows(const Settings& settings, const Leftovers& leftovers)
    : values_(UpperCased(settings.ignoredValues)), valuePaths_(values_.begin(), values_.end()) {
  for (const std::string& entry : settings.ignoredKeys) {
    // An empty entry would stand for every key once it got its backslash.
    if (!entry.empty()) keys_.push_back(WithTrailingBackslash(UpperCaseName(entry)));
  }
  for (const Leftover& leftover : leftovers) {
    leftovers_.emplace(UpperCaseName(leftover.key), UpperCaseName(leftover.value));
  }
}

bool HiddenRows::Hides(const ProblemRecord& record) const {
  return NamesUserPlaceholder(record) || IsLeftover(record) || IsIgnored(record);
}

bool HiddenRows::IsLeftover(const ProblemRecord& record) const {
  return !leftovers_.empty() &&
         leftovers_.count({UpperCaseName(record.key), UpperCaseName(record.value)}) != 0;
}

bool HiddenRows::IsIgnored(const ProblemRecord& record) const {
  if ((values_.empty() && keys_.empty()) || !HasBackslash(record.key)) return false;
  MatchTarget target = MatchTargetOf(record);
  // Keys and values are named alike in any letter case, in every script, as Windows has it.
  target.key = UpperCaseName(target.key);
  target.valueName = UpperCaseName(target.valueName);
  return IgnoredValueCovers(target) || IgnoredKeyCovers(target, UpperCaseName(record.key));
}

bool HiddenRows::IgnoredValueCovers(const MatchTarget& target) const {
  if (!target.valueName.empty()) {
    return valuePaths_.count(target.key + "\\" + target.valueName) != 0;
  }
  return std::any_of(values_.begin(), values_.end(),
                     [&](const std::string& entry) { return Contains(entry, target.key); });
}

bool HiddenRows::IgnoredKeyCovers(const MatchTarget& target, const std::string& keyText) const {
  if (target.key.empty()) return false;
  const std::string key = WithTrailingBackslash(target.key);
  return std::any_of(keys_.begin(), keys_.end(), [&](const std::string& entry) {
    if (target.valueName.empty()) return Contains(key, entry) || Contains(entry, key);
    return Contains(key, entry) || entry == keyText || entry == keyText + "\\";
  });
}

void FilterResults(ResultsModel& results, const Settings& settings, const Leftovers& leftovers) {
  if (results.Empty()) return;
  const HiddenRows hidden(settings, leftovers);
  results.RemoveWhere([&](const ResultRow& row) { return hidden.Hides(row.record); });
}

void AddSelectedToIgnoreLists(ResultsModel& results, Settings& settings,
                              std::vector<std::size_t> selectedRows) {
  std::sort(selectedRows.rbegin(), selectedRows.rend());
  selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
  for (std::size_t index : selectedRows) {
    if (index >= results.Count()) continue;
    const ProblemRecord& record = results.Row(index).record;
    if (!HasBackslash(record.key)) continue;
    if (const std::optional<IgnoreEntry> entry = IgnoreEntryFor(record)) {
      if (IsListedEntry(Entries(settings, entry->list), entry->text)) continue;
      Entries(settings, entry->list).push_back(entry->text);
    }
    results.Remove(index);
  }
}

}  // namespace kelvane
