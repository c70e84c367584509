// The summary window after a repair: the number of problems repaired, why some may come
// back, and a box that switches the summary off.
#pragma once

#include <string>

#include "global/Localization.h"
#include "global/Settings.h"
#include "global/win32/ModalDialog.h"

namespace kelvane {

class RepairSummaryDialog : public ModalDialog {
 public:
  // The box changes settings.showRepairSummary in memory; it is written with the other settings.
  RepairSummaryDialog(const Language& language, const std::string& currentLanguage,
                      Settings& settings, int problemCount, int foundAfter);
  // IDNO from Close, Escape or the close box.
  INT_PTR ShowModal(HWND owner);

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnTranslated() override;
  void OnCommand(int id, int code, HWND control) override;

  const Language& language_;
  std::string currentLanguage_;
  Settings& settings_;
  int problemCount_;
  int foundAfter_;
};

}  // namespace kelvane
