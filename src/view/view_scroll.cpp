// Scrolling by the rate: the answer of the frame's scroll commands (and of
// the arrow keys) moves the centre by a share of the canvas, per axis, and
// refuses a direction that would leave the work area further behind.
#include "app/app.h"
#include "app/cmd.h"
#include "app/cmd_procs.h"
#include "app/din.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_runtime.h"
#include "view/view.h"

int VIEW_ScrollStep(Request* request)
{
    CanvasState* state = CNV_GetState();
    HWND hWnd = CNV_GetWindow();
    if (!state || !hWnd) return CMD_STATE_WAIT;
    int old = DIN_SetBusy(1, request);
    int word = DIN_GetAnswerWord(request);
    int axis = word & 0xFFFF, direction = (word >> 16) & 0xFFFF;
    EnvRecord* env = ENV_GetENVClass();
    VIEW_PushHistory(&state->rcView);
    double rate = ENV_GetDefRate(env);
    int px = (int)dtol(state->cxClient * rate / 100), py = (int)dtol(state->cyClient * rate / 100);
    int32_t sx = 0, sy = 0;
    if (DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, state)) {
        int64_t d = DSP_DDtoLDz(sc, px, py);
        sx = (int32_t)(uint32_t)d;
        sy = (int32_t)(uint32_t)(d >> 32);
        DSP_ReleaseSC(hWnd, sc);
    }
    if (state->viewMode == 1) sx = -sx;
    if (state->viewMode == 2) sy = -sy;
    int dxPx = px, dyPx = py;
    if (axis & 1) {
        if (!(direction & 1)) {
            sx = -sx;
            dxPx = -dxPx;
            if (state->rcView.left < -WORK_AREA_LIMIT) sx = dxPx = 0;
        } else if (state->rcView.right > WORK_AREA_LIMIT) {
            sx = dxPx = 0;
        }
    } else {
        sx = dxPx = 0;
    }
    if (axis & 2) {
        if (!(direction & 2)) {
            if (state->rcView.top > WORK_AREA_LIMIT) sy = dyPx = 0;
        } else {
            sy = -sy;
            dyPx = -dyPx;
            if (state->rcView.bottom < -WORK_AREA_LIMIT) sy = dyPx = 0;
        }
    } else {
        sy = dyPx = 0;
    }
    uint64_t c = ENV_GetCenter(env);
    int32_t cx = (int32_t)(uint32_t)c + sx, cy = (int32_t)(uint32_t)(c >> 32) + sy;
    ENV_SetCenter(env, ((uint64_t)(uint32_t)cy << 32) | (uint32_t)cx);
    int32_t w = state->rcView.right - state->rcView.left, h = state->rcView.top - state->rcView.bottom;
    state->rcView = CNV_ViewRectAround(cx, cy, w < 0 ? -w : w, h < 0 ? -h : h);
    VIEW_EraseCursorFigures();
    if (g_UseDirect2D) {
        CNV_FullRepaint();
    } else {
        // The picture moves against the step: a step right shows what lies
        // right, so the contents go left.
        ScrollWindow(hWnd, -dxPx, dyPx, nullptr, nullptr);
        UpdateWindow(hWnd);
    }
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}
