#include "main/win32/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include "global/win32/CallbackGuard.h"
#include "global/win32/ChildWindow.h"
#include "global/win32/DialogTexts.h"
#include "main/Addresses.h"
#include "main/LanguageMenu.h"
#include "main/RepairRun.h"
#include "main/TextReport.h"
#include "main/win32/MainWindowLayout.h"
#include "main/win32/SaveFileDialog.h"
#include "main/win32/WindowEditorPrompts.h"
#include "main/win32/WindowRepairPrompts.h"
#include "resources/MainWindowIds.h"
#include "scan/win32/ScanProgressDialog.h"
#include "windows/win32/RestoreDialog.h"

namespace kelvane {

MainWindow::MainWindow(std::string programFolder, bool cleanOnce)
    : programFolder_(std::move(programFolder)),
      cleanOnce_(cleanOnce),
      language_(profiles_, programFolder_, settings_.Lan) {}

MainWindow::~MainWindow() {
  treeView_.reset();
  if (handle_) DestroyWindow(handle_);
}

bool MainWindow::Create() {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &MainWindow::WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kMainWindowClass;
  windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
  RegisterClassExA(&windowClass);
  menu_ = LoadMenuA(windowClass.hInstance, MAKEINTRESOURCEA(IDR_MAIN_MENU));
  // Tab and access keys move between the controls, as in a dialog.
  handle_ = CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, kMainWindowCaption,
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                            kMainWindowDesignedSize.width, kMainWindowDesignedSize.height, nullptr,
                            menu_, windowClass.hInstance, this);
  return handle_ != nullptr;
}

void MainWindow::CreateControls() {
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  tasksLabel_ = CreateChildWindow(handle_, "STATIC", "Tasks", SS_NOPREFIX, IDC_TASKS_LABEL);
  scanButton_ = CreateChildWindow(handle_, "BUTTON", "Scan registry issue",
                                  BS_PUSHBUTTON | WS_TABSTOP, ID_SCAN_REGISTRY);
  repairButton_ = CreateChildWindow(handle_, "BUTTON", "Repair registry issue",
                                    BS_PUSHBUTTON | WS_TABSTOP, ID_REPAIR_REGISTRY);
  restoreButton_ = CreateChildWindow(handle_, "BUTTON", "Restore previous registry ",
                                     BS_PUSHBUTTON | WS_TABSTOP, ID_RESTORE_REGISTRY);
  sectionsLabel_ = CreateChildWindow(handle_, "STATIC", "Select the sections to scan", SS_NOPREFIX,
                                     IDC_SECTIONS_LABEL);
  treeView_ = std::make_unique<CategoryTreeView>(handle_, IDC_CATEGORY_TREE, tree_);
  listView_ = std::make_unique<ResultsListView>(handle_, IDC_RESULTS_LIST, results_);
  status_ = CreateChildWindow(handle_, STATUSCLASSNAMEA, "", 0, IDC_STATUS_BAR);
  // The second panel runs on to the right edge.
  int panelEdges[] = {200, -1};
  SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(panelEdges));

  for (HWND child : {tasksLabel_, scanButton_, repairButton_, restoreButton_, sectionsLabel_,
                     treeView_->Handle(), listView_->Handle(), status_}) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }

  const RECT workArea = [] {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
  }();
  const PixelSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  settings_ = LoadSettings(profiles_, programFolder_, screen, kMainWindowDesignedSize);
  // The window opens centred with the stored size.
  const WindowRect bounds = settings_.WindowBounds.value_or(
      WindowRect{0, 0, kMainWindowDesignedSize.width, kMainWindowDesignedSize.height});
  SetWindowPos(handle_, nullptr,
               workArea.left + (workArea.right - workArea.left - bounds.width) / 2,
               workArea.top + (workArea.bottom - workArea.top - bounds.height) / 2, bounds.width,
               bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextA(handle_, kMainWindowCaption);
  if (IsWindows9x(system_.Version())) {
    RemoveMenu(menu_, ID_WINDOWS_BACKUP, MF_BYCOMMAND);
  }
}

void MainWindow::Show() {
  OnShow();
  if (cleanOnce_) {
    // Unattended: the window is never shown, the sequence starts once the loop runs.
    PostMessageA(handle_, kCleanOnceRunMessage, 0, 0);
    return;
  }
  ShowWindow(handle_, SW_SHOWNORMAL);
  UpdateWindow(handle_);
}

