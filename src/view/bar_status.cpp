// The status bar "Sbar_CLASS": one line of text (the waiting request's
// prompt, a message, or a caption with a twenty-square progress gauge) in a
// sunken frame. The command thread writes the text as well as this thread,
// so the text is kept under a lock of its own and the bar is only
// invalidated from outside.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "view/bar.h"

static constexpr size_t STATUS_TEXT_SIZE = 512;
static constexpr int PROGRESS_SQUARES = 20;

static HWND s_hWndStatus = nullptr;
static char s_statusText[STATUS_TEXT_SIZE];
static int s_lastProgress = -1;

static CRITICAL_SECTION* StatusLock()
{
    struct Lock {
        CRITICAL_SECTION cs;
        Lock() { InitializeCriticalSection(&cs); }
    };
    static Lock lock;
    return &lock.cs;
}

static void Invalidate(bool updateNow)
{
    if (!s_hWndStatus) return;
    InvalidateRect(s_hWndStatus, nullptr, TRUE);
    if (updateNow) UpdateWindow(s_hWndStatus);
}

void BAR_StatusPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    EnterCriticalSection(StatusLock());
    // Bounded: a long message is cut rather than written past the text.
    vsnprintf(s_statusText, STATUS_TEXT_SIZE, format, args);
    LeaveCriticalSection(StatusLock());
    va_end(args);
    Invalidate(true);
}

void BAR_StatusSetText(const char* text)
{
    EnterCriticalSection(StatusLock());
    snprintf(s_statusText, STATUS_TEXT_SIZE, "%s", text ? text : "");
    LeaveCriticalSection(StatusLock());
    Invalidate(false);
}

void BAR_StatusProgress(const char* caption, int n)
{
    if (n < 0) n = 0;
    if (n > PROGRESS_SQUARES) n = PROGRESS_SQUARES;
    if (n == s_lastProgress) return;
    static const char filled[] = "■■■■■■■■■■■■■■■■■■■■";
    static const char empty[] = "□□□□□□□□□□□□□□□□□□□□";
    static_assert(sizeof(filled) == 2 * PROGRESS_SQUARES + 1 && sizeof(empty) == 2 * PROGRESS_SQUARES + 1);
    int full = 2 * n, rest = 2 * (PROGRESS_SQUARES - n);
    EnterCriticalSection(StatusLock());
    snprintf(s_statusText, STATUS_TEXT_SIZE, "%s%*.*s%*.*s", caption ? caption : "", full, full, filled, rest, rest,
             empty);
    LeaveCriticalSection(StatusLock());
    Invalidate(false);
    s_lastProgress = n;
}

void BAR_StatusGetText(char* out, size_t outSize)
{
    if (!out || !outSize) return;
    EnterCriticalSection(StatusLock());
    snprintf(out, outSize, "%s", s_statusText);
    LeaveCriticalSection(StatusLock());
}

static void BAR_StatusOnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    InflateRect(&rc, -tm.tmAveCharWidth / 2, -(tm.tmHeight + tm.tmExternalLeading) / 4);

    HPEN grey = CreatePen(PS_SOLID, 1, RGB(0x60, 0x60, 0x60));
    HGDIOBJ old = SelectObject(dc, grey);
    MoveToEx(dc, rc.left - 1, rc.bottom, nullptr);
    LineTo(dc, rc.left - 1, rc.top - 3);
    LineTo(dc, rc.right, rc.top - 3);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    LineTo(dc, rc.right, rc.bottom);
    LineTo(dc, rc.left - 1, rc.bottom);
    SelectObject(dc, old);
    DeleteObject(grey);

    char text[STATUS_TEXT_SIZE];
    BAR_StatusGetText(text, sizeof text);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    EndPaint(hWnd, &ps);
}

LRESULT CALLBACK BAR_StatusWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: s_hWndStatus = hWnd; return 0;
    case WM_DESTROY:
        if (s_hWndStatus == hWnd) s_hWndStatus = nullptr;
        return 0;
    case WM_PAINT: BAR_StatusOnPaint(hWnd); return 0;
    case WM_SETCURSOR: SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_ARROW)); return TRUE;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int BAR_StatusRegisterClass(HINSTANCE hInst)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = BAR_StatusWndProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
    wc.lpszClassName = "Sbar_CLASS";
    return RegisterClassA(&wc) ? 1 : 0;
}
