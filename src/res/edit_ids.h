// Resource ids of element picking, information and editing: the element
// dialogs and their controls.
#pragma once

// The figure-line dialog (information and change forms).
#define IDD_LINE_INFO 184
#define IDC_LINE_ROWS 1304
#define IDC_LINE_ARC_CENTRE 1890
