// The option panels' part of the frame's state block: one window slot per
// panel and the parameter blocks the panels are created with.
#pragma once
#include <windows.h>

// Panel numbers run from 1 to 116; slot 0 is unused.
#define PNL_MAX_NUMBER 116

struct PNL_PanelArea {
    HWND hPanel[PNL_MAX_NUMBER + 1];
    HWND hPanelUnnumbered[2];  // the panels of dialogs 250 and 398, never shown
    POINT ptInfoDialog;        // where the element information dialogs open
    int clearedWords[2];
    short panelFlag;           // 1 after creation
    double gridHideValue[2];   // main and sub grid hide values, 1.0 to 7.0
};
