// The pan: the picked point becomes the centre of the view (with the window
// zoom when the zoom was last chosen by hand); when the assign-in entry
// found a part, the view is fitted around that part instead.
#include <cstddef>
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
    POINT scroll;
    if (VIEW_MoveCentre(state, hWnd, p, &scroll)) {
        if (hWnd) {
            ScrollWindow(hWnd, -scroll.x, scroll.y, nullptr, nullptr);
            UpdateWindow(hWnd);
        }
        return;
    }
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
    int answer = DIN_GetAnswer(request);
    switch (answer) {
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
    case ANS_CANCEL:
    case ANS_END_NOW:
        VIEW_PickEnd(record, request);
        return CMD_STATE_WAIT;
    default:
        return VIEW_PickOtherAnswer(request, answer);
    }
}
