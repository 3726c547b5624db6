// Message boxes and the mouse cursor around commands. A command that shows a
// box must first give the mouse back: the canvas may hold the capture and a
// clip, and the cursor may be hidden while a rubber band follows it.
#include "app/cmd.h"

#include "app/cmd_private.h"

int CMD_MessageBox(HWND hOwner, const char* text, const char* caption, UINT type)
{
    ShowCursor(TRUE);
    ReleaseCapture();
    CMD_SetCanvasCapture(0);
    int result = MessageBoxA(hOwner, text, caption, type);
    if (g_hWndCanvas) UpdateWindow(g_hWndCanvas);
    return result;
}

void CMD_CentreCursor()
{
    RECT rc;
    if (!g_hWndCanvas || !GetWindowRect(g_hWndCanvas, &rc)) return;
    SetCursorPos(rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2);
}

void CMD_ReleaseViewCursor(HWND hWndCanvas)
{
    CMD_EraseCrossHair(hWndCanvas);
    ClipCursor(nullptr);
    ReleaseCapture();
    CMD_SetCanvasCapture(0);
    RECT rc;
    if (hWndCanvas && GetWindowRect(hWndCanvas, &rc)) SetCursorPos(rc.right + 60, rc.top + 60);
}
