// Hands the worker's reports to the progress window without making the worker wait, except
// for the two task steps. Status and key are coalesced (the window shows the latest); rows are
// queued and all delivered, in order.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "global/win32/WindowMessages.h"
#include "scan/ScanSink.h"

namespace kelvane {

struct ScanReports {
  std::string status;
  bool statusChanged = false;
  std::string key;
  bool keyChanged = false;
  std::vector<ProblemRecord> rows;
};

class WindowScanSink : public ScanSink {
 public:
  void Attach(HWND window);
  // After this the worker's reports go nowhere; the window may be destroyed.
  void Detach();
  // On the window thread: what arrived since the last call.
  ScanReports TakeReports();

  void ShowStatus(const std::string& text) override;
  void ShowKeyProgress(const std::string& path) override;
  void AddProblem(const ProblemRecord& row) override;
  void BeforeTask() override;
  void AfterTask() override;
  void ScanEnded(ScanEnd how) override;

 private:
  void NotifyLocked();
  void SendTaskStep(bool before);

  std::mutex mutex_;
  HWND window_ = nullptr;
  ScanReports pending_;
  bool notified_ = false;
};

}  // namespace kelvane
