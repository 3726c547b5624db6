// The on-screen command menu in the frame's list box, as far as the frame
// needs it.
//
// Waiting for the on-screen command menu: until it is built the list box
// shows no menu; its rows are one line high and draw nothing.
#include "view/cnv.h"

LRESULT CALLBACK CNV_MenuListWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void CNV_MenuShow(int menu)
{
}

LRESULT CNV_MenuMeasureItem(HWND hWndFrame, MEASUREITEMSTRUCT* item)
{
    TEXTMETRICA tm = {};
    HDC dc = GetDC(hWndFrame);
    GetTextMetricsA(dc, &tm);
    ReleaseDC(hWndFrame, dc);
    item->itemHeight = (UINT)(tm.tmHeight + tm.tmExternalLeading);
    return TRUE;
}

LRESULT CNV_MenuDrawItem(HWND hWndFrame, const DRAWITEMSTRUCT* item)
{
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_WINDOW));
    return TRUE;
}
