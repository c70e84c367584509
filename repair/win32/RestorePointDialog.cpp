#include "repair/win32/RestorePointDialog.h"

#include <commctrl.h>

#include <system_error>
#include <thread>
#include <utility>

#include "global/win32/FittedMessageBox.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Handles.h"
#include "repair/win32/RestorePointDialogIds.h"

namespace kelvane {
namespace {

constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressInterval = 1000;

using SetRestorePointFunction = BOOL(WINAPI*)(RestorePointRequest*, RestorePointStatus*);

// The system folder's copy only: the program runs elevated, so a SrClient.dll planted beside
// it or on the search path must never be loaded.
std::string SystemLibraryPath(const char* name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  return Utf8(folder, length) + "\\" + name;
}

}  // namespace

RestorePointOutcome CreateRestorePoint() {
  const std::string path = SystemLibraryPath("SrClient.dll");
  if (path.empty()) return RestorePointOutcome::Failed;
  // The library's own imports are looked for beside it first, not beside the program.
  LibraryHandle library(LoadLibraryExW(Wide(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!library) return RestorePointOutcome::Failed;
  // Through void(*)() the compiler accepts the change of signature.
  const auto setRestorePoint = reinterpret_cast<SetRestorePointFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(library.get(), "SRSetRestorePointW")));
  if (!setRestorePoint) return RestorePointOutcome::Failed;
  RestorePointRequest request = MakeRestorePointRequest(kRestorePointDescription);
  RestorePointStatus status{};
  return setRestorePoint(&request, &status) ? RestorePointOutcome::Created
                                            : RestorePointOutcome::Failed;
}

void RestorePointNotice::Post(RestorePointOutcome outcome) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!window_) return;
  PostMessageW(window_, kRestorePointDoneMessage, 0,
               outcome == RestorePointOutcome::Created ? 0 : 1);
}

void RestorePointNotice::Withdraw() {
  std::lock_guard<std::mutex> hold(lock_);
  window_ = nullptr;
}

RestorePointWorker::RestorePointWorker(std::shared_ptr<RestorePointNotice> notice,
                                       RestorePointCall call)
    : notice_(std::move(notice)), call_(std::move(call)) {}

void RestorePointWorker::Start(std::unique_ptr<RestorePointWorker> worker) {
  std::thread([owned = std::move(worker)] { owned->Execute(); }).detach();
}

void RestorePointWorker::Execute() {
  RestorePointOutcome outcome = RestorePointOutcome::Failed;
  try {
    outcome = call_();
  } catch (...) {
    // The user only learns that no restore point was made.
  }
  notice_->Post(outcome);
}

RestorePointDialog::RestorePointDialog(const Language& language, const std::string& currentLanguage,
                                       RestorePointCall call)
    : language_(language), currentLanguage_(currentLanguage), call_(std::move(call)) {}

INT_PTR RestorePointDialog::ShowModal(HWND owner) {
  const INT_PTR result = DoModal(owner, IDD_RESTORE_POINT);
  // However the window ended, a worker still running is given up.
  if (notice_) notice_->Withdraw();
  return result;
}

void RestorePointDialog::OnInit() {
  CenterOnOwner();
  SendMessageW(Item(IDC_RESTORE_POINT_PROGRESS), PBM_SETRANGE32, 0, kRestorePointProgressMaximum);
  SendMessageW(Item(IDC_RESTORE_POINT_PROGRESS), PBM_SETPOS, 0, 0);
  SetTimer(Handle(), kProgressTimer, kProgressInterval, nullptr);
  done_ = false;
  StartWorker();
}

DialogTranslation RestorePointDialog::Translation() const {
  return {language_,
          currentLanguage_,
          "frmSystemPoint",
          {{"suiGroupBox1", IDC_RESTORE_POINT_GROUP},
           {"lScanTask", IDC_RESTORE_POINT_TASK},
           {"Label1", IDC_RESTORE_POINT_LINE1},
           {"Label3", IDC_RESTORE_POINT_LINE2},
           {"Label2", IDC_RESTORE_POINT_WAIT}}};
}

void RestorePointDialog::StartWorker() {
  notice_ = std::make_shared<RestorePointNotice>(Handle());
  try {
    RestorePointWorker::Start(std::make_unique<RestorePointWorker>(notice_, std::move(call_)));
  } catch (const std::system_error&) {
    // Without a worker no outcome would ever come: as good as a failed request.
    notice_->Post(RestorePointOutcome::Failed);
  }
}

void RestorePointDialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
  // Escape; there is no button.
  if (id == IDCANCEL) CloseRequested();
}

void RestorePointDialog::OnTimer(UINT_PTR timer) {
  if (timer == kProgressTimer) AdvanceProgress();
}

bool RestorePointDialog::OnClose() {
  CloseRequested();
  return true;
}

bool RestorePointDialog::OnPrivateMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
  if (message != kRestorePointDoneMessage) return false;
  RestorePointDone(lParam == 0 ? RestorePointOutcome::Created : RestorePointOutcome::Failed);
  return true;
}

void RestorePointDialog::RestorePointDone(RestorePointOutcome outcome) {
  // A notice that is no longer awaited (the window is closing, or it came twice) is ignored.
  if (!notice_ || done_) return;
  notice_->Withdraw();
  notice_.reset();
  result_ = IDOK;
  if (outcome == RestorePointOutcome::Failed) {
    const std::string question = language_.LangString(
        "RES_CreatePoint_Fail", "Restore Point creation Failed! Contiue to repair?");
    if (FittedMessageBox(Handle(), question, MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION) ==
        IDNO) {
      result_ = IDCANCEL;
    }
  }
  done_ = true;
  PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void RestorePointDialog::CloseRequested() {
  if (done_) {
    End(result_);
    return;
  }
  // While the question is open, its answer decides.
  if (!notice_) return;
  // Closed while waiting: the repair is abandoned and the worker given up.
  notice_->Withdraw();
  notice_.reset();
  End(IDCANCEL);
}

void RestorePointDialog::AdvanceProgress() {
  HWND bar = Item(IDC_RESTORE_POINT_PROGRESS);
  const int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
  SendMessageW(bar, PBM_SETPOS, NextCreepPosition(position, kRestorePointCreep), 0);
}

}  // namespace kelvane
