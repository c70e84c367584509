// Identifiers of the main window's commands, controls and menus.
#pragma once

#define IDR_MAIN_MENU 300
#define IDR_MAIN_ACCELERATORS 301
#define IDR_RESULTS_POPUP 302

// Commands: menu items, the buttons that share them, the accelerators.
#define ID_BACKUP_FULL_REGISTRY 40001
#define ID_WINDOWS_BACKUP 40002
#define ID_STARTUP_MANAGER 40003
#define ID_EXIT 40004
#define ID_SCAN_REGISTRY 40010
#define ID_REPAIR_REGISTRY 40011
#define ID_RESTORE_REGISTRY 40012
#define ID_SELECT_ALL 40020
#define ID_SELECT_ALL_TYPE 40021
#define ID_SELECT_NONE 40022
#define ID_SELECT_NONE_TYPE 40023
#define ID_IGNORE_LIST_ADD 40024
#define ID_SAVE_TEXT 40025
#define ID_OPEN_REGEDIT 40026
#define ID_OPTIONS 40027
#define ID_ONLINE_HELP 40040
#define ID_HOME_PAGE 40041
#define ID_ABOUT 40042
// Language items are this plus their place in the language table.
#define ID_LANGUAGE_FIRST 40100

// Controls.
#define IDC_CATEGORY_TREE 1001
#define IDC_RESULTS_LIST 1002
#define IDC_STATUS_BAR 1003
#define IDC_TASKS_LABEL 1004
#define IDC_SECTIONS_LABEL 1005
#define IDC_EXPLANATION 1006
