// The frame's WM_COMMAND.
//
// Waiting for the menu command dispatcher: until it is built the frame
// handles exit (40041, which asks before closing) and drops every other id,
// the design-read command posted at start-up among them.
#include "app/rot.h"

void ROT_OnCommand(HWND hWnd, int id, LPARAM lParam, int notifyCode)
{
    if (id == 40041) {
        SendMessageA(hWnd, WM_CLOSE, 0, 0);
        return;
    }
    SetFocus(hWnd);
}
