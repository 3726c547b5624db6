// The frame every measuring command runs in: it starts with its option panel
// shown under the shortened command list box, takes one point per request,
// replaces its request step by step and ends through the command engine.
//
// Every state procedure marks the request it was called with busy first and,
// before it returns, clears the busy mark of the request then on top: its own
// new request, or after the end the request below, which so becomes free
// again. The request the command was started on stays busy while it runs.
#include "check/meas.h"

#include <cstdio>

#include "app/cmd_own_request.h"
#include "app/frame_state.h"
#include "app/rot.h"
#include "panels/pnl.h"
#include "platform/qzt_env.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_wps.h"
#include "view/bar.h"

static HWND PanelWindow(const MeasFrame& frame)
{
    return PNL_PanelWindow(ROT_GetWindowData(), frame.panel);
}

void MEAS_FrameReset(const MeasFrame& frame)
{
    FrameState* fs = ROT_GetWindowData();
    if (fs && fs->hWndCanvas) UpdateWindow(fs->hWndCanvas);
    ROT_HideCommandPanel();
    *frame.panelValue = 0.0;
    // Shown anew, the panel writes the zero result into its read-out.
    PNL_ShowCommandPanel(ROT_GetWindowData(), frame.panel);
}

int MEAS_FrameReturn(int state)
{
    DIN_SetBusy(0, DIN_TopRequest());
    return state;
}

int MEAS_FrameStart(CommandRecord* record, Request* request, const MeasFrame& frame)
{
    if (CMD_StackDepth() >= CMD_STACK_SIZE || !CMD_Push(record)) {
        DIN_SetBusy(0, request);
        return 0;
    }
    BAR_FuncSetLineKind(1);

    Request* own = CMD_PushOwnRequest(record, REQ_POINT1, frame.firstPrompt);
    if (!own) {
        // Without a request of its own the command has nothing to wait on:
        // it ends before it shows anything.
        CMD_End(record);
        DIN_SetBusy(0, request);
        return 0;
    }

    *frame.panelValue = 0.0;
    PNL_ShowCommandPanel(ROT_GetWindowData(), frame.panel);

    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    if (ENV_GetCursorJump(ctx)) {
        uint64_t at = ENV_GetCsrJmpXY(ctx);
        SetCursorPos((int32_t)(uint32_t)at, (int32_t)(uint32_t)(at >> 32));
    }
    ENV_Env_bTantenEnkoON(ctx);
    DDM_Close(ctx);

    DIN_SetBusy(0, own);
    return 0;
}

POINT MEAS_FrameTakePoint(Request* request, const MeasFrame& frame)
{
    uint64_t at;
    if (*frame.gridOn == 1 || DIN_GetFirstPointFlag(request) == 2)
        at = DIN_GetFirstPoint(request);  // the snapped position
    else
        at = DIN_GetPoint(1, request);    // the picked position
    DIN_DropPoint(request);
    POINT p = {(int32_t)(uint32_t)at, (int32_t)(uint32_t)(at >> 32)};
    return p;
}

int MEAS_FrameReplace(CommandRecord* record, Request* request, int prompt, RubberFigure* figure)
{
    // The next request is made before the old one is closed, so that a
    // failure leaves the command with a request to end on.
    Request* next = CreateRequest(nullptr, record->stateId, REQ_POINT1, prompt, 0);
    if (!next) {
        MemFree(nullptr, figure, nullptr);
        return 0;
    }
    next->extraBlock = figure;
    CloseRequest(request);
    DIN_PushRequest(next);
    return 1;
}

int MEAS_FrameAsk(CommandRecord* record, Request* request, int prompt, RubberFigure* figure)
{
    if (!MEAS_FrameReplace(record, request, prompt, figure)) return MEAS_FrameEnd(record, request);
    return MEAS_FrameReturn(0);
}

int MEAS_FrameEnd(CommandRecord* record, Request* request)
{
    Request* below = CloseRequest(request);
    BAR_StatusSetText(DIN_GetMessage(DIN_GetPromptIndex(below)));
    ROT_HideCommandPanel();
    CMD_End(record);
    return MEAS_FrameReturn(0);
}

void MEAS_FrameShowValue(const MeasFrame& frame, int controlId, double value)
{
    *frame.panelValue = value;
    char text[64];
    snprintf(text, sizeof text, "%9.4lf", value);
    if (HWND hPanel = PanelWindow(frame)) SetDlgItemTextA(hPanel, controlId, text);
}

int MEAS_FrameOtherAnswer(CommandRecord* record, Request* request, int answer)
{
    switch (answer) {
    case ANS_RIGHT_CLICK:
    case ANS_FINISH:
        if (CMD_ClearCoordModes()) return MEAS_FrameReturn(0);
        return MEAS_FrameEnd(record, request);
    case ANS_CANCEL_QUERY:
        DIN_SetCancelAnswer(request, 1);
        return MEAS_FrameReturn(0);
    case ANS_END_NOW:
        CMD_ClearCoordModes();
        return MEAS_FrameEnd(record, request);
    default:
        return MEAS_FrameReturn(CMD_STATE_MENU_SELECT);
    }
}
