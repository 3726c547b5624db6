// Painting the canvas: the dirty rectangle turned into a board rectangle for
// the engine, through the standard display (a composed back buffer) or the
// mixing display (GDI, with the dashed border of the work area), realtime
// paints of single elements, and invalidation by board rectangle.
#include <algorithm>

#include "app/app.h"
#include "app/frame_state.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_wps.h"
#include "view/cnv.h"

namespace {

BoardRect OrderedBoard(const RECT& r)
{
    return {std::min(r.left, r.right), std::max(r.top, r.bottom), std::max(r.left, r.right), std::min(r.top, r.bottom)};
}

// The four sides of the work area that lie inside the visible rectangle,
// each along its visible part.
void DrawWorkAreaBorder(DisplaySC* sc)
{
    const int32_t L = WORK_AREA_LIMIT;
    const BoardRect& v = sc->rcVisible;
    HPEN pen = CreatePen(PS_DASH, 0, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(sc->hdc, pen);
    int oldBk = SetBkMode(sc->hdc, TRANSPARENT);
    int32_t y1 = std::max(v.bottom, -L), y2 = std::min(v.top, L);
    int32_t x1 = std::max(v.left, -L), x2 = std::min(v.right, L);
    for (int32_t x : {-L, L}) {
        if (x < v.left || x > v.right || y1 > y2) continue;
        DSP_MoveToEx(sc, x, y1);
        DSP_LineTo(sc, x, y2);
    }
    for (int32_t y : {-L, L}) {
        if (y < v.bottom || y > v.top || x1 > x2) continue;
        DSP_MoveToEx(sc, x1, y);
        DSP_LineTo(sc, x2, y);
    }
    SetBkMode(sc->hdc, oldBk);
    SelectObject(sc->hdc, old);
    DeleteObject(pen);
}

}  // namespace

void CNV_PaintGdi(HWND hWnd, DisplaySC* sc, const RECT* dirty)
{
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    RECT r = *dirty;
    DSP_DRtoLRz(sc, &r);
    sc->rcVisible = OrderedBoard(r);
    DDM_Draw(ctx, hWnd, sc);
    CNV_PaintWorkDataGdi(sc);
    DDM_Close(ctx);
    DrawWorkAreaBorder(sc);
}

void CNV_PaintDirect2D(HWND hWnd, D2DRenderTarget* rt, const RECT* dirty)
{
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    D2DRectF f = {};
    D2D_DRtoLRz(rt, dirty, &f);
    rt->rcClip.left = (int32_t)std::min(f.left, f.right);
    rt->rcClip.top = (int32_t)std::max(f.top, f.bottom);
    rt->rcClip.right = (int32_t)std::max(f.left, f.right);
    rt->rcClip.bottom = (int32_t)std::min(f.top, f.bottom);
    D2D_BeginDraw(rt);
    D2D_Draw(ctx, hWnd, rt);
    CNV_PaintWorkDataDirect2D(rt);
    D2D_EndDraw(rt);
    DDM_Close(ctx);
}

void CNV_OnPaint(HWND hWnd)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    HCURSOR oldCursor = SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_WAIT));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    DisplaySC* sc = DSP_GetDisplaySC(hWnd, dc, state);
    if (sc) {
        RECT dirty = ps.rcPaint;
        if (g_UseDirect2D) {
            DPtoLP(dc, (POINT*)&dirty, 2);
            if (D2DRenderTarget* rt = D2D_GetRenderTarget(hWnd, state)) {
                OutputDebugStringA("WM_PAINT →\n");
                CNV_PaintDirect2D(hWnd, rt, &dirty);
                D2D_ReleaseRT(rt);
                OutputDebugStringA("WM_PAINT ←\n");
            }
        } else {
            InflateRect(&dirty, 1, 1);
            DPtoLP(dc, (POINT*)&dirty, 2);
            CNV_PaintGdi(hWnd, sc, &dirty);
        }
        DSP_ReleaseSC(hWnd, sc);
    }
    EndPaint(hWnd, &ps);
    SetCursor(oldCursor);
}

void CNV_OnRealtimePaint(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    CanvasState* state = (CanvasState*)GetWindowLongPtrA(hWnd, 0);
    if (!state) return;
    int flag = (int)(wParam & 0xF), classCode = (int)(wParam & ~(WPARAM)0xF);
    const void* record = (const void*)lParam;
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    if (!g_UseDirect2D) {
        if (DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, state)) {
            state->bRepainting = 1;
            DDM_RealtimePaint(ctx, hWnd, sc, flag, classCode, record);
            DSP_ReleaseSC(hWnd, sc);
            state->bRepainting = 0;
        }
    } else if (D2DRenderTarget* rt = D2D_GetRenderTarget(hWnd, state)) {
        rt->rcClip = BoardRect{};
        state->bRepainting = 1;
        D2D_BeginDraw(rt);
        OutputDebugStringA("WM_REALTIME_PAINT →\n");
        D2D_RealtimePaint(ctx, hWnd, rt, flag, classCode, record);
        OutputDebugStringA("WM_REALTIME_PAINT ←\n");
        D2D_EndDraw(rt);
        state->bRepainting = 0;
        D2D_ReleaseRT(rt);
    }
    DDM_Close(ctx);
}

void CNV_InvalidateLogicalRect(const RECT* rect, int erase, int update)
{
    HWND hWnd = CNV_GetWindow();
    CanvasState* state = CNV_GetState();
    if (!hWnd || !state) return;
    state->bRepainting = 1;
    if (rect) {
        if (DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, state)) {
            RECT r = *rect;
            DSP_LRtoDRz(sc, &r);
            LPtoDP(sc->hdc, (POINT*)&r, 2);
            InflateRect(&r, 1, 1);
            InvalidateRect(hWnd, &r, erase ? TRUE : FALSE);
            DSP_ReleaseSC(hWnd, sc);
        }
    } else {
        InvalidateRect(hWnd, nullptr, erase ? TRUE : FALSE);
    }
    if (update) UpdateWindow(hWnd);
    state->bRepainting = 0;
}

void CNV_FullRepaint()
{
    HWND hWnd = CNV_GetWindow();
    CanvasState* state = CNV_GetState();
    if (!hWnd || !state) return;
    state->bRepainting = 1;
    InvalidateRect(hWnd, nullptr, TRUE);
    UpdateWindow(hWnd);
    state->bRepainting = 0;
}
