// Identifiers of the resources in the resource scripts.
#pragma once

// Scan progress window.
#define IDD_REG_PROGRESS_HINT 200
#define IDC_PROGRESS_GROUP 201
#define IDC_SCAN_TASK 202
#define IDC_SCAN_PROGRESS 203
#define IDC_SCAN_KEY 204
#define IDC_SCAN_STOP 205
