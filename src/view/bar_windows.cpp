// What the four bars share: their registration, their buttons (creation,
// check state, the owner-drawn look) and the measured height of a drop-down
// list that sizes their controls.
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

int BAR_RegisterBarClass(HINSTANCE hInst, const char* name, WNDPROC proc, UINT style, HBRUSH background)
{
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) ? 1 : 0;
}

bool BAR_CreateButtons(HWND hWndBar, const BarButton* buttons, int count)
{
    HINSTANCE inst = (HINSTANCE)GetWindowLongPtrA(hWndBar, GWLP_HINSTANCE);
    for (int i = 0; i < count; ++i) {
        const BarButton& b = buttons[i];
        if (!CreateWindowExA(0, "BUTTON", b.label, WS_CHILD | WS_VISIBLE | b.style, b.x, b.y, b.width, b.height, hWndBar,
                             (HMENU)(INT_PTR)b.id, inst, nullptr))
            return false;
    }
    return true;
}

void BAR_SetCheck(HWND hWndBar, int id, int on)
{
    SendDlgItemMessageA(hWndBar, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

int BAR_IsChecked(HWND hWndBar, int id)
{
    return SendDlgItemMessageA(hWndBar, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void BAR_DrawLabelButton(const DRAWITEMSTRUCT* item, COLORREF textColour)
{
    if (!(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return;
    bool pressed = (item->itemState & ODS_SELECTED) != 0;
    BAR_DrawButtonFrame(item->hDC, item->rcItem, pressed);
    char label[32];
    GetWindowTextA(item->hwndItem, label, sizeof label);
    RECT rc = item->rcItem;
    if (pressed) OffsetRect(&rc, 1, 1);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, textColour);
    DrawTextA(item->hDC, label, -1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
