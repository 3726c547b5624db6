// The command thread: one loop for the life of the process that calls the
// state procedure of the current state and takes the state it returns as the
// next. Three system states hold it together: the root state builds the root
// request, the waiting state hands the top request to the user interface and
// sleeps until it is answered, and the menu-selection state starts a chosen
// command by the level rules (nest, replace after a cancel query, refuse).
#include "app/cmd.h"

#include "app/cmd_private.h"
#include "app/cmd_procs.h"

DWORD WINAPI CMD_ThreadMain(LPVOID)
{
    // The stack is still empty, so this only waits: the frame sets the event
    // at the end of its creation, once every window the loop talks to exists.
    DIN_PostRequestToUi();
    int state = CMD_STATE_ROOT;
    Request* request = nullptr;
    for (;;) {
        state = CMD_RunState(state, request);
        request = DIN_TopRequest();
    }
}

int CMD_RunState(int state, Request* request)
{
    CommandRecord* record = CMD_FindByState(state);
    if (!record || !record->stateProc) {
        // The table never leads here. Going back to the menu selection would
        // start the same chosen command again and again; waiting for the
        // next answer keeps the thread alive and quiet.
        MessageBeep(MB_ICONHAND);
        return CMD_STATE_WAIT;
    }
    return record->stateProc(record, 1, request);
}

int CMD_RootState(CommandRecord* record, int resumed, Request* request)
{
    if (!CMD_Push(record)) return 0;
    Request* root = CreateRequest(nullptr, CMD_STATE_MENU_SELECT, REQ_ROOT, 1, 0);
    if (!root) return 0;
    DIN_PushRequest(root);
    return 0;
}

int CMD_WaitAnswerState(CommandRecord* record, int resumed, Request* request)
{
    Request* top = DIN_TopRequest();
    if (!top) {
        // Nothing to answer (the root request could not be made): sleep
        // until the event is set anyway.
        DIN_PostRequestToUi();
        return CMD_STATE_WAIT;
    }
    // Setting the cursor where it is makes the canvas see a mouse move and
    // draw the cursor of the new request.
    POINT pt;
    if (GetCursorPos(&pt)) SetCursorPos(pt.x, pt.y);
    CMD_SendToFrame(CMD_MSG_CURSOR_MODE, (WPARAM)top->cursorMode);
    DIN_MarkWaiting(top);
    DIN_PostRequestToUi();
    CMD_SendToFrame(CMD_MSG_CURSOR_MODE, CMD_CURSOR_NORMAL);
    DIN_PeekRequest(&top);
    if (DIN_GetAnswer(top) == ANS_SCROLL) return VIEW_ScrollStep(top);
    return DIN_GetReturnState(top);
}

int CMD_AskToGiveWay(CommandRecord* running, Request* request, int endNow)
{
    if (!running || !running->stateProc || !request) return 0;
    if (DIN_IsBusy(request)) return 0;
    DIN_SetCancelAnswer(request, 0);
    int saved = DIN_GetAnswer(request);
    DIN_SetAnswer(request, ANS_CANCEL_QUERY);
    running->stateProc(running, 1, request);
    int agreed = DIN_GetCancelAnswer(request);
    DIN_SetAnswer(request, saved);
    if (agreed < 1) return 0;
    if (DIN_IsBusy(request)) return 0;
    if (endNow) {
        DIN_SetAnswer(request, ANS_END_NOW);
        running->stateProc(running, 1, request);
    }
    return 1;
}

int CMD_MenuSelectState(CommandRecord* record, int resumed, Request* request)
{
    if (DIN_GetAnswer(request) != ANS_COMMAND) return 0;
    CommandRecord* running = CMD_StackTop();
    CommandRecord* chosen = CMD_FindById(DIN_GetAnswerWord(request));
    // The system states carry command id 0; an answer naming them names no
    // command.
    if (!chosen || chosen->level == CMD_LEVEL_SYSTEM) return 0;
    if (running) {
        if (running->level > chosen->level) {
            CMD_SendToFrame(CMD_MSG_MENU_RESET, 0);
            return 0;
        }
        if (running->stateId == chosen->stateId) {
            MessageBeep(MB_ICONHAND);
            return 0;
        }
        if (running->level == chosen->level && chosen->level != CMD_LEVEL_VIEW) {
            if (!CMD_AskToGiveWay(running, request, 1)) return 0;
        }
    }
    if (!chosen->stateProc) return 0;
    // After a replacement the chosen command starts on the request that was
    // below the running command's.
    return chosen->stateProc(chosen, 0, DIN_TopRequest());
}
