// The mouse moving over the canvas: the crosshair and the rubber figure
// follow the cursor over free canvas (the capture and the cursor clip are
// taken there and given back when it leaves), and the cursor's board point
// goes to the attribute bar's read-out. The buttons are in
// canvas_left_button.cpp and canvas_right_button.cpp.
#include <cstdint>
#include <initializer_list>

#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "view/bar.h"
#include "view/cnv.h"
#include "view/cnv_input.h"
#include "platform/qzt_pick.h"

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

int CNV_IsFreeCanvasPoint(int x, int y)
{
    HWND hWnd = CNV_GetWindow();
    if (!hWnd) return 0;
    RECT client;
    GetClientRect(hWnd, &client);
    POINT p = {x, y};
    if (!PtInRect(&client, p)) return 0;
    POINT screen = p;
    ClientToScreen(hWnd, &screen);
    FrameState* fs = ROT_GetWindowData();
    if (!fs) return 1;
    for (HWND w : {fs->hWndMap, fs->hWndShortcut, fs->hWndBbs}) {
        RECT rc;
        if (w && IsWindowVisible(w) && GetWindowRect(w, &rc) && PtInRect(&rc, screen)) return 0;
    }
    return 1;
}

namespace {

// The rubber points that follow the cursor's board point c, by kind.
void FollowCursor(Request* r, POINT c)
{
    auto set = [](int32_t* dst, POINT p) {
        dst[0] = p.x;
        dst[1] = p.y;
    };
    switch (DIN_GetKind(r)) {
    case 1: case 2: case 5: case 6: case 7: case 9: case 10:
        set(r->rubberB, c);
        break;
    case 3: {
        POINT base = {r->auxWord1, r->auxWord2};
        set(r->rubberA, base);
        set(r->rubberB, c);
        uint64_t l = MP_RoundAutoLock(((uint64_t)(uint32_t)base.y << 32) | (uint32_t)base.x,
                                      ((uint64_t)(uint32_t)c.y << 32) | (uint32_t)c.x);
        set(r->rubberC, {(LONG)(int32_t)(uint32_t)l, (LONG)(int32_t)(uint32_t)(l >> 32)});
        break;
    }
    case 8: case 17:
        if (DIN_GetPointCount(r) == 1) set(r->rubberB, c);
        if (DIN_GetPointCount(r) >= 1) set(r->rubberC, c);
        break;
    }
}

}  // namespace

void CNV_OnMouseMove(HWND hWnd, int x, int y, UINT keys)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (!state || state->bRepainting) return;
    // Only while the frame is active and a request waits that no command
    // works on.
    FrameState* fs = ROT_GetWindowData();
    if (!fs || !fs->bActive) return;
    Request* top = DIN_TopRequest();
    if (!top || DIN_IsBusy(top)) return;
    // A left drag pans at its release: nothing follows the cursor meanwhile.
    if (g_bLeftDrag && !ENV_GetENVClass()->own.noPan) return;
    state->bCursorInside = CNV_IsFreeCanvasPoint(x, y);
    HDC dc = GetDC(hWnd);
    if (state->bCursorInside) {
        CNV_RedrawCrossHair(dc, 0);
        if (!state->bCapture) {
            RECT rc;
            GetClientRect(hWnd, &rc);
            MapWindowPoints(hWnd, nullptr, (POINT*)&rc, 2);
            InflateRect(&rc, 1, 1);
            ClipCursor(&rc);
            SetCapture(hWnd);
            state->bCapture = 1;
        }
        if (!g_bLeftDrag) {
            state->ptLastCursor = {x, y};
            if (fs->cursorMode == 0) CNV_RedrawCrossHair(dc, 1);
            CNV_ShowRubber(0);
            FollowCursor(top, CNV_BoardPoint(hWnd, x, y));
            CNV_ShowRubber(1);
        }
    } else {
        CNV_RedrawCrossHair(dc, 0);
        if (state->bCapture) {
            ClipCursor(nullptr);
            ReleaseCapture();
            state->bCapture = 0;
        }
        CNV_ShowRubber(0);
    }
    ReleaseDC(hWnd, dc);
    PostBoardPoint(hWnd, state, x, y);
}
