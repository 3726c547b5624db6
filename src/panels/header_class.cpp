// The column-header window class "QZWheader": a plain raised strip that
// shows its window text centred, as a title over one column of a list. The
// dialogs that use it create one child per column; the font is the one the
// dialog hands its children (WM_SETFONT), kept at window long 0.
#include "panels/pnl.h"

static const char kHeaderClass[] = "QZWheader";

static void PaintHeader(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT);
    char text[256];
    GetWindowTextA(hWnd, text, sizeof text);
    HFONT font = (HFONT)GetWindowLongPtrA(hWnd, 0);
    HGDIOBJ old = SelectObject(dc, font ? (HGDIOBJ)font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(hWnd, &ps);
}

static LRESULT CALLBACK HeaderWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        PaintHeader(hWnd);
        return 0;
    case WM_SETFONT:
        SetWindowLongPtrA(hWnd, 0, (LONG_PTR)wParam);
        if (LOWORD(lParam)) InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(hWnd, 0);
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcA(hWnd, msg, wParam, lParam);
        InvalidateRect(hWnd, nullptr, TRUE);
        return r;
    }
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int PNL_RegisterHeaderClass(HINSTANCE hInst)
{
    WNDCLASSA existing;
    if (GetClassInfoA(hInst, kHeaderClass, &existing)) return 1;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HeaderWndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = hInst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kHeaderClass;
    return RegisterClassA(&wc) ? 1 : 0;
}
