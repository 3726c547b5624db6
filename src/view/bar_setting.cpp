// The setting bar "Setting_Class", above the attribute bar on the right: the
// lock mode and angle, the input grid with its group, the lead-in and edge
// catches, the coordinate-mode marks (red while a mode is on), edge on arcs,
// the data display and three command buttons. Every switch is the engine's;
// the bar only shows it and steps it.
#include <cstdio>

#include "app/frame_state.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "view/bar.h"
#include "view/cnv.h"

int g_AbsCoordMark = 0;
int g_RelCoordMark = 0;
int g_AssignInMark = 0;

enum : int {
    SET_LOCK = 152,
    SET_LOCK_ANGLE = 150,
    SET_GRID = 138,
    SET_GRID_UP = 193,
    SET_GRID_GROUP = 40136,
    SET_LEADIN = 148,
    SET_ABS = 156,
    SET_ASSIGN_IN = 173,
    SET_EDGE = 149,
    SET_REL = 157,
    SET_PAN_ASSIGN = 196,
    SET_EDGE_ARC = 222,
    SET_DATA_DISP = 220,
    SET_C = 191,
    SET_N = 192,
    SET_SC = 198,
    SET_POPUP_LOCK_OFF = 321,
    SET_POPUP_LOCK_ON = 322,
    SET_AUTO_LOCK = 264,
    SET_INPUT_GRID_FIRST = 323,
    SET_INPUT_GRID_LAST = 327,
    SET_TOGGLE_LEADIN = 328,
    SET_TOGGLE_EDGE = 329,
};

// Indexed by the engine's lock mode 0 to 3.
static const char* const s_lockNames[4] = {"OFF", "ロック", "順自動", "逆自動"};

static HWND SettingWindow()
{
    FrameState* fs = ROT_GetWindowData();
    return fs ? fs->hWndSettingBar : nullptr;
}

static void Repaint(HWND hWnd, int id, BOOL erase)
{
    if (HWND item = GetDlgItem(hWnd, id)) InvalidateRect(item, nullptr, erase);
}

static void SetMark(int* mark, int flag, int id)
{
    *mark = flag;
    if (HWND hWnd = SettingWindow()) Repaint(hWnd, id, FALSE);
}

void BAR_SettingSetAbsMark(int flag) { SetMark(&g_AbsCoordMark, flag, SET_ABS); }
void BAR_SettingSetRelMark(int flag) { SetMark(&g_RelCoordMark, flag, SET_REL); }
void BAR_SettingSetAssignMark(int flag) { SetMark(&g_AssignInMark, flag, SET_ASSIGN_IN); }

void BAR_SettingShowGridName()
{
    HWND hWnd = SettingWindow();
    if (!hWnd) return;
    const char* name = GRD_GetCurrentDspGridName(GRD_GetObject());
    SetDlgItemTextA(hWnd, SET_GRID, name ? name : "");
}

void BAR_SettingRefresh()
{
    HWND hWnd = SettingWindow();
    if (!hWnd) return;
    EnvRecord* env = ENV_GetENVClass();
    char text[16];
    snprintf(text, sizeof text, "%c", GRD_GetCurrentGridGroupChar(GRD_GetObject()));
    SetDlgItemTextA(hWnd, SET_GRID_GROUP, text);
    BAR_SetCheck(hWnd, SET_LEADIN, ENV_GetLeadin(env));
    BAR_SetCheck(hWnd, SET_EDGE, ENV_GetEdge(env));
    int lock = ENV_GetLock(env);
    SetDlgItemTextA(hWnd, SET_LOCK, lock >= 0 && lock <= 3 ? s_lockNames[lock] : "");
    snprintf(text, sizeof text, "%dﾟ", ENV_GetLockAngle(env));
    SetDlgItemTextA(hWnd, SET_LOCK_ANGLE, text);
    BAR_SetCheck(hWnd, SET_DATA_DISP, ENV_GetDataDisp(env));
}

// ---- Creation ----------------------------------------------------------------------

