// Identifiers of the restore window; its Close button is IDCANCEL.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_RESTORE 720
#define IDC_RESTORE_GROUP (IDD_RESTORE + 1)
#define IDC_RESTORE_FOLDER (IDD_RESTORE + 2)
#define IDC_RESTORE_BROWSE (IDD_RESTORE + 3)
#define IDC_RESTORE_LIST (IDD_RESTORE + 4)
#define IDC_RESTORE_RESTORE (IDD_RESTORE + 5)
#define IDC_RESTORE_OPEN_DIRECTORY (IDD_RESTORE + 6)
#define IDC_RESTORE_DELETE (IDD_RESTORE + 7)
