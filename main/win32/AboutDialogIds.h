// Identifiers of the about window.
// Its controls are numbered from the dialog's own identifier.
#pragma once

#define IDD_ABOUT 610
#define IDC_ABOUT_BANNER (IDD_ABOUT + 1)
#define IDC_ABOUT_ICON (IDD_ABOUT + 2)
#define IDC_ABOUT_NAME (IDD_ABOUT + 3)
#define IDC_ABOUT_VERSION (IDD_ABOUT + 4)
#define IDC_ABOUT_COPYRIGHT (IDD_ABOUT + 5)
#define IDC_ABOUT_LINE (IDD_ABOUT + 6)
#define IDC_ABOUT_LINK (IDD_ABOUT + 7)
