#include "windows/win32/ShowHint.h"

#include "global/win32/DialogTexts.h"
#include "resources/resource.h"
#include "windows/ShowHint.h"

namespace kelvane {

TfrmShowHint::TfrmShowHint(const Language& language, const std::string& currentLanguage,
                           Settings& settings, int problemCount)
    : language_(language),
      currentLanguage_(currentLanguage),
      settings_(settings),
      problemCount_(problemCount) {}

INT_PTR TfrmShowHint::ShowModal(HWND owner) { return DoModal(owner, IDD_SHOW_HINT); }

void TfrmShowHint::OnInit() {
  CenterOnOwner();
  TranslateDialogCaptions(Handle(), "frmShowHint",
                          {{"GroupBox1", IDC_SHOW_HINT_GROUP},
                           {"Label1", IDC_SHOW_HINT_COUNT},
                           {"Label2", IDC_SHOW_HINT_LINE1},
                           {"Label3", IDC_SHOW_HINT_LINE2},
                           {"Label4", IDC_SHOW_HINT_LINE3},
                           {"cbNotShowHint", IDC_SHOW_HINT_NOT_SHOW},
                           {"bCancel", IDNO}},
                          language_, currentLanguage_);
  // After the translation, which would otherwise put back the designed text.
  SetItemText(IDC_SHOW_HINT_COUNT, RepairSummaryText(language_, problemCount_));
}

void TfrmShowHint::OnCommand(int id) {
  switch (id) {
    case IDC_SHOW_HINT_NOT_SHOW:
      ApplyNotShowHintBox(settings_,
                          IsDlgButtonChecked(Handle(), IDC_SHOW_HINT_NOT_SHOW) == BST_CHECKED);
      break;
    case IDNO:
    case IDCANCEL:
      End(IDNO);
      break;
    default:
      break;
  }
}

}  // namespace kelvane
