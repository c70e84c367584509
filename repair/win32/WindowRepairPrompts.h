// The repair's questions and windows, each modal to the main window.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "global/Localization.h"
#include "global/Settings.h"
#include "repair/RepairRun.h"

namespace kelvane {

class WindowRepairPrompts : public RepairPrompts {
 public:
  using CheckAgainFunction = std::function<std::size_t(const std::vector<ScanCategory>&)>;

  // showResults shows the rows again after they changed; checkAgain scans the categories into
  // the list. With showProgress the walk runs off the window's thread behind a progress
  // window, and setting stop ends it after its group.
  WindowRepairPrompts(HWND owner, const Language& language, Settings& settings,
                      std::function<void()> showResults, CheckAgainFunction checkAgain,
                      bool showProgress, std::atomic<bool>& stop);

  bool AskCreateBackupFolder(const std::string& question) override;
  bool CreateRestorePoint() override;
  RepairWalk RunWalk(const std::function<RepairWalk(RepairProgress&)>& walk) override;
  void ShowResults() override;
  std::size_t CheckAgain(const std::vector<ScanCategory>& categories) override;
  void ShowSummary(std::size_t tickedCount, std::size_t foundAfter) override;
  void ShowFailure(const std::string& message) override;
  void Beep() override;

 private:
  HWND owner_;
  const Language& language_;
  Settings& settings_;
  std::function<void()> showResults_;
  CheckAgainFunction checkAgain_;
  bool showProgress_;
  std::atomic<bool>& stop_;
};

// The sound after a scan and after a repair, when the setting asks for it.
void BeepWhenDone();

}  // namespace kelvane
