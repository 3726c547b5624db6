#include "dispatch_fixture.h"

#include "app/cmd_private.h"
#include "app/din.h"
#include "app/rot.h"
#include "view/cnv.h"

#include "stand_in_class.h"

static DispatchFixture* s_f = nullptr;

static LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!s_f) return DefWindowProcA(hWnd, msg, wParam, lParam);
    switch (msg) {
    case WM_COMMAND:
        s_f->frameCommands.push_back({LOWORD(wParam), HIWORD(wParam)});
        ROT_OnCommand(hWnd, LOWORD(wParam), lParam, HIWORD(wParam));
        return 0;
    case WM_USER + 5:
        s_f->menuResets++;
        return 0;
    case WM_CLOSE:
        s_f->closes++;
        return 0;
    case WM_MEASUREITEM:
        return CNV_MenuMeasureItem(hWnd, (MEASUREITEMSTRUCT*)lParam);
    case WM_DRAWITEM:
        return CNV_MenuDrawItem(hWnd, (const DRAWITEMSTRUCT*)lParam);
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

static LRESULT CALLBACK BarProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (s_f && msg == WM_COMMAND) s_f->barCommands.push_back(LOWORD(wParam));
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

static LRESULT CALLBACK CanvasProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (s_f && msg >= WM_USER && msg <= WM_USER + 12) {
        s_f->canvasPosts.push_back(msg);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

DispatchFixture* DF_Create()
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    SI_RegisterClass("DispTestFrame", FrameProc, 1);
    SI_RegisterClass("DispTestBar", BarProc, 1);
    SI_RegisterClass("DispTestCanvas", CanvasProc, 1);
    DIN_Initialize(inst);
    DispatchFixture* f = new DispatchFixture;
    s_f = f;
    f->frame = CreateWindowA("DispTestFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 560, nullptr,
                             nullptr, inst, nullptr);
    SetWindowLongPtrA(f->frame, 0, (LONG_PTR)&f->fs);
    g_hWndFrame = f->frame;
    f->canvas = CreateWindowA("DispTestCanvas", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, f->frame, nullptr, inst, nullptr);
    SetWindowLongPtrA(f->canvas, 0, (LONG_PTR)&f->cs);
    g_hWndCanvas = f->canvas;
    f->settingBar = CreateWindowA("DispTestBar", "", WS_CHILD | WS_VISIBLE, 420, 400, 100, 100, f->frame, nullptr, inst, nullptr);
    f->attrBar = CreateWindowA("DispTestBar", "", WS_CHILD | WS_VISIBLE, 0, 400, 100, 40, f->frame, nullptr, inst, nullptr);
    f->list = CreateWindowA("listbox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOTIFY |
                            LBS_NOINTEGRALHEIGHT, 420, 0, 120, 390, f->frame, (HMENU)135, inst, nullptr);
    g_MenuListOldProc = (WNDPROC)SetWindowLongPtrA(f->list, GWLP_WNDPROC, (LONG_PTR)CNV_MenuListWndProc);
    f->fs.hWndCanvas = f->canvas;
    f->fs.hWndMenuList = f->list;
    f->fs.hWndSettingBar = f->settingBar;
    f->fs.hWndAttrBar = f->attrBar;
    f->cs.cxClient = 400;
    f->cs.cyClient = 300;

    CMD_Push(CMD_FindByState(CMD_STATE_ROOT));
    f->root = CreateRequest(nullptr, CMD_STATE_MENU_SELECT, REQ_ROOT, 0, 0);
    DIN_PushRequest(f->root);
    CNV_MenuShow(0);
    return f;
}

void DF_Destroy(DispatchFixture* f)
{
    while (DIN_TopRequest()) CloseRequest(DIN_TopRequest());
    while (CMD_StackDepth() > 0) CMD_PopTop();
    SetWindowLongPtrA(f->list, GWLP_WNDPROC, (LONG_PTR)g_MenuListOldProc);
    DestroyWindow(f->frame);
    g_hWndFrame = nullptr;
    g_hWndCanvas = nullptr;
    s_f = nullptr;
    delete f;
}

std::vector<std::pair<int, int>> DF_Commands(const DispatchFixture* f)
{
    std::vector<std::pair<int, int>> out;
    for (const auto& c : f->frameCommands)
        if (c.first != 135 || (c.second != LBN_SETFOCUS && c.second != LBN_KILLFOCUS)) out.push_back(c);
    return out;
}

void DF_MarkUnanswered()
{
    Request* top = DIN_TopRequest();
    DIN_SetAnswer(top, -7);
}

Request* DF_StartCommand(CommandRecord* record, int kind)
{
    CMD_Push(record);
    Request* r = CreateRequest(nullptr, record->stateId, kind, 0, 0);
    DIN_PushRequest(r);
    DF_MarkUnanswered();
    return r;
}

void DF_EndCommand()
{
    CloseRequest(DIN_TopRequest());
    CMD_PopTop();
}
