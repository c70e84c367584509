#include "main/win32/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "global/Addresses.h"
#include "global/win32/CallbackGuard.h"
#include "global/win32/ChildWindow.h"
#include "global/win32/DialogTexts.h"
#include "global/win32/Dpi.h"
#include "global/win32/FittedMessageBox.h"
#include "global/win32/StandardStreams.h"
#include "global/win32/TextMeasure.h"
#include "main/LanguageMenu.h"
#include "main/win32/MainWindowIds.h"
#include "main/win32/MainWindowLayout.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32System.h"

namespace kelvane {
namespace {

// Moves a control and has it drawn anew: the bits the system would carry along may hold what a
// neighbour drew there while the layout was half done (a tree's scroll bar on the list).
void Place(HWND control, int left, int top, int width, int height) {
  SetWindowPos(control, nullptr, left, top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

}  // namespace

MainWindow::MainWindow(std::string programFolder, bool cleanOnce)
    : programFolder_(std::move(programFolder)),
      cleanOnce_(cleanOnce),
      language_(profiles_, programFolder_, settings_.languageName) {}

MainWindow::~MainWindow() {
  treeView_.reset();
  if (handle_) DestroyWindow(handle_);
}

bool MainWindow::Create() {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &MainWindow::WindowProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kMainWindowClass;
  windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
  RegisterClassExW(&windowClass);
  menu_ = LoadMenuW(windowClass.hInstance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
  // Tab and access keys move between the controls, as in a dialog.
  handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kMainWindowClass, Wide(kMainWindowCaption).c_str(),
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                            kMainWindowDesignedSize.width, kMainWindowDesignedSize.height, nullptr,
                            menu_, windowClass.hInstance, this);
  return handle_ != nullptr;
}

void MainWindow::CreateControls() {
  dpi_ = WindowDpi(handle_);
  tasksLabel_ = CreateChildWindow(handle_, L"STATIC", "Tasks", SS_NOPREFIX, IDC_TASKS_LABEL);
  scanButton_ = CreateChildWindow(handle_, L"BUTTON", "Scan registry issue",
                                  BS_PUSHBUTTON | WS_TABSTOP, ID_SCAN_REGISTRY);
  repairButton_ = CreateChildWindow(handle_, L"BUTTON", "Repair registry issue",
                                    BS_PUSHBUTTON | WS_TABSTOP, ID_REPAIR_REGISTRY);
  restoreButton_ = CreateChildWindow(handle_, L"BUTTON", "Restore previous registry ",
                                     BS_PUSHBUTTON | WS_TABSTOP, ID_RESTORE_REGISTRY);
  sectionsLabel_ = CreateChildWindow(handle_, L"STATIC", "Select the sections to scan", SS_NOPREFIX,
                                     IDC_SECTIONS_LABEL);
  treeView_ = std::make_unique<CategoryTreeView>(handle_, IDC_CATEGORY_TREE, tree_);
  listView_ = std::make_unique<ResultsListView>(handle_, IDC_RESULTS_LIST, IDC_EXPLANATION,
                                                results_, language_);
  status_ = CreateChildWindow(handle_, STATUSCLASSNAMEW, "", 0, IDC_STATUS_BAR);

  SetControlFonts();

  const RECT workArea = [] {
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
  }();
  const PixelSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  settings_ = LoadSettings(profiles_, programFolder_, screen, kMainWindowDesignedSize);
  // The window opens centred with the stored size, kept at 96 DPI and drawn at the current
  // scale, never larger than the screen's work area.
  WindowRect bounds = settings_.windowBounds.value_or(
      WindowRect{0, 0, kMainWindowDesignedSize.width, kMainWindowDesignedSize.height});
  bounds.width = std::min(Px(bounds.width), static_cast<int>(workArea.right - workArea.left));
  bounds.height = std::min(Px(bounds.height), static_cast<int>(workArea.bottom - workArea.top));
  SetWindowPos(handle_, nullptr,
               workArea.left + (workArea.right - workArea.left - bounds.width) / 2,
               workArea.top + (workArea.bottom - workArea.top - bounds.height) / 2, bounds.width,
               bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextW(handle_, Wide(kMainWindowCaption).c_str());
  if (IsWindows9x(system_.Version())) {
    RemoveMenu(menu_, ID_WINDOWS_BACKUP, MF_BYCOMMAND);
  }
}

void MainWindow::SetControlFonts() {
  font_ = GuiFont(dpi_);
  titleBand_.SetDpi(dpi_);
  // The caption's and the task bar's icons, at the scale rather than the system's.
  const HINSTANCE module = GetModuleHandleW(nullptr);
  IconHandle small = ScaledIcon(module, MAKEINTRESOURCEW(1), 16, dpi_);
  IconHandle big = ScaledIcon(module, MAKEINTRESOURCEW(1), 32, dpi_);
  SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  // The former icons go once the window no longer shows them.
  smallIcon_ = std::move(small);
  bigIcon_ = std::move(big);
  for (HWND child : {tasksLabel_, scanButton_, repairButton_, restoreButton_, sectionsLabel_,
                     treeView_->Handle(), listView_->Handle(), listView_->Explanation(),
                     status_}) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetControlFonts();
  treeView_->SetDpi(dpi);
  listView_->SetDpi(dpi);
  listView_->OnFontChanged();
  // The texts' needs at the new scale first: the smallest size the suggestion must meet
  // follows from them.
  FitLeftColumn();
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateStatusCounts();
}

void MainWindow::Show() {
  OnShow();
  if (cleanOnce_) {
    // Unattended: the window is never shown, the sequence starts once the loop runs.
    PostMessageW(handle_, kCleanOnceRunMessage, 0, 0);
    return;
  }
  ShowWindow(handle_, SW_SHOWNORMAL);
  UpdateWindow(handle_);
}

void MainWindow::OnShow() {
  if (settings_.startMaximized) PostMessageW(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  tree_.Restore(settings_);
  treeView_->Refresh();
  if (!IsEnglish(settings_.languageName)) TranslateFrom(settings_.languageName);
  FitLeftColumn();
  UpdateStatusCounts();
}

namespace {

// Where the task buttons stand, at 96 DPI.
constexpr POINT kButtonPlaces[] = {{8, 76}, {9, 104}, {9, 132}};

}  // namespace

void MainWindow::FitLeftColumn() {
  const TextMeter meter(handle_, font_.get());
  int textsNeed = 0;
  const HWND buttons[] = {scanButton_, repairButton_, restoreButton_};
  for (std::size_t index = 0; index < buttonNeeds_.size(); ++index) {
    buttonNeeds_[index] = meter.CaptionWidth(captionTips_.Whole(buttons[index])) + Px(17);
    textsNeed = std::max(textsNeed, Px(kButtonPlaces[index].x) + buttonNeeds_[index]);
  }
  textsNeed = std::max(textsNeed, Px(kTreeLeft) + treeView_->WidthForTexts());
  leftColumnNeed_ = textsNeed;
  ArrangeControls();
}

int MainWindow::LeftColumnRight() const {
  RECT client;
  GetClientRect(handle_, &client);
  return LeftColumnWidth(leftColumnNeed_, Px(kTreeLeft + kTreeWidth), client.right);
}

POINT MainWindow::MinimumSize() const {
  const WindowDc dc(handle_);
  // The left column shows its texts whole and the list keeps its least width; on a screen too
  // narrow for both the left column gives way.
  const int leftNeed = std::max(leftColumnNeed_, Px(kTreeLeft + kTreeWidth));
  const int leftAndList = leftNeed + Px(kListLeft - kTreeLeft - kTreeWidth + kNarrowestList);
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const RECT frame = FrameAround(
      handle_,
      RECT{0, 0,
           std::max({titleBand_.MinimumWidth(dc.get()), leftAndList,
                     std::min(WindowWidthForLeftColumn(leftNeed),
                              static_cast<int>(area.right - area.left) * 9 / 10)}),
           Px(kTreeTop + kShortestTree + kStatusBarAllowance)},
      dpi_);
  return POINT{frame.right - frame.left, frame.bottom - frame.top};
}

void MainWindow::ArrangeControls() {
  RECT client;
  GetClientRect(handle_, &client);
  const int width = client.right;
  const int height = client.bottom;
  SendMessageW(status_, WM_SIZE, 0, 0);
  RECT statusRect;
  GetWindowRect(status_, &statusRect);
  const int statusHeight = statusRect.bottom - statusRect.top;
  // The left column takes what its texts need in the current language; the list the rest.
  const int leftRight = LeftColumnRight();
  const int listLeft = leftRight + Px(kListLeft - kTreeLeft - kTreeWidth);
  const int listTop = Px(kListTop);
  const int treeTop = Px(kTreeTop);
  // A button as wide as its caption, never wider than the column: a longer one is cut.
  const HWND buttons[] = {scanButton_, repairButton_, restoreButton_};
  for (std::size_t index = 0; index < buttonNeeds_.size(); ++index) {
    const POINT place = kButtonPlaces[index];
    Place(buttons[index], Px(place.x), Px(place.y),
          std::min(buttonNeeds_[index], leftRight - Px(place.x)), Px(kButtonHeight));
  }
  Place(tasksLabel_, Px(8), Px(56), leftRight - Px(8), Px(16));
  Place(sectionsLabel_, Px(8), Px(165), leftRight - Px(8), Px(16));
  Place(treeView_->Handle(), Px(kTreeLeft), treeTop, leftRight - Px(kTreeLeft),
        std::max(0, height - treeTop - statusHeight));
  // The explanation takes the bottom of the list's place, at most two fifths of it.
  const int listAndExplanation = std::max(0, height - listTop - statusHeight);
  const int lineHeight = TextMeter(listView_->Explanation()).Extent("Ag").cy;
  const int explanationHeight = std::min(kExplanationLines * lineHeight + Px(kExplanationFrame),
                                         listAndExplanation * 2 / 5);
  Place(listView_->Handle(), listLeft, listTop, std::max(0, width - listLeft),
        std::max(0, listAndExplanation - explanationHeight - Px(kExplanationGap)));
  Place(listView_->Explanation(), listLeft, listTop + listAndExplanation - explanationHeight,
        std::max(0, width - listLeft), explanationHeight);
  listView_->KeepValueInView();
  captionTips_.FitAll(handle_);
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
  // The size is kept at 96 DPI: the window opens as large to the eye at any scale.
  const RECT& normal = placement.rcNormalPosition;
  const WindowRect bounds{normal.left, normal.top, Unscale(normal.right - normal.left, dpi_),
                          Unscale(normal.bottom - normal.top, dpi_)};
  try {
    SaveSettings(profiles_, programFolder_, settings_, showCommand, bounds);
  } catch (const SettingsWriteError& error) {
    // An unattended run never waits for a click, also not at its end.
    if (cleanOnce_) {
      WriteStandardError(error.what());
    } else {
      FittedMessageBox(handle_, error.what(), MB_OK | MB_ICONERROR);
    }
  }
}

void MainWindow::UpdateStatusCounts() {
  std::string found = " " + std::to_string(results_.Count() + hiddenRows_) + " " +
                      language_.LangString("RES_FindProblems", "problems found");
  // Rows the ignore lists or an earlier repair hide are not gone: the user is told.
  if (hiddenRows_ > 0) {
    found += ", " + std::to_string(hiddenRows_) + " " +
             language_.LangString("RES_Hidden_Problems", "hidden");
  }
  if (scanIncomplete_) {
    found += " (" + language_.LangString("RES_Scan_Incomplete", "scan incomplete") + ")";
  }
  const std::string selected =
      " " + std::to_string(results_.TickedCount()) + " " +
      language_.LangString("RES_CheckedProblems", "problems selected for repairing");
  // The first panel grows with its text, hidden rows and an incomplete scan included; the
  // second runs on to the right edge.
  int panelEdges[] = {
      std::max(Px(kFirstStatusPanelWidth), TextMeter(status_).Width(found) + Px(16)), -1};
  SendMessageW(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(panelEdges));
  SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Wide(found).c_str()));
  SendMessageW(status_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(Wide(selected).c_str()));
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
  ShellExecuteW(handle_, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool MainWindow::OnNotify(const NMHDR& header, LRESULT& result) {
  // The controls notify while they are still being made.
  if (!treeView_ || !listView_) return false;
  if (treeView_->OnNotify(header, result)) return true;
  if (listView_->OnNotify(header, result, [this] { UpdateStatusCounts(); })) return true;
  if (header.hwndFrom == listView_->Handle() &&
      (header.code == LVN_ITEMCHANGED || header.code == LVN_ODSTATECHANGED)) {
    listView_->ShowExplanation();
    return true;
  }
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
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      static_cast<MainWindow*>(create->lpCreateParams)->handle_ = window;
    }
    auto* owner = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return DefWindowProcW(window, message, wParam, lParam);
    return owner->HandleMessage(message, wParam, lParam);
  });
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      languageMenu_ = GetSubMenu(menu_, 3);
      resultsMenuBar_.reset(
          LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_RESULTS_POPUP)));
      resultsMenu_ = GetSubMenu(resultsMenuBar_.get(), 0);
      for (const LanguageMenuItem& item : LanguageMenuItems()) {
        languageCaptions_.emplace_back(item.caption);
      }
      CreateControls();
      return 0;
    case WM_GETMINMAXINFO:
      if (status_) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = MinimumSize();
        return 0;
      }
      break;
    case WM_SIZE:
      if (status_) ArrangeControls();
      return 0;
    case WM_DPICHANGED:
      if (status_) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_ERASEBKGND: {
      const LRESULT erased = DefWindowProcW(handle_, message, wParam, lParam);
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
      if (repairing_) {
        // The repair stops after its group in hand, and the window closes then.
        stopRepair_ = true;
        closeAfterRepair_ = true;
        return 0;
      }
      SaveWindowSettings();
      DestroyWindow(handle_);
      return 0;
    case WM_DESTROY:
      handle_ = nullptr;
      PostQuitMessage(exitCode_);
      return 0;
    default: break;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

}  // namespace kelvane
