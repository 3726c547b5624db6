// The attribute bar "Atr_CLASS": a row of push-like toggles for what the
// canvas shows (origin, grid, assign and pin names, ratsnest, contrast,
// solid figures, view mode, net colours, bulletin board) and the read-out of
// the cursor position in millimetres, which the canvas feeds with WM_USER+4.
// A toggle changes the engine's switch itself; the display commands it posts
// to the frame only bring the canvas up to date.
#include <cstdio>

#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "view/bar.h"
#include "view/cnv.h"

enum : int {
    ATR_VIA = 213,
    ATR_ORIGIN = 159,
    ATR_GRID = 158,
    ATR_ASSIGN = 154,
    ATR_PIN = 155,
    ATR_RATS = 190,
    ATR_CONTRAST = 194,
    ATR_FIGURE = 197,
    ATR_VIEW_MODE = 464,
    ATR_NET_COLOUR = 214,
    ATR_LINE_LENGTH = 199,
    ATR_BBS = 200,
    ATR_READOUT = 136,
};

struct AtrButton {
    int id;
    const char* label;
};

// clang-format off
static const AtrButton s_buttons[12] = {
    {ATR_VIA,         "VIA"},
    {ATR_ORIGIN,      "原点"},
    {ATR_GRID,        "GRID"},
    {ATR_ASSIGN,      "ｱｻｲﾝ"},
    {ATR_PIN,         "ﾋﾟﾝ"},
    {ATR_RATS,        "ﾗｯﾂ"},
    {ATR_CONTRAST,    "ｺﾝﾄﾗｽ"},
    {ATR_FIGURE,      "図ﾉｰﾏ"},
    {ATR_VIEW_MODE,   "  "},
    {ATR_NET_COLOUR,  "ﾈｯﾄ色"},
    {ATR_LINE_LENGTH, "線長"},
    {ATR_BBS,         "掲示板"},
};
// clang-format on

// Indexed by the engine's view mode 0 to 2.
static const char* const s_viewModeNames[3] = {"標準", "左右", "上下"};
static const DWORD ATR_CLASS_STYLE = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;

static HWND AtrWindow()
{
    FrameState* fs = ROT_GetWindowData();
    return fs ? fs->hWndAttrBar : nullptr;
}

static void PostToFrame(HWND hWnd, int id, int code)
{
    PostMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)GetDlgItem(hWnd, id));
}

// The whole canvas, erased and painted again at once.
static void RedrawCanvas()
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs || !fs->hWndCanvas) return;
    InvalidateRect(fs->hWndCanvas, nullptr, TRUE);
    UpdateWindow(fs->hWndCanvas);
}

static const char* ViewModeName(int mode)
{
    return mode >= 0 && mode <= 2 ? s_viewModeNames[mode] : "";
}

static int BAR_AtrOnCreate(HWND hWnd)
{
    FrameState* fs = ROT_GetWindowData();
    RECT client;
    GetClientRect(hWnd, &client);
    int c = fs ? fs->charWidth : 8;
    int barHeight = fs ? fs->rcAttrBar.height : client.bottom;
    int h = BAR_MeasureComboHeight(hWnd, c);
    int y = (barHeight - h - 2) / 2;
    // Six buttons five characters wide, then six of six.
    BarButton buttons[12];
    for (int k = 0; k < 12; ++k) {
        int x = k < 6 ? c * (5 * k) + k : c * (30 + 6 * (k - 6)) + k;
        int width = k < 6 ? 5 * c : 6 * c;
        buttons[k] = {s_buttons[k].id, s_buttons[k].label, BS_AUTOCHECKBOX | BS_PUSHLIKE, x, y, width, h};
    }
    if (!BAR_CreateButtons(hWnd, buttons, 12)) return 0;
    BAR_SetCheck(hWnd, ATR_RATS, 1);
    // The button class is shared by every button of the process: without
    // the double-click bit a quick second click stays a click.
    SetClassLongPtrA(GetDlgItem(hWnd, ATR_BBS), GCL_STYLE, ATR_CLASS_STYLE & ~CS_DBLCLKS);
    HINSTANCE inst = (HINSTANCE)GetWindowLongPtrA(hWnd, GWLP_HINSTANCE);
    HWND readout = CreateWindowExA(0, "EDIT", "-123.456 -123.456", WS_CHILD | WS_VISIBLE | WS_DLGFRAME | ES_CENTER,
                                   66 * c + 12, y, 18 * c, h, hWnd, (HMENU)(INT_PTR)ATR_READOUT, inst, nullptr);
    return readout ? 1 : 0;
}

