// The request channel's calls into the canvas and the status bar.
#include "app/cmd_private.h"
#include "view/bar.h"

// Waiting for the canvas: until the canvas window keeps its own handle here
// from its creation, the handle lives with the command engine, and whoever
// creates the canvas sets it.
HWND g_hWndCanvas = nullptr;

void DIN_ShowPrompt(const char* text)
{
    BAR_StatusSetText(text);
}

void DIN_PostToCanvas(UINT msg, LPARAM lParam)
{
    if (g_hWndCanvas) PostMessageA(g_hWndCanvas, msg, 0, lParam);
}

