// Records everything the scan worker tells the interface, in order.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "scan/ScanSink.h"

namespace kelvane::testsupport {

// A row as "key | value | kind", which reads well in a failure message.
inline std::string RowText(const ProblemRecord& row) {
  return row.key + " | " + row.value + " | " + std::to_string(static_cast<int>(row.repairKind));
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
