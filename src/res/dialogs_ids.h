// Ids of the dialog library's templates (dialogs.rc) and their controls.
#pragma once

// The table editor: one template for every table, its caption set by the table.
#define IDD_TABLE_EDITOR 3100
#define IDC_TED_LIST 3101     // the table, a list view in report mode
#define IDC_TED_COLUMN 3102   // the column the change button edits
#define IDC_TED_CHANGE 3103
#define IDC_TED_ADD 3104
#define IDC_TED_DETAIL 3105
#define IDC_TED_NOTE 3106     // what the selected column takes
