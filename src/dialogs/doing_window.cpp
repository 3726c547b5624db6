// The progress window of long operations (design loading). It lives on a
// thread of its own: the loader's thread reads and converts without pumping
// messages, and a window on it would freeze and leave a white hole over the
// frame. The frame itself keeps painting on the user-interface thread.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>

#include "platform/trvdlg.h"

namespace {

const char kClass[] = "TrvDlg_Doing";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kMsgClose = WM_APP + 1;

struct Doing {
    DoingProgress progress;
    HWND hOwner;
    char caption[128];
    HANDLE thread;
    HANDLE ready;  // set once the window exists (or failed)
    std::atomic<HWND> hWnd;
    std::atomic<uint64_t> done;
    std::atomic<uint64_t> total;
    DWORD started;
};

Doing* s_open = nullptr;  // the object of the window on show
CRITICAL_SECTION s_lock;
INIT_ONCE s_lockOnce = INIT_ONCE_STATIC_INIT;

BOOL CALLBACK InitLock(PINIT_ONCE, PVOID, PVOID*)
{
    InitializeCriticalSection(&s_lock);
    return TRUE;
}

void Report(DoingProgress* self, uint64_t done, uint64_t total)
{
    Doing* d = (Doing*)self->window;
    d->done = done;
    d->total = total;
}

void Paint(HWND hWnd, Doing* d)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));

    uint64_t total = d->total, done = d->done;
    char text[160];
    if (total > 0) {
        if (done > total) done = total;
        snprintf(text, sizeof text, "%s中 %u%%", d->caption, (unsigned)(done * 100 / total));
    } else {
        snprintf(text, sizeof text, "%s中...", d->caption);
    }
    RECT rt = {12, 10, rc.right - 12, 30};
    DrawTextA(dc, text, -1, &rt, DT_LEFT | DT_SINGLELINE | DT_VCENTER);

    RECT bar = {12, 38, rc.right - 12, 56};
    DrawEdge(dc, &bar, EDGE_SUNKEN, BF_RECT);
    InflateRect(&bar, -2, -2);
    FillRect(dc, &bar, GetSysColorBrush(COLOR_WINDOW));
    RECT fill = bar;
    int width = bar.right - bar.left;
    if (total > 0) {
        fill.right = bar.left + (int)(width * done / total);
    } else {
        // No share known: a block runs along the bar while work goes on.
        int block = width / 5;
        int pos = (int)(((GetTickCount() - d->started) / 20) % (DWORD)(width + block)) - block;
        fill.left = bar.left + (pos < 0 ? 0 : pos);
        fill.right = bar.left + (pos + block > width ? width : pos + block);
    }
    if (fill.right > fill.left) FillRect(dc, &fill, GetSysColorBrush(COLOR_HIGHLIGHT));
    EndPaint(hWnd, &ps);
}

LRESULT CALLBACK DoingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Doing* d = (Doing*)GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
        break;
    case WM_TIMER:
        InvalidateRect(hWnd, nullptr, FALSE);
        return 0;
    case WM_PAINT:
        if (d) {
            Paint(hWnd, d);
            return 0;
        }
        break;
    case WM_CLOSE:
        return 0;  // only DOING_End closes it
    case kMsgClose:
        DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        KillTimer(hWnd, kTimer);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

DWORD WINAPI DoingThread(LPVOID param)
{
    Doing* d = (Doing*)param;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DoingProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_WAIT);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);  // fails harmlessly when already registered

    int w = 320, h = 100;
    RECT owner = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (d->hOwner) GetWindowRect(d->hOwner, &owner);
    int x = (owner.left + owner.right - w) / 2, y = (owner.top + owner.bottom - h) / 2;
    // Not owned by the frame: an owner on another thread would tie the two
    // threads' input together, and the frame's thread must stay free.
    HWND hWnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, d->caption,
                                WS_POPUP | WS_CAPTION | WS_BORDER, x, y, w, h, nullptr, nullptr, inst, d);
    d->hWnd = hWnd;
    if (!hWnd) {
        SetEvent(d->ready);
        return 1;
    }
    SetTimer(hWnd, kTimer, 100, nullptr);
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hWnd);
    SetEvent(d->ready);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}

}  // namespace

extern "C" DoingProgress* DOING_Start(HWND hOwner, const char* caption)
{
    InitOnceExecuteOnce(&s_lockOnce, InitLock, nullptr, nullptr);
    DOING_End();
    Doing* d = new Doing();
    d->progress.report = Report;
    d->progress.window = d;
    d->hOwner = hOwner;
    snprintf(d->caption, sizeof d->caption, "%s", caption ? caption : "");
    d->started = GetTickCount();
    d->ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    d->thread = d->ready ? CreateThread(nullptr, 0, DoingThread, d, 0, nullptr) : nullptr;
    if (!d->thread) {
        if (d->ready) CloseHandle(d->ready);
        delete d;
        return nullptr;
    }
    WaitForSingleObject(d->ready, INFINITE);
    if (!d->hWnd) {
        WaitForSingleObject(d->thread, INFINITE);
        CloseHandle(d->thread);
        CloseHandle(d->ready);
        delete d;
        return nullptr;
    }
    EnterCriticalSection(&s_lock);
    s_open = d;
    LeaveCriticalSection(&s_lock);
    return &d->progress;
}

extern "C" void DOING_End(void)
{
    InitOnceExecuteOnce(&s_lockOnce, InitLock, nullptr, nullptr);
    EnterCriticalSection(&s_lock);
    Doing* d = s_open;
    s_open = nullptr;
    LeaveCriticalSection(&s_lock);
    if (!d) return;
    PostMessageA(d->hWnd, kMsgClose, 0, 0);
    WaitForSingleObject(d->thread, INFINITE);
    CloseHandle(d->thread);
    CloseHandle(d->ready);
    delete d;
}

HWND DOING_GetWindow(void)
{
    InitOnceExecuteOnce(&s_lockOnce, InitLock, nullptr, nullptr);
    EnterCriticalSection(&s_lock);
    HWND h = s_open ? (HWND)s_open->hWnd : nullptr;
    LeaveCriticalSection(&s_lock);
    return h;
}
