// Templates and controls of the framework tests' own dialogs.
#pragma once

// Dialogs
#define IDD_EXCHANGE 200
#define IDD_CLICKS 201
#define IDD_PLACED 202
#define IDD_BROKEN 203
#define IDD_MISSING 299 // no such template on purpose

// Exchange dialog
#define IDC_NAME 1000
#define IDC_COUNT 1001
#define IDC_OTHER 1002

// Clicks dialog
#define IDC_APPLY 1100
#define IDC_PLAIN 1101
#define IDC_OPTION 1102
#define IDC_NOTE 1103

// System menu command the clicks dialog appends
#define IDM_PROBE 16
