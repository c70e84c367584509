// Identifiers of the repair progress window.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_REPAIR_PROGRESS 740
#define IDC_REPAIR_PROGRESS_GROUP (IDD_REPAIR_PROGRESS + 1)
#define IDC_REPAIR_PROGRESS_HINT (IDD_REPAIR_PROGRESS + 2)
#define IDC_REPAIR_PROGRESS_BAR (IDD_REPAIR_PROGRESS + 3)
#define IDC_REPAIR_PROGRESS_STOP (IDD_REPAIR_PROGRESS + 4)
