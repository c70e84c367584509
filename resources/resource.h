// Identifiers of the resources in the resource scripts.
#pragma once

// Scan progress window.
#define IDD_SCAN_PROGRESS 200
#define IDC_PROGRESS_GROUP 201
#define IDC_SCAN_TASK 202
#define IDC_SCAN_PROGRESS 203
#define IDC_SCAN_KEY 204
#define IDC_SCAN_STOP 205

// Program icon, pictures and the about window.
#define IDI_KELVANE 1
#define IDR_TITLE_BAND 600
#define IDR_ABOUT_BANNER 601
#define IDD_ABOUT 610
#define IDC_ABOUT_BANNER 611
#define IDC_ABOUT_ICON 612
#define IDC_ABOUT_NAME 613
#define IDC_ABOUT_VERSION 614
#define IDC_ABOUT_COPYRIGHT 615
#define IDC_ABOUT_LINE 616
#define IDC_ABOUT_LINK 617

// Restore-point window.
#define IDD_RESTORE_POINT 650
#define IDC_RESTORE_POINT_GROUP 651
#define IDC_RESTORE_POINT_TASK 652
#define IDC_RESTORE_POINT_LINE1 653
#define IDC_RESTORE_POINT_LINE2 654
#define IDC_RESTORE_POINT_WAIT 655
#define IDC_RESTORE_POINT_PROGRESS 656

// Summary window after a repair; its Close button is IDNO.
#define IDD_REPAIR_SUMMARY 670
#define IDC_REPAIR_SUMMARY_GROUP 671
#define IDC_REPAIR_SUMMARY_COUNT 672
#define IDC_REPAIR_SUMMARY_LINE1 673
#define IDC_REPAIR_SUMMARY_LINE2 674
#define IDC_REPAIR_SUMMARY_LINE3 675
#define IDC_REPAIR_SUMMARY_NOT_SHOW 676
