// The restore-point window: asks System Restore for a restore point on a thread of its own
// while a bar creeps, then lets the repair go on (OK) or abandons it (Cancel).
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "global/Localization.h"
#include "global/win32/ModalDialog.h"
#include "global/win32/WindowMessages.h"
#include "repair/RestorePoint.h"

namespace kelvane {

// The request to System Restore; tests put their own in its place.
using RestorePointCall = std::function<RestorePointOutcome()>;

// SRSetRestorePointW from the system folder's SrClient.dll, called once. A missing library or
// entry point counts as a failure.
RestorePointOutcome CreateRestorePoint();

// Where the worker posts its outcome. The window withdraws it when it stops waiting, so a
// late outcome never reaches a closed window, nor another that got its handle.
class RestorePointNotice {
 public:
  explicit RestorePointNotice(HWND window) : window_(window) {}
  void Post(RestorePointOutcome outcome);
  void Withdraw();

 private:
  std::mutex lock_;
  HWND window_;
};

// Owns everything it uses, so it can be given up while its request still runs.
class RestorePointWorker {
 public:
  RestorePointWorker(std::shared_ptr<RestorePointNotice> notice, RestorePointCall call);
  // Runs detached and frees the worker when it ends.
  static void Start(std::unique_ptr<RestorePointWorker> worker);

 private:
  void Execute();

  std::shared_ptr<RestorePointNotice> notice_;
  RestorePointCall call_;
};

class RestorePointDialog : public ModalDialog {
 public:
  RestorePointDialog(const Language& language, const std::string& currentLanguage,
                     RestorePointCall call = CreateRestorePoint);
  // IDOK to go on with the repair, IDCANCEL to abandon it.
  INT_PTR ShowModal(HWND owner);

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR timer) override;
  bool OnClose() override;
  bool OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void StartWorker();
  void RestorePointDone(RestorePointOutcome outcome);
  void CloseRequested();
  void AdvanceProgress();

  const Language& language_;
  std::string currentLanguage_;
  RestorePointCall call_;
  std::shared_ptr<RestorePointNotice> notice_;  // set while the worker's outcome is awaited
  bool done_ = false;
  INT_PTR result_ = IDCANCEL;
};

}  // namespace kelvane
