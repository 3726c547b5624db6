#include "cmd_test_windows.h"

#include "app/cmd_private.h"
#include "stand_in_class.h"

static LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TestWindows* tw = (TestWindows*)GetWindowLongPtrA(hWnd, sizeof(LONG_PTR));
    if (tw && msg == WM_USER + 5) {
        tw->menuResets++;
        return 0;
    }
    if (tw && msg == WM_USER + 8) {
        int previous = tw->currentCursorMode;
        tw->currentCursorMode = (int)wParam;
        tw->cursorModes.push_back((int)wParam);
        return previous;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

static LRESULT CALLBACK CanvasProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TestWindows* tw = (TestWindows*)GetWindowLongPtrA(hWnd, sizeof(LONG_PTR));
    if (tw && msg >= WM_USER && msg <= WM_USER + 12) {
        tw->posted.push_back(msg);
        tw->postedBlocks.push_back(lParam);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

TestWindows* TW_Create(bool visible)
{
    // Two window longs: the state block, then the test record.
    SI_RegisterClass("CmdTestFrame", FrameProc, 2);
    SI_RegisterClass("CmdTestCanvas", CanvasProc, 2);
    TestWindows* tw = new TestWindows;
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    tw->frame = CreateWindowA("CmdTestFrame", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, hInst, nullptr);
    if (visible)
        tw->canvas = CreateWindowA("CmdTestCanvas", "", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                   nullptr, hInst, nullptr);
    else
        tw->canvas = CreateWindowA("CmdTestCanvas", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, hInst, nullptr);
    SetWindowLongPtrA(tw->frame, 0, (LONG_PTR)&tw->frameState);
    SetWindowLongPtrA(tw->frame, sizeof(LONG_PTR), (LONG_PTR)tw);
    SetWindowLongPtrA(tw->canvas, 0, (LONG_PTR)&tw->canvasState);
    SetWindowLongPtrA(tw->canvas, sizeof(LONG_PTR), (LONG_PTR)tw);
    tw->frameState.hWndCanvas = tw->canvas;
    g_hWndFrame = tw->frame;
    g_hWndCanvas = tw->canvas;
    return tw;
}

void TW_Destroy(TestWindows* tw)
{
    g_hWndFrame = nullptr;
    g_hWndCanvas = nullptr;
    DestroyWindow(tw->canvas);
    DestroyWindow(tw->frame);
    delete tw;
}
