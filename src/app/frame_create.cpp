// The frame's creation, layout and end: the state block, the request
// channel, the six children laid out around the canvas, every option panel
// created hidden, and the open command posted for the design start-up chose.
// Closing asks first; destruction keeps the grid hide values.
#include <cstring>

#include "app/app.h"
#include "app/din.h"
#include "app/ini.h"
#include "app/rot.h"
#include "panels/pnl.h"
#include "platform/qzt_display.h"
#include "platform/qzt_env.h"
#include "platform/qzt_file.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg_map.h"
#include "res/app_ids.h"
#include "view/bar.h"
#include "view/cnv.h"

FrameLayout ROT_InitialLayout(int W, int H, int c, int l, int h)
{
    FrameLayout L;
    int b = (3 * l) / 2;
    L.funcBar = {-1, -1, W + 2, h};
    L.attrBar = {W - 86 * c, H - b + 1, 86 * c, b};
    L.statusBar = {-1, L.attrBar.y, W - 86 * c + 2, b};
    L.settingBar = {W - 12 * c + 1, L.attrBar.y - (6 * h + 2) + 2, 12 * c, 6 * h + 2};
    L.menuList = {W - 12 * c + 1, h - 2, 12 * c, L.settingBar.y - (h - 1) + 2};
    L.canvas = {c, l / 2 + h - 1, W - 2 * c - 12 * c, H - l - b - (h - 1)};
    return L;
}

static void Move(HWND hWnd, const FrameBox& r, BOOL repaint)
{
    if (hWnd) MoveWindow(hWnd, r.x, r.y, r.width, r.height, repaint);
}

void ROT_ResizeLayout(FrameState* fs, int W, int H)
{
    int e = fs->rcFuncBar.y + fs->rcFuncBar.height;
    fs->rcFuncBar.width = W + 2;
    fs->rcAttrBar.x = W - fs->rcAttrBar.width;
    fs->rcAttrBar.y = H - fs->rcAttrBar.height + 1;
    fs->rcStatusBar.y = H - fs->rcStatusBar.height + 1;
    fs->rcStatusBar.width = fs->rcAttrBar.x + 2;
    fs->rcSettingBar.y = fs->rcAttrBar.y - fs->rcSettingBar.height + 2;
    fs->rcSettingBar.x = W - fs->rcSettingBar.width + 1;
    fs->rcMenuList.x = W - fs->rcMenuList.width + 1;
    fs->rcMenuList.y = e - 1;
    fs->rcMenuList.height = fs->rcSettingBar.y - e + 2;
    fs->rcCanvas.width = W - 2 * fs->charWidth - fs->rcMenuList.width;
    fs->rcCanvas.height = H - fs->lineHeight - fs->rcStatusBar.height - e;
    Move(fs->hWndFuncBar, fs->rcFuncBar, TRUE);
    Move(fs->hWndSettingBar, fs->rcSettingBar, TRUE);
    Move(fs->hWndMenuList, fs->rcMenuList, TRUE);
    Move(fs->hWndAttrBar, fs->rcAttrBar, TRUE);
    Move(fs->hWndStatusBar, fs->rcStatusBar, TRUE);
    // The panel on show keeps its place under the shortened list box.
    PNL_PlaceCommandPanel(fs);
}

// The canvas follows the frame only while the frame is shown normally or
// maximised; minimising keeps its size.
static void MoveCanvasFor(FrameState* fs, WPARAM sizeType)
{
    if (sizeType == SIZE_RESTORED || sizeType == SIZE_MAXIMIZED) Move(fs->hWndCanvas, fs->rcCanvas, TRUE);
}

// The height of a drop-down combo box in the frame's font.
static int ComboHeight(HWND hWnd, HINSTANCE inst)
{
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWN, 0, 0, 100, 200, hWnd, nullptr, inst, nullptr);
    RECT rc = {0, 0, 0, 20};
    if (combo) {
        GetWindowRect(combo, &rc);
        DestroyWindow(combo);
    }
    return rc.bottom - rc.top;
}

