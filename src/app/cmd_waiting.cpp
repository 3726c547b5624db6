// Stand-ins for the state procedures of the command table whose commands are
// not built yet. Each keeps the protocol of a state procedure, so the table,
// the level rules and the cancel query work with them exactly as with the
// real commands: a stateful one pushes its record and a one-point request,
// agrees to every cancel query, hands a chosen command on to the menu
// selection and ends at once on any input; a one-shot one returns at once.
// A subsystem that builds its commands deletes its lines here.
#include "app/cmd.h"

#include "app/cmd_own_request.h"
#include "app/cmd_procs.h"

static int WaitingCommand(CommandRecord* record, int resumed, Request* request)
{
    DIN_SetBusy(1, request);
    if (!resumed) {
        if (!CMD_Push(record)) {
            DIN_SetBusy(0, request);
            return 0;
        }
        Request* own = CMD_PushOwnRequest(record, REQ_POINT1, 0);
        if (!own) {
            // Leaving the record on the stack without a request of its own
            // would keep the request below busy for good.
            CMD_End(record);
            DIN_SetBusy(0, request);
            return 0;
        }
        DIN_SetBusy(0, own);
        return 0;
    }
    switch (DIN_GetAnswer(request)) {
    case ANS_CANCEL_QUERY:
        DIN_SetCancelAnswer(request, 1);
        DIN_SetBusy(0, request);
        return 0;
    case ANS_OPTION:
        DIN_SetBusy(0, request);
        return 0;
    case ANS_FINISH:
    case ANS_CANCEL:
        if (CMD_ClearCoordModes()) {
            DIN_SetBusy(0, request);
            return 0;
        }
        return CMD_EndOnOwnRequest(record, request);
    case ANS_END_NOW:
        CMD_ClearCoordModes();
        return CMD_EndOnOwnRequest(record, request);
    case ANS_INPUT:
    case ANS_LEFT_CLICK:
    case ANS_RIGHT_CLICK:
        return CMD_EndOnOwnRequest(record, request);
    default:
        DIN_SetBusy(0, request);
        return CMD_STATE_MENU_SELECT;
    }
}

static int WaitingOneShot(CommandRecord* record, int resumed, Request* request)
{
    int old = DIN_SetBusy(1, request);
    DIN_SetBusy(old, request);
    return 0;
}

// Waiting for the display toggles and the hatching display.
int VIEW_AssignNameToggle(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int VIEW_PinNameCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int VIEW_RatsnestCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int HAT_HatchingCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }

// Waiting for the origin commands.
int ORG_MoveCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }

// Waiting for the text list.
int LIST_TextListCommand(CommandRecord* r, int f, Request* q) { return WaitingOneShot(r, f, q); }

// Waiting for the element commands.
int EDIT_PinChangeCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_AppViaChange(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_LineChangeCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_AppTextChange(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_FillChangeCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_AppPartChange(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_AppSigViaChange(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_AppSigLinChange(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int INFO_AppViaInfo(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int INFO_AppTextInfo(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int INFO_AppFillInfo(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int INFO_AppPartInfo(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int INFO_AppPinInfo(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int INFO_ViaDetailCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }

// Waiting for delete by kind.
int EDIT_AppDeleteKindSelect(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }

// Waiting for the dimension and leader-line commands.
int EDIT_DimensionLineCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_LeaderViaCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_LeaderArcCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int EDIT_LeaderArrowCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }

// Waiting for the gap and chain-length measurements.
int MEAS_LineGapCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int MEAS_ChainLengthCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }

// Waiting for the net display and the checks. The logical-net procedure also
// serves the one-shot net list choice (command 192).
int NET_LogicalNetCommand(CommandRecord* r, int f, Request* q)
{
    if (r->stateId == CMD_STATE_ONE_SHOT) return WaitingOneShot(r, f, q);
    return WaitingCommand(r, f, q);
}
int CHK_NetCheckCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
int CHK_TextCheckCommand(CommandRecord* r, int f, Request* q) { return WaitingCommand(r, f, q); }
