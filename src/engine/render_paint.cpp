// The display entry points: the mixing display's DDM_ calls, which draw on
// the display context's device context through an off-screen bitmap of the
// dirty rectangle, and the standard display's render target, a back buffer
// of the canvas's size in which the design is composed and from which the
// drawn part is copied to the window.
#include <algorithm>
#include <cmath>

#include "engine/render_design.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_palette.h"

namespace {

RndSurface s_mixSurface;   // the mixing display's scratch bitmap
RndSurface s_back;         // the standard display's picture
RndSurface s_layer;        // one element class of one level, before blending

RECT ClientRect(const DisplaySC* sc) { return {0, 0, sc->cxClient, sc->cyClient}; }

// The pixel rectangle of a board box, within the client area.
RECT BoxPixels(const DisplaySC* sc, const BoardRect& box)
{
    RECT r = {box.left, box.top, box.right, box.bottom};
    DSP_LRtoDRz(sc, &r);
    RECT client = ClientRect(sc);
    if (!IntersectRect(&r, &r, &client)) SetRectEmpty(&r);
    return r;
}

BoardRect Normalised(const BoardRect& b)
{
    return {std::min(b.left, b.right), std::max(b.top, b.bottom), std::max(b.left, b.right), std::min(b.top, b.bottom)};
}

// Limits drawing to the work area: both the painter's own clip (dots) and
// GDI's clip region (wide figures that reach over the border).
void ClipToWorkArea(RndPainter* p)
{
    p->clip = RND_WorkAreaPixels(p);
    SelectClipRgn(p->surface->hdc, nullptr);
    IntersectClipRect(p->surface->hdc, p->clip.left, p->clip.top, p->clip.right, p->clip.bottom);
}

void Unclip(RndPainter* p) { SelectClipRgn(p->surface->hdc, nullptr); }

// A painter straight on a window's device context (no bitmap of our own).
struct DirectPainter {
    RndSurface surface;
    RndPainter p;
    int saved = 0;
    DirectPainter(DisplaySC* sc, RndMix mix)
    {
        surface.hdc = sc->hdc;
        surface.width = sc->cxClient;
        surface.height = sc->cyClient;
        saved = SaveDC(sc->hdc);
        RND_PainterBegin(&p, &surface, sc, 0, 0, mix, RND_Palette());
        ClipToWorkArea(&p);
    }
    ~DirectPainter()
    {
        RND_PainterEnd(&p);
        RestoreDC(surface.hdc, saved);
    }
};

void Grow(RECT* dirty, const RECT& r)
{
    if (IsRectEmpty(&r)) return;
    if (IsRectEmpty(dirty))
        *dirty = r;
    else
        UnionRect(dirty, dirty, &r);
}

}  // namespace

// ---- Palette ---------------------------------------------------------------------------

// The palette of the open design, so that an edited palette changes the
// drawing.
const uint32_t* RND_Palette() { return PLT_GetColourTable(); }

// ---- Work area -------------------------------------------------------------------------

RECT RND_WorkAreaPixels(const RndPainter* p)
{
    double x1 = RND_PX(p, -WORK_AREA_LIMIT), x2 = RND_PX(p, WORK_AREA_LIMIT);
    double y1 = RND_PY(p, WORK_AREA_LIMIT), y2 = RND_PY(p, -WORK_AREA_LIMIT);
    auto c = [](double v) { return (LONG)std::clamp(v, -1.0e9, 1.0e9); };
    RECT r = {c(std::floor(std::min(x1, x2))), c(std::floor(std::min(y1, y2))), c(std::ceil(std::max(x1, x2))),
              c(std::ceil(std::max(y1, y2)))};
    RECT out;
    if (!IntersectRect(&out, &r, &p->clip)) SetRectEmpty(&out);
    return out;
}

