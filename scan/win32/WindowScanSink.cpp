#include "scan/win32/WindowScanSink.h"

namespace kelvane {

void WindowScanSink::Attach(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  window_ = window;
}

void WindowScanSink::Detach() {
  std::lock_guard<std::mutex> lock(mutex_);
  window_ = nullptr;
}

ScanReports WindowScanSink::TakeReports() {
  std::lock_guard<std::mutex> lock(mutex_);
  ScanReports reports = std::move(pending_);
  pending_ = ScanReports{};
  notified_ = false;
  return reports;
}

void WindowScanSink::NotifyLocked() {
  if (notified_ || !window_) return;
  notified_ = PostMessageW(window_, kScanReportsWaiting, 0, 0) != FALSE;
}

void WindowScanSink::ShowStatus(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  pending_.status = text;
  pending_.statusChanged = true;
  NotifyLocked();
}

void WindowScanSink::ShowKeyProgress(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  pending_.key = path;
  pending_.keyChanged = true;
  NotifyLocked();
}

void WindowScanSink::AddProblem(const ProblemRecord& row) {
  std::lock_guard<std::mutex> lock(mutex_);
  pending_.rows.push_back(row);
  NotifyLocked();
}

void WindowScanSink::SendTaskStep(bool before) {
  HWND window;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    window = window_;
  }
  // Never hold the lock while the window thread runs the step.
  if (window) SendMessageW(window, kScanTaskStep, before ? 1 : 0, 0);
}

void WindowScanSink::BeforeTask() { SendTaskStep(true); }

void WindowScanSink::AfterTask() { SendTaskStep(false); }

void WindowScanSink::ScanEnded(ScanEnd how) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (window_) PostMessageW(window_, kScanEnded, static_cast<WPARAM>(how), 0);
}

}  // namespace kelvane
