#include "backup/win32/RestoreDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "backup/BackupFolder.h"
#include "backup/RestoreRun.h"
#include "backup/win32/RestoreDialogIds.h"
#include "editor/win32/WindowEditorPrompts.h"
#include "global/ProductTitle.h"
#include "global/win32/DialogTexts.h"
#include "global/win32/Dpi.h"
#include "global/win32/FittedMessageBox.h"
#include "global/win32/SelectFolder.h"
#include "global/win32/TextMeasure.h"
#include "global/win32/WindowMessages.h"
#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

constexpr int kDateTextSize = 128;
// Room the caption of "Open Directory" needs around it.
constexpr int kCaptionMargin = 8;
// Room a list cell needs around its text.
constexpr int kCellMargin = 14;

struct Column {
  const char* caption;
  int width;
};
constexpr Column kColumns[] = {{"Backup file", 150}, {"Date", 110}, {"Size", 60},
                               {"Keys", 45},         {"Values", 45}, {"Check", 150}};

std::string CountText(const std::optional<std::size_t>& count) {
  return count ? std::to_string(*count) : "";
}

SYSTEMTIME SystemTimeOf(const LocalDateTime& time) {
  SYSTEMTIME system = {};
  system.wYear = static_cast<WORD>(time.year);
  system.wMonth = static_cast<WORD>(time.month);
  system.wDay = static_cast<WORD>(time.day);
  system.wHour = static_cast<WORD>(time.hour);
  system.wMinute = static_cast<WORD>(time.minute);
  system.wSecond = static_cast<WORD>(time.second);
  return system;
}

std::string ShortDate(const LocalDateTime& time) {
  const SYSTEMTIME system = SystemTimeOf(time);
  wchar_t text[kDateTextSize] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &system, nullptr, text, kDateTextSize);
  return Utf8(text);
}

std::string LongTime(const LocalDateTime& time) {
  const SYSTEMTIME system = SystemTimeOf(time);
  wchar_t text[kDateTextSize] = {};
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &system, nullptr, text, kDateTextSize);
  return Utf8(text);
}

// A child's place in its parent's client area.
RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

RestoreDialog::RestoreDialog(EditorContext& context, const Settings& settings)
    : context_(context), settings_(settings), folder_(settings.backupFolder) {}

INT_PTR RestoreDialog::ShowModal(HWND owner) {
  return DoModal(owner, IDD_RESTORE);
}

void RestoreDialog::OnInit() {
  SetWindowTextW(Handle(), Wide(kApplicationTitle).c_str());
  list_ = ListViewControl(Item(IDC_RESTORE_LIST));
  MakeColumns();
}

DialogTranslation RestoreDialog::Translation() const {
  return {context_.language,
          settings_.languageName,
          "frmRestore",
          {{"suiGroupBox1", IDC_RESTORE_GROUP},
           {"bBrowseFolder", IDC_RESTORE_BROWSE},
           {"ListView1", IDC_RESTORE_LIST, ComponentKind::ListColumns},
           {"bRestore", IDC_RESTORE_RESTORE},
           {"bOpenDirectory", IDC_RESTORE_OPEN_DIRECTORY},
           {"bDelete", IDC_RESTORE_DELETE},
           {"bClose", IDCANCEL}}};
}

void RestoreDialog::OnTranslated() {
  LayOutButtons();
  // The captions whole from the start, also while the folder is still being listed.
  WidenColumnsToTheirTexts();
  CenterOnOwner();
  SetItemText(IDC_RESTORE_FOLDER, folder_);
  UpdateActions();
  // Once the window is up, so that a message about a missing folder stands in front of it.
  PostMessageW(Handle(), kRestoreListFolderMessage, 0, 0);
}

void RestoreDialog::MakeColumns() {
  list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  const int dpi = WindowDpi(Handle());
  for (int index = 0; index < static_cast<int>(std::size(kColumns)); ++index) {
    list_.InsertColumn(index, kColumns[index].caption, Scale(kColumns[index].width, dpi));
  }
}

void RestoreDialog::LayOutButtons() {
  HWND open = Item(IDC_RESTORE_OPEN_DIRECTORY);
  RECT openRect = ChildRect(open);
  const int captionWidth = TextMeter(Handle()).CaptionWidth(WindowText(open));
  const int margin = Scale(kCaptionMargin, WindowDpi(Handle()));
  if (openRect.right - openRect.left < captionWidth + margin) {
    openRect.right = openRect.left + captionWidth + margin;
  }
  const RECT restore = ChildRect(Item(IDC_RESTORE_RESTORE));
  const RECT remove = ChildRect(Item(IDC_RESTORE_DELETE));
  const RECT close = ChildRect(Item(IDCANCEL));
  const int openWidth = openRect.right - openRect.left;
  const int deleteWidth = remove.right - remove.left;
  const MiddleButtonLefts lefts = SpreadMiddleButtons(
      restore.left, restore.right - restore.left, openWidth, deleteWidth, close.left);
  MoveWindow(open, lefts.second, openRect.top, openWidth, openRect.bottom - openRect.top, TRUE);
  MoveWindow(Item(IDC_RESTORE_DELETE), lefts.third, remove.top, deleteWidth,
             remove.bottom - remove.top, TRUE);
}