void BAR_ShowCursorPos(int x, int y)
{
    HWND hWnd = AtrWindow();
    if (!hWnd) return;
    char text[64];
    snprintf(text, sizeof text, "%8.3lf %8.3lf", x / 100000.0, y / 100000.0);
    SetDlgItemTextA(hWnd, ATR_READOUT, text);
}

void BAR_AttrRefresh()
{
    HWND hWnd = AtrWindow();
    if (!hWnd) return;
    EnvRecord* env = ENV_GetENVClass();
    BAR_SetCheck(hWnd, ATR_ORIGIN, ENV_GetGentenVisible(env));
    BAR_SetCheck(hWnd, ATR_GRID, ENV_GetGridVisible(env));
    BAR_SetCheck(hWnd, ATR_RATS, env->own.ratsDisp);
    BAR_SetCheck(hWnd, ATR_ASSIGN, ENV_GetAssignDisp(env));
    BAR_SetCheck(hWnd, ATR_PIN, env->own.pinNameDisp);
    BAR_SetCheck(hWnd, ATR_CONTRAST, env->contrast);
    BAR_SetCheck(hWnd, ATR_NET_COLOUR, env->own.netColor & 1);
    SetDlgItemTextA(hWnd, ATR_FIGURE, env->own.solidFigure ? "図ﾍﾞﾀ" : "図ﾉｰﾏ");
    SetDlgItemTextA(hWnd, ATR_VIEW_MODE, ViewModeName(ENV_GetViewMode(env)));
    BAR_SetCheck(hWnd, ATR_VIEW_MODE, 0);
}

