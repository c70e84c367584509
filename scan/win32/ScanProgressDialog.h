// The scan progress window: starts the worker when first activated, shows the category and
// key being read and a creeping bar, and stops the scan on Stop or when closed during a task.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "global/win32/ModalDialog.h"
#include "global/win32/WindowMessages.h"
#include "scan/ProblemRecord.h"
#include "scan/Scanner.h"

namespace kelvane {

struct ScanRequest {
  std::vector<ScanCategory> tasks;
  ScanOptions options;
  std::string language;
  bool cleanOnce = false;
  HWND notifyWindow = nullptr;                      // told after every task, to refresh its counts
  // On the window thread, in the order found, as many as arrived since the last call.
  std::function<void(std::vector<ProblemRecord>& rows)> onRows;
};

struct ScanSession;

class ScanProgressDialog : public ModalDialog {
 public:
  explicit ScanProgressDialog(ScanRequest request);
  ~ScanProgressDialog() override;
  // IDABORT after a stop, IDCANCEL when the scan ended by itself.
  INT_PTR ShowModal(HWND owner);
  // Why the scan ended early, when a category failed.
  const std::optional<ScanFailure>& Failure() const { return failure_; }

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR timer) override;
  bool OnClose() override;
  bool OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void StartScan();
  void OnReportsWaiting();
  void DeliverReports();
  void TaskStep(bool before);
  void OnStop();
  void SetProgress(int position);
  int Progress() const;

  ScanRequest request_;
  std::shared_ptr<ScanSession> session_;
  bool started_ = false;
  bool timerEnabled_ = false;
  DWORD lastDelivery_ = 0;  // tick count
  std::optional<ScanFailure> failure_;
};

}  // namespace kelvane