void RestoreDialog::ListFolder() {
  list_.DeleteAllItems();
  rows_.clear();
  if (!context_.files.DirectoryExists(folder_)) {
    UpdateActions();
    const std::string message = context_.language.LangString(
        "RES_Directory_Not_Exist", "The backup directory does not exist.");
    FittedMessageBox(Handle(), message, MB_OK | MB_ICONINFORMATION);
    return;
  }
  rows_ = ListBackupFiles(context_.files, folder_);
  JudgeBackupFiles(context_.registry, context_.files, folder_, rows_);
  const DateTimeFormat format{&ShortDate, &LongTime};
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    const BackupFileEntry& entry = rows_[row];
    list_.InsertItem(row, entry.name);
    list_.SetItemText(row, 1, BackupDateText(entry, format));
    list_.SetItemText(row, 2, BackupSizeText(entry.size));
    list_.SetItemText(row, 3, CountText(entry.keys));
    list_.SetItemText(row, 4, CountText(entry.values));
    list_.SetItemText(row, 5, BackupOriginText(context_.language, entry.origin));
  }
  WidenColumnsToTheirTexts();
  UpdateActions();
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_.Handle()), TRUE);
  if (const std::optional<std::string> warning =
          OpenBackupFolderWarning(context_.language, context_.files, folder_)) {
    FittedMessageBox(Handle(), *warning, MB_OK | MB_ICONWARNING);
  }
}

void RestoreDialog::WidenColumnsToTheirTexts() {
  const int rows = list_.ItemCount();
  const std::vector<std::string> captions = ListColumnCaptions(list_.Handle());
  const int margin = Scale(kCellMargin, WindowDpi(Handle()));
  for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
    int widest = list_.ColumnWidth(column) - margin;
    if (column < static_cast<int>(captions.size())) {
      widest = std::max(widest, list_.StringWidth(captions[column]));
    }
    for (int row = 0; row < rows; ++row) {
      widest = std::max(widest, list_.StringWidth(list_.ItemText(row, column)));
    }
    list_.SetColumnWidth(column, widest + margin);
  }
}

void RestoreDialog::UpdateActions() {
  const bool selected = list_.SelectedRow() >= 0;
  HWND focus = GetFocus();
  for (const int id : {IDC_RESTORE_RESTORE, IDC_RESTORE_DELETE}) {
    // A disabled button cannot keep the focus: it goes to the list.
    if (!selected && focus == Item(id)) {
      SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_.Handle()), TRUE);
    }
    EnableWindow(Item(id), selected);
  }
}

void RestoreDialog::OnCommand(int id, int code, HWND /*control*/) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_RESTORE_RESTORE: OnRestore(); break;
    case IDC_RESTORE_DELETE: OnDelete(); break;
    case IDC_RESTORE_OPEN_DIRECTORY: context_.system.OpenWithShell(folder_, ""); break;
    case IDC_RESTORE_BROWSE: OnBrowse(); break;
    case IDCANCEL: End(IDCANCEL); break;
    default: break;
  }
}

bool RestoreDialog::OnPrivateMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (message != kRestoreListFolderMessage) return false;
  ListFolder();
  return true;
}

bool RestoreDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_RESTORE_LIST) return false;
  switch (header.code) {
    case LVN_ITEMCHANGED: UpdateActions(); return true;
    case NM_DBLCLK: OnRestore(); return true;
    default: return false;
  }
}

void RestoreDialog::OnRestore() {
  const int row = list_.SelectedRow();
  if (row < 0) return;
  WindowEditorPrompts prompts(Handle(), context_.language, settings_.languageName);
  const RestoreOutcome outcome =
      RestoreBackupFile(context_, prompts, BackupFilePath(folder_, rows_.at(row).name),
                        settings_.deleteBackupAfterRestore);
  if (outcome == RestoreOutcome::CompleteAndDeleted) RemoveRow(row);
}

void RestoreDialog::OnDelete() {
  const int row = list_.SelectedRow();
  if (row < 0) return;
  const std::string& name = rows_.at(row).name;
  WindowEditorPrompts prompts(Handle(), context_.language, settings_.languageName);
  if (!prompts.AskYesNo(DeleteBackupQuestion(context_.language, name))) return;
  // A file that cannot be deleted (a folder or a link put in its place since the listing: the
  // program runs elevated) leaves the list all the same.
  DeleteBackupFile(context_, BackupFilePath(folder_, name));
  RemoveRow(row);
}

void RestoreDialog::RemoveRow(int row) {
  list_.DeleteItem(row);
  rows_.erase(rows_.begin() + row);
  list_.SelectRow(RowToSelectAfterDelete(row, static_cast<int>(rows_.size())));
  UpdateActions();
}

void RestoreDialog::OnBrowse() {
  const std::optional<std::string> chosen = SelectFolder(
      Handle(),
      context_.language.LangString("RES_Select_Directory", "Please select the directory to add"),
      "");
  if (!chosen) return;
  folder_ = *chosen;
  SetItemText(IDC_RESTORE_FOLDER, folder_);
  ListFolder();
}

}  // namespace kelvane
