// The bar windows as far as the frame needs them to lay them out.
//
// Waiting for the status, attribute, setting and function bars: until they
// are built each bar is a plain grey window with no controls.
#include "view/bar.h"

static LRESULT CALLBACK BarWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Bars forward the commands of their controls to the frame.
    if (msg == WM_COMMAND) return SendMessageA(GetParent(hWnd), msg, wParam, lParam);
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

static int RegisterBar(HINSTANCE hInst, const char* name)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BarWndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) ? 1 : 0;
}

int BAR_RegisterClasses(HINSTANCE hInst)
{
    static const char* const names[] = {"Sbar_CLASS", "BtnFunc_CLASS", "Setting_CLASS", "Atr_CLASS"};
    for (const char* name : names)
        if (!RegisterBar(hInst, name)) return 0;
    return 1;
}
