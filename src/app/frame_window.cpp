// The main frame's window procedure and its small handlers: edge zones and
// the wheel turned into scroll, zoom and answer codes, typed characters
// passed to the command thread, the cursor mode, activation, and the
// messages other windows send the frame.
#include "app/rot.h"

#include <cstdio>

#include "app/cmd_private.h"
#include "app/din.h"
#include "panels/pnl.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_runtime.h"
#include "res/app_ids.h"
#include "view/cnv.h"

const char ROT_CLASS_NAME[] = "QZTorva_CLASS";
HWND g_hWndFrame = nullptr;
double g_ZoomMax = 400.0;
WNDPROC g_MenuListOldProc = nullptr;

static const char VIEWER_VERSION[] = "27.00";

LRESULT ROT_OnCreate(HWND hWnd, const CREATESTRUCTA* cs);
void ROT_OnDestroy(HWND hWnd);
void ROT_OnClose(HWND hWnd);
void ROT_OnSizeCanvas(HWND hWnd, WPARAM sizeType);

FrameState* ROT_GetWindowData()
{
    return g_hWndFrame ? (FrameState*)GetWindowLongPtrA(g_hWndFrame, 0) : nullptr;
}

void* ROT_GetDesignHandle()
{
    FrameState* fs = ROT_GetWindowData();
    return fs ? fs->hDesign : nullptr;
}

int ROT_SetCursorMode(int mode)
{
    return (int)SendMessageA(g_hWndFrame, WM_USER + 8, (WPARAM)mode, 0);
}

void ROT_SetTitle()
{
    char recent[256] = "";
    GetUserRegistry("Recent Filename", recent);
    char title[400];
    std::snprintf(title, sizeof(title), "QZ-Viewer - [%s] - Ver.%s", recent, VIEWER_VERSION);
    SetWindowTextA(g_hWndFrame, title);
}

int ROT_HideCommandPanel()
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs || fs->iActivePanel < 1 || fs->iActivePanel > PNL_MAX_NUMBER) return 0;
    return PNL_HideCommandPanel(fs);
}

// Waiting for the edge hit zones of the picking services (PICK_HitZoneInClient):
// until they exist the frame applies the same rule itself.
int ROT_HitZone(HWND hWnd, int x, int y)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    if (x < 0 || y < 0 || x >= rc.right || y >= rc.bottom) return -1;
    FrameState* fs = (FrameState*)GetWindowLongPtrA(hWnd, 0);
    int width = rc.right - (fs ? fs->rcMenuList.width : 0);
    int zone = 0;
    if (x < width / 5) zone |= 1;
    if (x >= width - width / 5 && x < width) zone |= 2;
    if (y < rc.bottom / 5) zone |= 4;
    if (y >= rc.bottom - rc.bottom / 5) zone |= 8;
    return zone;
}

int ROT_ZoneScrollCode(int zone)
{
    switch (zone) {
    case 1: return 0x100;
    case 2: return 0x101;
    case 4: return 0x200;
    case 8: return 0x202;
    case 5: return 0x300;
    case 6: return 0x301;
    case 9: return 0x302;
    case 10: return 0x303;
    }
    return 0;
}

static int ZoneCursor(int zone)
{
    switch (zone) {
    case 1: return IDC_EDGE_LEFT;
    case 2: return IDC_EDGE_RIGHT;
    case 4: return IDC_EDGE_TOP;
    case 8: return IDC_EDGE_BOTTOM;
    case 5: return IDC_EDGE_TOPLEFT;
    case 6: return IDC_EDGE_TOPRIGHT;
    case 9: return IDC_EDGE_BOTTOMLEFT;
    case 10: return IDC_EDGE_BOTTOMRIGHT;
    }
    return 0;
}

