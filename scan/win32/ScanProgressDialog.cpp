#include "scan/win32/ScanProgressDialog.h"

#include <commctrl.h>

#include <thread>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "scan/ScanProgressCreep.h"
#include "scan/win32/ScanProgressDialogIds.h"
#include "scan/win32/WindowScanSink.h"

namespace kelvane {

// Everything the worker uses, kept alive by the worker's thread until it ends, even when the
// window has already closed after a stop.
struct ScanSession {
  explicit ScanSession(const ScanRequest& request)
      : lan(request.language), language(profiles, files.ProgramFolder(), lan) {}
  Win32Registry registry;
  Win32FileSystem files;
  Win32System system;
  Win32ProfileStore profiles;
  std::string lan;
  Language language;
  WindowScanSink sink;
  std::unique_ptr<Scanner> scanner;
};

namespace {

constexpr UINT_PTR kCreepTimer = 1;
constexpr UINT kCreepInterval = 500;
// Rows cost the list a refresh each time they are shown: reports are taken at most this often,
// and what arrives in between waits in the sink.
constexpr UINT_PTR kDeliveryTimer = 2;
constexpr DWORD kDeliveryInterval = 100;

}  // namespace

ScanProgressDialog::ScanProgressDialog(ScanRequest request) : request_(std::move(request)) {}

ScanProgressDialog::~ScanProgressDialog() = default;

INT_PTR ScanProgressDialog::ShowModal(HWND owner) {
  const INT_PTR result = DoModal(owner, IDD_SCAN_PROGRESS);
  if (session_) {
    session_->sink.Detach();
    // Rows found before the window closed still belong to the results.
    DeliverReports();
  }
  return result;
}

void ScanProgressDialog::OnInit() {
  CenterOnOwner();
  SendMessageW(Item(IDC_SCAN_PROGRESS), PBM_SETRANGE32, 0, kProgressMaximum);
  SetProgress(0);
  SetItemText(IDC_SCAN_KEY, "Registry Key");
  session_ = std::make_shared<ScanSession>(request_);
  // Never shown, so never activated: the unattended scan starts at once.
  if (request_.cleanOnce) {
    started_ = true;
    PostMessageW(Handle(), kStartScanMessage, 0, 0);
  }
}

DialogTranslation ScanProgressDialog::Translation() const {
  return {session_->language,
          request_.language,
          "frmRegProgressHint",
          {{"suiGroupBox1", IDC_PROGRESS_GROUP},
           {"lScanTask", IDC_SCAN_TASK},
           {"bStop", IDC_SCAN_STOP}}};
}

bool ScanProgressDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The dialog manager shows a modal dialog once its queue is empty: an unattended scan keeps
  // it hidden all along.
  if (message == WM_WINDOWPOSCHANGING && request_.cleanOnce) {
    reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    return true;
  }
  // Left to the dialog manager as well, which sets the focus.
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !started_) {
    started_ = true;
    PostMessageW(Handle(), kStartScanMessage, 0, 0);
  }
  return false;
}

bool ScanProgressDialog::OnPrivateMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case kStartScanMessage: StartScan(); return true;
    case kScanReportsWaiting: OnReportsWaiting(); return true;
    case kScanTaskStep: TaskStep(wParam != 0); return true;
    case kScanEnded:
      // Ended by itself, completed or failed: nothing is left to stop.
      KillTimer(Handle(), kCreepTimer);
      timerEnabled_ = false;
      if (static_cast<ScanEnd>(wParam) == ScanEnd::Failed) failure_ = session_->scanner->Failure();
      End(IDCANCEL);
      return true;
    default: return false;
  }
}

void ScanProgressDialog::OnTimer(UINT_PTR timer) {
  if (timer == kCreepTimer) SetProgress(NextCreepPosition(Progress(), kScanProgressCreep));
  if (timer == kDeliveryTimer) {
    KillTimer(Handle(), kDeliveryTimer);
    DeliverReports();
  }
}

bool ScanProgressDialog::OnClose() {
  if (timerEnabled_) {
    OnStop();
  } else {
    End(IDCANCEL);
  }
  return true;
}

void ScanProgressDialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
  if (id == IDC_SCAN_STOP || id == IDCANCEL) OnStop();
}

void ScanProgressDialog::StartScan() {
  ScanSession& session = *session_;
  session.sink.Attach(Handle());
  session.scanner = std::make_unique<Scanner>(session.registry, session.files, session.system,
                                              session.language, request_.options, session.sink);
  session.scanner->MeasureFloppyDrives();
  std::shared_ptr<ScanSession> keepAlive = session_;
  std::thread([keepAlive, tasks = request_.tasks] { keepAlive->scanner->Execute(tasks); }).detach();
}

void ScanProgressDialog::OnReportsWaiting() {
  const DWORD since = GetTickCount() - lastDelivery_;
  if (since >= kDeliveryInterval) {
    DeliverReports();
  } else {
    SetTimer(Handle(), kDeliveryTimer, kDeliveryInterval - since, nullptr);
  }
}

void ScanProgressDialog::DeliverReports() {
  lastDelivery_ = GetTickCount();
  ScanReports reports = session_->sink.TakeReports();
  if (reports.statusChanged) SetItemText(IDC_SCAN_TASK, reports.status);
  if (reports.keyChanged) SetItemText(IDC_SCAN_KEY, reports.key);
  if (request_.onRows && !reports.rows.empty()) request_.onRows(reports.rows);
}

void ScanProgressDialog::TaskStep(bool before) {
  // Rows of the finished task come before its counts are refreshed.
  DeliverReports();
  if (before) {
    SetProgress(0);
    SetTimer(Handle(), kCreepTimer, kCreepInterval, nullptr);
    timerEnabled_ = true;
    return;
  }
  if (session_->scanner && session_->scanner->StopRequested()) return;
  KillTimer(Handle(), kCreepTimer);
  timerEnabled_ = false;
  SetProgress(kProgressMaximum);
  if (request_.notifyWindow) PostMessageW(request_.notifyWindow, kScanTaskDoneMessage, 0, 0);
}

void ScanProgressDialog::OnStop() {
  if (session_ && session_->scanner) session_->scanner->Stop();
  KillTimer(Handle(), kCreepTimer);
  timerEnabled_ = false;
  End(IDABORT);
}

void ScanProgressDialog::SetProgress(int position) {
  SendMessageW(Item(IDC_SCAN_PROGRESS), PBM_SETPOS, position, 0);
}

int ScanProgressDialog::Progress() const {
  return static_cast<int>(SendMessageW(Item(IDC_SCAN_PROGRESS), PBM_GETPOS, 0, 0));
}

}  // namespace kelvane
