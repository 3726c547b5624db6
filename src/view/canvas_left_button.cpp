// The left button on the canvas: a press sets the rubber points of a pick
// request (and hides the figure until the release), a release adds the
// pressed point to the request with its snap and answers when the request
// has all its points; at requests that take no point a drag pans the view;
// a Shift-click re-centres it.
#include <cstdlib>
#include <initializer_list>

#include "app/app.h"
#include "app/din.h"
#include "app/frame_state.h"
#include "app/rot.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_pick.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_wps.h"
#include "view/cnv.h"
#include "view/cnv_input.h"
#include "view/view.h"

namespace {

bool Takes(int kind, std::initializer_list<int> kinds)
{
    for (int k : kinds)
        if (k == kind) return true;
    return false;
}

void SetPoint(int32_t* dst, POINT p)
{
    dst[0] = p.x;
    dst[1] = p.y;
}

bool InsideWorkArea(POINT p)
{
    return p.x >= -WORK_AREA_LIMIT && p.x <= WORK_AREA_LIMIT && p.y >= -WORK_AREA_LIMIT && p.y <= WORK_AREA_LIMIT;
}

void ClipToClient(HWND hWnd)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    MapWindowPoints(hWnd, nullptr, (POINT*)&rc, 2);
    ClipCursor(&rc);
}

Request* WaitingRequest()
{
    Request* top = DIN_TopRequest();
    return top && !DIN_IsBusy(top) && DIN_IsWaiting(top) ? top : nullptr;
}

POINT LockBase(const Request* r) { return {r->auxWord1, r->auxWord2}; }

// The rubber points at a press, by kind and points held.
void PressRubber(Request* r, POINT p)
{
    int n = DIN_GetPointCount(r);
    int kind = DIN_GetKind(r);
    auto snap = [&](POINT q) { return CNV_SnapPoint(nullptr, q, POINT{0, 0}, 0, r->flags & 1); };
    if (Takes(kind, {1, 2, 4, 6, 5})) {
        if (n == 0) SetPoint(r->rubberA, p);
        if (n == 0 || n == 1) SetPoint(r->rubberB, p);
        if (n <= 1 || (n == 2 && kind != 5)) SetPoint(r->rubberC, p);
    } else if (kind == 7) {
        if (n == 0) SetPoint(r->rubberA, snap(p));
        if (n <= 1) {
            SetPoint(r->rubberB, p);
            SetPoint(r->rubberC, p);
        }
    } else if (kind == 8 || kind == 17) {
        if (n == 0) {
            SetPoint(r->rubberA, snap(p));
            SetPoint(r->rubberB, p);
            SetPoint(r->rubberC, p);
        } else if (n == 1) {
            SetPoint(r->rubberB, snap(p));
            SetPoint(r->rubberC, p);
        } else if (n == 2) {
            SetPoint(r->rubberC, kind == 17 ? snap(p) : p);
        }
    }
}

// Adds the pressed point to a pick request and answers when it is complete.
void AddPressedPoint(CanvasState* state, Request* r)
{
    int kind = DIN_GetKind(r);
    POINT p = {state->ptPressBoard.x, state->ptPressBoard.y};
    int code = SNAP_GRID;
    POINT s, taken, word67;
    switch (kind) {
    case 1: case 4: case 7: case 8: case 17:
        s = CNV_SnapPoint(&code, p, POINT{0, 0}, 0, r->flags & 1);
        taken = code == SNAP_LEADIN ? s : p;
        word67 = s;
        break;
    case 5:
        s = CNV_SnapPoint(&code, p, POINT{0, 0}, 0, r->flags & 1);
        SetPoint(r->rubberA, s);
        taken = code == SNAP_LEADIN ? s : p;
        word67 = s;
        break;
    case 6:
        s = CNV_SnapPoint(&code, p, POINT{0, 0}, 0, r->flags & 1);
        taken = p;
        word67 = s;
        break;
    case 2:
    case 3: {
        POINT base = LockBase(r);
        s = CNV_SnapPoint(&code, p, base, 1, r->flags & 1);
        taken = code == SNAP_LEADIN || code == SNAP_END ? s : p;
        word67 = s;
        if (kind == 3) {
            uint64_t b = ((uint64_t)(uint32_t)base.y << 32) | (uint32_t)base.x;
            uint64_t q = ((uint64_t)(uint32_t)s.y << 32) | (uint32_t)s.x;
            uint64_t l = MP_RoundAutoLock(b, q);
            word67 = {(LONG)(int32_t)(uint32_t)l, (LONG)(int32_t)(uint32_t)(l >> 32)};
        }
        break;
    }
    case 9:
    case 10:
        DIN_CompleteRequest(ANS_LEFT_CLICK, 0, 0);
        return;
    default:
        return;
    }
    RequestPoint rp{};
    rp.x = taken.x;
    rp.y = taken.y;
    rp.x2 = s.x;
    rp.y2 = s.y;
    rp.extra[0] = state->ptPressClient.x;
    rp.extra[1] = state->ptPressClient.y;
    rp.extra[2] = word67.x;
    rp.extra[3] = word67.y;
    rp.flag = code;
    int held = DIN_AddRequestPoint(r, rp);
    int needed = kind <= 3 ? 1 : kind <= 7 ? 2 : 3;
    if (held >= needed) DIN_CompleteRequest(ANS_INPUT, 0, 0);
}

