// Identifiers of the ignore-entry dialog; OK and Cancel are IDOK and IDCANCEL.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_IGNORE_ENTRY 830
#define IDC_IGNORE_ENTRY_GROUP (IDD_IGNORE_ENTRY + 1)
#define IDC_IGNORE_ENTRY_LABEL (IDD_IGNORE_ENTRY + 2)
#define IDC_IGNORE_ENTRY_TEXT (IDD_IGNORE_ENTRY + 3)
#define IDC_IGNORE_ENTRY_REGEDIT (IDD_IGNORE_ENTRY + 4)
#define IDC_IGNORE_ENTRY_EXAMPLE (IDD_IGNORE_ENTRY + 5)
