#include "startup/win32/StartupManagerDialog.h"

#include <stdexcept>

#include "global/win32/Dpi.h"
#include "global/win32/FittedMessageBox.h"
#include "startup/win32/StartupManagerDialogIds.h"

namespace kelvane {
namespace {

struct Column {
  const char* caption;
  int width;
};

const Column kColumns[] = {{"Startup Program", 90}, {"File", 160}, {"Location", 200}};

}  // namespace

const std::string& StartupRows::CellText(std::size_t row, int column) const {
  const StartupEntry& entry = list_.Rows().at(row).entry;
  switch (column) {
    case 0: return entry.program;
    case 1: return entry.file;
    default: return entry.location;
  }
}

StartupManagerDialog::StartupManagerDialog(RegistryStore& registry, FileSystemAccess& files,
                                           WindowsVersion version, const Language& language,
                                           const std::string& currentLanguage)
    : registry_(registry),
      files_(files),
      version_(version),
      language_(language),
      currentLanguage_(currentLanguage) {}

INT_PTR StartupManagerDialog::ShowModal(HWND owner) { return DoModal(owner, IDD_STARTUP_MANAGER); }

void StartupManagerDialog::OnInit() {
  CenterOnOwner();
  view_ = std::make_unique<TickListView>(Item(IDC_STARTUP_LIST), rows_);
  const int dpi = WindowDpi(Handle());
  for (const Column& column : kColumns) {
    view_->AddColumn(column.caption, Scale(column.width, dpi));
  }
  Fill();
  view_->Refresh();
}

void StartupManagerDialog::OnTranslated() {
  // An empty list keeps its designed columns, as wide as their captions at least.
  if (list_.Rows().empty()) {
    view_->WidenToCaptions();
  } else {
    view_->FitColumns();
  }
}

DialogTranslation StartupManagerDialog::Translation() const {
  // An empty list keeps its designed texts as well.
  if (list_.Rows().empty()) return {language_, currentLanguage_, nullptr, {}};
  return {language_,
          currentLanguage_,
          "frmStartupManager",
          {{"lvStartup", IDC_STARTUP_LIST, ComponentKind::ListColumns},
           {"bSelectAll", IDC_STARTUP_SELECT_ALL},
           {"bSelectNone", IDC_STARTUP_SELECT_NONE},
           {"bDeleteEntry", IDC_STARTUP_DELETE},
           {"bClose", IDCANCEL}}};
}

void StartupManagerDialog::Fill() {
  try {
    list_.Fill(registry_, files_, version_, language_);
  } catch (const std::runtime_error& error) {
    // Without the shell's shortcut object the entries found so far are shown.
    FittedMessageBox(Handle(), error.what(), MB_OK | MB_ICONERROR);
  }
}

void StartupManagerDialog::TickAll(bool ticked) {
  list_.TickAll(ticked);
  view_->Refresh();
}

void StartupManagerDialog::OnDeleteEntry() {
  // Rows whose entry could not be deleted stay, still ticked.
  list_.DeleteTicked(registry_, files_);
  view_->ClearSelection();
  view_->Refresh();
}

void StartupManagerDialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
  switch (id) {
    case IDC_STARTUP_SELECT_ALL: TickAll(true); break;
    case IDC_STARTUP_SELECT_NONE: TickAll(false); break;
    case IDC_STARTUP_DELETE: OnDeleteEntry(); break;
    case IDCANCEL: End(IDCANCEL); break;
    default: break;
  }
}

bool StartupManagerDialog::OnNotify(const NMHDR& header) {
  if (!view_) return false;
  LRESULT ignored = 0;
  return view_->OnNotify(header, ignored, [] {});
}

}  // namespace kelvane
