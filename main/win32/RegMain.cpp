#include "main/win32/RegMain.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "global/win32/DialogTexts.h"
#include "main/Addresses.h"
#include "main/LanguageMenu.h"
#include "main/RepairRun.h"
#include "main/TextReport.h"
#include "main/win32/MenuTexts.h"
#include "platform/Text.h"
#include "platform/win32/Win32System.h"
#include "resources/MainWindowIds.h"
#include "scan/win32/RegProgressHint.h"
#include "windows/win32/About.h"
#include "windows/win32/ShowHint.h"
#include "windows/win32/SystemPiont.h"

namespace kelvane {
namespace {

constexpr char kCaption[] = "Tessaly Kelvane 2.6";
constexpr PixelSize kDesignedSize{684, 520};
constexpr int kTreeLeft = 6;
constexpr int kTreeTop = 192;
constexpr int kTreeWidth = 183;
constexpr int kListLeft = 194;
constexpr int kListTop = 48;
constexpr int kButtonHeight = 25;

// The sound after a scan and after a repair, when the setting asks for it.
void BeepWhenDone() { Beep(2047, 500); }

}  // namespace

TfrmKelvane::TfrmKelvane(std::string programFolder, bool cleanOnce)
    : programFolder_(std::move(programFolder)),
      cleanOnce_(cleanOnce),
      language_(profiles_, programFolder_, settings_.Lan) {}

TfrmKelvane::~TfrmKelvane() {
  treeView_.reset();
  if (handle_) DestroyWindow(handle_);
  if (resultsMenuBar_) DestroyMenu(resultsMenuBar_);
}

bool TfrmKelvane::Create() {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &TfrmKelvane::WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kMainWindowClass;
  windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
  RegisterClassExA(&windowClass);
  menu_ = LoadMenuA(windowClass.hInstance, MAKEINTRESOURCEA(IDR_MAIN_MENU));
  handle_ = CreateWindowExA(0, kMainWindowClass, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, kDesignedSize.width,
                            kDesignedSize.height, nullptr, menu_, windowClass.hInstance, this);
  return handle_ != nullptr;
}

HWND TfrmKelvane::CreateChild(const char* windowClass, const char* text, DWORD style, int id) {
  return CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, handle_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

void TfrmKelvane::FormCreate() {
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  tasksLabel_ = CreateChild("STATIC", "Tasks", SS_NOPREFIX, IDC_TASKS_LABEL);
  scanButton_ = CreateChild("BUTTON", "Scan registry issue", BS_PUSHBUTTON | WS_TABSTOP,
                            ID_SCAN_REGISTRY);
  repairButton_ = CreateChild("BUTTON", "Repair registry issue", BS_PUSHBUTTON | WS_TABSTOP,
                              ID_REPAIR_REGISTRY);
  restoreButton_ = CreateChild("BUTTON", "Restore previous registry ",
                               BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, ID_RESTORE_REGISTRY);
  sectionsLabel_ = CreateChild("STATIC", "Select the sections to scan", SS_NOPREFIX,
                               IDC_SECTIONS_LABEL);
  treeView_ = std::make_unique<CategoryTreeView>(handle_, IDC_CATEGORY_TREE, tree_);
  listView_ = std::make_unique<ResultsListView>(handle_, IDC_RESULTS_LIST, results_);
  status_ = CreateChild(STATUSCLASSNAMEA, "", 0, IDC_STATUS_BAR);
  // The second panel runs on to the right edge.
  int panelEdges[] = {200, -1};
  SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(panelEdges));

  for (HWND child : {tasksLabel_, scanButton_, repairButton_,
                     restoreButton_, sectionsLabel_, treeView_->Handle(), listView_->Handle(),
                     status_}) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }

