// IDs the framework itself uses; kept out of the programs' own ID ranges.
#pragma once

// Command raised by F1 in any dialog; the application's command map sends it to help.
#define ID_HELP 57670

// The hidden labels CDialog::NameItem adds; no template uses this control ID.
#define IDC_ITEM_NAME 0xFFFE

// Strings of the framework's own string table (Framework.rc).
#define IDS_HELP_NOT_STARTED 61703
#define IDS_NOT_AN_INTEGER 61712