// A left drag at a request that takes no point pans the view by the drag.
void PanByDrag(HWND hWnd, CanvasState* state, int x, int y)
{
    EnvRecord* env = ENV_GetENVClass();
    int dx = state->ptPressClient.x - x, dy = state->ptPressClient.y - y;
    if (env->own.noPan) dx = dy = 0;
    if (std::abs(dx) <= 6 && std::abs(dy) <= 6) return;
    VIEW_PushHistory(&state->rcView);
    DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, state);
    if (!sc) return;
    int64_t d = DSP_DDtoLDz(sc, std::abs(dx), std::abs(dy));
    DSP_ReleaseSC(hWnd, sc);
    int32_t bx = (int32_t)(uint32_t)d * (dx < 0 ? -1 : 1), by = (int32_t)(uint32_t)(d >> 32) * (dy < 0 ? -1 : 1);
    if (state->viewMode == 1) bx = -bx;
    if (state->viewMode == 2) by = -by;
    uint64_t c = ENV_GetCenter(env);
    int32_t cx = (int32_t)(uint32_t)c + bx, cy = (int32_t)(uint32_t)(c >> 32) - by;
    ENV_SetCenter(env, ((uint64_t)(uint32_t)cy << 32) | (uint32_t)cx);
    int32_t w = std::abs(state->rcView.right - state->rcView.left), h = std::abs(state->rcView.top - state->rcView.bottom);
    state->rcView = CNV_ViewRectAround(cx, cy, w, h);
    CNV_FullRepaint();
    state->bLeftDown = 0;
    g_bLeftDrag = 0;
}

}  // namespace

POINT CNV_BoardPoint(HWND hWnd, int x, int y)
{
    POINT p = {x, y};
    DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, (CanvasState*)GetWindowLongPtrA(hWnd, 0));
    if (!sc) return p;
    DPtoLP(sc->hdc, &p, 1);
    DSP_DPtoLPz(sc, &p);
    DSP_ReleaseSC(hWnd, sc);
    return p;
}

void CNV_OnLButtonDown(HWND hWnd, int x, int y, UINT keys)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (!state || state->bLeftDown) return;
    g_bLeftDrag = 1;
    state->bLeftDown = 1;
    ClipToClient(hWnd);
    state->bPressOutside = 1;
    Request* r = WaitingRequest();
    if (!r) return;
    if (keys & MK_RBUTTON) {
        state->bBothButtons = 1;
        return;
    }
    if (keys & MK_SHIFT) {
        // The release measures its drag from here: without it a stale press
        // point would pan the view after the re-centring.
        state->ptPressClient = {x, y};
        CNV_CenterOnClick(x, y);
        return;
    }
    state->ptPressClient = {x, y};
    POINT p = CNV_BoardPoint(hWnd, x, y);
    state->ptPressBoard = {p.x, p.y};
    if (!InsideWorkArea(p)) {
        MessageBeep(MB_ICONHAND);
        return;
    }
    state->bPressOutside = 0;
    CNV_ShowRubber(0);
    int kind = DIN_GetKind(r);
    if (Takes(kind, {1, 2, 4, 5, 6, 7, 8, 17})) {
        PressRubber(r, p);
    } else if (!Takes(kind, {3, 9, 10})) {
        EnvRecord* env = ENV_GetENVClass();
        FrameState* fs = ROT_GetWindowData();
        if (g_bLeftDrag && !env->own.noPan && !DIN_IsBusy(r)) ROT_SetCursorMode(1);
        if (g_bInfoShown) {
            CNV_EraseCrossHair();
            CNV_FullRepaint();
            g_bInfoShown = 0;
        }
        if (env->own.clickInfo && CNV_ShowCursorInfo(hWnd, p)) {
            g_bInfoShown = 1;
            if (fs) ROT_SetCursorMode(0);
            g_bLeftDrag = 0;
            state->bLeftDown = 0;
            ClipCursor(nullptr);
        }
    }
    CNV_EraseCrossHair();
}

void CNV_OnLButtonUp(HWND hWnd, int x, int y, UINT keys)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (!state || !state->bLeftDown) return;
    state->bLeftDown = 0;
    ClipCursor(nullptr);
    FrameState* fs = ROT_GetWindowData();
    if (g_bLeftDrag && fs && (fs->cursorMode == 1 || fs->cursorMode == 4)) ROT_SetCursorMode(0);
    g_bLeftDrag = 0;
    Request* r = WaitingRequest();
    if (!r) return;
    int kind = DIN_GetKind(r);
    if ((keys & MK_RBUTTON) && Takes(kind, {1, 2, 3, 4, 5, 6, 7, 8, 10, 17})) {
        DIN_CompleteRequest(ANS_FINISH, 0, 0);
        return;
    }
    int both = state->bBothButtons;
    state->bBothButtons = 0;
    if (both) return;
    bool pick = Takes(kind, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17});
    if (!state->bPressOutside && pick) {
        AddPressedPoint(state, r);
    } else {
        PanByDrag(hWnd, state, x, y);
    }
    state->ptLastCursor = {x, y};
    if (state->bCapture) {
        HDC dc = GetDC(hWnd);
        CNV_RedrawCrossHair(dc, 1);
        ReleaseDC(hWnd, dc);
    }
    if (Request* top = DIN_TopRequest(); top && DIN_IsWaiting(top) && !DIN_IsBusy(top)) CNV_ShowRubber(1);
}

void CNV_CenterOnClick(int x, int y)
{
    HWND hWnd = CNV_GetWindow();
    CanvasState* state = CNV_GetState();
    if (!hWnd || !state || !DIN_TopRequest()) return;
    VIEW_PushHistory(&state->rcView);
    CNV_EraseCrossHair();
    CNV_ShowRubber(0);
    POINT p = CNV_BoardPoint(hWnd, x, y);
    POINT scroll;
    if (VIEW_MoveCentre(state, hWnd, p, &scroll) && !g_UseDirect2D) {
        ScrollWindow(hWnd, -scroll.x, scroll.y, nullptr, nullptr);
        UpdateWindow(hWnd);
        return;
    }
    CNV_FullRepaint();
}
