#include "repair/win32/RepairProgressDialog.h"

#include <commctrl.h>

#include <utility>

#include "global/win32/WindowMessages.h"
#include "repair/win32/RepairProgressDialogIds.h"

namespace kelvane {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT kShowInterval = 100;
constexpr int kBarMaximum = 1000;

}  // namespace

RepairProgressDialog::RepairProgressDialog(const Language& language,
                                           const std::string& currentLanguage, RepairWalkCall walk,
                                           std::atomic<bool>& stop)
    : language_(language), currentLanguage_(currentLanguage), walk_(std::move(walk)), stop_(stop) {}

RepairProgressDialog::~RepairProgressDialog() {
  if (worker_.joinable()) worker_.join();
}

RepairWalk RepairProgressDialog::Run(HWND owner) {
  if (DoModal(owner, IDD_REPAIR_PROGRESS) == -1) {
    // Without its window the walk still runs, on this thread.
    return walk_(*this);
  }
  if (worker_.joinable()) worker_.join();
  if (error_) std::rethrow_exception(error_);
  return std::move(result_);
}

void RepairProgressDialog::OnInit() {
  CenterOnOwner();
  SendMessageW(Item(IDC_REPAIR_PROGRESS_BAR), PBM_SETRANGE32, 0, kBarMaximum);
}

DialogTranslation RepairProgressDialog::Translation() const {
  return {language_,
          currentLanguage_,
          "frmRepairProgress",
          {{"GroupBox1", IDC_REPAIR_PROGRESS_GROUP}, {"bStop", IDC_REPAIR_PROGRESS_STOP}}};
}

void RepairProgressDialog::OnTranslated() {
  ShowProgress();
  SetTimer(Handle(), kShowTimer, kShowInterval, nullptr);
  HWND window = Handle();
  worker_ = std::thread([this, window] {
    try {
      result_ = walk_(*this);
    } catch (...) {
      error_ = std::current_exception();
    }
    // The window waits for this message before it ends, so it is still there.
    PostMessageW(window, kRepairWalkEnded, 0, 0);
  });
}

void RepairProgressDialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
  if (id == IDC_REPAIR_PROGRESS_STOP || id == IDCANCEL) OnStop();
}

void RepairProgressDialog::OnTimer(UINT_PTR timer) {
  if (timer == kShowTimer) ShowProgress();
}

bool RepairProgressDialog::OnClose() {
  OnStop();
  return true;
}

bool RepairProgressDialog::OnPrivateMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (message != kRepairWalkEnded) return false;
  KillTimer(Handle(), kShowTimer);
  End(IDOK);
  return true;
}

void RepairProgressDialog::ShowProgress() {
  const std::size_t done = done_;
  const std::size_t ticked = ticked_;
  SetItemText(IDC_REPAIR_PROGRESS_HINT,
              language_.LangString("RES_Repairing_Problems", "Repairing problems:") + " " +
                  std::to_string(done) + " / " + std::to_string(ticked));
  const int position = ticked == 0 ? 0 : static_cast<int>(done * kBarMaximum / ticked);
  SendMessageW(Item(IDC_REPAIR_PROGRESS_BAR), PBM_SETPOS, position, 0);
}

void RepairProgressDialog::OnStop() {
  // The group in hand is finished first; the window ends when the walk does.
  stop_ = true;
  EnableWindow(Item(IDC_REPAIR_PROGRESS_STOP), FALSE);
}

void RepairProgressDialog::RowsDone(std::size_t done, std::size_t ticked) {
  done_ = done;
  ticked_ = ticked;
}

}  // namespace kelvane