void MainWindow::OnShow() {
  if (settings_.StartMaximized) PostMessageA(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  tree_.Restore(settings_);
  treeView_->Refresh();
  ArrangeControls();
  if (!IsEnglish(settings_.Lan)) TranslateFrom(settings_.Lan);
  FitButtons();
  UpdateStatusCounts();
}

void MainWindow::FitButtons() {
  const WindowDc dc(handle_);
  const SelectedObject font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  const struct {
    HWND button;
    int left;
    int top;
  } buttons[] = {{scanButton_, 8, 76}, {repairButton_, 9, 104}, {restoreButton_, 9, 132}};
  for (const auto& placed : buttons) {
    const std::string caption = WindowText(placed.button);
    SIZE extent = {};
    GetTextExtentPoint32A(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
    MoveWindow(placed.button, placed.left, placed.top, extent.cx + 17, kButtonHeight, TRUE);
  }
}

void MainWindow::ArrangeControls() {
  RECT client;
  GetClientRect(handle_, &client);
  const int width = client.right;
  const int height = client.bottom;
  SendMessageA(status_, WM_SIZE, 0, 0);
  RECT statusRect;
  GetWindowRect(status_, &statusRect);
  const int statusHeight = statusRect.bottom - statusRect.top;
  MoveWindow(tasksLabel_, 8, 56, 180, 16, TRUE);
  MoveWindow(sectionsLabel_, 8, 165, 180, 16, TRUE);
  MoveWindow(treeView_->Handle(), kTreeLeft, kTreeTop, kTreeWidth,
             std::max(0, height - kTreeTop - statusHeight), TRUE);
  MoveWindow(listView_->Handle(), kListLeft, kListTop, std::max(0, width - kListLeft),
             std::max(0, height - kListTop - statusHeight), TRUE);
  InvalidateRect(handle_, nullptr, TRUE);
}

void MainWindow::SaveWindowSettings() {
  tree_.Save(settings_);
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  std::optional<int> showCommand;
  if (GetWindowPlacement(handle_, &placement)) {
    showCommand = static_cast<int>(placement.showCmd);
  }
  const RECT& normal = placement.rcNormalPosition;
  const WindowRect bounds{normal.left, normal.top, normal.right - normal.left,
                          normal.bottom - normal.top};
  try {
    SaveSettings(profiles_, programFolder_, settings_, showCommand, bounds);
  } catch (const SettingsWriteError& error) {
    MessageBoxA(handle_, error.what(), kApplicationTitle, MB_OK | MB_ICONERROR);
  }
}

void MainWindow::UpdateStatusCounts() {
  const std::string found = " " + std::to_string(results_.Count()) + " " +
                            language_.LangString("RES_FindProblems", "problems found");
  const std::string selected =
      " " + std::to_string(results_.TickedCount()) + " " +
      language_.LangString("RES_CheckedProblems", "problems selected for repairing");
  SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(found.c_str()));
  SendMessageA(status_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(selected.c_str()));
}

void MainWindow::OnScan() {
  const std::vector<ScanCategory> tasks = tree_.Collect();
  if (results_.Empty()) {
    listView_->SetColumnWidth(1, kDesignedColumnWidths[1]);
    listView_->SetColumnWidth(2, kDesignedColumnWidths[2]);
  }
  if (tasks.empty()) return;
  results_.Clear();
  listView_->Refresh();

  ScanRequest request;
  request.tasks = tasks;
  request.options = ScanOptions{settings_.IncludeRemoveMedia, settings_.IncludeCDdrive};
  request.language = settings_.Lan;
  request.cleanOnce = cleanOnce_;
  request.notifyWindow = handle_;
  request.onRow = [this](const ProblemRecord& row) {
    results_.Add(row);
    listView_->Refresh();
  };
  ScanProgressDialog progress(std::move(request));
  // Rows arrive whole, so the last one is complete even after a stop and is kept.
  progress.ShowModal(handle_);

  results_.TickAll(true);
  if (results_.Empty()) {
    for (int column = 0; column < kResultColumnCount; ++column) {
      if (listView_->ColumnWidth(column) < kNarrowestEmptyColumn) {
        listView_->SetColumnWidth(column, kNarrowestEmptyColumn);
      }
    }
  } else {
    FilterResults(results_, settings_, leftovers_);
    listView_->Refresh();
    listView_->FitColumns();
  }
  listView_->Refresh();
  UpdateStatusCounts();
  if (settings_.Beep) BeepWhenDone();
}

void MainWindow::OnRepair() {
  WindowRepairPrompts prompts(handle_, language_, settings_, [this] {
    listView_->Refresh();
    UpdateStatusCounts();
  });
  RepairContext context{registry_, files_, system_.Version(), [] {
                          SYSTEMTIME now;
                          GetLocalTime(&now);
                          return LocalDateTime{now.wYear, now.wMonth,  now.wDay,
                                               now.wHour, now.wMinute, now.wSecond};
                        }};
  RunRepair(results_, leftovers_, settings_, language_, context, prompts, currentBackupFile_);
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
  AddSelectedToIgnoreLists(results_, settings_, listView_->SelectedRows());
  ListView_SetItemState(listView_->Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  listView_->Refresh();
  UpdateStatusCounts();
}

void MainWindow::OnBackupFullRegistry() {
  WindowEditorPrompts prompts(handle_, language_, settings_.Lan);
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
      MessageBoxA(handle_, OverwriteQuestion(file).c_str(), kApplicationTitle,
                  MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDYES) {
    return;
  }
  try {
    WriteTextReport(files_, file, results_);
  } catch (const FileIoError& error) {
    MessageBoxA(handle_, error.what(), kApplicationTitle, MB_OK | MB_ICONERROR);
  }
}

bool MainWindow::OnUpdateLink(POINT point) const {
  RECT client;
  GetClientRect(handle_, &client);
  const WindowDc dc(handle_);
  const RECT link = titleBand_.LinkRect(dc.get(), client.right);
  return PtInRect(&link, point) != FALSE;
}

void MainWindow::OpenAddress(const std::string& address) {
  const std::string target = addresses::ResolveAddress(programFolder_, address);
  ShellExecuteA(handle_, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::RunCleanOnce() {
  ShowWindow(handle_, SW_HIDE);
  OnScan();
  OnRepair();
  PostMessageA(handle_, WM_CLOSE, 0, 0);
}

bool MainWindow::OnNotify(const NMHDR& header, LRESULT& result) {
  // The controls notify while they are still being made.
  if (!treeView_ || !listView_) return false;
  if (treeView_->OnNotify(header, result)) return true;
  if (listView_->OnNotify(header, result, [this] { UpdateStatusCounts(); })) return true;
  if (header.hwndFrom == listView_->Handle() && header.code == NM_RCLICK) {
    POINT point;
    GetCursorPos(&point);
    ShowResultsMenu(point);
    return true;
  }
  return false;
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  return GuardCallback<LRESULT>(window, 0, [&] {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      static_cast<MainWindow*>(create->lpCreateParams)->handle_ = window;
    }
    auto* owner = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!owner) return DefWindowProcA(window, message, wParam, lParam);
    return owner->HandleMessage(message, wParam, lParam);
  });
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      languageMenu_ = GetSubMenu(menu_, 3);
      resultsMenuBar_.reset(
          LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_RESULTS_POPUP)));
      resultsMenu_ = GetSubMenu(resultsMenuBar_.get(), 0);
      for (const LanguageMenuItem& item : LanguageMenuItems()) {
        languageCaptions_.emplace_back(item.caption);
      }
      CreateControls();
      return 0;
    case WM_SIZE:
      if (status_) ArrangeControls();
      return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_ERASEBKGND: {
      const LRESULT erased = DefWindowProcA(handle_, message, wParam, lParam);
      RECT client;
      GetClientRect(handle_, &client);
      titleBand_.Paint(reinterpret_cast<HDC>(wParam), client.right);
      return erased;
    }
    case WM_LBUTTONDOWN:
      if (OnUpdateLink(
              POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))})) {
        OpenAddress(addresses::kUpdatePage);
      }
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(handle_, &point);
        if (OnUpdateLink(point)) {
          SetCursor(LoadCursor(nullptr, IDC_HAND));
          return TRUE;
        }
      }
      break;
    case kActivateInstanceMessage:
      ShowWindow(handle_, IsIconic(handle_) ? SW_RESTORE : SW_SHOW);
      SetForegroundWindow(handle_);
      return 0;
    case kCleanOnceRunMessage: RunCleanOnce(); return 0;
    case kScanTaskDoneMessage: UpdateStatusCounts(); return 0;
    case WM_CLOSE:
      SaveWindowSettings();
      DestroyWindow(handle_);
      return 0;
    case WM_DESTROY:
      handle_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

}  // namespace kelvane