// The eight cursors sit in the frame state in the order 115, 114, 116, 117,
// 118, 119, 120, 121.
static HCURSOR CursorOf(FrameState* fs, int resource)
{
    static const int order[8] = {115, 114, 116, 117, 118, 119, 120, 121};
    for (int i = 0; i < 8; i++)
        if (order[i] == resource) return fs->hCursors[i];
    return nullptr;
}

static bool SetZoneCursor(HWND hWnd, int x, int y)
{
    FrameState* fs = (FrameState*)GetWindowLongPtrA(hWnd, 0);
    int zone = ROT_HitZone(hWnd, x, y);
    int resource = zone > 0 ? ZoneCursor(zone) : 0;
    if (!fs || !resource) return false;
    SetCursor(CursorOf(fs, resource));
    return true;
}

static void OnLButtonUp(HWND hWnd, int x, int y)
{
    int code = ROT_ZoneScrollCode(ROT_HitZone(hWnd, x, y));
    if (code) PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(178, code), 0);
}

int ROT_WheelAction(int delta, WPARAM keys, int topKind, int coordEntry)
{
    const WPARAM single[] = {MK_LBUTTON, MK_RBUTTON, MK_CONTROL, MK_MBUTTON, MK_XBUTTON1, MK_XBUTTON2};
    for (WPARAM k : single)
        if (keys == k) return 0;
    bool entry = (topKind >= 11 && topKind <= 16) || coordEntry;
    if (entry) return 0;
    if (keys == MK_SHIFT) return delta < 0 ? 16 : 15;
    return delta >= 0 ? 117 : 134;
}

static void OnMouseWheel(HWND hWnd, int delta, WPARAM keys)
{
    Request* top = DIN_TopRequest();
    int action = ROT_WheelAction(delta, keys, top ? DIN_GetKind(top) : -1, g_bCoordEntry);
    if (action == 15 || action == 16)
        DIN_CompleteRequest(action, 0, 0);
    else if (action)
        PostMessageA(hWnd, WM_COMMAND, (WPARAM)action, (LPARAM)hWnd);
}

static void OnActivate(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    FrameState* fs = (FrameState*)GetWindowLongPtrA(hWnd, 0);
    if (LOWORD(wParam) == WA_INACTIVE) {
        ClipCursor(nullptr);
        ReleaseCapture();
        CNV_SetCapture(0);
    }
    if (fs) {
        fs->bActive = LOWORD(wParam) != WA_INACTIVE ? 1 : 0;
        if (fs->hWndCanvas) SendMessageA(fs->hWndCanvas, WM_ACTIVATE, wParam, lParam);
    }
}

static int OnCursorMode(HWND hWnd, int mode)
{
    FrameState* fs = (FrameState*)GetWindowLongPtrA(hWnd, 0);
    if (!fs) return 0;
    if (mode != 0) CNV_EraseCrossHair();
    HINSTANCE inst = (HINSTANCE)GetWindowLongPtrA(hWnd, GWLP_HINSTANCE);
    switch (mode) {
    case 0: SetCursor(LoadCursorA(inst, MAKEINTRESOURCEA(IDC_MODE_NORMAL))); break;
    case 1:
    case 4: SetCursor(LoadCursorA(inst, MAKEINTRESOURCEA(IDC_MODE_OTHER))); break;
    case 2: SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_WAIT)); break;
    case 3: SetCursor(LoadCursorA(inst, MAKEINTRESOURCEA(IDC_MODE_CLICK))); break;
    }
    int previous = fs->cursorMode;
    fs->cursorMode = mode;
    return previous;
}

// Message 0x410: the canvas lets go of the mouse and the wait dialog shows
// until the command thread ends it.
static LRESULT ShowWaitDialog(HWND hWnd)
{
    CNV_EraseCrossHair();
    ClipCursor(nullptr);
    ReleaseCapture();
    CNV_SetCapture(0);
    return DialogBoxParamA((HINSTANCE)GetWindowLongPtrA(hWnd, GWLP_HINSTANCE), MAKEINTRESOURCEA(IDD_WAIT), hWnd,
                           ROT_WaitDlgProc, 0);
}

