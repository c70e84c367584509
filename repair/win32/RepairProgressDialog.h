// The repair progress window: runs the repair's walk on a thread of its own, so the main window
// goes on painting, shows the rows done of the rows ticked, and asks the walk to stop on Stop,
// on closing, or when the owner asks. It ends only once the walk has ended.
#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <string>
#include <thread>

#include "global/Localization.h"
#include "global/win32/ModalDialog.h"
#include "repair/Repair.h"

namespace kelvane {

using RepairWalkCall = std::function<RepairWalk(RepairProgress&)>;

class RepairProgressDialog : public ModalDialog, private RepairProgress {
 public:
  // stop may also be set by the owner while the window is up.
  RepairProgressDialog(const Language& language, const std::string& currentLanguage,
                       RepairWalkCall walk, std::atomic<bool>& stop);
  ~RepairProgressDialog() override;
  // What the walk did; an exception the walk raised is raised here.
  RepairWalk Run(HWND owner);

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnTranslated() override;
  void OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR timer) override;
  bool OnClose() override;
  bool OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ShowProgress();
  void OnStop();

  // On the walk's thread.
  void RowsDone(std::size_t done, std::size_t ticked) override;
  bool StopRequested() override { return stop_; }

  const Language& language_;
  std::string currentLanguage_;
  RepairWalkCall walk_;
  std::atomic<bool>& stop_;
  std::atomic<std::size_t> done_{0};
  std::atomic<std::size_t> ticked_{0};
  std::thread worker_;
  RepairWalk result_;
  std::exception_ptr error_;
};

}  // namespace kelvane
