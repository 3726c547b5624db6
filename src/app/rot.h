// The main frame window "QZTorva_CLASS": its window procedure, its state
// block (frame_state.h), the layout of its six children and the messages the
// command thread and the canvas send it.
#pragma once
#include <windows.h>

#include "app/frame_state.h"

extern const char ROT_CLASS_NAME[];  // "QZTorva_CLASS"
// The maximum zoom of the canvas, from the settings file (200 to 3200, else 400).
extern double g_ZoomMax;
// The menu list box's procedure before the frame subclassed it.
extern WNDPROC g_MenuListOldProc;

LRESULT CALLBACK ROT_WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Sends the frame message 0x408 with the cursor mode; the previous mode.
int ROT_SetCursorMode(int mode);
// "QZ-Viewer - [recent file] - Ver.version" as the frame's title.
void ROT_SetTitle();
// Reads the main and sub grid hide values of the settings file into the
// frame's panel block and hands them to the engine's grid display.
void ROT_ReadGridHideValues(FrameState* fs);
// The title, and the setting bar's switches and the function bar's lists as
// the design in the work space has them.
void ROT_ShowDesignInBars();
// Hides the option panel on show: 1, or 0 when none is on show.
int ROT_HideCommandPanel();
// Destroys and creates every option panel again: 1, or 0 when destroying one failed.
int ROT_RecreatePanels(HWND hWndFrame);
// The frame's handling of WM_COMMAND (menu, accelerators, bar buttons).
void ROT_OnCommand(HWND hWnd, int id, LPARAM lParam, int notifyCode);
INT_PTR CALLBACK ROT_WaitDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The children's rectangles for a client of W x H with character width c,
// line height l and drop-down combo height h (creation layout).
struct FrameLayout {
    FrameBox funcBar, attrBar, statusBar, settingBar, menuList, canvas;
};
FrameLayout ROT_InitialLayout(int W, int H, int c, int l, int h);
// Lays the stored rectangles out again for a client of W x H.
void ROT_ResizeLayout(FrameState* fs, int W, int H);

// The edge zone of a client point of the frame: -1 outside the client area,
// else an OR of 1 left, 2 right, 4 top, 8 bottom; 0 in the middle.
int ROT_HitZone(HWND hWnd, int x, int y);
// The scroll command's notification code for an edge zone (0 for none).
int ROT_ZoneScrollCode(int zone);
// What the wheel does: 0 nothing, 15 / 16 answer Shift-wheel, 117 / 134
// post zoom up / down. `topKind` is the top request's kind (-1 without one).
int ROT_WheelAction(int delta, WPARAM keys, int topKind, int coordEntry);
