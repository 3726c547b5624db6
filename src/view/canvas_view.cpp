// The canvas's view arithmetic: board units per pixel (zoom 1.0 shows the
// board at its physical size), the view rectangle around the engine's centre
// and zoom, the area history, and zooming to a rectangle.
//
// Widths of the view are worked out in 64 bits and then kept inside the
// 32-bit range: at the smallest zoom a large window's view is wider than a
// 32-bit number of board units.
#include <algorithm>
#include <cstdint>

#include "app/app.h"
#include "app/frame_state.h"
#include "app/rot.h"
#include "view/bar.h"
#include "view/cnv.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_wps.h"

namespace {

int32_t Clamp32(int64_t v)
{
    return (int32_t)std::clamp<int64_t>(v, INT32_MIN, INT32_MAX);
}

// Display width in millimetres and screen width in pixels: the frame's, or
// the screen's own when there is no frame yet.
void DisplayMetrics(int* mm, int* px)
{
    FrameState* fs = ROT_GetWindowData();
    *mm = fs ? fs->displayWidthMm : 0;
    *px = fs ? fs->screenWidthPx : 0;
    if (*mm > 0 && *px > 0) return;
    HDC dc = GetDC(nullptr);
    *mm = GetDeviceCaps(dc, HORZSIZE);
    *px = GetDeviceCaps(dc, HORZRES);
    ReleaseDC(nullptr, dc);
    if (*mm <= 0) *mm = 1;
    if (*px <= 0) *px = 1;
}

void ClientSize(HWND hWnd, CanvasState* state)
{
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    state->cxClient = std::abs((int)(rc.right - rc.left));
    state->cyClient = std::abs((int)(rc.bottom - rc.top));
    state->cxViewUnits = Clamp32((int64_t)state->unitsPerPixelX * state->cxClient);
    state->cyViewUnits = Clamp32((int64_t)state->unitsPerPixelY * state->cyClient);
}

// rcView from the engine's centre and zoom.
void ViewFromEngine(CanvasState* state, void* env)
{
    uint64_t c = ENV_GetCenter(env);
    int32_t cx = (int32_t)(uint32_t)c, cy = (int32_t)(uint32_t)(c >> 32);
    double z = ENV_GetZoom(env);
    if (!(z > 0)) z = 1.0;
    int32_t w = (int32_t)dtol(state->cxViewUnits / z);
    int32_t h = (int32_t)dtol(state->cyViewUnits / z);
    state->rcView = CNV_ViewRectAround(cx, cy, w, h);
}

}  // namespace

int CNV_UnitsPerPixel(int displayWidthMm, int screenWidthPx)
{
    if (displayWidthMm <= 0 || screenWidthPx <= 0) return 1;
    return (int)std::max<int64_t>(1, (int64_t)displayWidthMm * 100000 / screenWidthPx);
}

BoardRect CNV_ViewRectAround(int32_t cx, int32_t cy, int32_t w, int32_t h)
{
    int64_t left = (int64_t)cx - w / 2;
    int64_t top = (int64_t)cy + h / 2;
    BoardRect r;
    r.left = Clamp32(left);
    r.right = Clamp32(left + w);
    r.top = Clamp32(top);
    r.bottom = Clamp32((int64_t)cy - h + h / 2);
    return r;
}

void VIEW_PushHistory(const BoardRect* rect)
{
    CanvasState* state = CNV_GetState();
    if (!state || !rect) return;
    for (int i = 7; i > 0; --i) state->rcHistory[i] = state->rcHistory[i - 1];
    state->rcHistory[0] = *rect;
    state->iHistory = 0;
}

void CNV_ClearViewHistory()
{
    CanvasState* state = CNV_GetState();
    if (!state) return;
    for (BoardRect& r : state->rcHistory) r = BoardRect{};
    state->iHistory = 0;
}

int CNV_ComputeViewRect(HWND hWnd)
{
    CanvasState* state = hWnd ? (CanvasState*)GetWindowLongPtrA(hWnd, 0) : nullptr;
    if (!state) return 0;
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    int mm, px;
    DisplayMetrics(&mm, &px);
    state->unitsPerPixelX = state->unitsPerPixelY = CNV_UnitsPerPixel(mm, px);
    state->viewMode = (int16_t)ENV_GetViewMode(ctx->env);
    ClientSize(hWnd, state);
    ViewFromEngine(state, ctx->env);
    state->iHistory = 0;
    for (int i = 7; i > 0; --i) state->rcHistory[i] = state->rcHistory[i - 1];
    state->rcHistory[0] = state->rcView;
    for (int i = 1; i < 8; ++i) state->rcHistory[i] = BoardRect{};
    DDM_Close(ctx);
    return 1;
}

void CNV_OnSize(HWND hWnd, int width, int height)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (state && (width != 0 || height != 0)) {
        DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
        ClientSize(hWnd, state);
        ViewFromEngine(state, ctx->env);
        DDM_Close(ctx);
        if (g_UseDirect2D) D2D_OnResize(width, height);
        VIEW_PushHistory(&state->rcView);
    }
    UpdateWindow(hWnd);
}

void CNV_SetViewAroundCenter(int32_t cx, int32_t cy, int32_t w, int32_t h)
{
    CanvasState* state = CNV_GetState();
    if (state) state->rcView = CNV_ViewRectAround(cx, cy, w, h);
}

double CNV_FitZoom(const CanvasState* state, double width, double height)
{
    double zx = width > 0 ? state->cxViewUnits / width : g_ZoomMax;
    double zy = height > 0 ? state->cyViewUnits / height : g_ZoomMax;
    double z = zy <= zx ? zy : zx;
    if (z < 0.02) z = 0.02;
    if (z > g_ZoomMax) z = g_ZoomMax;
    return z;
}

int CNV_ZoomToRect(int push, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    CanvasState* state = CNV_GetState();
    if (!state) return 0;
    if (push == 1) VIEW_PushHistory(&state->rcView);
    int32_t lx = std::min(x1, x2), hx = std::max(x1, x2), ly = std::min(y1, y2), hy = std::max(y1, y2);
    int32_t cx = (int32_t)dtol(((double)lx + hx) * 0.5), cy = (int32_t)dtol(((double)ly + hy) * 0.5);
    double z = CNV_FitZoom(state, (double)hx - lx, (double)hy - ly);
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    // The function bar shows the factor and stores the zoom in the engine.
    BAR_FuncSelectZoomItem(z);
    int32_t w = (int32_t)dtol(state->cxViewUnits / z), h = (int32_t)dtol(state->cyViewUnits / z);
    state->rcView = CNV_ViewRectAround(cx, cy, w, h);
    ENV_SetCenter(ctx->env, ((uint64_t)(uint32_t)cy << 32) | (uint32_t)cx);
    DDM_Close(ctx);
    CNV_FullRepaint();
    return 1;
}

void CNV_ZoomToRect(const RECT* rect, bool pushHistory)
{
    if (rect) CNV_ZoomToRect(pushHistory ? 1 : 0, rect->left, rect->top, rect->right, rect->bottom);
}

void CNV_CopyViewRect(RECT* out)
{
    CanvasState* state = CNV_GetState();
    if (!state || !out) return;
    *out = {state->rcView.left, state->rcView.top, state->rcView.right, state->rcView.bottom};
}

const int32_t* CNV_GetViewSizeWords()
{
    CanvasState* state = CNV_GetState();
    return state ? &state->cxViewUnits : nullptr;
}
