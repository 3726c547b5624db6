// The request channel's calls into the canvas and the status bar.
#include "app/cmd_private.h"
#include "view/bar.h"

// The drawing canvas window: the canvas stores its handle here when it is
// created and clears it when it is destroyed.
HWND g_hWndCanvas = nullptr;

void DIN_ShowPrompt(const char* text)
{
    BAR_StatusSetText(text);
}

void DIN_PostToCanvas(UINT msg, LPARAM lParam)
{
    if (g_hWndCanvas) PostMessageA(g_hWndCanvas, msg, 0, lParam);
}

