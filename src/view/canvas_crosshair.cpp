// The XOR crosshair through the cursor, and suspending a drag (mouse capture
// and cursor clip) before anything shows a message box or starts a long run.
#include "app/din.h"
#include "platform/qzt_draw.h"
#include "view/cnv.h"
#include "view/cnv_input.h"

void CNV_DrawCrossHair(HDC dc, CanvasState* state, int x, int y, const RECT* client, int show)
{
    if (!state || !dc || !client || (state->bCrossHairShown != 0) == (show != 0)) return;
    int oldRop = SetROP2(dc, R2_XORPEN);
    RECT rc = *client;
    POINT pt = {x, y};
    DPtoLP(dc, (POINT*)&rc, 2);
    DPtoLP(dc, &pt, 1);
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(0xA0, 0xA0, 0xA0));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, rc.left, pt.y, nullptr);
    LineTo(dc, rc.right, pt.y);
    MoveToEx(dc, pt.x, rc.top, nullptr);
    LineTo(dc, pt.x, rc.bottom);
    SelectObject(dc, old);
    DeleteObject(pen);
    SetROP2(dc, oldRop);
    state->bCrossHairShown = show ? 1 : 0;
}

void CNV_RedrawCrossHair(HDC dc, int show)
{
    HWND hWnd = CNV_GetWindow();
    CanvasState* state = CNV_GetState();
    if (!hWnd || !state || !state->bCapture) return;
    RECT client;
    GetClientRect(hWnd, &client);
    CNV_DrawCrossHair(dc, state, state->ptLastCursor.x, state->ptLastCursor.y, &client, show);
}

void CNV_EraseCrossHair()
{
    HWND hWnd = CNV_GetWindow();
    CanvasState* state = CNV_GetState();
    if (!hWnd || !state || !state->bCrossHairShown) return;
    HDC dc = GetDC(hWnd);
    RECT client;
    GetClientRect(hWnd, &client);
    CNV_DrawCrossHair(dc, state, state->ptLastCursor.x, state->ptLastCursor.y, &client, 0);
    ReleaseDC(hWnd, dc);
}

void CNV_SetCapture(int capture)
{
    if (CanvasState* state = CNV_GetState()) state->bCapture = capture;
}

int CNV_CancelDrag()
{
    HWND hWnd = CNV_GetWindow();
    CanvasState* state = CNV_GetState();
    if (!hWnd || !state) return 0;
    int old = state->bCapture;
    if (old && DIN_TopRequest()) {
        CNV_EraseCrossHair();
        CNV_ShowRubber(0);
        ClipCursor(nullptr);
        ReleaseCapture();
        state->bCapture = 0;
    }
    return old;
}

void CNV_PaintWorkDataGdi(DisplaySC* sc)
{
    // Waiting for: the fill edit buffers and their display data
    // (PDL_DispData_Area_Create). Until they exist no fill is under edit and
    // there is no floating work data to paint.
    (void)sc;
}

void CNV_PaintWorkDataDirect2D(D2DRenderTarget* rt)
{
    // Waiting for: the fill edit buffers (as above).
    (void)rt;
}
