#include "options/win32/IgnoreEntryDialog.h"

#include <utility>

#include "global/win32/DialogTexts.h"
#include "options/Options.h"
#include "options/win32/IgnoreEntryDialogIds.h"
#include "platform/win32/Win32System.h"

namespace kelvane {

IgnoreEntryDialog::IgnoreEntryDialog(const Language& language, const std::string& currentLanguage,
                                     std::string text)
    : language_(language), currentLanguage_(currentLanguage), text_(std::move(text)) {}

INT_PTR IgnoreEntryDialog::ShowModal(HWND owner) { return DoModal(owner, IDD_IGNORE_ENTRY); }

void IgnoreEntryDialog::OnInit() { CenterOnOwner(); }

DialogTranslation IgnoreEntryDialog::Translation() const {
  return {language_,
          currentLanguage_,
          "frmRegAddRegistry",
          {{"suiGroupBox1", IDC_IGNORE_ENTRY_GROUP},
           {"Label1", IDC_IGNORE_ENTRY_LABEL},
           {"bLaunchRegedit", IDC_IGNORE_ENTRY_REGEDIT},
           {"Label2", IDC_IGNORE_ENTRY_EXAMPLE},
           {"bOK", IDOK},
           {"bCancel", IDCANCEL}}};
}

void IgnoreEntryDialog::OnTranslated() {
  SetItemText(IDC_IGNORE_ENTRY_TEXT, text_);
  EnableOk();
}

void IgnoreEntryDialog::EnableOk() { EnableWindow(Item(IDOK), IsIgnoreEntryText(text_)); }

void IgnoreEntryDialog::OnCommand(int id, int code, HWND /*control*/) {
  switch (id) {
    case IDC_IGNORE_ENTRY_TEXT:
      if (code != EN_CHANGE) break;
      text_ = WindowText(Item(IDC_IGNORE_ENTRY_TEXT));
      EnableOk();
      break;
    case IDC_IGNORE_ENTRY_REGEDIT: {
      // Opened for the user to look keys up; the dialog does not wait for it.
      Win32System system;
      system.OpenWithShell(RegistryEditorPath(), "");
      break;
    }
    case IDOK:
      // Enter reaches here even while OK is disabled.
      if (IsIgnoreEntryText(text_)) End(IDOK);
      break;
    case IDCANCEL: End(IDCANCEL); break;
    default: break;
  }
}

}  // namespace kelvane
