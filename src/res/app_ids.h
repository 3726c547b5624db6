// Resource ids of the application shell: the main menu and accelerators,
// the start dialog, the file-type, folder and hint dialogs, the note and
// wait dialogs, and the frame's cursors, icons and bitmap.
#pragma once

// Main menu of the frame's class and its accelerator table.
#define IDM_MAIN 380
#define IDA_MAIN 253

// Icons, bitmap and cursors.
#define IDI_APP 101
#define IDI_HINT 470
#define IDB_START 218
// Edge-zone cursors of the frame: top-left, left, bottom-left, bottom,
// bottom-right, right, top-right, top.
#define IDC_EDGE_TOPLEFT 115
#define IDC_EDGE_LEFT 114
#define IDC_EDGE_BOTTOMLEFT 116
#define IDC_EDGE_BOTTOM 117
#define IDC_EDGE_BOTTOMRIGHT 118
#define IDC_EDGE_RIGHT 119
#define IDC_EDGE_TOPRIGHT 120
#define IDC_EDGE_TOP 121
// Cursor modes: normal, click request, further modes.
#define IDC_MODE_NORMAL 205
#define IDC_MODE_CLICK 208
#define IDC_MODE_OTHER 479

// Start dialog.
#define IDD_START 380
#define IDC_START_D2D 1949
#define IDC_START_GDI 1950
#define IDC_START_HINT 1786
#define IDC_START_OPEN 1036
#define IDC_START_CANCEL 40041
#define IDC_START_FILE_LABEL 1705
#define IDC_START_FILE 1818
#define IDC_START_OPEN_NAMED 1819
#define IDC_START_VERSION 1327
// Hint dialog of the display modes.
#define IDD_DISPLAY_HINT 327

// File-type dialog.
#define IDD_FILE_TYPE 381
#define IDC_TYPE_TPW 1673
#define IDC_TYPE_PCB 1674
#define IDC_TYPE_OLD_TPW 1756
#define IDC_TYPE_APT_COMMON 1726
#define IDC_TYPE_EXPLAIN 1725
#define IDC_TYPE_WARNING 1797

// Folder dialog and the template its browse dialog adds.
#define IDD_FOLDER 260
#define IDC_FOLDER_PATH 1611
#define IDC_FOLDER_BROWSE 1612
#define IDD_FOLDER_BROWSE 103

// Hint dialogs: template, layer count, automatic void.
#define IDD_TEMPLATE_HINT 331
#define IDD_LAYER_HINT 334
#define IDD_AUTOVOID_HINT 362
#define IDC_HINT_TEXT1 1010
#define IDC_HINT_TEXT2 1011
#define IDC_HINT_TEXT3 1012

// Note dialog centred on the canvas.
#define IDD_NOTE 382
#define IDC_NOTE_TEXT 1433

// Wait dialog of the frame.
#define IDD_WAIT 413
