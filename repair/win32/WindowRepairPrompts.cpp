#include "repair/win32/WindowRepairPrompts.h"

#include <utility>

#include "global/win32/FittedMessageBox.h"
#include "repair/win32/RepairProgressDialog.h"
#include "repair/win32/RepairSummaryDialog.h"
#include "repair/win32/RestorePointDialog.h"

namespace kelvane {
namespace {

// The walk on the window's own thread, for the unattended run that shows no window.
class UnseenProgress : public RepairProgress {
 public:
  explicit UnseenProgress(std::atomic<bool>& stop) : stop_(stop) {}
  void RowsDone(std::size_t, std::size_t) override {}
  bool StopRequested() override { return stop_; }

 private:
  std::atomic<bool>& stop_;
};

}  // namespace

void BeepWhenDone() {
  ::Beep(2047, 500);
}

WindowRepairPrompts::WindowRepairPrompts(HWND owner, const Language& language, Settings& settings,
                                         std::function<void()> showResults,
                                         CheckAgainFunction checkAgain, bool showProgress,
                                         std::atomic<bool>& stop)
    : owner_(owner),
      language_(language),
      settings_(settings),
      showResults_(std::move(showResults)),
      checkAgain_(std::move(checkAgain)),
      showProgress_(showProgress),
      stop_(stop) {}

bool WindowRepairPrompts::AskCreateBackupFolder(const std::string& question) {
  return FittedMessageBox(owner_, question, MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

bool WindowRepairPrompts::CreateRestorePoint() {
  RestorePointDialog window(language_, settings_.languageName);
  return window.ShowModal(owner_) != IDCANCEL;
}

RepairWalk WindowRepairPrompts::RunWalk(const std::function<RepairWalk(RepairProgress&)>& walk) {
  if (!showProgress_) {
    UnseenProgress progress(stop_);
    return walk(progress);
  }
  RepairProgressDialog window(language_, settings_.languageName, walk, stop_);
  return window.Run(owner_);
}

void WindowRepairPrompts::ShowResults() {
  showResults_();
}

std::size_t WindowRepairPrompts::CheckAgain(const std::vector<ScanCategory>& categories) {
  return checkAgain_(categories);
}

void WindowRepairPrompts::ShowSummary(std::size_t tickedCount, std::size_t foundAfter) {
  RepairSummaryDialog window(language_, settings_.languageName, settings_,
                             static_cast<int>(tickedCount), static_cast<int>(foundAfter));
  window.ShowModal(owner_);
}

void WindowRepairPrompts::ShowFailure(const std::string& message) {
  FittedMessageBox(owner_, message, MB_OK | MB_ICONERROR);
}

void WindowRepairPrompts::Beep() {
  BeepWhenDone();
}

}  // namespace kelvane
