// The canvas's mouse handlers.
//
// Waiting for the canvas pointer input and snapping: until it is built the
// canvas only follows the cursor (its last position) and answers no point
// or box request from the mouse.
#include "view/cnv.h"

void CNV_OnMouseMove(HWND hWnd, int x, int y, UINT keys)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (!state || state->bRepainting) return;
    state->ptLastCursor = {x, y};
}

void CNV_OnLButtonDown(HWND hWnd, int x, int y, UINT keys) {}
void CNV_OnLButtonUp(HWND hWnd, int x, int y, UINT keys) {}
void CNV_OnRButtonDown(HWND hWnd, int x, int y, UINT keys) {}
void CNV_OnRButtonUp(HWND hWnd, int x, int y, UINT keys) {}
void CNV_OnArmPick(HWND hWnd) {}
