// The pan: the picked point becomes the centre of the view (with the window
// zoom when the zoom was last chosen by hand); when the assign-in entry
// found a part, the view is fitted around that part instead.
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "app/cmd.h"
#include "app/cmd_procs.h"
#include "app/din.h"
#include "platform/layout_page.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_pick.h"
#include "platform/qzt_runtime.h"
#include "view/view.h"
#include "view/view_pick_frame.h"

namespace {

void Recentre(CanvasState* state, POINT p)
{
    HWND hWnd = CNV_GetWindow();
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
        if (hWnd) {
            ScrollWindow(hWnd, -dx, dy, nullptr, nullptr);
            UpdateWindow(hWnd);
        }
        return;
    }
    double z = ENV_GetWinZoom(env);
    if (!(z > 0)) z = 1.0;
    ENV_SetCenter(env, packed);
    state->rcView = CNV_ViewRectAround(p.x, p.y, (int32_t)dtol(state->cxViewUnits / z), (int32_t)dtol(state->cyViewUnits / z));
    ENV_SetZoom(env, z);
    ENV_SetScaleManualChange(env, 0);
    if (hWnd) {
        InvalidateRect(hWnd, nullptr, TRUE);
        UpdateWindow(hWnd);
    }
}

}  // namespace

void VIEW_CenterOnPart(CanvasState* state, PartRecord* part, POINT centre)
{
    part->status |= ES_SELECTED;
    POINT lo, hi;
    int32_t corners[4][2];
    std::memcpy(corners, (const char*)part + offsetof(PartRecord, outline1), sizeof(corners));
    VIEW_BoxAroundCenter(centre, corners, &lo, &hi);
    VIEW_CenterOnPoint(state, lo.x, lo.y, hi.x, hi.y, 2.0);
    part->status &= ~ES_SELECTED;
    DDM_PanAssSetQzSymAdr(nullptr);
}

int VIEW_Pan(CommandRecord* record, int resumed, Request* request)
{
    if (!resumed) {
        DDM_PanAssSetQzSymAdr(nullptr);
        VIEW_PickStart(record, request, REQ_POINT1, 3);
        return CMD_STATE_WAIT;
    }
    DIN_SetBusy(1, request);
    switch (DIN_GetAnswer(request)) {
    case ANS_INPUT: {
        CanvasState* state = CNV_GetState();
        uint64_t q = DIN_GetPoint(1, request);
        POINT p = {(LONG)(int32_t)(uint32_t)q, (LONG)(int32_t)(uint32_t)(q >> 32)};
        DIN_DropPoint(request);
        if (state) {
            VIEW_EraseCursorFigures();
            VIEW_PushHistory(&state->rcView);
            if (PartRecord* part = DDM_PanAssGetQzSymAdr())
                VIEW_CenterOnPart(state, part, p);
            else
                Recentre(state, p);
        }
        VIEW_PickEnd(record, request);
        return CMD_STATE_WAIT;
    }
    case ANS_FINISH:
        MessageBeep(MB_ICONASTERISK);
        DIN_SetBusy(0, request);
        return CMD_STATE_WAIT;
    case ANS_CANCEL:
    case ANS_END_NOW:
        VIEW_PickEnd(record, request);
        return CMD_STATE_WAIT;
    case ANS_CANCEL_QUERY:
        DIN_SetCancelAnswer(request, 1);
        DIN_SetBusy(0, request);
        return CMD_STATE_WAIT;
    default:
        DIN_SetBusy(0, request);
        return CMD_STATE_MENU_SELECT;
    }
}
