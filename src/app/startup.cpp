// Process start-up and shut-down.
//
// Waiting for the shell's start-up sequence (start dialog, work space, command
// thread, frame with its children, renderer): until it is built, the program
// shows its main window with the product caption and runs the message loop.
#include "app/startup.h"

static const char MAIN_CLASS[] = "QZTorva_CLASS";

static LRESULT CALLBACK MainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int STA_Main(HINSTANCE hInst, LPSTR, int nShow)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = MAIN_CLASS;
    if (!RegisterClassA(&wc)) return 1;
    HWND hMain = CreateWindowA(MAIN_CLASS, "Torva Viewer", WS_OVERLAPPEDWINDOW,
                               CW_USEDEFAULT, CW_USEDEFAULT, 1024, 768,
                               nullptr, nullptr, hInst, nullptr);
    if (!hMain) return 1;
    ShowWindow(hMain, nShow);
    UpdateWindow(hMain);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
