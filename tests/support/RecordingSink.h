// Records everything the scan worker tells the interface, in order.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "scan/FindingRules.h"
#include "scan/ScanSink.h"

namespace kelvane::testsupport {

// A row as "key | value | kind", which reads well in a failure message.
inline std::string RowText(const ProblemRecord& row) {
  return row.key + " | " + row.value + " | " + std::to_string(static_cast<int>(row.repairKind));
}

// A row explains itself: a known rule, its sentence filled in with the path it tested, a view
// (none only for a shortcut file), the category that found it, and certain only by a certain
// rule.
inline void ExpectExplained(const ProblemRecord& row) {
  const RuleInfo* rule = nullptr;
  for (const RuleInfo& info : AllRules()) {
    if (row.ruleId == info.id) rule = &info;
  }
  ASSERT_NE(rule, nullptr) << RowText(row) << ": rule " << row.ruleId;
  EXPECT_FALSE(row.testedPath.empty()) << RowText(row);
  // In English, the rule's sentence or the one for an empty drive, naming what was tested.
  EXPECT_TRUE(row.reason == FilledIn(rule->reason.english, row.testedPath) ||
              row.reason == FilledIn(kEmptyDriveReason.english, row.testedPath))
      << row.reason;
  EXPECT_EQ(row.view == RowView::None, row.repairKind == RepairKind::ShortcutFile)
      << RowText(row);
  EXPECT_NE(row.category, ScanCategory::AllCategories) << RowText(row);
  if (row.certainty == Certainty::Certain) {
    EXPECT_EQ(rule->certainty, Certainty::Certain) << RowText(row);
  }
}

class RecordingSink : public ScanSink {
 public:
  void ShowStatus(const std::string& text) override { Record("status " + text); }
  void ShowKeyProgress(const std::string& path) override {
    Record("key " + path);
    if (onKey) onKey(path);
  }
  void AddProblem(const ProblemRecord& row) override {
    std::lock_guard<std::mutex> lock(mutex_);
    rows.push_back(row);
    events.push_back("row " + row.key);
  }
  void BeforeTask() override { Record("before task"); }
  void AfterTask() override { Record("after task"); }
  void ScanEnded(ScanEnd how) override {
    Record(how == ScanEnd::Completed ? "completed"
                                     : how == ScanEnd::Stopped ? "stopped" : "failed");
  }

  // Events other than key progress, which tests of rules rarely care about.
  std::vector<std::string> Steps() const {
    std::vector<std::string> steps;
    for (const std::string& event : events) {
      if (event.rfind("key ", 0) != 0) steps.push_back(event);
    }
    return steps;
  }

  std::vector<ProblemRecord> rows;
  std::vector<std::string> events;
  std::function<void(const std::string&)> onKey;

 private:
  void Record(const std::string& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    events.push_back(event);
  }
  std::mutex mutex_;
};

}  // namespace kelvane::testsupport
