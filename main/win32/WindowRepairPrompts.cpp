#include "main/win32/WindowRepairPrompts.h"

#include <utility>

#include "global/win32/FittedMessageBox.h"
#include "windows/win32/RepairSummaryDialog.h"
#include "windows/win32/RestorePointDialog.h"

namespace kelvane {

void BeepWhenDone() {
  ::Beep(2047, 500);
}

WindowRepairPrompts::WindowRepairPrompts(HWND owner, const Language& language, Settings& settings,
                                         std::function<void()> showResults)
    : owner_(owner),
      language_(language),
      settings_(settings),
      showResults_(std::move(showResults)) {}

bool WindowRepairPrompts::AskCreateBackupFolder(const std::string& question) {
  return FittedMessageBox(owner_, question, MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

bool WindowRepairPrompts::CreateRestorePoint() {
  RestorePointDialog window(language_, settings_.Lan);
  return window.ShowModal(owner_) != IDCANCEL;
}

void WindowRepairPrompts::ShowResults() {
  showResults_();
}

void WindowRepairPrompts::ShowSummary(std::size_t tickedCount) {
  RepairSummaryDialog window(language_, settings_.Lan, settings_, static_cast<int>(tickedCount));
  window.ShowModal(owner_);
}

void WindowRepairPrompts::ShowFailure(const std::string& message) {
  FittedMessageBox(owner_, message, MB_OK | MB_ICONERROR);
}

void WindowRepairPrompts::Beep() {
  BeepWhenDone();
}

}  // namespace kelvane