static int BAR_SettingOnCreate(HWND hWnd)
{
    FrameState* fs = ROT_GetWindowData();
    RECT client;
    GetClientRect(hWnd, &client);
    int c = fs ? fs->charWidth : 8;
    int W = fs ? fs->rcSettingBar.width : client.right;
    int h = BAR_MeasureComboHeight(hWnd, c);
    int H = h + 1;
    // Rows from the top; the second is one pixel higher than the others.
    int y1 = 0, y2 = h, y3 = h + H, y4 = y3 + h, y5 = y4 + h, y6 = y5 + h;
    int markX = W - 7 * c, markW = (W - 1 - markX) / 2;
    const DWORD PUSH = BS_PUSHBUTTON, CHECK = BS_AUTOCHECKBOX, OWNER = BS_OWNERDRAW;
    // clang-format off
    const BarButton controls[] = {
        {SET_LOCK,       "",             PUSH,  -1,                y1, W - 3 * c,          h},
        {SET_LOCK_ANGLE, "",             PUSH,  W - 3 * c - 2,     y1, 3 * c + 1,          h},
        {SET_GRID,       "入力グリッド", PUSH,  -1,                y2, W - 5 * c,          H},
        {SET_GRID_UP,    "↑",           PUSH,  W - 5 * c - 1,     y2, 2 * c,              H},
        {SET_GRID_GROUP, "",             PUSH,  W - 3 * c - 1,     y2, 3 * c,              H},
        {SET_LEADIN,     "LE",           CHECK, 1,                 y3, W - 7 * c - 1,      h},
        {SET_ABS,        "絶",           OWNER, markX,             y3, markW,              h},
        {SET_ASSIGN_IN,  "ア",           OWNER, markX + markW,     y3, markW,              h},
        {SET_EDGE,       "端",           CHECK, 1,                 y4, W - 7 * c - 1,      h},
        {SET_REL,        "相",           OWNER, markX,             y4, markW,              h},
        {SET_PAN_ASSIGN, "Pｱ",           OWNER, markX + markW,     y4, markW,              h},
        {SET_EDGE_ARC,   "円",           OWNER, 3,                 y5, W / 3 - 6,          h},
        {SET_DATA_DISP,  "情報",         CHECK, W / 3,             y5, W - W / 3 - 1,      h},
        {SET_C,          "Ｃ",           PUSH,  0,                 y6, W / 3,              h},
        {SET_N,          "Ｎ",           PUSH,  W / 3,             y6, W / 3,              h},
        {SET_SC,         "SC",           PUSH,  2 * (W / 3),       y6, W / 3,              h},
    };
    // clang-format on
    if (!BAR_CreateButtons(hWnd, controls, (int)(sizeof controls / sizeof controls[0]))) return -1;

    if (fs) fs->autoLockMode = 0;
    // Only the plain lock survives a start: an automatic direction is chosen
    // again by the command that wants it.
    EnvRecord* env = ENV_GetENVClass();
    if (ENV_GetLock(env) != 0) ENV_SetLock(env, 1);
    EnableWindow(GetDlgItem(hWnd, SET_LOCK_ANGLE), ENV_GetLock(env) > 1);
    return 0;
}

// ---- Drawing --------------------------------------------------------------------------

// The mode marks and the edge-on-arcs button: red while their switch is on.
static void BAR_SettingDrawItem(const DRAWITEMSTRUCT* item)
{
    int on = 0;
    switch (item->CtlID) {
    case SET_REL: on = g_RelCoordMark; break;
    case SET_ABS: on = g_AbsCoordMark; break;
    case SET_ASSIGN_IN: on = g_AssignInMark; break;
    case SET_EDGE_ARC: on = ENV_GetENVClass()->own.edgeEnko; break;
    }
    BAR_DrawLabelButton(item, on ? RGB(255, 0, 0) : GetSysColor(COLOR_BTNTEXT));
}

// ---- Commands -------------------------------------------------------------------------

static void SetLockMode(HWND hWnd, int mode)
{
    ENV_SetLock(ENV_GetENVClass(), mode);
    EnableWindow(GetDlgItem(hWnd, SET_LOCK_ANGLE), mode > 1);
    BAR_SettingRefresh();
}

// The lock mode a lock button or popup item asks for: plain lock steps
// OFF and ロック; automatic lock steps the two directions.
static int NextLockMode(int id, int current, int autoLock)
{
    if (autoLock == 0) {
        if (id == SET_POPUP_LOCK_OFF) return 0;
        if (id == SET_POPUP_LOCK_ON) return 1;
        return current + 1 >= 2 ? 0 : current + 1;
    }
    if (id == SET_POPUP_LOCK_OFF) return 2;
    if (id == SET_POPUP_LOCK_ON) return 3;
    return current + 1 >= 4 ? 2 : current + 1;
}

