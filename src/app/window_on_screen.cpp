// Window positions the user cannot lose: a position that would put a window
// mostly off the virtual screen moves to the canvas's corner, and dialogs
// that belong to the drawing open centred on the canvas.
#include "app/app.h"

#include "app/cmd_private.h"
#include "res/app_ids.h"

int APP_KeepWindowOnScreen(int* x, int* y, int width, int height)
{
    if (!g_hWndCanvas || !IsWindow(g_hWndCanvas)) return 0;
    int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    // The screen's far edges are its origin plus its size: on a desktop whose
    // virtual screen does not start at (0, 0), comparing a size with a
    // coordinate would misjudge a window on the far side.
    bool onScreen = vx <= *x + width / 2 && vy <= *y + 20 && vy + cy >= *y + height / 2 &&
                    vx + cx >= *x + width / 3 && vx <= *x && vx + cx > *x + 6 && vy + cy >= *y;
    if (onScreen) return 0;
    POINT corner = {0, 0};
    ClientToScreen(g_hWndCanvas, &corner);
    *x = corner.x;
    *y = corner.y;
    return 1;
}

int APP_CentreOnCanvas(HWND hDlg)
{
    RECT canvas, dlg;
    GetWindowRect(g_hWndCanvas, &canvas);
    GetWindowRect(hDlg, &dlg);
    int w = dlg.right - dlg.left, h = dlg.bottom - dlg.top;
    int cxc = (canvas.left + canvas.right) / 2, cyc = (canvas.top + canvas.bottom) / 2;
    SetWindowPos(hDlg, nullptr, cxc - w / 2, cyc - h / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

INT_PTR CALLBACK APP_NoteDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        APP_CentreOnCanvas(hDlg);
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam) == IDOK ? 1 : 0);
        return TRUE;
    }
    return FALSE;
}
