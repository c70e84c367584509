// Identifiers of the startup manager; its Close button is IDCANCEL.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_STARTUP_MANAGER 850
#define IDC_STARTUP_LIST (IDD_STARTUP_MANAGER + 1)
#define IDC_STARTUP_SELECT_ALL (IDD_STARTUP_MANAGER + 2)
#define IDC_STARTUP_SELECT_NONE (IDD_STARTUP_MANAGER + 3)
#define IDC_STARTUP_DELETE (IDD_STARTUP_MANAGER + 4)