static void RedrawCanvasView()
{
    FrameState* fs = ROT_GetWindowData();
    CanvasState* state = CNV_GetState();
    if (!fs || !fs->hWndCanvas) return;
    if (state) state->bRepainting = 1;
    InvalidateRect(fs->hWndCanvas, nullptr, TRUE);
    UpdateWindow(fs->hWndCanvas);
    if (state) state->bRepainting = 0;
}

static void BAR_SettingOnCommand(HWND hWnd, int id, int code, HWND hWndCtl)
{
    EnvRecord* env = ENV_GetENVClass();
    FrameState* fs = ROT_GetWindowData();
    int autoLock = fs ? fs->autoLockMode : 0;
    if (id >= SET_INPUT_GRID_FIRST && id <= SET_INPUT_GRID_LAST) {
        GridObject* grid = GRD_GetObject();
        if (GridGroupRec* group = GRD_GetInpGridGroup(GRD_GetCurrentGridGroupNo(grid)))
            group->activeSlot = (uint16_t)(id - SET_INPUT_GRID_FIRST);
        RedrawCanvasView();
        BAR_SettingShowGridName();
        return;
    }
    bool clicked = code == BN_CLICKED;
    switch (id) {
    case SET_LEADIN:
        if (clicked) ENV_SetLeadin(env, BAR_IsChecked(hWnd, id));
        return;
    case SET_EDGE:
        if (!clicked) return;
        ENV_SetEdge(env, BAR_IsChecked(hWnd, id));
        if (!BAR_IsChecked(hWnd, id)) {
            ENV_SetEdgeEnko(env, 0);
            Repaint(hWnd, SET_EDGE_ARC, TRUE);
        }
        return;
    case SET_LOCK_ANGLE:
        if (!clicked || ENV_GetLock(env) <= 1) return;
        env->own.lockAngle = ENV_GetLockAngle(env) == 45 ? 90 : 45;
        BAR_SettingRefresh();
        return;
    case SET_LOCK:
    case SET_POPUP_LOCK_OFF:
    case SET_POPUP_LOCK_ON:
        if (!clicked) return;
        SetLockMode(hWnd, NextLockMode(id, ENV_GetLock(env), autoLock));
        return;
    case SET_DATA_DISP:
        if (clicked) ENV_SetDataDisp(env, BAR_IsChecked(hWnd, id));
        return;
    case SET_EDGE_ARC:
        if (!clicked) return;
        if (!env->own.edgeEnko) {
            ENV_SetEdgeEnko(env, 1);
            ENV_SetEdge(env, 1);
            BAR_SetCheck(hWnd, SET_EDGE, 1);
        } else {
            ENV_SetEdgeEnko(env, 0);
        }
        Repaint(hWnd, SET_EDGE_ARC, TRUE);
        return;
    case SET_AUTO_LOCK: {
        if (!clicked) return;
        int lock = ENV_GetLock(env);
        if (autoLock == 1) lock = lock == 2 ? 3 : 2;
        else lock = lock == 0 ? 1 : 0;
        SetLockMode(hWnd, lock);
        return;
    }
    case SET_TOGGLE_LEADIN:
        if (!clicked) return;
        ENV_SetLeadin(env, ENV_GetLeadin(env) ? 0 : 1);
        BAR_SetCheck(hWnd, SET_LEADIN, ENV_GetLeadin(env));
        return;
    case SET_TOGGLE_EDGE:
        if (!clicked) return;
        ENV_SetEdge(env, ENV_GetEdge(env) ? 0 : 1);
        BAR_SetCheck(hWnd, SET_EDGE, ENV_GetEdge(env));
        return;
    }
    PostMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)hWndCtl);
}

LRESULT CALLBACK BAR_SettingWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DRAWITEM: BAR_SettingDrawItem((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_CREATE: return BAR_SettingOnCreate(hWnd);
    case WM_SETCURSOR: SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_ARROW)); return TRUE;
    case WM_COMMAND: BAR_SettingOnCommand(hWnd, LOWORD(wParam), HIWORD(wParam), (HWND)lParam); return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int BAR_SettingRegisterClass(HINSTANCE hInst)
{
    return BAR_RegisterBarClass(hInst, "Setting_CLASS", BAR_SettingWndProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                (HBRUSH)GetStockObject(LTGRAY_BRUSH));
}
