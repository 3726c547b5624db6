// The command engine's calls into the frame, the canvas and the bars.
//
// Where a neighbour's window or state block does not exist yet, the call
// does only what needs none.
#include "app/cmd_private.h"
#include "app/frame_state.h"
#include "platform/layout_canvas.h"
#include "view/bar.h"
#include "view/cnv.h"

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

// Button 146 says "ﾗｲﾝ" again, the canvas line kind and the signal-line
// flag go back to 0, and the line-table and level lists are filled again.
void CMD_ResetFunctionBar()
{
    if (CanvasState* state = CanvasStateOf(g_hWndCanvas)) state->lineKind = 0;
    BAR_FuncSetLineKind(0);
}

// The setting bar's mark of the mode is cleared and its button repainted.
void CMD_ClearCoordMark(int buttonId)
{
    switch (buttonId) {
    case 156: BAR_SettingSetAbsMark(0); break;
    case 157: BAR_SettingSetRelMark(0); break;
    case 173: BAR_SettingSetAssignMark(0); break;
    }
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
    // The canvas keeps its cross-hair's position and whether it is shown.
    if (hWndCanvas && hWndCanvas == CNV_GetWindow()) CNV_EraseCrossHair();
}
