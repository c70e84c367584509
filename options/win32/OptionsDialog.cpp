#include "options/win32/OptionsDialog.h"

#include <commctrl.h>

#include <utility>

#include "global/win32/DialogTexts.h"
#include "global/win32/Dpi.h"
#include "global/win32/FittedMessageBox.h"
#include "global/win32/SelectFolder.h"
#include "options/win32/IgnoreEntryDialog.h"
#include "options/win32/OptionsDialogIds.h"
#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

constexpr int kGeneralPage = 0;
constexpr int kIgnoreListsPage = 1;
constexpr int kKeysPage = 1;
constexpr int kItemsColumnWidth = 360;

struct SwitchBox {
  const char* name;
  int id;
  bool Preferences::*setting;
};

const SwitchBox kSwitchBoxes[] = {
    {"cbCreateRestore", IDC_OPTIONS_RESTORE_POINT, &Preferences::createRestorePoint},
    {"cbDeleteBackupFile", IDC_OPTIONS_DELETE_BACKUP, &Preferences::deleteBackupAfterRestore},
    {"cbIncludeRemoveMedia", IDC_OPTIONS_REMOVABLE_MEDIA, &Preferences::judgeRemovableMedia},
    {"cbIncludeCDdrive", IDC_OPTIONS_CD_DRIVE, &Preferences::judgeCdDrives},
    {"cbShowHint", IDC_OPTIONS_SHOW_HINT, &Preferences::showRepairSummary},
    {"cbBeep", IDC_OPTIONS_BEEP, &Preferences::beepWhenDone},
    {"cbTickReviewRows", IDC_OPTIONS_TICK_REVIEW, &Preferences::tickReviewRows},
    {"cbScan64Bit", IDC_OPTIONS_SCAN_64_BIT, &Preferences::scan64Bit},
};

const int kGeneralControls[] = {IDC_OPTIONS_FOLDER_FRAME, IDC_OPTIONS_FOLDER_GROUP,
                                IDC_OPTIONS_FOLDER, IDC_OPTIONS_BROWSE, IDC_OPTIONS_SWITCHES_FRAME};
const int kIgnoreListsControls[] = {IDC_OPTIONS_IGNORE_LABEL, IDC_OPTIONS_LISTS, IDC_OPTIONS_ADD,
                                    IDC_OPTIONS_EDIT, IDC_OPTIONS_REMOVE};

// A tab control without visual styles draws its pages in the dialog's colour, in which the
// controls standing on them draw their own background.
void DrawInDialogColour(HWND tabs) {
  using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  // Loaded only while visual styles are in use; without them there is nothing to switch off.
  const HMODULE themes = GetModuleHandleW(L"uxtheme.dll");
  if (!themes) return;
  // Through void(*)() the compiler accepts the change of signature.
  const auto setWindowTheme = reinterpret_cast<SetWindowThemeFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(themes, "SetWindowTheme")));
  if (setWindowTheme) setWindowTheme(tabs, L"", L"");
}

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings, FileSystemAccess& files, const Language& language,
                             const std::string& currentLanguage)
    : settings_(settings),
      files_(files),
      language_(language),
      currentLanguage_(currentLanguage),
      model_(OptionsFromSettings(settings)) {}

INT_PTR OptionsDialog::ShowModal(HWND owner) { return DoModal(owner, IDD_OPTIONS); }

void OptionsDialog::AddPages(int tabControlId, const std::vector<const char*>& captions) {
  for (std::size_t index = 0; index < captions.size(); ++index) {
    std::wstring caption = Wide(captions[index]);
    TCITEMW page = {};
    page.mask = TCIF_TEXT;
    page.pszText = &caption[0];
    SendMessageW(Item(tabControlId), TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&page));
  }
}

void OptionsDialog::OnInit() {
  CenterOnOwner();
  SetItemText(IDC_OPTIONS_FOLDER, model_.preferences.backupFolder);
  for (const SwitchBox& box : kSwitchBoxes) {
    CheckDlgButton(Handle(), box.id, model_.preferences.*box.setting ? BST_CHECKED : BST_UNCHECKED);
  }
  AddPages(IDC_OPTIONS_PAGES, {"General", "Ignore Lists"});
  AddPages(IDC_OPTIONS_LISTS, {"Values", "Keys"});
  DrawInDialogColour(Item(IDC_OPTIONS_PAGES));
  DrawInDialogColour(Item(IDC_OPTIONS_LISTS));
  values_ = std::make_unique<TickListView>(Item(IDC_OPTIONS_VALUES), valueRows_);
  keys_ = std::make_unique<TickListView>(Item(IDC_OPTIONS_KEYS), keyRows_);
  for (TickListView* view : {values_.get(), keys_.get()}) {
    view->AddColumn("Items", Scale(kItemsColumnWidth, WindowDpi(Handle())));
    view->Refresh();
  }
  ShowPage(kGeneralPage);
}

DialogTranslation OptionsDialog::Translation() const {
  std::vector<DialogCaption> captions = {
      {"suiPageControl1", IDC_OPTIONS_PAGES, ComponentKind::Pages},
      {"GroupBox1", IDC_OPTIONS_FOLDER_FRAME},
      {"suiGroupBox1", IDC_OPTIONS_FOLDER_GROUP},
      {"bBrowse", IDC_OPTIONS_BROWSE},
      {"GroupBox2", IDC_OPTIONS_SWITCHES_FRAME}};
  for (const SwitchBox& box : kSwitchBoxes) captions.push_back({box.name, box.id});
  captions.insert(captions.end(), {{"Label1", IDC_OPTIONS_IGNORE_LABEL},
                                   {"suiPageControl2", IDC_OPTIONS_LISTS, ComponentKind::Pages},
                                   {"lvValues", IDC_OPTIONS_VALUES, ComponentKind::ListColumns},
                                   {"lvKeys", IDC_OPTIONS_KEYS, ComponentKind::ListColumns},
                                   {"bAdd", IDC_OPTIONS_ADD},
                                   {"bEdit", IDC_OPTIONS_EDIT},
                                   {"bRemove", IDC_OPTIONS_REMOVE},
                                   {"bOK", IDOK},
                                   {"bCancel", IDCANCEL}});
  return {language_, currentLanguage_, "frmOptions", std::move(captions)};
}

