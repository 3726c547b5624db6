// The request channel's calls into the canvas and the status bar.
#include "app/cmd_private.h"

// Waiting for the canvas: until the canvas window keeps its own handle here
// from its creation, the handle lives with the command engine, and whoever
// creates the canvas sets it.
HWND g_hWndCanvas = nullptr;

void DIN_ShowPrompt(const char* text)
{
    // Waiting for the status bar: until BAR_StatusSetText exists, the prompt
    // of the top request is not shown.
    (void)text;
}

void DIN_PostToCanvas(UINT msg, LPARAM lParam)
{
    if (g_hWndCanvas) PostMessageA(g_hWndCanvas, msg, 0, lParam);
}