INT_PTR CALLBACK ROT_WaitDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        MDMC_SetDialogWnd(hDlg);
        PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
        return TRUE;
    case WM_TIMER:
        if (wParam == 4) {
            KillTimer(hDlg, 4);
            EndDialog(hDlg, 0);
        }
        return TRUE;
    case WM_USER + 17:
        EndDialog(hDlg, 1);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) EndDialog(hDlg, 0);
        return TRUE;
    case WM_CLOSE:
        MDMC_SetDialogWnd(nullptr);
        return FALSE;
    }
    return FALSE;
}

LRESULT CALLBACK ROT_WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    FrameState* fs = (FrameState*)GetWindowLongPtrA(hWnd, 0);
    switch (msg) {
    case WM_CREATE:
        return ROT_OnCreate(hWnd, (const CREATESTRUCTA*)lParam) ? 0 : -1;
    case WM_DESTROY:
        ROT_OnDestroy(hWnd);
        return 0;
    case WM_SIZE:
        if (fs) ROT_ResizeLayout(fs, LOWORD(lParam), HIWORD(lParam));
        ROT_OnSizeCanvas(hWnd, wParam);
        if (fs && (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) && fs->hWndMap)
            SendMessageA(fs->hWndMap, WM_USER + 11, 0, (LPARAM)CNV_GetViewSizeWords());
        return 0;
    case WM_ACTIVATE:
        OnActivate(hWnd, wParam, lParam);
        return 0;
    case WM_CLOSE:
        ROT_OnClose(hWnd);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && (HWND)wParam == hWnd) {
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(hWnd, &pt);
            if (SetZoneCursor(hWnd, pt.x, pt.y)) return TRUE;
        }
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    case WM_GETMINMAXINFO:
        ((MINMAXINFO*)lParam)->ptMinTrackSize = POINT{640, 480};
        return 0;
    case WM_MEASUREITEM:
        return CNV_MenuMeasureItem(hWnd, (MEASUREITEMSTRUCT*)lParam);
    case WM_DRAWITEM:
        return CNV_MenuDrawItem(hWnd, (const DRAWITEMSTRUCT*)lParam);
    case WM_CHAR:
        DIN_CompleteRequest(9, (int)(signed char)(char)wParam, 0);
        return 0;
    case WM_COMMAND:
        ROT_OnCommand(hWnd, LOWORD(wParam), lParam, HIWORD(wParam));
        return 0;
    case WM_MOUSEMOVE:
        SetZoneCursor(hWnd, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(hWnd, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(hWnd, (short)HIWORD(wParam), LOWORD(wParam));
        return 0;
    case WM_EXITMENULOOP:
        if (fs && fs->hPopupMenu) {
            DestroyMenu(fs->hPopupMenu);
            fs->hPopupMenu = nullptr;
        }
        return 0;
    case WM_USER + 5:
        if (fs && fs->hWndMenuList) SendMessageA(fs->hWndMenuList, WM_USER + 5, 0, 0);
        return 0;
    case WM_USER + 8:
        return OnCursorMode(hWnd, (int)wParam);
    case WM_USER + 9:
        CNV_ZoomToRect((const RECT*)lParam, wParam != 1);
        return 0;
    case WM_USER + 10:
        DestroyWindow((HWND)lParam);
        if (fs && fs->hWndCanvas) RedrawWindow(fs->hWndCanvas, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return 0;
    case WM_USER + 13:
        return ROT_RecreatePanels(hWnd);
    case WM_USER + 14:
        CNV_CopyViewRect((RECT*)lParam);
        return 0;
    case WM_USER + 16:
        return ShowWaitDialog(hWnd);
    case WM_USER + 100:
        return fs && fs->hWndCanvas ? SendMessageA(fs->hWndCanvas, msg, wParam, lParam) : 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