void OptionsDialog::OnTranslated() {
  SetItemText(IDC_OPTIONS_RESTORE_POINT,
              RestorePointCaption(WindowText(Item(IDC_OPTIONS_RESTORE_POINT))));
}

void OptionsDialog::ShowPage(int page) {
  TabCtrl_SetCurSel(Item(IDC_OPTIONS_PAGES), page);
  const auto show = [this](int id, bool shown) { ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); };
  for (int id : kGeneralControls) show(id, page == kGeneralPage);
  for (const SwitchBox& box : kSwitchBoxes) show(box.id, page == kGeneralPage);
  for (int id : kIgnoreListsControls) show(id, page == kIgnoreListsPage);
  const bool keys = TargetList() == IgnoreList::Key;
  show(IDC_OPTIONS_VALUES, page == kIgnoreListsPage && !keys);
  show(IDC_OPTIONS_KEYS, page == kIgnoreListsPage && keys);
  // The group boxes are hollow and the tab controls do not paint beneath them: what the page
  // before left there is painted over from the dialog's background up.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

IgnoreList OptionsDialog::TargetList() const {
  return TabCtrl_GetCurSel(Item(IDC_OPTIONS_LISTS)) == kKeysPage ? IgnoreList::Key
                                                                 : IgnoreList::Value;
}

TickListView& OptionsDialog::TargetView() {
  return TargetList() == IgnoreList::Key ? *keys_ : *values_;
}

void OptionsDialog::OnCommand(int id, int code, HWND /*control*/) {
  for (const SwitchBox& box : kSwitchBoxes) {
    if (id == box.id && code == BN_CLICKED) {
      model_.preferences.*box.setting = IsDlgButtonChecked(Handle(), box.id) == BST_CHECKED;
      return;
    }
  }
  switch (id) {
    case IDC_OPTIONS_FOLDER:
      if (code == EN_CHANGE) model_.preferences.backupFolder = WindowText(Item(IDC_OPTIONS_FOLDER));
      break;
    case IDC_OPTIONS_BROWSE: OnBrowse(); break;
    case IDC_OPTIONS_ADD: OnAdd(); break;
    case IDC_OPTIONS_EDIT: OnEdit(); break;
    case IDC_OPTIONS_REMOVE: OnRemove(); break;
    case IDOK: OnOk(); break;
    case IDCANCEL: End(IDCANCEL); break;
    default: break;
  }
}

bool OptionsDialog::OnNotify(const NMHDR& header) {
  if (header.code == TCN_SELCHANGE) {
    // A change of the inner page shows its list.
    ShowPage(TabCtrl_GetCurSel(Item(IDC_OPTIONS_PAGES)));
    return true;
  }
  LRESULT ignored = 0;
  if (!values_ || !keys_) return false;
  if (values_->OnNotify(header, ignored, [] {}) || keys_->OnNotify(header, ignored, [] {})) {
    return true;
  }
  if (header.code == NM_DBLCLK &&
      (header.hwndFrom == values_->Handle() || header.hwndFrom == keys_->Handle())) {
    OnEdit();
    return true;
  }
  return false;
}

void OptionsDialog::OnOk() {
  if (const std::optional<std::string> missing =
          ConfirmOptions(model_, settings_, files_, language_)) {
    FittedMessageBox(Handle(), *missing, MB_OK | MB_ICONERROR);
    ShowPage(kGeneralPage);
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_OPTIONS_FOLDER)), TRUE);
    return;
  }
  if (const std::optional<std::string> warning =
          OpenBackupFolderWarning(language_, files_, settings_.backupFolder)) {
    FittedMessageBox(Handle(), *warning, MB_OK | MB_ICONWARNING);
  }
  End(IDOK);
}

void OptionsDialog::OnBrowse() {
  const std::optional<std::string> folder = SelectFolder(
      Handle(), language_.LangString("RES_Select_Directory", "Please select the directory to add"),
      "");
  if (folder) SetItemText(IDC_OPTIONS_FOLDER, *folder);
}

void OptionsDialog::OnAdd() {
  IgnoreEntryDialog entry(language_, currentLanguage_, "");
  if (entry.ShowModal(Handle()) != IDOK) return;
  AddIgnoreRow(model_.Rows(TargetList()), entry.Text());
  TargetView().Refresh();
}

void OptionsDialog::OnEdit() {
  const std::vector<std::size_t> selected = TargetView().SelectedRows();
  if (selected.empty()) return;
  IgnoreRow& row = model_.Rows(TargetList()).at(selected.front());
  IgnoreEntryDialog entry(language_, currentLanguage_, row.text);
  if (entry.ShowModal(Handle()) != IDOK) return;
  row.text = entry.Text();
  TargetView().Refresh();
}

void OptionsDialog::OnRemove() {
  RemoveTickedRows(model_.Rows(TargetList()));
  // Selections are kept by place, and the rows have moved.
  TargetView().ClearSelection();
  TargetView().Refresh();
}

}  // namespace kelvane
