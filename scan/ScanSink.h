// What the scan worker tells the interface. The worker never waits for the interface except in
// the two task steps.
#pragma once

#include <string>

#include "scan/ProblemRecord.h"

namespace kelvane {

enum class ScanEnd { Completed, Stopped, Failed };

// Where a scan that failed stopped: the status shown then (the step under way), the key being
// read (below its root) and the error's text.
struct ScanFailure {
  std::string step;
  std::string key;
  std::string error;
};

class ScanSink {
 public:
  virtual ~ScanSink() = default;
  virtual void ShowStatus(const std::string& text) = 0;
  // The key being read, below its root; a display may show only the latest.
  virtual void ShowKeyProgress(const std::string& path) = 0;
  // Rows arrive whole and in the order found; every one must be kept.
  virtual void AddProblem(const ProblemRecord& row) = 0;
  // Run on the interface thread while the worker waits: reset and start the progress bar.
  virtual void BeforeTask() = 0;
  // Likewise: stop the bar at its end and refresh the counts.
  virtual void AfterTask() = 0;
  virtual void ScanEnded(ScanEnd how) = 0;
};

}  // namespace kelvane
