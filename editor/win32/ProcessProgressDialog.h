// The process progress window: shown while the registry editor runs, it polls the process on a
// timer with a creeping bar, and ends when the process ends or the user stops it.
#pragma once

#include <string>

#include "global/Localization.h"
#include "global/win32/ModalDialog.h"
#include "platform/ProcessStarter.h"

namespace kelvane {

class ProcessProgressDialog : public ModalDialog {
 public:
  // The hint is shown as given, after the window is translated.
  ProcessProgressDialog(const Language& language, const std::string& currentLanguage,
                        StartedProcess& process, std::string hint);
  // IDOK when the process ended by itself; IDCANCEL after Stop, which ends the process, or
  // after the window was closed, which leaves it running.
  INT_PTR ShowModal(HWND owner);

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnTranslated() override;
  void OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR timer) override;
  bool OnClose() override;
  void OnStop();

  const Language& language_;
  std::string currentLanguage_;
  StartedProcess& process_;
  std::string hint_;
  // Kept here: the bar holds no position past its maximum.
  int position_ = 0;
};

}  // namespace kelvane
