// The window class of a test's stand-in window (frame, canvas, bar): white
// background, `longs` pointer-sized window longs for the blocks the test
// hangs on it. Registered once per process; a second call keeps the first.
#pragma once
#include <windows.h>

inline void SI_RegisterClass(const char* name, WNDPROC proc, int longs)
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    wc.cbWndExtra = longs * (int)sizeof(LONG_PTR);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterClassA(&wc);
}
