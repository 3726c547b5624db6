// The right button on the canvas: a click cancels a pick request with no
// point held, steps back one point with points held, finishes with Shift
// held, answers a click request, or goes up one level of the on-screen
// menu; held for the popup time it opens the popup menu; released after the
// left button went down during the press it finishes.
#include "app/din.h"
#include "app/frame_state.h"
#include "app/rot.h"
#include "app/rot_dispatch.h"
#include "app/cmd.h"
#include "platform/qzt_env.h"
#include "view/cnv.h"
#include "view/cnv_input.h"

namespace {

constexpr UINT_PTR kPopupTimer = 3;

bool IsPick(int kind) { return (kind >= 1 && kind <= 8) || kind == 17; }

void ShowPopupMenu(HWND hWnd, CanvasState* state, int x, int y)
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs) return;
    if (fs->hPopupMenu) {
        DestroyMenu(fs->hPopupMenu);
        fs->hPopupMenu = nullptr;
    }
    CNV_EraseCrossHair();
    ClipCursor(nullptr);
    ReleaseCapture();
    state->bCapture = 0;
    CNV_ShowRubber(0);
    POINT pt = {x, y};
    ClientToScreen(hWnd, &pt);
    fs->ptPopup = pt;
    int count = 0, longest = 0;
    HMENU menu = CNV_BuildPopupMenu(&count, &longest);
    fs->hPopupMenu = menu;
    if (menu) TrackPopupMenu(menu, TPM_CENTERALIGN | TPM_VCENTERALIGN, pt.x, pt.y, 0, GetParent(hWnd), nullptr);
}

}  // namespace

void CALLBACK CNV_PopupTimerProc(HWND hWnd, UINT msg, UINT_PTR id, DWORD time)
{
    KillTimer(hWnd, kPopupTimer);
    g_bPopupDue = 1;
}

void CNV_OnRButtonDown(HWND hWnd, int x, int y, UINT keys)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (!state || state->bRightDown) return;
    state->bRightDown = 1;
    Request* r = DIN_TopRequest();
    if (!r || DIN_IsBusy(r)) return;
    g_bPopupDue = 0;
    UINT ms = (UINT)(ENV_GetPopUpTime(ENV_GetENVClass()) * 1000.0);
    if (ms != 0) SetTimer(hWnd, kPopupTimer, ms, CNV_PopupTimerProc);
}

void CNV_OnRButtonUp(HWND hWnd, int x, int y, UINT keys)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (!state || !state->bRightDown) return;
    state->bRightDown = 0;
    // A release before the popup time never pops up.
    KillTimer(hWnd, kPopupTimer);
    Request* r = DIN_TopRequest();
    if (!r || DIN_IsBusy(r)) return;
    int kind = DIN_GetKind(r);
    int both = state->bBothButtons;
    state->bBothButtons = 0;
    if (both) {
        if (IsPick(kind) || kind == 10) {
            CNV_EraseCrossHair();
            CNV_ShowRubber(0);
            g_bLeftDrag = 0;
            state->bLeftDown = 0;
            ClipCursor(nullptr);
            DIN_CompleteRequest(ANS_FINISH, 0, 0);
        }
        return;
    }
    if (g_bPopupDue) {
        int running = 0;
        if (kind != 0 && !CMD_CancelRunning(&running, 0)) g_bPopupDue = 0;
        if (g_bPopupDue) {
            g_bPopupDue = 0;
            ShowPopupMenu(hWnd, state, x, y);
            return;
        }
    }
    if (IsPick(kind)) {
        if (keys & MK_SHIFT) {
            DIN_CompleteRequest(ANS_FINISH, 0, 0);
        } else if (DIN_GetPointCount(r) == 0) {
            CNV_EraseCrossHair();
            CNV_ShowRubber(0);
            DIN_CompleteRequest(ANS_CANCEL, 0, 0);
        } else {
            // The figure goes back one point.
            CNV_ShowRubber(0);
            DIN_DropPoint(r);
            r->rubberB[0] = r->rubberC[0];
            r->rubberB[1] = r->rubberC[1];
            CNV_ShowRubber(1);
        }
    } else if (kind == REQ_CLICK_CURSOR || kind == REQ_CLICK) {
        DIN_CompleteRequest(ANS_RIGHT_CLICK, 0, 0);
    } else if (DIN_GetReturnState(r) == 2) {
        if (ENV_GetCursorJump(nullptr)) CMD_ReleaseViewCursor(hWnd);
        CNV_MenuShowParent();
    }
}
