// Identifiers of the scan progress window.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_SCAN_PROGRESS 200
#define IDC_PROGRESS_GROUP (IDD_SCAN_PROGRESS + 1)
#define IDC_SCAN_TASK (IDD_SCAN_PROGRESS + 2)
#define IDC_SCAN_PROGRESS (IDD_SCAN_PROGRESS + 3)
#define IDC_SCAN_KEY (IDD_SCAN_PROGRESS + 4)
#define IDC_SCAN_STOP (IDD_SCAN_PROGRESS + 5)
