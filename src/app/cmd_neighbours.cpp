// The command engine's calls into the frame, the canvas and the bars.
//
// Where a neighbour's window or state block does not exist yet, the call
// does only what needs none.
#include "app/cmd_private.h"
#include "app/frame_state.h"
#include "platform/layout_canvas.h"

// The canvas keeps its state block at window long 0; a canvas that has none
// yet gives null.
static CanvasState* CanvasStateOf(HWND hWndCanvas)
{
    return hWndCanvas ? (CanvasState*)GetWindowLongPtrA(hWndCanvas, 0) : nullptr;
}

LRESULT CMD_SendToFrame(UINT msg, WPARAM wParam)
{
    return g_hWndFrame ? SendMessageA(g_hWndFrame, msg, wParam, 0) : 0;
}

void CMD_ResetFunctionBar()
{
    if (CanvasState* state = CanvasStateOf(g_hWndCanvas)) state->lineKind = 0;
    // Waiting for the function bar: until it exists, its button 146 keeps
    // its text ("ﾗｲﾝ" at the end of a command), its signal-line flag is not
    // cleared and its line-table and level lists are not filled again.
}

void CMD_ClearCoordMark(int buttonId)
{
    // Waiting for the setting bar: until its indicator flags
    // (g_AbsCoordMark, g_RelCoordMark, g_AssignInMark) exist, only the
    // engine's mode is switched off and no button is repainted.
    (void)buttonId;
}

void CMD_SetCanvasCapture(int capture)
{
    if (CanvasState* state = CanvasStateOf(g_hWndCanvas)) state->bCapture = capture;
}

void CMD_ClearCanvasLeftDown()
{
    if (CanvasState* state = CanvasStateOf(g_hWndCanvas)) state->bLeftDown = 0;
}

void CMD_EraseCrossHair(HWND hWndCanvas)
{
    // Waiting for the canvas: until it draws its cross-hair, there is none
    // to erase.
    (void)hWndCanvas;
}
