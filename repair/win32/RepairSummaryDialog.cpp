#include "repair/win32/RepairSummaryDialog.h"

#include "repair/RepairSummary.h"
#include "repair/win32/RepairSummaryDialogIds.h"

namespace kelvane {

RepairSummaryDialog::RepairSummaryDialog(const Language& language,
                                         const std::string& currentLanguage, Settings& settings,
                                         int problemCount, int foundAfter)
    : language_(language),
      currentLanguage_(currentLanguage),
      settings_(settings),
      problemCount_(problemCount),
      foundAfter_(foundAfter) {}

INT_PTR RepairSummaryDialog::ShowModal(HWND owner) {
  return DoModal(owner, IDD_REPAIR_SUMMARY);
}

void RepairSummaryDialog::OnInit() { CenterOnOwner(); }

DialogTranslation RepairSummaryDialog::Translation() const {
  return {language_,
          currentLanguage_,
          "frmShowHint",
          {{"GroupBox1", IDC_REPAIR_SUMMARY_GROUP},
           {"Label1", IDC_REPAIR_SUMMARY_COUNT},
           {"Label2", IDC_REPAIR_SUMMARY_LINE1},
           {"Label3", IDC_REPAIR_SUMMARY_LINE2},
           {"Label4", IDC_REPAIR_SUMMARY_LINE3},
           {"cbNotShowHint", IDC_REPAIR_SUMMARY_NOT_SHOW},
           {"bCancel", IDNO}}};
}

void RepairSummaryDialog::OnTranslated() {
  // After the translation, which would otherwise put back the designed text.
  SetItemText(IDC_REPAIR_SUMMARY_COUNT, RepairSummaryText(language_, problemCount_, foundAfter_));
  // The comment's lines wrap as one paragraph where the language's words fall; a translation
  // longer than the designed lines still shows whole.
  std::string paragraph;
  for (int id : {IDC_REPAIR_SUMMARY_LINE1, IDC_REPAIR_SUMMARY_LINE2, IDC_REPAIR_SUMMARY_LINE3}) {
    const std::string line = WindowText(Item(id));
    if (!line.empty()) paragraph += (paragraph.empty() ? "" : " ") + line;
  }
  SetItemText(IDC_REPAIR_SUMMARY_LINE1, paragraph);
}

void RepairSummaryDialog::OnCommand(int id, int code, HWND /*control*/) {
  switch (id) {
    case IDC_REPAIR_SUMMARY_NOT_SHOW:
      if (code != BN_CLICKED) break;
      ApplyNotShowHintBox(settings_,
                          IsDlgButtonChecked(Handle(), IDC_REPAIR_SUMMARY_NOT_SHOW) == BST_CHECKED);
      break;
    case IDNO:
    case IDCANCEL: End(IDNO); break;
    default: break;
  }
}

}  // namespace kelvane
