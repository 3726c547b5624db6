// The canvas's mouse handlers.
//
// Waiting for the canvas pointer input and snapping: until it is built the
// canvas only follows the cursor (its last position, and its board point in
// the attribute bar's read-out) and answers no point or box request from
// the mouse.
#include <cstdint>

#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_grid.h"
#include "view/bar.h"
#include "view/cnv.h"

// The point the attribute bar reads when its message arrives.
static int32_t s_cursorCoord[2];

void CNV_PostCursorCoord(int32_t x, int32_t y)
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs || !fs->hWndAttrBar) return;
    s_cursorCoord[0] = x;
    s_cursorCoord[1] = y;
    PostMessageA(fs->hWndAttrBar, BAR_MSG_CURSOR_POS, 0, (LPARAM)s_cursorCoord);
}

// The board point under a client pixel, about the current origin.
static void PostBoardPoint(HWND hWnd, CanvasState* state, int x, int y)
{
    DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, state);
    if (!sc) return;
    POINT p = {x, y};
    DSP_DPtoLPz(sc, &p);
    DSP_ReleaseSC(hWnd, sc);
    uint64_t logical = GRD_Conv2LogicalPoint(((uint64_t)(uint32_t)p.y << 32) | (uint32_t)p.x);
    CNV_PostCursorCoord((int32_t)(uint32_t)logical, (int32_t)(uint32_t)(logical >> 32));
}

void CNV_OnMouseMove(HWND hWnd, int x, int y, UINT keys)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (!state || state->bRepainting) return;
    state->ptLastCursor = {x, y};
    // Only while the frame is active and a request waits that no command
    // works on.
    FrameState* fs = ROT_GetWindowData();
    if (!fs || !fs->bActive) return;
    Request* top = DIN_TopRequest();
    if (!top || DIN_IsBusy(top)) return;
    PostBoardPoint(hWnd, state, x, y);
}

void CNV_OnLButtonDown(HWND hWnd, int x, int y, UINT keys) {}
void CNV_OnLButtonUp(HWND hWnd, int x, int y, UINT keys) {}
void CNV_OnRButtonDown(HWND hWnd, int x, int y, UINT keys) {}
void CNV_OnRButtonUp(HWND hWnd, int x, int y, UINT keys) {}
void CNV_OnArmPick(HWND hWnd) {}
