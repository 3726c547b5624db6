// The area zoom: a box picked with a rubber rectangle is fitted into the
// canvas. Nested over any command; the line kind of the function bar is
// kept across it.
#include "app/cmd.h"
#include "app/cmd_procs.h"
#include "app/din.h"
#include "view/bar.h"
#include "view/view.h"
#include "view/view_pick_frame.h"

namespace {

int s_savedLineKind = 0;

void End(CommandRecord* record, Request* request)
{
    VIEW_PickEnd(record, request);
    BAR_FuncSetLineKind(s_savedLineKind);
}

}  // namespace

int VIEW_AreaZoom(CommandRecord* record, int resumed, Request* request)
{
    if (!resumed) {
        CanvasState* state = CNV_GetState();
        s_savedLineKind = state ? state->lineKind : 0;
        VIEW_PickStart(record, request, REQ_TWO3, 30);
        return CMD_STATE_WAIT;
    }
    DIN_SetBusy(1, request);
    int answer = DIN_GetAnswer(request);
    switch (answer) {
    case ANS_INPUT: {
        uint64_t p1 = DIN_GetPoint(1, request), p2 = DIN_GetPoint(2, request);
        DIN_DropPoint(request);
        DIN_DropPoint(request);
        VIEW_EraseCursorFigures();
        CNV_ZoomToRect(1, (int32_t)(uint32_t)p1, (int32_t)(uint32_t)(p1 >> 32), (int32_t)(uint32_t)p2,
                       (int32_t)(uint32_t)(p2 >> 32));
        End(record, request);
        return CMD_STATE_WAIT;
    }
    case ANS_CANCEL:
        if (DIN_GetPointCount(request) > 0) {
            DIN_DropPoint(request);
            DIN_SetBusy(0, request);
            return CMD_STATE_WAIT;
        }
        End(record, request);
        return CMD_STATE_WAIT;
    case ANS_END_NOW:
        End(record, request);
        return CMD_STATE_WAIT;
    default:
        return VIEW_PickOtherAnswer(request, answer);
    }
}
