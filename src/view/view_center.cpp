// Setting the view to a zoom at a centre, and centring it on a box.
#include <algorithm>
#include <cstdlib>

#include "app/app.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_runtime.h"
#include "view/bar.h"
#include "view/cnv_input.h"
#include "view/view.h"

void VIEW_SetView(double z, int32_t cx, int32_t cy)
{
    CanvasState* state = CNV_GetState();
    if (!state) return;
    // The function bar shows the factor and stores the zoom in the engine.
    BAR_FuncSelectZoomItem(z);
    EnvRecord* env = ENV_GetENVClass();
    int32_t w = (int32_t)dtol(state->cxViewUnits / z), h = (int32_t)dtol(state->cyViewUnits / z);
    state->rcView = CNV_ViewRectAround(cx, cy, w, h);
    ENV_SetCenter(env, ((uint64_t)(uint32_t)cy << 32) | (uint32_t)cx);
}

bool VIEW_MoveCentre(CanvasState* state, HWND hWnd, POINT p, POINT* scroll)
{
    EnvRecord* env = ENV_GetENVClass();
    uint64_t packed = ((uint64_t)(uint32_t)p.y << 32) | (uint32_t)p.x;
    if (!ENV_GetScaleManualChange(env)) {
        uint64_t old = ENV_GetCenter(env);
        int32_t ox = (int32_t)(uint32_t)old, oy = (int32_t)(uint32_t)(old >> 32);
        ENV_SetCenter(env, packed);
        int32_t w = std::abs(state->rcView.right - state->rcView.left), h = std::abs(state->rcView.top - state->rcView.bottom);
        DisplaySC* sc = hWnd ? DSP_GetDisplaySC(hWnd, nullptr, state) : nullptr;
        int64_t d = sc ? DSP_LWtoDWz(sc, std::abs(p.x - ox), std::abs(p.y - oy)) : 0;
        if (sc) DSP_ReleaseSC(hWnd, sc);
        state->rcView = CNV_ViewRectAround(p.x, p.y, w, h);
        int dx = (int)(int32_t)(uint32_t)d * (p.x < ox ? -1 : 1), dy = (int)(int32_t)(uint32_t)(d >> 32) * (p.y < oy ? -1 : 1);
        if (state->viewMode == 1) dx = -dx;
        if (state->viewMode == 2) dy = -dy;
        *scroll = {dx, dy};
        return true;
    }
    double z = ENV_GetWinZoom(env);
    if (!(z > 0)) z = 1.0;
    ENV_SetCenter(env, packed);
    state->rcView = CNV_ViewRectAround(p.x, p.y, (int32_t)dtol(state->cxViewUnits / z), (int32_t)dtol(state->cyViewUnits / z));
    ENV_SetZoom(env, z);
    ENV_SetScaleManualChange(env, 0);
    return false;
}

void VIEW_CenterOnPoint(CanvasState* state, int32_t x1, int32_t y1, int32_t x2, int32_t y2, double factor)
{
    if (!state) return;
    VIEW_PushHistory(&state->rcView);
    int32_t lx = std::min(x1, x2), hx = std::max(x1, x2), ly = std::min(y1, y2), hy = std::max(y1, y2);
    double w = (double)dtol(((double)hx - lx) * factor), h = (double)dtol(((double)hy - ly) * factor);
    double z = CNV_FitZoom(state, w, h);
    VIEW_SetView(z, (int32_t)dtol(((double)lx + hx) * 0.5), (int32_t)dtol(((double)ly + hy) * 0.5));
    CNV_FullRepaint();
}

void VIEW_BoxAroundCenter(POINT centre, const int32_t corners[4][2], POINT* low, POINT* high)
{
    int32_t minX = corners[0][0], maxX = minX, minY = corners[0][1], maxY = minY;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, corners[i][0]);
        maxX = std::max(maxX, corners[i][0]);
        minY = std::min(minY, corners[i][1]);
        maxY = std::max(maxY, corners[i][1]);
    }
    int32_t hw = (int32_t)(((int64_t)maxX - minX) / 2), hh = (int32_t)(((int64_t)maxY - minY) / 2);
    *low = {centre.x - hw, centre.y - hh};
    *high = {centre.x + hw, centre.y + hh};
}

void VIEW_EraseCursorFigures()
{
    CNV_EraseCrossHair();
    CNV_ShowRubber(0);
}
