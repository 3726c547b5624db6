// What the four bars share: their registration, the owner-drawn button look
// and the measured height of a drop-down list that sizes their controls.
#include "view/bar.h"

int BAR_RegisterClasses(HINSTANCE hInst)
{
    if (!BAR_StatusRegisterClass(hInst)) return 0;
    if (!BAR_FuncRegisterClass(hInst)) return 0;
    if (!BAR_SettingRegisterClass(hInst)) return 0;
    return BAR_AtrRegisterClass(hInst);
}

static void DrawEdge(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    HPEN light = CreatePen(PS_SOLID, 1, topLeft);
    HPEN dark = CreatePen(PS_SOLID, 1, bottomRight);
    HGDIOBJ old = SelectObject(dc, light);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, dark);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left, r.bottom - 1);
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
}

void BAR_DrawButtonFrame(HDC dc, const RECT& rc, bool pressed)
{
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    RECT in = rc;
    InflateRect(&in, -1, -1);
    DrawEdge(dc, in, pressed ? frame : white, pressed ? white : frame);
    InflateRect(&in, -1, -1);
    DrawEdge(dc, in, pressed ? shadow : face, pressed ? face : shadow);
}

int BAR_MeasureComboHeight(HWND hWndBar, int charWidth)
{
    HINSTANCE inst = (HINSTANCE)GetWindowLongPtrA(hWndBar, GWLP_HINSTANCE);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, charWidth, 100, hWndBar,
                                 nullptr, inst, nullptr);
    if (!combo) return 20;
    RECT rc;
    GetWindowRect(combo, &rc);
    DestroyWindow(combo);
    return rc.bottom - rc.top;
}
