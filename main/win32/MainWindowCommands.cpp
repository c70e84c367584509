// The main window's commands: scan, repair, the unattended run, ticks, ignore lists, report.
#include "main/win32/MainWindow.h"

#include <commctrl.h>

#include "backup/win32/RestoreDialog.h"
#include "editor/win32/WindowEditorPrompts.h"
#include "global/win32/FittedMessageBox.h"
#include "global/win32/SaveFileDialog.h"
#include "global/win32/StandardStreams.h"
#include "main/win32/MainWindowLayout.h"
#include "repair/CleanOnce.h"
#include "repair/RepairRun.h"
#include "repair/win32/WindowRepairPrompts.h"
#include "results/TextReport.h"
#include "scan/ScanFailureMessage.h"
#include "scan/win32/ScanProgressDialog.h"

namespace kelvane {
namespace {

// Raises a flag for as long as it lives, however its scope is left.
class RaisedFlag {
 public:
  explicit RaisedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RaisedFlag() { flag_ = false; }
  RaisedFlag(const RaisedFlag&) = delete;
  RaisedFlag& operator=(const RaisedFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

bool MainWindow::OnScan() {
  const std::vector<ScanCategory> tasks = tree_.Collect();
  if (results_.Empty()) {
    listView_->SetColumnWidth(1, Px(kDesignedColumnWidths[1]));
    listView_->SetColumnWidth(2, Px(kDesignedColumnWidths[2]));
  }
  if (tasks.empty()) return true;
  return ScanTasks(tasks, false);
}

std::size_t MainWindow::CheckAfterRepair(const std::vector<ScanCategory>& categories) {
  ScanTasks(categories, true);
  return results_.Count();
}

bool MainWindow::ScanTasks(const std::vector<ScanCategory>& tasks, bool afterRepair) {
  results_.Clear();
  hiddenRows_ = 0;
  listView_->Restart();

  ScanRequest request;
  request.tasks = tasks;
  request.options = ScanOptions{settings_.judgeRemovableMedia, settings_.judgeCdDrives,
                                settings_.scan64Bit};
  request.language = settings_.languageName;
  request.cleanOnce = cleanOnce_;
  request.notifyWindow = handle_;
  // Rows are judged as they arrive, so that the end of a large scan has little left to do.
  const HiddenRows hidden(settings_, leftovers_);
  request.onRows = [this, &hidden](std::vector<ProblemRecord>& rows) {
    const std::size_t first = results_.Count();
    for (ProblemRecord& row : rows) {
      if (hidden.Hides(row)) {
        ++hiddenRows_;
      } else {
        results_.Add(std::move(row));
      }
    }
    listView_->ShowAddedRows(first);
  };
  ScanProgressDialog progress(std::move(request));
  // Rows arrive whole, so the last one is complete even after a stop and is kept.
  progress.ShowModal(handle_);
  scanIncomplete_ = progress.Failure().has_value();

  // Unattended runs repair only what is certain, whatever the setting.
  results_.TickFound(settings_.tickReviewRows && !cleanOnce_);
  if (results_.Empty() && hiddenRows_ == 0) {
    for (int column = 0; column < kResultColumnCount; ++column) {
      if (listView_->ColumnWidth(column) < Px(kNarrowestEmptyColumn)) {
        listView_->SetColumnWidth(column, Px(kNarrowestEmptyColumn));
      }
    }
  } else {
    listView_->FitToContents();
  }
  listView_->Refresh();
  UpdateStatusCounts();
  // The repair beeps once it is done, check included.
  if (settings_.beepWhenDone && !afterRepair) BeepWhenDone();
  if (const std::optional<ScanFailure>& failure = progress.Failure()) {
    if (cleanOnce_) {
      WriteStandardError("clean-once: " + ScanFailureLine(*failure));
    } else {
      FittedMessageBox(handle_, ScanFailureMessage(language_, *failure), MB_OK | MB_ICONWARNING);
    }
    return false;
  }
  return true;
}

RepairOutcome MainWindow::OnRepair() {
  if (!cleanOnce_ && results_.TickedCount() == 0) {
    // A repair that would do nothing says so rather than nothing at all.
    FittedMessageBox(
        handle_, language_.LangString("RES_Nothing_Ticked", "No problem is ticked for repairing."),
        MB_OK | MB_ICONINFORMATION);
    return RepairOutcome::Repaired;
  }
  WindowRepairPrompts prompts(
      handle_, language_, settings_,
      [this] {
        listView_->Refresh();
        UpdateStatusCounts();
      },
      [this](const std::vector<ScanCategory>& categories) {
        return CheckAfterRepair(categories);
      },
      !cleanOnce_, stopRepair_);
  RepairContext context{registry_, files_, system_.Version(), [] {
                          SYSTEMTIME now;
                          GetLocalTime(&now);
                          return LocalDateTime{now.wYear, now.wMonth,  now.wDay,
                                               now.wHour, now.wMinute, now.wSecond};
                        }, RepairGroupLimits{}};
  stopRepair_ = false;
  closeAfterRepair_ = false;
  const RepairOutcome outcome = [&] {
    // Whatever ends the run, the window can be closed again.
    const RaisedFlag repairing(repairing_);
    RunBackupFiles backup;
    return RunRepair(results_, leftovers_, settings_, language_, context, prompts, backup);
  }();
  // What the repair left is no longer in the list, and later scans hide it.
  if (results_.Empty()) hiddenRows_ = 0;
  UpdateStatusCounts();
  // A close asked for during the run waited for it.
  if (closeAfterRepair_) PostMessageW(handle_, WM_CLOSE, 0, 0);
  return outcome;
}

void MainWindow::TickRows(bool ticked, bool ofType) {
  if (ofType) {
    const int current = listView_->CurrentRow();
    if (current < 0) return;
    results_.TickAllOfType(static_cast<std::size_t>(current), ticked);
  } else {
    results_.TickAll(ticked);
  }
  listView_->Refresh();
  UpdateStatusCounts();
}

void MainWindow::OnAddToIgnoreLists() {
  if (listView_->CurrentRow() < 0) return;
  const std::size_t before = results_.Count();
  AddSelectedToIgnoreLists(results_, settings_, listView_->SelectedRows());
  hiddenRows_ += before - results_.Count();
  ListView_SetItemState(listView_->Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  listView_->Refresh();
  UpdateStatusCounts();
}

void MainWindow::OnBackupFullRegistry() {
  WindowEditorPrompts prompts(handle_, language_, settings_.languageName);
  BackupFullRegistry(editorContext_, prompts);
}

void MainWindow::OnRestore() {
  RestoreDialog window(editorContext_, settings_);
  window.ShowModal(handle_);
}

void MainWindow::OnOpenInRegistryEditor() {
  const int current = listView_->CurrentRow();
  if (!HasCurrentRegistryRow(results_, current)) return;
  OpenInRegistryEditor(editorContext_, results_.Row(static_cast<std::size_t>(current)).record);
}

void MainWindow::OnSaveReport() {
  if (results_.Empty()) return;
  const std::optional<std::string> chosen =
      AskSaveFile(handle_, kTextReportDialogTitle, kTextReportDialogFilter);
  if (!chosen) return;
  const std::string file = TextReportFileName(*chosen);
  if (files_.FileExists(file) &&
      FittedMessageBox(handle_, OverwriteQuestion(file),
                       MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDYES) {
    return;
  }
  try {
    WriteTextReport(files_, file, results_);
  } catch (const FileIoError& error) {
    FittedMessageBox(handle_, error.what(), MB_OK | MB_ICONERROR);
  }
}

void MainWindow::RunCleanOnce() {
  ShowWindow(handle_, SW_HIDE);
  // The caller learns the outcome from the exit code, and why from standard error.
  std::optional<RepairOutcome> repair;
  if (OnScan()) {
    CleanOnceTally tally;
    repair = RepairInPasses(results_, [this] { return OnRepair(); }, tally);
    WriteStandardError(CleanOnceRepairLine(tally, *repair));
  }
  exitCode_ = CleanOnceExitCode(repair);
  PostMessageW(handle_, WM_CLOSE, 0, 0);
}

}  // namespace kelvane
