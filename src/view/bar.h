// The four bar windows of the frame: the status bar "Sbar_CLASS" (prompts,
// messages and a progress gauge), the function bar "BtnFunc_CLASS" (view
// buttons and the level, line-table, VIA, zoom and rate lists), the setting
// bar "Setting_Class" (input grid, lock and catch switches, the coordinate
// mode marks) and the attribute bar "Atr_CLASS" (display toggles and the
// cursor read-out). Every bar forwards the commands it does not handle to the
// frame as WM_COMMAND with the same id and notification code.
#pragma once
#include <windows.h>

#include <cstddef>

// Registers the status, function, setting and attribute bar classes in this
// order: 1, or 0 on the first failure.
int BAR_RegisterClasses(HINSTANCE hInst);

// The owner-drawn button look the bars share: face colour, window-frame
// border, raised when not pressed and sunken when pressed.
void BAR_DrawButtonFrame(HDC dc, const RECT& rc, bool pressed);
// The height of a drop-down list in the bar's font: a hidden combo box one
// character wide is made and measured.
int BAR_MeasureComboHeight(HWND hWndBar, int charWidth);
// A bar's window class: arrow cursor, the bar's procedure and background.
// 1, or 0 when it could not be registered.
int BAR_RegisterBarClass(HINSTANCE hInst, const char* name, WNDPROC proc, UINT style, HBRUSH background);

// One button of a bar, at (x, y) in the bar.
struct BarButton {
    int id;
    const char* label;
    DWORD style;  // added to WS_CHILD | WS_VISIBLE
    int x, y, width, height;
};
// Creates the buttons in order: true, or false at the first that could not
// be made.
bool BAR_CreateButtons(HWND hWndBar, const BarButton* buttons, int count);
// The check state of a bar's button, as 1 or 0.
void BAR_SetCheck(HWND hWndBar, int id, int on);
int BAR_IsChecked(HWND hWndBar, int id);
// Paints an owner-drawn bar button on a draw, select or focus action: the
// shared frame, and its window text centred in `textColour`, moved one pixel
// down and right while pressed.
void BAR_DrawLabelButton(const DRAWITEMSTRUCT* item, COLORREF textColour);

// ---- Status bar ------------------------------------------------------------------

int BAR_StatusRegisterClass(HINSTANCE hInst);
LRESULT CALLBACK BAR_StatusWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Formats into the status text and repaints the bar at once.
void BAR_StatusPrintf(const char* format, ...);
// The text shown (empty for null); the bar repaints when it next paints.
// The request channel shows every prompt through it; either thread may call.
void BAR_StatusSetText(const char* text);
// The caption followed by n filled and 20 - n empty squares, n from 0 to 20;
// nothing happens while n is the count shown last.
void BAR_StatusProgress(const char* caption, int n);
// A copy of the status text, for whoever must know what the bar shows.
void BAR_StatusGetText(char* out, size_t outSize);

// ---- Attribute bar ---------------------------------------------------------------

// The canvas sends it on every cursor move; lParam is the address of the
// board point (two 32-bit board units).
constexpr UINT BAR_MSG_CURSOR_POS = WM_USER + 4;

int BAR_AtrRegisterClass(HINSTANCE hInst);
LRESULT CALLBACK BAR_AtrWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Sets the display toggles, the figure button and the view-mode button from
// the environment of the open design.
void BAR_AttrRefresh();
// Shows a board point in the cursor read-out (what WM_USER+4 does).
void BAR_ShowCursorPos(int x, int y);

// ---- Setting bar -----------------------------------------------------------------

// Coordinate-mode marks, red on the setting bar while set: absolute
// coordinate (156), relative coordinate (157), assign input (173).
extern int g_AbsCoordMark;
extern int g_RelCoordMark;
extern int g_AssignInMark;

int BAR_SettingRegisterClass(HINSTANCE hInst);
LRESULT CALLBACK BAR_SettingWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
void BAR_SettingSetAbsMark(int flag);
void BAR_SettingSetRelMark(int flag);
void BAR_SettingSetAssignMark(int flag);
// The current display grid's name on button 138.
void BAR_SettingShowGridName();
// Grid group letter, lead-in and edge checks, lock name and angle, and the
// data-display check from the engine.
void BAR_SettingRefresh();

// ---- Function bar ----------------------------------------------------------------

// 1 while the canvas line kind is 7 (signal lines): the level list then
// shows only the wiring levels.
extern int g_SignalLineFlag;

int BAR_FuncRegisterClass(HINSTANCE hInst);
LRESULT CALLBACK BAR_FuncWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Creates the controls and fills the zoom and rate lists: 1, or 0 when a
// control could not be made.
int BAR_FuncOnCreate(HWND hWnd);
void BAR_FuncOnCommand(HWND hWnd, int id, HWND hWndCtl, int code);
void BAR_FuncDrawButton(const DRAWITEMSTRUCT* item, HWND hWnd);
// Selects the zoom row of that factor (row 0, free, when none has it), stores
// the zoom in the engine and clears the manual-scale flag; 1 when a row had it.
int BAR_FuncSelectZoomItem(double zoom);
void BAR_FuncSelectRateItem();
void BAR_FuncSelectStepItem();
// Sets the canvas line kind (3 fill, 4 text, 7 signal lines), the label of
// button 146 and the signal-line flag, then refills the line-table and level
// lists.
void BAR_FuncSetLineKind(int kind);
void BAR_FuncFillLevelList();
void BAR_FuncFillLineTableList();
void BAR_FuncFillViaList();
