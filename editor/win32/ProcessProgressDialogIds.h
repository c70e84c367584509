// Identifiers of the process progress window while the registry editor runs.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_PROCESS_PROGRESS 700
#define IDC_PROCESS_PROGRESS_GROUP (IDD_PROCESS_PROGRESS + 1)
#define IDC_PROCESS_PROGRESS_HINT (IDD_PROCESS_PROGRESS + 2)
#define IDC_PROCESS_PROGRESS_BAR (IDD_PROCESS_PROGRESS + 3)
#define IDC_PROCESS_PROGRESS_STOP (IDD_PROCESS_PROGRESS + 4)
