// The main frame's state block, kept at window long 0 of the frame from its
// creation to its destruction. Every part of the program reaches it through
// ROT_GetWindowData().
#pragma once
#include <windows.h>

#include "panels/panel_area.h"

// A child's place in the frame's client area. (Not "FrameRect": that name
// is taken by a GDI function, which would hide the type.)
struct FrameBox {
    int x, y, width, height;
};

struct FrameState {
    HWND hWndCanvas;
    FrameBox rcCanvas;
    HWND hWndFuncBar;
    FrameBox rcFuncBar;
    HWND hWndMenuList;
    FrameBox rcMenuList;  // its height shrinks while an option panel is shown
    HWND hWndSettingBar;
    FrameBox rcSettingBar;
    HWND hWndStatusBar;
    FrameBox rcStatusBar;
    HWND hWndAttrBar;
    FrameBox rcAttrBar;
    HWND hWndMap;          // the map window while it is open
    HMENU hPopupMenu;      // the canvas's popup menu while it exists
    POINT ptPopup;         // where the popup was opened
    int creationWords[2];  // 15120 each at creation
    int creationZero;
    int charWidth;
    int lineHeight;
    int displayWidthMm;
    int displayHeightMm;
    int screenWidthPx;
    int screenHeightPx;
    HCURSOR hCursors[8];  // the edge-zone cursors 115, 114, 116, 117, 118, 119, 120, 121
    void* hDesign;        // the engine's handle of the work space and design
    int bActive;
    int cursorMode;
    HWND hWndShortcut;
    POINT ptShortcut;
    int bShortcutAtStart;
    int bShortcutVertical;
    int nShortcutSize;
    HWND hWndBbs;
    int autoLockMode;  // setting bar's lock button: 0 plain lock, 1 automatic direction lock
    int iActivePanel;  // 1..116, 0 for none
    PNL_PanelArea panels;
    // Where the element information and change dialogs open: the screen
    // position of the top-left corner of the last one closed, of any kind.
    POINT ptInfoDlg;
};

extern HWND g_hWndFrame;

// The frame's state block and its design handle.
FrameState* ROT_GetWindowData();
void* ROT_GetDesignHandle();
