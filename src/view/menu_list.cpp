// The on-screen command menu in the frame's list box: one menu of the static
// tree at a time, drawn as raised buttons, and the mouse rules by which the
// list finishes, cancels or climbs while a command waits for input.
#include <cstring>
#include <initializer_list>

#include "app/cmd.h"
#include "app/din.h"
#include "app/frame_state.h"
#include "app/rot.h"
#include "view/cnv.h"

namespace {

int s_current = 0;       // the menu shown (0, the top menu, at start)
bool s_filled = false;   // whether the list holds s_current's rows
// Button, chord and drag marks of the list's mouse rules, and the press point.
bool s_leftDown = false;
bool s_rightDown = false;
bool s_chord = false;
bool s_drag = false;
POINT s_press;

const ScreenMenuRecord* FindMenu(int id)
{
    for (const ScreenMenuRecord* m = g_ScreenMenus; m->menuId != -1; ++m)
        if (m->menuId == id) return m;
    return nullptr;
}

HWND List()
{
    FrameState* fs = ROT_GetWindowData();
    return fs ? fs->hWndMenuList : nullptr;
}

bool KindIn(int kind, std::initializer_list<int> kinds)
{
    for (int k : kinds)
        if (k == kind) return true;
    return false;
}

LRESULT PassOn(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return g_MenuListOldProc ? CallWindowProcA(g_MenuListOldProc, hWnd, msg, wParam, lParam)
                             : DefWindowProcA(hWnd, msg, wParam, lParam);
}


LRESULT OnLeftDown(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    s_leftDown = true;
    if (s_rightDown) {
        s_chord = true;
        return 0;
    }
    s_drag = false;
    s_press = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    CommandRecord* top = CMD_StackTop();
    // Pan and area zoom take the press on the canvas, not here.
    if (top && (top->stateId == 10 || top->stateId == 11)) return 0;
    return PassOn(hWnd, msg, wParam, lParam);
}

LRESULT OnLeftUp(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, Request* top)
{
    if (!s_leftDown) return 0;
    s_leftDown = false;
    if (s_rightDown) return PassOn(hWnd, msg, wParam, lParam);
    if (!s_chord) {
        int dx = (short)LOWORD(lParam) - s_press.x, dy = (short)HIWORD(lParam) - s_press.y;
        if (dx > 60 || dx < -60 || dy > 20 || dy < -20) s_drag = true;
        return PassOn(hWnd, msg, wParam, lParam);
    }
    s_chord = false;
    if (KindIn(DIN_GetKind(top), {1, 2, 4, 5, 6, 7, 8, 10, 17})) DIN_CompleteRequest(ANS_FINISH, 0, 0);
    return 0;
}

LRESULT OnRightUp(HWND hWnd, WPARAM wParam, LPARAM lParam, Request* top)
{
    if (!s_rightDown) return 0;
    s_rightDown = false;
    // The left button is still down: the list ends its own tracking now, and
    // the left release to come finishes a chord.
    if (s_leftDown) return PassOn(hWnd, WM_LBUTTONUP, wParam & ~MK_RBUTTON, lParam);
    int kind = DIN_GetKind(top);
    if (s_chord) {
        s_chord = false;
        if (KindIn(kind, {1, 2, 4, 5, 6, 7, 8, 10, 17})) DIN_CompleteRequest(ANS_FINISH, 0, 0);
        return 0;
    }
    if (KindIn(kind, {1, 2, 4, 5, 6, 7, 8, 17}))
        DIN_CompleteRequest((GetKeyState(VK_SHIFT) & 0x8000) ? ANS_FINISH : ANS_CANCEL, 0, 0);
    else if (kind == REQ_CLICK_CURSOR)
        DIN_CompleteRequest(ANS_RIGHT_CLICK, 0, 0);
    else if (DIN_GetReturnState(top) == CMD_STATE_MENU_SELECT)
        CNV_MenuShowParent();
    return 0;
}

void OnPopupUp(HWND hWnd)
{
    FrameState* fs = ROT_GetWindowData();
    CNV_MenuShowParent();
    if (!fs) return;
    int count = 0, longest = 0;
    fs->hPopupMenu = CNV_BuildPopupMenu(&count, &longest);
    if (fs->hPopupMenu)
        TrackPopupMenu(fs->hPopupMenu, TPM_CENTERALIGN | TPM_VCENTERALIGN, fs->ptPopup.x, fs->ptPopup.y, 0,
                       g_hWndFrame, nullptr);
}

}  // namespace

int CNV_MenuCurrent()
{
    return s_current;
}

int CNV_MenuWasDrag()
{
    return s_drag ? 1 : 0;
}

