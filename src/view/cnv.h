// The drawing canvas "PEBLA_CLASS" and the on-screen command menu in the
// frame's list box: what the frame and start-up call of them.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_canvas.h"

extern const char CNV_CLASS_NAME[];  // "PEBLA_CLASS"
// 1 while a keyboard coordinate entry runs (the wheel is ignored then).
extern int g_bCoordEntry;

int CNV_RegisterClass(HINSTANCE hInst);
// The canvas's state block (null without a canvas).
CanvasState* CNV_GetState();
// Suspends a rubber band that holds the mouse capture: non-zero when one was
// active (erased, clip and capture released).
int CNV_CancelDrag();
void CNV_SetCapture(int capture);
void CNV_EraseCrossHair();
// Clears the canvas's eight-deep view history.
void CNV_ClearViewHistory();
void CNV_ZoomToRect(const RECT* rect, bool pushHistory);
void CNV_CopyViewRect(RECT* out);
// The canvas's view-size words handed to the map window on resize.
const int32_t* CNV_GetViewSizeWords();

// ---- The owner-drawn on-screen menu list box (control 135) ---------------------

// One entry of an on-screen menu; slot 0 is the menu's title. A null label
// ends the menu's entries.
struct ScreenMenuSlot {
    const char* label;
    COLORREF colour;  // 0xe0e0e0 marks a disabled entry
    int32_t commandId;
    int32_t submenu;  // -1 for none
};
struct ScreenMenuRecord {
    int32_t menuId;  // -1 ends the table
    int32_t parentId;  // -1 for the top menu
    ScreenMenuSlot slot[20];
};
// The 57 menus, ended by a record whose id is -1.
extern const ScreenMenuRecord g_ScreenMenus[];

LRESULT CALLBACK CNV_MenuListWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Shows a menu in the list: 1, or 0 when no menu has that id (the list is
// left empty). The menu already shown is not built again.
int CNV_MenuShow(int menu);
// Shows the first menu holding the command and selects its row: 1, or 0
// when no menu holds it.
int CNV_MenuShowForCommand(int commandId);
// Shows the parent of the current menu: 0 at the top menu or when the
// current menu is unknown, else 1.
int CNV_MenuShowParent();
// The id of the menu shown.
int CNV_MenuCurrent();
// Whether the last left click on the list was a drag (the frame then clears
// the selection instead of acting on it).
int CNV_MenuWasDrag();
// The canvas's popup menu, built from the current menu with its tail of
// view settings. The entry count (at least 14) and the longest label's bytes.
HMENU CNV_BuildPopupMenu(int* count, int* longest);
LRESULT CNV_MenuMeasureItem(HWND hWndFrame, MEASUREITEMSTRUCT* item);
LRESULT CNV_MenuDrawItem(HWND hWndFrame, const DRAWITEMSTRUCT* item);

// ---- The canvas proper --------------------------------------------------------

#include <cstdint>

#include "platform/qzt_draw.h"
#include "platform/layout_tables.h"

// Message 0x464: paint one element at once (wParam = class code | flag,
// lParam = the record).
constexpr UINT WM_REALTIME_PAINT = 0x464;

// The drag, information-line and popup flags of the canvas (user-interface
// thread only).
extern int g_bLeftDrag;
extern int g_bInfoShown;
extern int g_bPopupDue;

LRESULT CALLBACK CNV_WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
HWND CNV_GetWindow();
CanvasState* CNV_GetData();

// View arithmetic.
// Board units per pixel at zoom 1.0: display width (mm) x 100000 / screen
// width (pixels), integer division; at least 1.
int CNV_UnitsPerPixel(int displayWidthMm, int screenWidthPx);
// The rectangle of width w and height h around (cx, cy): left = cx - w/2,
// right = left + w, top = cy + h/2, bottom = cy - h + h/2 (halves by integer
// division), kept inside the 32-bit range.
BoardRect CNV_ViewRectAround(int32_t cx, int32_t cy, int32_t w, int32_t h);
// Units per pixel, client size and view from the engine's centre and zoom;
// the history restarts with that view. 1, or 0 without a state block.
int CNV_ComputeViewRect(HWND hWnd);
void CNV_OnSize(HWND hWnd, int width, int height);
void CNV_SetViewAroundCenter(int32_t cx, int32_t cy, int32_t w, int32_t h);
// The zoom that fits a width and height of board units into the client,
// within [0.02, g_ZoomMax].
double CNV_FitZoom(const CanvasState* state, double width, double height);
// Zooms to the rectangle (corners in any order), pushing the old view first
// when `push` is 1; full repaint. 1.
int CNV_ZoomToRect(int push, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Slots 7..1 take 6..0, slot 0 the rectangle; the position word restarts.
void VIEW_PushHistory(const BoardRect* rect);

// Painting.
void CNV_OnPaint(HWND hWnd);
void CNV_PaintGdi(HWND hWnd, DisplaySC* sc, const RECT* dirty);
void CNV_PaintDirect2D(HWND hWnd, D2DRenderTarget* rt, const RECT* dirty);
void CNV_OnRealtimePaint(HWND hWnd, WPARAM wParam, LPARAM lParam);
// Invalidates a board rectangle (null: the whole client area), erasing when
// `erase`, and updates the window at once when `update`.
void CNV_InvalidateLogicalRect(const RECT* rect, int erase, int update);
// bRepainting while the whole client area is invalidated, erased and updated.
void CNV_FullRepaint();
void CNV_PaintWorkDataGdi(DisplaySC* sc);
void CNV_PaintWorkDataDirect2D(D2DRenderTarget* rt);

// Crosshair and drag.
void CNV_DrawCrossHair(HDC dc, CanvasState* state, int x, int y, const RECT* client, int show);
void CNV_RedrawCrossHair(HDC dc, int show);

// Entries: answers the top request when it is of `kind`.
void CNV_OnEntryRequest(HWND hWnd, int kind);
int CNV_PartsListChoice(HWND hWnd, void* block);
int CNV_FileChoice(HWND hWnd, void* block);
// The hole size of a VIA definition's drill, 0 without a drill.
int CNV_GetViaHoleSize(const ViaDef* via);

// Mouse (pointer input).
void CNV_OnMouseMove(HWND hWnd, int x, int y, UINT keys);
// Posts a board point (about the current origin) to the attribute bar's
// cursor read-out.
void CNV_PostCursorCoord(int32_t x, int32_t y);
void CNV_OnLButtonDown(HWND hWnd, int x, int y, UINT keys);
void CNV_OnLButtonUp(HWND hWnd, int x, int y, UINT keys);
void CNV_OnRButtonDown(HWND hWnd, int x, int y, UINT keys);
void CNV_OnRButtonUp(HWND hWnd, int x, int y, UINT keys);
void CNV_OnArmPick(HWND hWnd);
