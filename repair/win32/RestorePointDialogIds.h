// Identifiers of the restore-point window.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_RESTORE_POINT 650
#define IDC_RESTORE_POINT_GROUP (IDD_RESTORE_POINT + 1)
#define IDC_RESTORE_POINT_TASK (IDD_RESTORE_POINT + 2)
#define IDC_RESTORE_POINT_LINE1 (IDD_RESTORE_POINT + 3)
#define IDC_RESTORE_POINT_LINE2 (IDD_RESTORE_POINT + 4)
#define IDC_RESTORE_POINT_WAIT (IDD_RESTORE_POINT + 5)
#define IDC_RESTORE_POINT_PROGRESS (IDD_RESTORE_POINT + 6)