static HWND CreateChild(HWND hWnd, HINSTANCE inst, const char* cls, int id, DWORD extraStyle, const FrameBox& r)
{
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | extraStyle, r.x, r.y,
                           r.width, r.height, hWnd, (HMENU)(INT_PTR)id, inst, nullptr);
}

static void CreateChildren(HWND hWnd, HINSTANCE inst, FrameState* fs)
{
    fs->hWndFuncBar = CreateChild(hWnd, inst, "BtnFunc_CLASS", 0, 0, fs->rcFuncBar);
    fs->hWndSettingBar = CreateChild(hWnd, inst, "Setting_Class", 0, 0, fs->rcSettingBar);
    fs->hWndMenuList = CreateChild(hWnd, inst, "listbox", 135,
                                   LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                                   fs->rcMenuList);
    fs->hWndAttrBar = CreateChild(hWnd, inst, "Atr_CLASS", 0, 0, fs->rcAttrBar);
    fs->hWndStatusBar = CreateChild(hWnd, inst, "Sbar_CLASS", 114, 0, fs->rcStatusBar);
    fs->hWndCanvas = CreateChild(hWnd, inst, CNV_CLASS_NAME, 113, 0, fs->rcCanvas);
    if (fs->hWndMenuList)
        g_MenuListOldProc = (WNDPROC)SetWindowLongPtrA(fs->hWndMenuList, GWLP_WNDPROC, (LONG_PTR)CNV_MenuListWndProc);
    CNV_MenuShow(0);
}

static void ReadDisplaySettings(HWND hWnd, FrameState* fs)
{
    const char* folder = ENV_GetBinPath("");
    double zoom = INI_ReadZoomMax(folder);
    g_ZoomMax = zoom >= 200.0 && zoom <= 3200.0 ? zoom : 400.0;
    HDC dc = GetDC(hWnd);
    int width = INI_ReadDisplayWidth(folder);
    fs->displayWidthMm = width >= 1 && width <= 1500 ? width : GetDeviceCaps(dc, HORZSIZE);
    fs->displayHeightMm = GetDeviceCaps(dc, VERTSIZE);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    fs->charWidth = tm.tmAveCharWidth;
    fs->lineHeight = tm.tmHeight + tm.tmExternalLeading;
    ReleaseDC(hWnd, dc);
    fs->screenWidthPx = GetSystemMetrics(SM_CXSCREEN);
    fs->screenHeightPx = GetSystemMetrics(SM_CYSCREEN);
}

static void LoadEdgeCursors(HINSTANCE inst, FrameState* fs)
{
    static const int ids[8] = {115, 114, 116, 117, 118, 119, 120, 121};
    for (int i = 0; i < 8; i++) fs->hCursors[i] = LoadCursorA(inst, MAKEINTRESOURCEA(ids[i]));
}

static void SetUpDesign(HINSTANCE inst, FrameState* fs)
{
    DdmContext* ctx = DDM_Open(fs->hDesign);
    DDM_Initialize(ctx, inst);
    DDM_InitMDMData(ctx);
    MAP_DlgInitialize(inst, fs->hDesign);
    DDM_Close(ctx);
}

void ROT_ReadGridHideValues(FrameState* fs)
{
    const char* folder = ENV_GetBinPath("");
    fs->panels.gridHideValue[0] = INI_ReadMainGrid(folder);
    fs->panels.gridHideValue[1] = INI_ReadSubGrid(folder);
    SetDspMainGrdLimit(fs->panels.gridHideValue[0]);
    SetDspSubGrdLimit(fs->panels.gridHideValue[1]);
}

void ROT_ShowDesignInBars()
{
    ROT_SetTitle();
    BAR_SettingShowGridName();
    BAR_SettingRefresh();
    BAR_FuncFillLineTableList();
    BAR_FuncFillViaList();
    BAR_FuncFillLevelList();
}

// The environment as the frame leaves it: its flag byte cleared, the
// program folder and the two values of 1000.
static void SetUpEnvironment(FrameState* fs)
{
    EnvRecord* env = ENV_GetENVClass();
    env->own.frameFlag = 0;
    DdmContext* ctx = DDM_Open(fs->hDesign);
    ENV_SetBinPath(ctx, ENV_GetBinPath(""));
    DDM_Close(ctx);
    env->own.frameValues[0] = 1000;
    env->own.frameValues[1] = 1000;
}