  const RECT workArea = [] {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
  }();
  const PixelSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  settings_ = LoadSettings(profiles_, programFolder_, screen, kDesignedSize);
  // The window opens centred with the stored size.
  const WindowRect bounds = settings_.WindowBounds.value_or(
      WindowRect{0, 0, kDesignedSize.width, kDesignedSize.height});
  SetWindowPos(handle_, nullptr,
               workArea.left + (workArea.right - workArea.left - bounds.width) / 2,
               workArea.top + (workArea.bottom - workArea.top - bounds.height) / 2, bounds.width,
               bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextA(handle_, kCaption);
  Win32System system;
  const int version = system.WindowsVersionCode();
  if ((version >= 1 && version <= 4) || version == 8) {
    RemoveMenu(menu_, ID_WINDOWS_BACKUP, MF_BYCOMMAND);
  }
}

void TfrmKelvane::Show() {
  FormShow();
  if (cleanOnce_) {
    // Unattended: the window is never shown, the sequence starts once the loop runs.
    PostMessageA(handle_, kCleanOnceRunMessage, 0, 0);
    return;
  }
  ShowWindow(handle_, SW_SHOWNORMAL);
  UpdateWindow(handle_);
}

void TfrmKelvane::FormShow() {
  if (settings_.StartMaximized) PostMessageA(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  tree_.Restore(settings_);
  treeView_->Refresh();
  ArrangeControls();
  if (!IsEnglish(settings_.Lan)) TranslateFrom(settings_.Lan);
  FitButtons();
  UpdateStatusCounts();
}

void TfrmKelvane::FitButtons() {
  HDC dc = GetDC(handle_);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const struct {
    HWND button;
    int left;
    int top;
  } buttons[] = {{scanButton_, 8, 76}, {repairButton_, 9, 104}, {restoreButton_, 9, 132}};
  for (const auto& placed : buttons) {
    const std::string caption = WindowText(placed.button);
    SIZE extent = {};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    MoveWindow(placed.button, placed.left, placed.top, extent.cx + 17, kButtonHeight, TRUE);
  }
  SelectObject(dc, old);
  ReleaseDC(handle_, dc);
}

void TfrmKelvane::ArrangeControls() {
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

void TfrmKelvane::FormClose() {
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

void TfrmKelvane::UpdateStatusCounts() {
  const std::string found = " " + std::to_string(results_.Count()) + " " +
                            language_.LangString("RES_FindProblems", "problems found");
  const std::string selected =
      " " + std::to_string(results_.TickedCount()) + " " +
      language_.LangString("RES_CheckedProblems", "problems selected for repairing");
  SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(found.c_str()));
  SendMessageA(status_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(selected.c_str()));
}

void TfrmKelvane::bScanRegistryClick() {
  const std::vector<std::string> tasks = tree_.Collect();
  if (results_.Empty()) {
    listView_->SetColumnWidth(1, 300);
    listView_->SetColumnWidth(2, 150);
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
  TfrmRegProgressHint progress(std::move(request));
  // Rows arrive whole, so the last one is complete even after a stop and is kept.
  progress.ShowModal(handle_);

  results_.TickAll(true);
  if (results_.Empty()) {
    for (int column = 0; column < 3; ++column) {
      if (listView_->ColumnWidth(column) < 120) listView_->SetColumnWidth(column, 120);
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

void TfrmKelvane::bRepairRegistryClick() {
  // The questions and windows of the run, all modal to this window.
  class Prompts : public RepairPrompts {
   public:
    explicit Prompts(TfrmKelvane& form) : form_(form) {}
    bool AskCreateBackupFolder(const std::string& question) override {
      return MessageBoxA(form_.handle_, question.c_str(), kApplicationTitle,
                         MB_YESNO | MB_ICONINFORMATION) == IDYES;
    }
    bool CreateRestorePoint() override {
      TfrmSystemPoint window(form_.language_, form_.settings_.Lan);
      return window.ShowModal(form_.handle_) != IDCANCEL;
    }
    void ShowResults() override {
      form_.listView_->Refresh();
      form_.UpdateStatusCounts();
    }
    void ShowSummary(std::size_t tickedCount) override {
      TfrmShowHint window(form_.language_, form_.settings_.Lan, form_.settings_,
                          static_cast<int>(tickedCount));
      window.ShowModal(form_.handle_);
    }
    void ShowFailure(const std::string& message) override {
      MessageBoxA(form_.handle_, message.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
    }
    void Beep() override { BeepWhenDone(); }

   private:
    TfrmKelvane& form_;
  } prompts(*this);

  Win32System system;
  RepairContext context{registry_, files_, system.WindowsVersionCode(), [] {
                          SYSTEMTIME now;
                          GetLocalTime(&now);
                          return LocalDateTime{now.wYear, now.wMonth, now.wDay, now.wHour,
                                               now.wMinute, now.wSecond};
                        }};
  RunRepair(results_, leftovers_, settings_, language_, context, prompts, currentBackupFile_);
}

void TfrmKelvane::TickRows(bool ticked, bool ofType) {
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

void TfrmKelvane::aIgnoreListAddExecute() {
  if (listView_->CurrentRow() < 0) return;
  AddSelectedToIgnoreLists(results_, settings_, listView_->SelectedRows());
  ListView_SetItemState(listView_->Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  listView_->Refresh();
  UpdateStatusCounts();
}

void TfrmKelvane::aSaveTextExecute() {
  if (results_.Empty()) return;
  char path[MAX_PATH] = {};
  std::string filter = kTextReportDialogFilter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = handle_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof(path);
  dialog.lpstrTitle = kTextReportDialogTitle;
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameA(&dialog)) return;
  const std::string file = TextReportFileName(path);
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

void TfrmKelvane::FillLanguageMenu() {
  while (GetMenuItemCount(languageMenu_) > 0) DeleteMenu(languageMenu_, 0, MF_BYPOSITION);
  languageItems_.clear();
  const std::vector<bool> visible = VisibleLanguageItems(files_, programFolder_);
  const std::optional<std::size_t> ticked = LanguageItemToTick(settings_.Lan);
  const auto& items = LanguageMenuItems();
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (!visible.at(index)) continue;
    if (items[index].kind == LanguageMenuItemKind::Separator) {
      AppendMenuA(languageMenu_, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT flags = MF_STRING | (ticked == index ? MF_CHECKED : MF_UNCHECKED);
    AppendMenuA(languageMenu_, flags, ID_LANGUAGE_FIRST + index, languageCaptions_[index].c_str());
    languageItems_.push_back(index);
  }
}

void TfrmKelvane::miLanguageClick(std::size_t item) {
  const LanguageChoice choice = ChooseLanguage(settings_, files_, programFolder_, item);
  if (!choice.switched) {
    MessageBoxA(handle_, choice.missingFileMessage.c_str(), kApplicationTitle, MB_OK);
    return;
  }
  TranslateFrom(settings_.Lan);
  FitButtons();
  UpdateStatusCounts();
}

void TfrmKelvane::TranslateFrom(const std::string& languageName) {
  // The caption is the product's name and version and is never translated.
  WindowTexts texts{"frmKelvane", kCaption, {}};
  const struct {
    const char* name;
    HWND control;
  } captions[] = {{"lTasks", tasksLabel_},
                  {"bScanRegistry", scanButton_},
                  {"bRepairRegistry", repairButton_},
                  {"bRestoreRegistry", restoreButton_},
                  {"lSelectSections", sectionsLabel_}};
  for (const auto& caption : captions) {
    texts.components.push_back({caption.name, ComponentKind::Caption, {WindowText(caption.control)}});
  }
  std::string* bandTexts[] = {&titleBand_.title, &titleBand_.hint, &titleBand_.update};
  const char* bandNames[] = {"lTitle", "lTitleHint", "lUpdate"};
  for (int index = 0; index < 3; ++index) {
    texts.components.push_back({bandNames[index], ComponentKind::Caption, {*bandTexts[index]}});
  }
  texts.components.push_back({"tvRegistry", ComponentKind::TreeNodes, treeView_->Texts()});
  texts.components.push_back(
      {"lvRegistryData", ComponentKind::ListColumns, listView_->ColumnCaptions()});
  const std::size_t menusStart = texts.components.size();
  DescribeMenus(menu_, resultsMenu_, texts.components);
  const std::size_t languagesStart = texts.components.size();
  const auto& items = LanguageMenuItems();
  for (std::size_t index = 0; index < items.size(); ++index) {
    texts.components.push_back(
        {items[index].component, ComponentKind::MenuItem, {languageCaptions_.at(index)}});
  }

  language_.TranslateWindow(texts, languageName);

  for (std::size_t index = 0; index < std::size(captions); ++index) {
    SetWindowTextA(captions[index].control, texts.components[index].texts.at(0).c_str());
  }
  for (int index = 0; index < 3; ++index) {
    *bandTexts[index] = texts.components[std::size(captions) + index].texts.at(0);
  }
  treeView_->SetTexts(texts.components[std::size(captions) + 3].texts);
  listView_->SetColumnCaptions(texts.components[std::size(captions) + 4].texts);
  ApplyMenuTexts(menu_, resultsMenu_, texts.components, menusStart);
  for (std::size_t index = 0; index < items.size(); ++index) {
    languageCaptions_[index] = texts.components[languagesStart + index].texts.at(0);
  }
  DrawMenuBar(handle_);
}

bool TfrmKelvane::OnUpdateLink(POINT point) const {
  RECT client;
  GetClientRect(handle_, &client);
  HDC dc = GetDC(handle_);
  const RECT link = titleBand_.LinkRect(dc, client.right);
  ReleaseDC(handle_, dc);
  return PtInRect(&link, point) != FALSE;
}

void TfrmKelvane::OpenAddress(const std::string& address) {
  const std::string target = addresses::ResolveAddress(programFolder_, address);
  ShellExecuteA(handle_, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TfrmKelvane::RunCleanOnce() {
  ShowWindow(handle_, SW_HIDE);
  bScanRegistryClick();
  bRepairRegistryClick();
  PostMessageA(handle_, WM_CLOSE, 0, 0);
}

void TfrmKelvane::ShowResultsMenu(POINT screenPoint) {
  OnInitMenuPopup(resultsMenu_);
  TrackPopupMenu(resultsMenu_, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, handle_, nullptr);
}

void TfrmKelvane::OnInitMenuPopup(HMENU menu) {
  if (menu == languageMenu_) {
    FillLanguageMenu();
    return;
  }
  const bool hasCurrent = listView_->CurrentRow() >= 0;
  const UINT ofType = MF_BYCOMMAND | (hasCurrent ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(menu, ID_SELECT_ALL_TYPE, ofType);
  EnableMenuItem(menu, ID_SELECT_NONE_TYPE, ofType);
  const UINT ignore = MF_BYCOMMAND | (CanAddToIgnoreLists(results_, listView_->CurrentRow())
                                          ? MF_ENABLED
                                          : MF_GRAYED);
  EnableMenuItem(menu, ID_IGNORE_LIST_ADD, ignore);
  EnableMenuItem(menu, ID_SAVE_TEXT, MF_BYCOMMAND | (results_.Empty() ? MF_GRAYED : MF_ENABLED));
}

void TfrmKelvane::OnCommand(int id) {
  if (id >= ID_LANGUAGE_FIRST &&
      id < ID_LANGUAGE_FIRST + static_cast<int>(kLanguageMenuItemCount)) {
    miLanguageClick(static_cast<std::size_t>(id - ID_LANGUAGE_FIRST));
    return;
  }
  switch (id) {
    case ID_EXIT: PostMessageA(handle_, WM_CLOSE, 0, 0); break;
    case ID_SCAN_REGISTRY: bScanRegistryClick(); break;
    case ID_REPAIR_REGISTRY: bRepairRegistryClick(); break;
    case ID_SELECT_ALL: TickRows(true, false); break;
    case ID_SELECT_NONE: TickRows(false, false); break;
    case ID_SELECT_ALL_TYPE: TickRows(true, true); break;
    case ID_SELECT_NONE_TYPE: TickRows(false, true); break;
    case ID_IGNORE_LIST_ADD: aIgnoreListAddExecute(); break;
    case ID_SAVE_TEXT: aSaveTextExecute(); break;
    case ID_ONLINE_HELP: OpenAddress(OnlineHelpAddress(settings_.Lan)); break;
    case ID_HOME_PAGE: OpenAddress(addresses::kHomePage); break;
    case ID_ABOUT: {
      TfrmAbout about(language_, settings_.Lan,
                      [this] { OpenAddress(addresses::kHelpDocument); });
      about.ShowModal(handle_);
      break;
    }
    default: break;
  }
}

bool TfrmKelvane::OnNotify(const NMHDR& header, LRESULT& result) {
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

LRESULT CALLBACK TfrmKelvane::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<TfrmKelvane*>(create->lpCreateParams)->handle_ = window;
  }
  auto* form = reinterpret_cast<TfrmKelvane*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form) return DefWindowProcA(window, message, wParam, lParam);
  return form->HandleMessage(message, wParam, lParam);
}

LRESULT TfrmKelvane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      languageMenu_ = GetSubMenu(menu_, 3);
      resultsMenuBar_ = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_RESULTS_POPUP));
      resultsMenu_ = GetSubMenu(resultsMenuBar_, 0);
      for (const LanguageMenuItem& item : LanguageMenuItems()) {
        languageCaptions_.emplace_back(item.caption);
      }
      FormCreate();
      return 0;
    case WM_SIZE:
      if (status_) ArrangeControls();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_ERASEBKGND: {
      const LRESULT erased = DefWindowProcA(handle_, message, wParam, lParam);
      RECT client;
      GetClientRect(handle_, &client);
      titleBand_.Paint(reinterpret_cast<HDC>(wParam), client.right);
      return erased;
    }
    case WM_LBUTTONDOWN:
      if (OnUpdateLink(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))})) {
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
    case kCleanOnceRunMessage:
      RunCleanOnce();
      return 0;
    case kScanTaskDoneMessage:
      UpdateStatusCounts();
      return 0;
    case WM_CLOSE:
      FormClose();
      DestroyWindow(handle_);
      return 0;
    case WM_DESTROY:
      handle_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

}  // namespace kelvane
