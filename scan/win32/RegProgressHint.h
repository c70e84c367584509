// The scan progress window: starts the worker when first activated, shows the category and
// key being read and a creeping bar, and stops the scan on Stop or when closed during a task.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "global/win32/ModalDialog.h"
#include "scan/ProblemRecord.h"
#include "scan/ScanTaskThread.h"

namespace kelvane {

constexpr UINT kStartScanMessage = WM_USER + 0x2009;
constexpr UINT kScanTaskDoneMessage = WM_USER + 0x2013;
constexpr INT_PTR kModalResultAbort = 3;
constexpr INT_PTR kModalResultCancel = 2;

struct ScanRequest {
  std::vector<std::string> tasks;
  ScanOptions options;
  std::string language;
  bool cleanOnce = false;
  HWND notifyWindow = nullptr;  // told after every task, to refresh its counts
  std::function<void(const ProblemRecord&)> onRow;  // on the window thread, in the order found
};

struct ScanSession;

class TfrmRegProgressHint : public ModalDialog {
 public:
  explicit TfrmRegProgressHint(ScanRequest request);
  ~TfrmRegProgressHint() override;
  // kModalResultAbort after a stop, kModalResultCancel when the scan ended by itself.
  INT_PTR ShowModal(HWND owner);

 private:
  void OnInit() override;
  void OnCommand(int id) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void StartScan();
  void DeliverReports();
  void TaskStep(bool before);
  void bStopClick();
  void SetProgress(int position);
  int Progress() const;

  ScanRequest request_;
  std::shared_ptr<ScanSession> session_;
  bool started_ = false;
  bool timerEnabled_ = false;
};

}  // namespace kelvane
