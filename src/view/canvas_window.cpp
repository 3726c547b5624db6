// The drawing canvas window "PEBLA_CLASS": its state block, its window
// procedure and the cursor it shows. Painting is in canvas_paint.cpp, the
// view arithmetic in canvas_view.cpp, the keyboard entries in
// canvas_entry.cpp and the mouse in canvas_pointer.cpp.
#include "view/cnv.h"

#include "app/app.h"
#include "app/cmd_private.h"
#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_mem.h"

const char CNV_CLASS_NAME[] = "PEBLA_CLASS";
int g_bCoordEntry = 0;
int g_bLeftDrag = 0;
int g_bInfoShown = 0;
int g_bPopupDue = 0;

HWND CNV_GetWindow() { return g_hWndCanvas; }

CanvasState* CNV_GetState()
{
    return g_hWndCanvas ? (CanvasState*)GetWindowLongPtrA(g_hWndCanvas, 0) : nullptr;
}

CanvasState* CNV_GetData() { return CNV_GetState(); }

static LRESULT CNV_OnCreate(HWND hWnd)
{
    CanvasState* state = (CanvasState*)MemAlloc(hWnd, sizeof(CanvasState), "Pebla initializing");
    if (!state) return -1;
    SetWindowLongPtrA(hWnd, 0, (LONG_PTR)state);
    g_hWndCanvas = hWnd;
    CNV_ComputeViewRect(hWnd);
    return 0;
}

static void CNV_OnDestroy(HWND hWnd)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    SetWindowLongPtrA(hWnd, 0, 0);
    MemFree(hWnd, state, "Pebla ending");
    if (g_hWndCanvas == hWnd) g_hWndCanvas = nullptr;
    PostQuitMessage(0);
}

static void CNV_OnSetCursor(HWND hWnd)
{
    FrameState* fs = ROT_GetWindowData();
    int mode = fs ? fs->cursorMode : 0;
    HINSTANCE inst = (HINSTANCE)GetWindowLongPtrA(hWnd, GWLP_HINSTANCE);
    HCURSOR cursor = nullptr;
    switch (mode) {
    case 0: cursor = LoadCursorA(inst, MAKEINTRESOURCEA(205)); break;
    case 1: cursor = LoadCursorA(inst, MAKEINTRESOURCEA(479)); break;
    case 2: cursor = LoadCursorA(nullptr, (LPCSTR)IDC_WAIT); break;
    case 3: cursor = LoadCursorA(inst, MAKEINTRESOURCEA(208)); break;
    default: return;
    }
    if (cursor) SetCursor(cursor);
}

// A side button answers 20 or 22 whether or not a request waits: the
// channel drops an answer that finds no request.
static LRESULT CNV_OnXButtonDown(WPARAM wParam)
{
    WORD button = HIWORD(wParam);
    if (button != XBUTTON1 && button != XBUTTON2) return 0;
    DIN_CompleteRequest(button == XBUTTON1 ? ANS_SIDE_BUTTON1 : ANS_SIDE_BUTTON2, LOWORD(wParam), 0);
    return 1;
}

static int X(LPARAM lParam) { return (short)LOWORD(lParam); }
static int Y(LPARAM lParam) { return (short)HIWORD(lParam); }

LRESULT CALLBACK CNV_WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return CNV_OnCreate(hWnd);
    case WM_DESTROY: CNV_OnDestroy(hWnd); return 0;
    case WM_SIZE: CNV_OnSize(hWnd, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: CNV_OnPaint(hWnd); return 0;
    case WM_ERASEBKGND:
        if (g_UseDirect2D == 1) return 1;
        break;
    case WM_SETCURSOR: CNV_OnSetCursor(hWnd); return 1;
    case WM_DISPLAYCHANGE: InvalidateRect(hWnd, nullptr, FALSE); return 0;
    case WM_MOUSEMOVE: CNV_OnMouseMove(hWnd, X(lParam), Y(lParam), (UINT)wParam); return 0;
    case WM_LBUTTONDOWN: CNV_OnLButtonDown(hWnd, X(lParam), Y(lParam), (UINT)wParam); return 0;
    case WM_LBUTTONUP: CNV_OnLButtonUp(hWnd, X(lParam), Y(lParam), (UINT)wParam); return 0;
    case WM_RBUTTONDOWN: CNV_OnRButtonDown(hWnd, X(lParam), Y(lParam), (UINT)wParam); return 0;
    case WM_RBUTTONUP: CNV_OnRButtonUp(hWnd, X(lParam), Y(lParam), (UINT)wParam); return 0;
    case WM_XBUTTONDOWN: return CNV_OnXButtonDown(wParam);
    case DIN_MSG_STRING: CNV_OnEntryRequest(hWnd, REQ_STRING); return 0;
    case DIN_MSG_REAL: CNV_OnEntryRequest(hWnd, REQ_REAL); return 0;
    case DIN_MSG_INTEGER: CNV_OnEntryRequest(hWnd, REQ_INTEGER); return 0;
    case DIN_MSG_COORD: CNV_OnEntryRequest(hWnd, REQ_COORD); return 0;
    case DIN_MSG_PARTS_LIST: CNV_OnEntryRequest(hWnd, REQ_PARTS_LIST); return 0;
    case DIN_MSG_PICK: CNV_OnArmPick(hWnd); return 0;
    case DIN_MSG_FILE: CNV_OnEntryRequest(hWnd, REQ_FILE); return 0;
    case WM_REALTIME_PAINT: CNV_OnRealtimePaint(hWnd, wParam, lParam); return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int CNV_RegisterClass(HINSTANCE hInst)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = CNV_WndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(hInst, MAKEINTRESOURCEA(205));
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = CNV_CLASS_NAME;
    return RegisterClassA(&wc) ? 1 : 0;
}
