// The frame of the view commands that wait for a pick of their own (the
// area zoom and the pan): while they run the frame's menu is greyed and
// five bar controls are disabled; their end closes their request, shows the
// prompt of the request below and gives everything back.
#include <initializer_list>

#include "app/cmd.h"
#include "app/cmd_private.h"
#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_mem.h"
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
    Request* own = CreateRequest(nullptr, record->stateId, kind, prompt, 0);
    if (!own || !DIN_PushRequest(own)) {
        if (own) {
            MemFree(nullptr, own->dataBlock, "CloseRequest");
            MemFree(nullptr, own, "CloseRequest");
        }
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
