// The canvas's pointer input: the rubber figure and the crosshair that
// follow the cursor, snapping, and the services the mouse handlers share.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/din.h"
#include "platform/qzt_draw.h"

// ---- Rubber figure -------------------------------------------------------------

// Draws (show 1) or erases (show 0) the rubber figure of `request` with the
// rubber points a, b, c on the display context. Nothing is drawn, and 0 is
// returned, when the figure is already in that state, or when showing while
// the cursor is not over free canvas.
int CNV_DrawRubber(DisplaySC* sc, int show, Request* request, POINT a, POINT b, POINT c);
// The same for the top request with its own rubber points, on the canvas's
// own device context. Non-zero when something was drawn.
int CNV_ShowRubber(int show);

// ---- Snapping -------------------------------------------------------------------

// Snap results (word 8 of a request point).
enum SnapResult { SNAP_TYPED = 0, SNAP_LEADIN = 1, SNAP_END = 2, SNAP_LOCK = 3, SNAP_GRID = 4 };

// The clicked point snapped: to a lead-in pin, an end point (of the work
// data too when `workSnap`), a lock direction from `lockBase` when `useLock`,
// else to the input grid. The result code goes to `result` when given.
POINT CNV_SnapPoint(int* result, POINT point, POINT lockBase, int useLock, int workSnap);

// ---- Services the snapping and the left press call ----------------------------

// A lead-in pin under the point: 1 and the pin's point, else 0.
int PICK_LeadInPinCatch(POINT point, POINT* caught);
// An end point near the point (ends of signal lines and VIAs, VIA centres,
// line, arc and fill-outline ends within 2 mm): 1 and the point, else 0.
int PICK_EndPointCatch(POINT point, POINT* caught);
// An end of the work data (the fill under edit) near the point, in the
// design opened as `ctx`: 1 and the point, else 0.
int WRK_Edge_Catch(void* ctx, POINT point, POINT* caught);
// Shows the cursor information line for a board point: 1 when something was
// shown.
int CNV_ShowCursorInfo(HWND hWndCanvas, POINT point);

// ---- Mouse ------------------------------------------------------------------------

// 1 when the client point lies inside the canvas and not under the map
// window or a floating panel window.
int CNV_IsFreeCanvasPoint(int x, int y);
// Re-centres the view on a Shift-clicked client point.
void CNV_CenterOnClick(int x, int y);
// The board point of a client pixel.
POINT CNV_BoardPoint(HWND hWnd, int x, int y);
// Keyboard entry of a part-pin name: 1 found (its point in `point`), 0
// cancelled, 2 finished.
int CNV_AssignInPoint(POINT* point);
// Timer 3 of the canvas: the right button has been held long enough.
void CALLBACK CNV_PopupTimerProc(HWND hWnd, UINT msg, UINT_PTR id, DWORD time);
