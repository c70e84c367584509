#include "editor/win32/ProcessProgressDialog.h"

#include <commctrl.h>

#include <utility>

#include "editor/ProcessProgress.h"
#include "editor/win32/ProcessProgressDialogIds.h"
#include "global/ProductTitle.h"
#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

constexpr UINT_PTR kPollTimer = 1;

}  // namespace

ProcessProgressDialog::ProcessProgressDialog(const Language& language,
                                             const std::string& currentLanguage,
                                             StartedProcess& process, std::string hint)
    : language_(language),
      currentLanguage_(currentLanguage),
      process_(process),
      hint_(std::move(hint)) {}

INT_PTR ProcessProgressDialog::ShowModal(HWND owner) {
  return DoModal(owner, IDD_PROCESS_PROGRESS);
}

void ProcessProgressDialog::OnInit() {
  CenterOnOwner();
  position_ = 0;
  SendMessageW(Item(IDC_PROCESS_PROGRESS_BAR), PBM_SETRANGE32, 0, kProcessProgressMaximum);
  SendMessageW(Item(IDC_PROCESS_PROGRESS_BAR), PBM_SETPOS, position_, 0);
  SetWindowTextW(Handle(), Wide(kApplicationTitle).c_str());
}

DialogTranslation ProcessProgressDialog::Translation() const {
  return {language_,
          currentLanguage_,
          "frmBackupHint",
          {{"suiGroupBox1", IDC_PROCESS_PROGRESS_GROUP},
           {"lHint", IDC_PROCESS_PROGRESS_HINT},
           {"bStop", IDC_PROCESS_PROGRESS_STOP}}};
}

void ProcessProgressDialog::OnTranslated() {
  SetItemText(IDC_PROCESS_PROGRESS_HINT, hint_);
  SetTimer(Handle(), kPollTimer, kProcessProgressInterval, nullptr);
}

void ProcessProgressDialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
  switch (id) {
    case IDC_PROCESS_PROGRESS_STOP: OnStop(); break;
    // Escape, as the close box: the process goes on.
    case IDCANCEL: End(IDCANCEL); break;
    default: break;
  }
}

bool ProcessProgressDialog::OnClose() {
  End(IDCANCEL);
  return true;
}

void ProcessProgressDialog::OnTimer(UINT_PTR timer) {
  if (timer != kPollTimer) return;
  if (process_.HasEnded()) {
    KillTimer(Handle(), kPollTimer);
    End(IDOK);
    return;
  }
  position_ = NextProcessProgressPosition(position_);
  SendMessageW(Item(IDC_PROCESS_PROGRESS_BAR), PBM_SETPOS, position_, 0);
}

void ProcessProgressDialog::OnStop() {
  KillTimer(Handle(), kPollTimer);
  process_.Terminate();
  End(IDCANCEL);
}

}  // namespace kelvane