// The contrast switch is mirrored by the check box 1395 of the signal-line
// panels that show it.
static void SetPanelContrastChecks(FrameState* fs, int on)
{
    HWND panels[4] = {fs->panels.hPanel[29], fs->panels.hPanel[32], fs->panels.hPanel[95],
                      fs->panels.hViewOptionPanel};
    for (HWND p : panels)
        if (p) SendDlgItemMessageA(p, 1395, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

static void ToggleContrast(HWND hWnd)
{
    EnvRecord* env = ENV_GetENVClass();
    env->contrast = env->contrast ? 0 : 1;
    FrameState* fs = ROT_GetWindowData();
    if (fs) {
        fs->panels.editCommand.contrast = env->contrast;
        SetPanelContrastChecks(fs, env->contrast);
    }
    SetDlgItemTextA(hWnd, ATR_CONTRAST, "ｺﾝﾄﾗｽﾄ");
    BAR_SetCheck(hWnd, ATR_CONTRAST, env->contrast);
    RedrawCanvas();
}

// The view mode steps 0, 1, 2 and round; the canvas shows the new mirror at
// once through a fresh display context.
static void StepViewMode(HWND hWnd)
{
    EnvRecord* env = ENV_GetENVClass();
    int mode = ENV_GetViewMode(env);
    if (mode >= 0) mode = (mode + 1) % 3;
    ENV_SetViewMode(env, mode);
    SetDlgItemTextA(hWnd, ATR_VIEW_MODE, ViewModeName(mode));
    BAR_SetCheck(hWnd, ATR_VIEW_MODE, 0);
    FrameState* fs = ROT_GetWindowData();
    CanvasState* state = CNV_GetState();
    if (!fs || !fs->hWndCanvas || !state) return;
    state->viewMode = (int16_t)mode;
    state->bRepainting = 1;
    DisplaySC* sc = DSP_GetDisplaySC(fs->hWndCanvas, nullptr, state);
    if (sc) DSP_ReleaseSC(fs->hWndCanvas, sc);
    InvalidateRect(fs->hWndCanvas, nullptr, TRUE);
    UpdateWindow(fs->hWndCanvas);
    state->bRepainting = 0;
}

static void BAR_AtrOnCommand(HWND hWnd, int id, int code)
{
    EnvRecord* env = ENV_GetENVClass();
    switch (id) {
    case ATR_ASSIGN:
        ENV_SetAssignDisp(env, ENV_GetAssignDisp(env) ? 0 : 1);
        SetDlgItemTextA(hWnd, id, "ｱｻｲﾝ");
        PostToFrame(hWnd, id, code);
        return;
    case ATR_PIN:
        if (!env->own.pinNameDisp) {
            ENV_SetPinNameDisp(env, 1);
        } else {
            ENV_SetPinNameDisp(env, 0);
            // Ends a pin-name display command that waits for parts.
            DIN_CompleteRequest(ANS_COMMAND, 0, 0);
        }
        SetDlgItemTextA(hWnd, id, "ﾋﾟﾝ");
        PostToFrame(hWnd, id, code);
        return;
    case ATR_GRID:
        ENV_SetGridVisible(env, ENV_GetGridVisible(env) ? 0 : 1);
        RedrawCanvas();
        return;
    case ATR_ORIGIN:
        ENV_SetGentenVisible(env, ENV_GetGentenVisible(env) ? 0 : 1);
        RedrawCanvas();
        return;
    case ATR_RATS:
        ENV_SetRatsDisp(env, env->own.ratsDisp ? 0 : 1);
        SetDlgItemTextA(hWnd, id, "ﾗｯﾂ");
        PostToFrame(hWnd, id, code);
        return;
    case ATR_CONTRAST: ToggleContrast(hWnd); return;
    case ATR_FIGURE:
        env->own.solidFigure = env->own.solidFigure ? 0 : 1;
        SetDlgItemTextA(hWnd, id, env->own.solidFigure ? "図ﾍﾞﾀ" : "図ﾉｰﾏ");
        BAR_SetCheck(hWnd, id, env->own.solidFigure);
        RedrawCanvas();
        return;
    case ATR_VIA:
        if (!BAR_IsChecked(hWnd, id)) {
            BAR_SetCheck(hWnd, id, 1);
            return;
        }
        if (code == BN_CLICKED) PostToFrame(hWnd, id, code);
        return;
    case ATR_NET_COLOUR:
        env->own.netColor ^= 1;
        SetDlgItemTextA(hWnd, id, "ﾈｯﾄ色");
        BAR_SetCheck(hWnd, id, env->own.netColor & 1);
        RedrawCanvas();
        return;
    case ATR_LINE_LENGTH: BAR_SetCheck(hWnd, id, 0); return;
    case ATR_BBS: {
        FrameState* fs = ROT_GetWindowData();
        env->own.bbsDisplay = fs && fs->hWndBbs ? 0 : 1;
        BAR_SetCheck(hWnd, id, env->own.bbsDisplay);
        RedrawCanvas();
        PostToFrame(hWnd, id, code);
        return;
    }
    case ATR_VIEW_MODE: StepViewMode(hWnd); return;
    case 40042:
    case 40136:
    case 40138:
    case 40169:
        if (code == 0) PostToFrame(hWnd, id, 0);
        return;
    }
    PostToFrame(hWnd, id, code);
}

LRESULT CALLBACK BAR_AtrWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return BAR_AtrOnCreate(hWnd) ? 0 : -1;
    case WM_DRAWITEM: BAR_DrawLabelButton((const DRAWITEMSTRUCT*)lParam, GetSysColor(COLOR_BTNTEXT)); return TRUE;
    case WM_SETCURSOR: SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_ARROW)); return TRUE;
    case WM_COMMAND: BAR_AtrOnCommand(hWnd, LOWORD(wParam), HIWORD(wParam)); return 0;
    case BAR_MSG_CURSOR_POS:
        if (const int32_t* p = (const int32_t*)lParam) {
            char text[64];
            snprintf(text, sizeof text, "%8.3lf %8.3lf", p[0] / 100000.0, p[1] / 100000.0);
            SetDlgItemTextA(hWnd, ATR_READOUT, text);
        }
        break;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int BAR_AtrRegisterClass(HINSTANCE hInst)
{
    return BAR_RegisterBarClass(hInst, "Atr_CLASS", BAR_AtrWndProc, ATR_CLASS_STYLE, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
}