void RND_DrawWorkAreaBorder(RndPainter* p, const BoardRect& box)
{
    const double L = WORK_AREA_LIMIT;
    double minX = std::min(box.left, box.right), maxX = std::max(box.left, box.right);
    double minY = std::min(box.top, box.bottom), maxY = std::max(box.top, box.bottom);
    HDC dc = p->surface->hdc;
    HPEN pen = CreatePen(PS_DASH, 0, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dc, pen);
    int oldRop = SetROP2(dc, R2_COPYPEN);
    int oldBk = SetBkMode(dc, TRANSPARENT);
    auto seg = [&](double x1, double y1, double x2, double y2) {
        auto c = [](double v) { return (int)std::lround(std::clamp(v, -1.0e6, 1.0e6)); };
        MoveToEx(dc, c(RND_PX(p, x1)), c(RND_PY(p, y1)), nullptr);
        LineTo(dc, c(RND_PX(p, x2)), c(RND_PY(p, y2)));
    };
    double y1 = std::max(minY, -L), y2 = std::min(maxY, L), x1 = std::max(minX, -L), x2 = std::min(maxX, L);
    for (double x : {-L, L})
        if (x >= minX && x <= maxX && y1 <= y2) seg(x, y1, x, y2);
    for (double y : {-L, L})
        if (y >= minY && y <= maxY && x1 <= x2) seg(x1, y, x2, y);
    SetBkMode(dc, oldBk);
    SetROP2(dc, oldRop);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// ---- Mixing display ---------------------------------------------------------------------

void DDM_Draw(void* ctx, HWND hWnd, DisplaySC* sc)
{
    if (!sc || !sc->hdc) return;
    BoardRect box = Normalised(sc->rcVisible);
    RECT px = BoxPixels(sc, box);
    if (IsRectEmpty(&px)) return;
    int w = px.right - px.left, h = px.bottom - px.top;
    if (!RND_SurfaceEnsure(&s_mixSurface, w, h, false)) return;
    RND_SurfaceClear(&s_mixSurface, {0, 0, w, h});
    RndPainter p;
    RND_PainterBegin(&p, &s_mixSurface, sc, px.left, px.top, RND_MIX_OR, RND_Palette());
    p.clip = {0, 0, w, h};
    ClipToWorkArea(&p);
    RND_DrawDesignMixing(ctx, &p, box);
    Unclip(&p);
    RND_PainterEnd(&p);
    BitBlt(sc->hdc, px.left, px.top, w, h, s_mixSurface.hdc, 0, 0, SRCCOPY);
}

void DDM_RealtimePaint(void* ctx, HWND hWnd, DisplaySC* sc, int flag, int classCode, const void* record)
{
    if (!sc || !sc->hdc || !record) return;
    DirectPainter dp(sc, flag ? RND_MIX_XOR : RND_MIX_COPY);
    RND_DrawElement(ctx, &dp.p, Normalised(sc->rcView), classCode, record, RGB(255, 255, 255), flag != 0);
}

void DDM_PaintLine(HWND hWnd, void* ctx, DisplaySC* sc, int level, const void* record, int flag)
{
    if (!sc || !sc->hdc || !record) return;
    DirectPainter dp(sc, RND_MIX_COPY);
    RND_DrawLineOfLevel(ctx, &dp.p, Normalised(sc->rcView), level, record, flag != 0, false);
}

void DDM_PaintLine2(HWND hWnd, void* ctx, DisplaySC* sc, int level, const void* record, int flag)
{
    if (!sc || !sc->hdc || !record) return;
    DirectPainter dp(sc, RND_MIX_COPY);
    RND_DrawLineOfLevel(ctx, &dp.p, Normalised(sc->rcView), level, record, flag != 0, true);
}

// ---- Standard display --------------------------------------------------------------------

D2DRenderTarget* D2D_GetRenderTarget(HWND hWnd, const CanvasState* state)
{
    if (!state || state->cxClient <= 0 || state->cyClient <= 0) return nullptr;
    if (!RND_SurfaceEnsure(&s_back, state->cxClient, state->cyClient, true) ||
        !RND_SurfaceEnsure(&s_layer, state->cxClient, state->cyClient, true))
        return nullptr;
    D2DRenderTarget* rt = (D2DRenderTarget*)MemAlloc(hWnd, sizeof(D2DRenderTarget), "D2D_GetRenderTarget");
    if (!rt) return nullptr;
    rt->sc = DSP_GetDisplaySC(hWnd, nullptr, state);
    if (!rt->sc) {
        MemFree(hWnd, rt, "D2D_ReleaseRT");
        return nullptr;
    }
    rt->bPaletteColours = 0;
    return rt;
}

void D2D_ReleaseRT(D2DRenderTarget* rt)
{
    if (!rt) return;
    HWND hWnd = rt->sc ? rt->sc->hWnd : nullptr;
    DSP_ReleaseSC(hWnd, rt->sc);
    MemFree(hWnd, rt, "D2D_ReleaseRT");
}

void D2D_OnResize(int width, int height)
{
    // The back buffer is made again at the new size by the next render target.
    if (width > 0 && height > 0 && (width != s_back.width || height != s_back.height)) {
        RND_SurfaceFree(&s_back);
        RND_SurfaceFree(&s_layer);
    }
}

void D2D_BeginDraw(D2DRenderTarget* rt)
{
    if (!rt) return;
    rt->bDrawing = 1;
    SetRectEmpty(&rt->rcDirty);
}

void D2D_EndDraw(D2DRenderTarget* rt)
{
    if (!rt || !rt->sc || !rt->sc->hdc) return;
    rt->bDrawing = 0;
    RECT& r = rt->rcDirty;
    if (!IsRectEmpty(&r))
        BitBlt(rt->sc->hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, s_back.hdc, r.left, r.top, SRCCOPY);
    SetRectEmpty(&r);
}

void D2D_DRtoLRz(const D2DRenderTarget* rt, const RECT* device, D2DRectF* board)
{
    if (!rt || !rt->sc || !device || !board) return;
    const DisplaySC* sc = rt->sc;
    double upp = sc->unitsPerPixel;
    auto bx = [&](double px) { return sc->viewMode == 1 ? sc->rcView.right - px * upp : sc->rcView.left + px * upp; };
    auto by = [&](double py) { return sc->viewMode == 2 ? sc->rcView.bottom + py * upp : sc->rcView.top - py * upp; };
    board->left = (float)bx(device->left);
    board->top = (float)by(device->top);
    board->right = (float)bx(device->right);
    board->bottom = (float)by(device->bottom);
}

static BoardRect ClipOf(const D2DRenderTarget* rt)
{
    const BoardRect& c = rt->rcClip;
    if (c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0) return Normalised(rt->sc->rcView);
    return Normalised(c);
}

void D2D_Draw(void* ctx, HWND hWnd, D2DRenderTarget* rt)
{
    if (!rt || !rt->sc || !s_back.bits) return;
    BoardRect box = ClipOf(rt);
    RECT px = BoxPixels(rt->sc, box);
    if (IsRectEmpty(&px)) return;
    RND_SurfaceClear(&s_back, px);
    RND_SurfaceClear(&s_layer, px);
    RndPainter p, d;
    RND_PainterBegin(&p, &s_layer, rt->sc, 0, 0, RND_MIX_COPY, RND_Palette());
    p.clip = px;
    ClipToWorkArea(&p);
    RND_PainterBegin(&d, &s_back, rt->sc, 0, 0, RND_MIX_COPY, RND_Palette());
    d.clip = px;
    ClipToWorkArea(&d);
    RND_DrawDesignStandard(ctx, &p, &d, box);
    Unclip(&p);
    Unclip(&d);
    RND_PainterEnd(&p);
    RND_PainterEnd(&d);
    // The work area's border, as the mixing display's canvas draws it.
    RndPainter b;
    RND_PainterBegin(&b, &s_back, rt->sc, 0, 0, RND_MIX_COPY, RND_Palette());
    IntersectClipRect(s_back.hdc, px.left, px.top, px.right, px.bottom);
    RND_DrawWorkAreaBorder(&b, box);
    SelectClipRgn(s_back.hdc, nullptr);
    RND_PainterEnd(&b);
    Grow(&rt->rcDirty, px);
}

void D2D_RealtimePaint(void* ctx, HWND hWnd, D2DRenderTarget* rt, int flag, int classCode, const void* record)
{
    if (!rt || !rt->sc || !s_back.bits || !record) return;
    BoardRect box = ClipOf(rt);
    RndPainter p;
    RND_PainterBegin(&p, &s_back, rt->sc, 0, 0, flag ? RND_MIX_XOR : RND_MIX_COPY, RND_Palette());
    p.clip = BoxPixels(rt->sc, box);
    ClipToWorkArea(&p);
    RND_ResetTouched(&p);
    RND_DrawElement(ctx, &p, box, classCode, record, RGB(255, 255, 255), flag != 0);
    Unclip(&p);
    RND_PainterEnd(&p);
    Grow(&rt->rcDirty, p.touched);
}
