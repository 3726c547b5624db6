// The level rules of the menu selection, applied on the user-interface thread
// before a command costs a dialog, and the cancel of the running command.
//
// The running command's state procedure is called here, on this thread, with
// the answer code written straight into its request. That is safe only while
// the command thread sleeps on the request event, which is what the busy
// tests make sure of before each call.
#include "app/rot_dispatch.h"

// Asks the running command to give way: answer 10, then, when it agrees and
// `endNow`, answer 99. The request's own answer code is put back after the
// query. 1 when it gave way, 0 when it refused or was busy.
static int AskRunning(CommandRecord* top, int endNow)
{
    Request* request = DIN_TopRequest();
    if (!request || !top->stateProc) return 0;
    int saved = DIN_GetAnswer(request);
    DIN_SetCancelAnswer(request, 0);
    if (DIN_IsBusy(request)) return 0;
    DIN_SetAnswer(request, ANS_CANCEL_QUERY);
    top->stateProc(top, 1, request);
    int agreed = DIN_GetCancelAnswer(request);
    DIN_SetAnswer(request, saved);
    if (agreed < 1) return 0;
    if (DIN_IsBusy(request)) return 0;
    if (!endNow) return 1;
    DIN_SetAnswer(request, ANS_END_NOW);
    top->stateProc(top, 1, request);
    return 1;
}

int CMD_AdmitCommand(int id, int* runningId)
{
    *runningId = -1;
    CommandRecord* top = CMD_StackDepth() >= 1 ? CMD_StackTop() : nullptr;
    CommandRecord* chosen = CMD_FindById(id);
    if (!top || !chosen) return 0;
    if (top->stateId == 0 || chosen->stateId == 0 || top->stateId == chosen->stateId) return 0;
    *runningId = top->commandId;
    if (top->level > chosen->level) {
        SendMessageA(g_hWndFrame, WM_USER + 5, 0, 0);
        return 0;
    }
    if (top->level < chosen->level || (top->level == CMD_LEVEL_VIEW && chosen->level == CMD_LEVEL_VIEW)) return 1;
    return AskRunning(top, 1);
}

int CMD_CancelRunning(int* runningId, int endFlag)
{
    *runningId = -1;
    CommandRecord* top = CMD_StackTop();
    if (!top) return 1;
    *runningId = top->commandId;
    if (top->level == CMD_LEVEL_VIEW) return 1;
    return AskRunning(top, endFlag);
}
