// The frame of the view commands that wait for a pick of their own (the
// area zoom, the pan and the relative base point): while they run the
// frame's menu is greyed and five bar controls are disabled; their end
// closes their request, shows the prompt of the request below and gives
// everything back. The answers that mean the same to all of them are taken
// here too.
#include <initializer_list>

#include "app/cmd.h"
#include "app/cmd_own_request.h"
#include "app/cmd_private.h"
#include "app/din.h"
#include "app/frame_state.h"
#include "view/view_pick_frame.h"

namespace {

void Controls(bool enable)
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs) return;
    for (int id : {162, 176, 146})
        if (HWND w = fs->hWndFuncBar ? GetDlgItem(fs->hWndFuncBar, id) : nullptr) EnableWindow(w, enable);
    for (int id : {155, 190})
        if (HWND w = fs->hWndAttrBar ? GetDlgItem(fs->hWndAttrBar, id) : nullptr) EnableWindow(w, enable);
}

void Menu(bool enable)
{
    HMENU menu = g_hWndFrame ? GetMenu(g_hWndFrame) : nullptr;
    if (!menu) return;
    for (int i = 0; i < 15; ++i) EnableMenuItem(menu, i, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(g_hWndFrame);
}

}  // namespace

int VIEW_PickStart(CommandRecord* record, Request* request, int kind, int prompt)
{
    if (CMD_StackDepth() > 15 || !CMD_Push(record)) return 0;
    DIN_SetBusy(1, request);
    Menu(false);
    Controls(false);
    Request* own = CMD_PushOwnRequest(record, kind, prompt);
    if (!own) {
        VIEW_PickEnd(record, nullptr);
        return 0;
    }
    DIN_SetBusy(0, own);
    return 1;
}

void VIEW_PickEnd(CommandRecord* record, Request* own)
{
    Request* top = own ? CloseRequest(own) : DIN_TopRequest();
    DIN_ShowPrompt(DIN_GetMessage(DIN_GetPromptIndex(top)));
    CMD_End(record);
    Menu(true);
    Controls(true);
    DIN_SetBusy(0, top);
}

int VIEW_PickOtherAnswer(Request* request, int answer)
{
    switch (answer) {
    case ANS_FINISH:
        MessageBeep(MB_ICONASTERISK);
        DIN_SetBusy(0, request);
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
