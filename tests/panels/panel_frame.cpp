#include "panel_frame.h"

HWND PF_CreateFrame(FrameState* fs, int x, int y, int width, int height)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = inst;
    wc.lpszClassName = "PanelTestFrame_CLASS";
    RegisterClassA(&wc);  // fails harmlessly when a test made it before
    HWND frame = CreateWindowA(wc.lpszClassName, "panels", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, x, y,
                               width, height, nullptr, nullptr, inst, nullptr);
    if (!frame) return nullptr;
    SetWindowLongPtrA(frame, 0, (LONG_PTR)fs);
    const auto& r = fs->rcMenuList;
    fs->hWndMenuList = CreateWindowA("listbox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT, r.x, r.y,
                                     r.width, r.height, frame, (HMENU)135, inst, nullptr);
    return frame;
}
