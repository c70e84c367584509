// The program's private window messages, all on WM_APP but the one a second start sends the
// running instance: that one keeps its number, since any version of the program may be the
// one running.
#pragma once

#include <windows.h>

namespace kelvane {

// Main window.
constexpr UINT kActivateInstanceMessage = WM_USER + 0x2010;
constexpr UINT kCleanOnceRunMessage = WM_APP + 1;
// Posted by the scan after each task: refresh the counts.
constexpr UINT kScanTaskDoneMessage = WM_APP + 2;

// Scan progress dialog. Reports are posted when waiting; a task step is sent (wParam: 1 before,
// 0 after); the end is posted when the scan ends by itself (wParam: the ScanEnd).
constexpr UINT kStartScanMessage = WM_APP + 10;
constexpr UINT kScanReportsWaiting = WM_APP + 11;
constexpr UINT kScanTaskStep = WM_APP + 12;
constexpr UINT kScanEnded = WM_APP + 13;

// Restore-point dialog: the request has returned; lParam 0 created, 1 failed.
constexpr UINT kRestorePointDoneMessage = WM_APP + 20;

// Repair progress dialog: the walk has ended.
constexpr UINT kRepairWalkEnded = WM_APP + 40;

// Restore window: list the folder, once the window is shown.
constexpr UINT kRestoreListFolderMessage = WM_APP + 30;

}  // namespace kelvane
