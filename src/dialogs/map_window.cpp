// The map window: the whole design drawn small, with the canvas's view
// rectangle over it. The design is drawn once into a bitmap (again when the
// window's size changes or the design is set up anew); the view rectangle is
// drawn over that copy whenever the canvas's view moves.
#include <cstring>

#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_design_services.h"
#include "platform/trvdlg_map.h"

namespace {

const char kClass[] = "TrvDlg_Map";
constexpr UINT_PTR kTimer = 1;
// Above this many line records only the page boxes are drawn: the map must
// open at once even for the largest boards.
constexpr int kLineLimit = 200000;

HINSTANCE s_hInst = nullptr;
void* s_hDesign = nullptr;
HWND s_hWndMap = nullptr;
int s_initCount = 0;
CanvasState* s_canvas = nullptr;
BoardRect s_shownView;
HBITMAP s_picture = nullptr;
int32_t s_box[4];  // the extent drawn, with a margin
bool s_hasData = false;

struct Mapping {
    double scale;
    int ox, oy, height;
    POINT At(int32_t x, int32_t y) const
    {
        return {ox + (int)((x - box[0]) * scale), height - oy - (int)((y - box[1]) * scale)};
    }
    int32_t box[4];
};

Mapping MakeMapping(int w, int h)
{
    Mapping m = {};
    memcpy(m.box, s_box, sizeof m.box);
    double bw = (double)s_box[2] - s_box[0], bh = (double)s_box[3] - s_box[1];
    if (bw < 1) bw = 1;
    if (bh < 1) bh = 1;
    m.scale = (w / bw < h / bh) ? w / bw : h / bh;
    m.ox = (int)((w - bw * m.scale) / 2);
    m.oy = (int)((h - bh * m.scale) / 2);
    m.height = h;
    return m;
}

int CountLines()
{
    int n = 0;
    for (void* p = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0); p; p = dam_NextPage(p, DCODE_LINE, DAM_SEL_ALL, 0))
        n += dam_Get_cnt_of_DataPH(dam_GetDataAddress(p));
    return n;
}

void DrawDesign(HDC dc, int w, int h)
{
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
    int32_t c1[2], c2[2];
    s_hasData = FIG_AllDataCount(nullptr, c1, c2) != 0;
    if (!s_hasData) return;
    int32_t mx = (c2[0] - c1[0]) / 20 + 1, my = (c2[1] - c1[1]) / 20 + 1;
    s_box[0] = c1[0] - mx, s_box[1] = c1[1] - my, s_box[2] = c2[0] + mx, s_box[3] = c2[1] + my;
    Mapping m = MakeMapping(w, h);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 200, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    bool lines = CountLines() <= kLineLimit;
    for (void* p = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0); p; p = dam_NextPage(p, DCODE_LINE, DAM_SEL_ALL, 0)) {
        void* data = dam_GetDataAddress(p);
        int count = dam_Get_cnt_of_DataPH(data);
        if (!lines) {
            int32_t a[4];
            dam_Get_area_of_DataPH(a, data);
            if (count <= 0 || a[0] > a[2]) continue;
            POINT p1 = m.At(a[0], a[1]), p2 = m.At(a[2], a[3]);
            Rectangle(dc, p1.x, p2.y, p2.x + 1, p1.y + 1);
            continue;
        }
        for (int i = 0; i < count; ++i) {
            const LineRecord* r = (const LineRecord*)PageRecord(data, i, sizeof(LineRecord));
            if (r->status & ES_DELETED) continue;
            POINT a = m.At(r->x1, r->y1), b = m.At(r->x2, r->y2);
            MoveToEx(dc, a.x, a.y, nullptr);
            LineTo(dc, b.x, b.y);
        }
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void MakePicture(HWND hWnd)
{
    if (s_picture) DeleteObject(s_picture);
    RECT rc;
    GetClientRect(hWnd, &rc);
    HDC wdc = GetDC(hWnd);
    s_picture = CreateCompatibleBitmap(wdc, rc.right > 0 ? rc.right : 1, rc.bottom > 0 ? rc.bottom : 1);
    HDC mem = CreateCompatibleDC(wdc);
    HGDIOBJ old = SelectObject(mem, s_picture);
    DrawDesign(mem, rc.right, rc.bottom);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(hWnd, wdc);
}

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    if (!s_picture) MakePicture(hWnd);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, s_picture);
    BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    if (s_hasData && s_canvas) {
        Mapping m = MakeMapping(rc.right, rc.bottom);
        const BoardRect& v = s_canvas->rcView;
        POINT tl = m.At(v.left, v.top), br = m.At(v.right, v.bottom);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        HGDIOBJ op = SelectObject(dc, pen);
        HGDIOBJ ob = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, tl.x, tl.y, br.x + 1, br.y + 1);
        SelectObject(dc, ob);
        SelectObject(dc, op);
        DeleteObject(pen);
        s_shownView = v;
    }
    EndPaint(hWnd, &ps);
}