LRESULT ROT_OnCreate(HWND hWnd, const CREATESTRUCTA* cs)
{
    HINSTANCE inst = cs->hInstance;
    FrameState* fs = (FrameState*)MemAlloc(hWnd, sizeof(FrameState), "ROT WM_ONCREATE");
    if (!fs) return 0;
    g_hWndFrame = hWnd;
    SetWindowLongPtrA(hWnd, 0, (LONG_PTR)fs);
    fs->creationWords[0] = fs->creationWords[1] = 15120;
    fs->creationZero = 0;
    ReadDisplaySettings(hWnd, fs);
    LoadEdgeCursors(inst, fs);
    fs->hDesign = g_hWorkSpace;
    // Without its event and lock the command thread could never be answered,
    // so a frame without them is not made at all.
    if (!DIN_Initialize(inst)) return 0;
    SetUpDesign(inst, fs);

    RECT client;
    GetClientRect(hWnd, &client);
    int h = ComboHeight(hWnd, inst);
    fs->panels.clearedWords[0] = fs->panels.clearedWords[1] = 0;
    fs->panels.panelFlag = 1;
    FrameLayout L = ROT_InitialLayout(client.right, client.bottom, fs->charWidth, fs->lineHeight, h);
    fs->rcFuncBar = L.funcBar;
    fs->rcAttrBar = L.attrBar;
    fs->rcStatusBar = L.statusBar;
    fs->rcSettingBar = L.settingBar;
    fs->rcMenuList = L.menuList;
    fs->rcCanvas = L.canvas;
    CreateChildren(hWnd, inst, fs);
    ROT_ReadGridHideValues(fs);
    fs->iActivePanel = 0;
    if (!PNL_CreateAllPanels(hWnd, inst)) return 0;
    ROT_ShowDesignInBars();
    DIN_SignalReady();
    PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(40140, 1), (LPARAM)hWnd);
    SetUpEnvironment(fs);
    BAR_AttrRefresh();
    return 1;
}

void ROT_OnClose(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    SetCursorPos((rc.left + rc.right) / 2 - 20, (rc.top + rc.bottom) / 2 + 45);
    if (MessageBoxA(hWnd, "Viewerを終了しますか？", "終了", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    WPS_Close(g_hWorkSpace);
    g_hWorkSpace = nullptr;
    DestroyWindow(hWnd);
}

void ROT_OnDestroy(HWND hWnd)
{
    FrameState* fs = (FrameState*)GetWindowLongPtrA(hWnd, 0);
    if (fs) {
        INI_WriteMainGrid(fs->panels.gridHideValue[0]);
        INI_WriteSubGrid(fs->panels.gridHideValue[1]);
        SetWindowLongPtrA(hWnd, 0, 0);
        MemFree(hWnd, fs, "ROT_OnDestroy");
    }
    D2D_Cleanup();
    PostQuitMessage(0);
}

int ROT_RecreatePanels(HWND hWndFrame)
{
    FrameState* fs = (FrameState*)GetWindowLongPtrA(hWndFrame, 0);
    if (!fs) return 0;
    int result = PNL_DestroyAllPanels(hWndFrame);
    std::memset(&fs->panels, 0, sizeof(fs->panels));
    fs->iActivePanel = 0;
    PNL_CreateAllPanels(hWndFrame, (HINSTANCE)GetWindowLongPtrA(hWndFrame, GWLP_HINSTANCE));
    RECT rc;
    GetWindowRect(hWndFrame, &rc);
    fs->panels.ptInfoDialog = POINT{rc.left + 100, rc.top + 100};
    fs->panels.clearedWords[0] = fs->panels.clearedWords[1] = 0;
    fs->panels.panelFlag = 1;
    return result;
}

// The canvas moves in WM_SIZE only for the restored and maximised frame.
void ROT_OnSizeCanvas(HWND hWnd, WPARAM sizeType)
{
    if (FrameState* fs = (FrameState*)GetWindowLongPtrA(hWnd, 0)) MoveCanvasFor(fs, sizeType);
}
