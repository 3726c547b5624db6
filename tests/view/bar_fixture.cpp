// The bar tests' frame (see bar_fixture.h).
#include "bar_fixture.h"

#include <cstring>

#include "app/app.h"
#include "app/cmd.h"
#include "app/cmd_private.h"
#include "app/rot.h"
#include "platform/layout_tables.h"
#include "platform/qzt_env.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "view/bar.h"
#include "view/cnv.h"

namespace {

BarFixture* s_fixture = nullptr;
WNDPROC s_canvasProc = nullptr;

LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && s_fixture) {
        s_fixture->commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CountingCanvasProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT && s_fixture) s_fixture->canvasPaints++;
    return CallWindowProcA(s_canvasProc, hWnd, msg, wParam, lParam);
}

void BuildTables()
{
    LevelTable* lt = TLV_Get_TlvClass();
    const char* names[5] = {"", "TOP", "SILK", "BOT", "PLANE"};
    const int kinds[5] = {0, 2, 1, 2, 15};
    const int layers[5] = {0, 1, 0, 2, 3};
    lt->levelUseNum = 4;
    lt->levelDispNum = 4;
    lt->activeLevel = 1;
    for (int k = 1; k <= 4; ++k) {
        lt->entry[k].number = (uint16_t)k;
        lt->entry[k].kind = kinds[k];
        strcpy(lt->entry[k].name, names[k]);
        lt->extra[k].layer = (int16_t)layers[k];
        lt->extra[k].color = 0x01000001;
    }
    LineTable* ll = TLL_Get_TllClass();
    ll->useNum = ll->dispNum = 10;
    ll->activeNo = 1;
    for (int k = 1; k <= 10; ++k) {
        ll->entry[k].number = (uint32_t)k;
        ll->entry[k].width = k * 1000;
        ll->entry[k].tblNo = k;
        ll->entry[k].tanten = k % 2;
        ll->entry[k].dispMode = 3;
        ll->entry[k].highUse = 0;
    }
    ViaTable* vt = TVT_Get_TvtClass();
    vt->useNum = vt->dispNum = 4;
    vt->activeNo = 1;
    const int viaKinds[5] = {0, 2, 3, 0, 4};
    for (int v = 1; v <= 4; ++v) {
        vt->def[v].number = (uint32_t)v;
        vt->def[v].used = 1;
        vt->def[v].kind = (uint8_t)viaKinds[v];
        vt->def[v].highUse = 0;
    }
}

}  // namespace

BarFixture::BarFixture()
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    DIN_Initialize(inst);
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    path = std::string(dir) + "bar_test_" + std::to_string(GetCurrentProcessId()) + ".wps";
    DeleteFileA(path.c_str());
    fs.hDesign = WPS_Open(path.c_str());
    DdmContext* ctx = DDM_Open(fs.hDesign);
    BuildTables();
    ENV_SetCenter(ctx->env, 0);
    ENV_SetZoom(ctx->env, 8.0);
    DDM_Close(ctx);

    static bool registered = [inst] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = inst;
        wc.lpszClassName = "BarTestFrame";
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        RegisterClassA(&wc);
        return BAR_RegisterClasses(inst) != 0 && CNV_RegisterClass(inst) != 0;
    }();
    (void)registered;
    s_fixture = this;
    g_UseDirect2D = 0;
    // The cursor away from the frame: a cursor over the new canvas would
    // move the read-out before a test does.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const int W = 1000, H = 600, c = 8, h = 16, b = 26;
    fs.charWidth = c;
    fs.lineHeight = h;
    fs.bActive = 1;
    fs.rcFuncBar = {0, 0, W, b};
    fs.rcSettingBar = {W - 12 * c, 250, 12 * c, 6 * 22 + 2};
    fs.rcAttrBar = {W - 86 * c, H - b, 86 * c, b};
    fs.rcStatusBar = {0, H - b, W - 86 * c + 2, b};
    fs.rcCanvas = {0, b, 600, 400};
    frame = CreateWindowA("BarTestFrame", "bars", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, W, H, nullptr,
                          nullptr, inst, nullptr);
    SetWindowLongPtrA(frame, 0, (LONG_PTR)&fs);
    g_hWndFrame = frame;
    auto child = [&](const char* cls, int id, const FrameBox& r) {
        return CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r.x, r.y, r.width, r.height, frame,
                             (HMENU)(INT_PTR)id, inst, nullptr);
    };
    fs.hWndCanvas = child(CNV_CLASS_NAME, 0, fs.rcCanvas);
    s_canvasProc = (WNDPROC)SetWindowLongPtrA(fs.hWndCanvas, GWLP_WNDPROC, (LONG_PTR)CountingCanvasProc);
    fs.hWndFuncBar = child("BtnFunc_CLASS", 0, fs.rcFuncBar);
    fs.hWndSettingBar = child("Setting_Class", 0, fs.rcSettingBar);
    fs.hWndAttrBar = child("Atr_CLASS", 0, fs.rcAttrBar);
    fs.hWndStatusBar = child("Sbar_CLASS", 114, fs.rcStatusBar);
    BAR_FuncFillLevelList();
    BAR_FuncFillLineTableList();
    BAR_FuncFillViaList();
    CMD_Push(CMD_FindByState(CMD_STATE_ROOT));
    root = CreateRequest(nullptr, CMD_STATE_MENU_SELECT, REQ_ROOT, 0, 0);
    DIN_PushRequest(root);
    KIT_PumpPending();
}

BarFixture::~BarFixture()
{
    while (DIN_TopRequest()) CloseRequest(DIN_TopRequest());
    while (CMD_StackDepth() > 0) CMD_PopTop();
    ClipCursor(nullptr);  // the canvas may hold the cursor
    ReleaseCapture();
    DestroyWindow(frame);
    KIT_PumpPending();  // takes the canvas's WM_QUIT off the queue
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    g_hWndFrame = nullptr;
    s_fixture = nullptr;
    WPS_Delete(path.c_str());
}

CanvasState* BarFixture::CanvasData() const { return (CanvasState*)GetWindowLongPtrA(fs.hWndCanvas, 0); }

bool BarFixture::FrameGot(int id, int code)
{
    KIT_PumpPending();
    for (auto& c : commands)
        if (c.first == id && c.second == code) return true;
    return false;
}

Request* BarFixture::Wait(int kind)
{
    Request* r = CreateRequest(nullptr, 100, kind, 0, 0);
    DIN_PushRequest(r);
    DIN_MarkWaiting(r);
    DIN_SetAnswer(r, -7);
    return r;
}

std::string BF_Text(HWND bar, int id)
{
    char text[128] = "";
    GetDlgItemTextA(bar, id, text, sizeof text);
    return text;
}

std::vector<std::string> BF_Rows(HWND bar, int id)
{
    std::vector<std::string> rows;
    int n = (int)SendDlgItemMessageA(bar, id, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        char text[128] = "";
        SendDlgItemMessageA(bar, id, CB_GETLBTEXT, i, (LPARAM)text);
        rows.push_back(text);
    }
    return rows;
}

int BF_Selected(HWND bar, int id) { return (int)SendDlgItemMessageA(bar, id, CB_GETCURSEL, 0, 0); }

void BF_Choose(HWND bar, int id, int row)
{
    HWND list = GetDlgItem(bar, id);
    SendMessageA(list, CB_SETCURSEL, row, 0);
    SendMessageA(bar, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)list);
}

bool BF_Checked(HWND bar, int id) { return SendDlgItemMessageA(bar, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
