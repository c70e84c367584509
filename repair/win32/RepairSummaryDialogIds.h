// Identifiers of the summary window after a repair; its Close button is IDNO.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_REPAIR_SUMMARY 670
#define IDC_REPAIR_SUMMARY_GROUP (IDD_REPAIR_SUMMARY + 1)
#define IDC_REPAIR_SUMMARY_COUNT (IDD_REPAIR_SUMMARY + 2)
#define IDC_REPAIR_SUMMARY_LINE1 (IDD_REPAIR_SUMMARY + 3)
#define IDC_REPAIR_SUMMARY_LINE2 (IDD_REPAIR_SUMMARY + 4)
#define IDC_REPAIR_SUMMARY_LINE3 (IDD_REPAIR_SUMMARY + 5)
#define IDC_REPAIR_SUMMARY_NOT_SHOW (IDD_REPAIR_SUMMARY + 6)