int CNV_MenuShow(int menu)
{
    if (menu == s_current && s_filled) return 1;
    HWND list = List();
    if (list) SendMessageA(list, LB_RESETCONTENT, 0, 0);
    s_filled = false;
    const ScreenMenuRecord* m = FindMenu(menu);
    if (!m) return 0;
    for (int i = 0; i < 20 && m->slot[i].label; ++i) {
        if (!list) continue;
        LRESULT row = SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)&m->slot[i]);
        SendMessageA(list, LB_SETITEMDATA, (WPARAM)row, (LPARAM)&m->slot[i]);
    }
    s_current = menu;
    s_filled = list != nullptr;
    return 1;
}

int CNV_MenuShowForCommand(int commandId)
{
    for (const ScreenMenuRecord* m = g_ScreenMenus; m->menuId != -1; ++m) {
        for (int i = 0; i < 20 && m->slot[i].label; ++i) {
            if (m->slot[i].commandId != commandId) continue;
            CNV_MenuShow(m->menuId);
            if (HWND list = List()) SendMessageA(list, LB_SETCURSEL, (WPARAM)i, 0);
            return 1;
        }
    }
    return 0;
}

int CNV_MenuShowParent()
{
    const ScreenMenuRecord* m = FindMenu(s_current);
    if (!m || m->parentId < 0) return 0;
    CNV_MenuShow(m->parentId);
    return 1;
}

LRESULT CALLBACK CNV_MenuListWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK: {
        // The rules hold only while an answerable request is on top;
        // otherwise the buttons do nothing at all.
        Request* top = DIN_TopRequest();
        if (!top || DIN_IsBusy(top)) return 0;
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) return OnLeftDown(hWnd, WM_LBUTTONDOWN, wParam, lParam);
        if (msg == WM_LBUTTONUP) return OnLeftUp(hWnd, msg, wParam, lParam, top);
        if (msg == WM_RBUTTONUP) return OnRightUp(hWnd, wParam, lParam, top);
        s_rightDown = true;
        if (s_leftDown) s_chord = true;
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == 320) {
            OnPopupUp(hWnd);
            return 0;
        }
        break;
    case WM_USER + 5:
        SendMessageA(hWnd, LB_SETCURSEL, (WPARAM)-1, 0);
        return 0;
    }
    return PassOn(hWnd, msg, wParam, lParam);
}

LRESULT CNV_MenuMeasureItem(HWND hWndFrame, MEASUREITEMSTRUCT* item)
{
    TEXTMETRICA tm = {};
    HDC dc = GetDC(hWndFrame);
    GetTextMetricsA(dc, &tm);
    ReleaseDC(hWndFrame, dc);
    item->CtlType = ODT_LISTBOX;
    item->CtlID = 135;
    item->itemWidth = 94;
    item->itemHeight = (UINT)(tm.tmHeight + 6);
    return TRUE;
}

static void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF c)
{
    HPEN pen = CreatePen(PS_SOLID, 1, c);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// A frame of two colours: `tl` on the top and left edges, `br` on the others.
static void Bevel(HDC dc, RECT r, COLORREF tl, COLORREF br)
{
    Line(dc, r.left, r.bottom - 1, r.left, r.top, tl);
    Line(dc, r.left, r.top, r.right - 1, r.top, tl);
    Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, br);
    Line(dc, r.right - 1, r.bottom - 1, r.left, r.bottom - 1, br);
}

LRESULT CNV_MenuDrawItem(HWND hWndFrame, const DRAWITEMSTRUCT* item)
{
    if (item->itemID == (UINT)-1) return TRUE;
    if (!(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return TRUE;
    const ScreenMenuSlot* slot = (const ScreenMenuSlot*)item->itemData;
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    COLORREF frame = GetSysColor(COLOR_WINDOWFRAME), face = GetSysColor(COLOR_BTNFACE),
             shadow = GetSysColor(COLOR_BTNSHADOW), white = RGB(255, 255, 255);
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    bool selected = (item->itemState & ODS_SELECTED) != 0;
    int shift = 0;
    COLORREF text = slot ? slot->colour : 0;
    if (selected) {
        Bevel(dc, r, frame, white);
        Bevel(dc, inner, shadow, face);
        shift = 1;
        text = 0x4040c8;
    } else {
        Bevel(dc, r, white, frame);
        Bevel(dc, inner, face, shadow);
    }
    if (slot && slot->label) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, text);
        RECT t = {r.left + 2 + shift, r.top + shift, r.right + shift, r.bottom + shift};
        DrawTextA(dc, slot->label, -1, &t, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item->itemAction & ODA_FOCUS) return DefWindowProcA(hWndFrame, WM_DRAWITEM, 135, (LPARAM)item);
    return TRUE;
}