LRESULT CALLBACK MapProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        Paint(hWnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        MakePicture(hWnd);
        InvalidateRect(hWnd, nullptr, FALSE);
        return 0;
    case WM_USER + 11:  // the frame was resized: the canvas's view changed size
        InvalidateRect(hWnd, nullptr, FALSE);
        return 0;
    case WM_TIMER:
        if (s_canvas && memcmp(&s_shownView, &s_canvas->rcView, sizeof s_shownView) != 0)
            InvalidateRect(hWnd, nullptr, FALSE);
        return 0;
    case WM_DESTROY:
        KillTimer(hWnd, kTimer);
        if (s_picture) DeleteObject(s_picture);
        s_picture = nullptr;
        if (s_hWndMap == hWnd) s_hWndMap = nullptr;
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

}  // namespace

void MAP_DlgInitialize(HINSTANCE hInst, void* hDesign)
{
    if (s_hWndMap && IsWindow(s_hWndMap)) DestroyWindow(s_hWndMap);
    s_hWndMap = nullptr;
    s_hInst = hInst;
    s_hDesign = hDesign;
    s_initCount++;
}

HWND MAP_ButtonClick(HWND hOwner, DdmContext* ctx, CanvasState* canvas, int cxClient, int cyClient, int mapWord)
{
    s_canvas = canvas;
    if (s_hWndMap && IsWindow(s_hWndMap)) {
        MakePicture(s_hWndMap);
        InvalidateRect(s_hWndMap, nullptr, FALSE);
        SetWindowPos(s_hWndMap, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        return s_hWndMap;
    }
    HINSTANCE inst = s_hInst ? s_hInst : GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!GetClassInfoA(inst, kClass, &wc)) {
        wc.lpfnWndProc = MapProc;
        wc.hInstance = inst;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        if (!RegisterClassA(&wc)) return nullptr;
    }
    RECT owner = {0, 0, 640, 480};
    if (hOwner) GetWindowRect(hOwner, &owner);
    // As wide as a fifth of the owner, shaped like the canvas.
    int w = (owner.right - owner.left) / 5;
    if (w < 160) w = 160;
    int h = cxClient > 0 && cyClient > 0 ? w * cyClient / cxClient : w * 3 / 4;
    RECT frame = {0, 0, w, h};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    HWND hWnd = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "マップ", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                                owner.right - (frame.right - frame.left) - 24, owner.top + 48,
                                frame.right - frame.left, frame.bottom - frame.top, hOwner, nullptr, inst, nullptr);
    if (!hWnd) return nullptr;
    s_hWndMap = hWnd;
    MakePicture(hWnd);
    SetTimer(hWnd, kTimer, 250, nullptr);
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hWnd);
    return hWnd;
}

HWND MAP_GetWindow(void)
{
    return s_hWndMap;
}

void* MAP_GetDesign()
{
    return s_hDesign;
}

int MAP_GetInitCount()
{
    return s_initCount;
}
