// The steps every element information and change dialog shares: how it is
// run from a command, where it opens, and how it closes.
#include "app/frame_state.h"
#include "edit/line_info.h"
#include "view/cnv.h"

void INFO_RunElementDialog(HWND owner, int templateId, DLGPROC proc, void* block)
{
    ShowCursor(TRUE);
    ReleaseCapture();
    if (CanvasState* state = CNV_GetState()) state->bCapture = 0;
    HINSTANCE inst = (HINSTANCE)GetWindowLongPtrA(owner, GWLP_HINSTANCE);
    DialogBoxParamA(inst, MAKEINTRESOURCEA(templateId), owner, proc, (LPARAM)block);
    UpdateWindow(owner);
}

void INFO_PlaceElementDialog(HWND hDlg)
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs) return;
    RECT rc;
    GetWindowRect(hDlg, &rc);
    MoveWindow(hDlg, fs->ptInfoDlg.x, fs->ptInfoDlg.y, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void INFO_CloseElementDialog(HWND hDlg)
{
    RECT rc;
    GetWindowRect(hDlg, &rc);
    if (FrameState* fs = ROT_GetWindowData()) fs->ptInfoDlg = {rc.left, rc.top};
    EndDialog(hDlg, 1);
}
