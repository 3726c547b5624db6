// A command's own request, pushed at its start and closed at its end.
#include "app/cmd_own_request.h"

#include "app/cmd_private.h"
#include "platform/qzt_mem.h"

Request* CMD_PushOwnRequest(const CommandRecord* record, int kind, int prompt)
{
    Request* own = CreateRequest(nullptr, record->stateId, kind, prompt, 0);
    if (own && DIN_PushRequest(own)) return own;
    // Never on the stack, so CloseRequest cannot take it: its blocks go here.
    if (own) {
        MemFree(nullptr, own->dataBlock, "CloseRequest");
        MemFree(nullptr, own, "CloseRequest");
    }
    return nullptr;
}

int CMD_EndOnOwnRequest(CommandRecord* record, Request* own)
{
    Request* below = CloseRequest(own);
    DIN_ShowPrompt(DIN_GetMessage(DIN_GetPromptIndex(below)));
    CMD_End(record);
    DIN_SetBusy(0, below);
    return CMD_STATE_WAIT;
}
