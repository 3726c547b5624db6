// Display contexts of the canvas and the conversions between board units and
// canvas pixels. The context copies the view out of the canvas state when it
// is made, so a context describes one picture even if the view changes while
// it is held.
#include <algorithm>
#include <cmath>

#include "engine/render_internal.h"
#include "platform/qzt_mem.h"

namespace {

// Board point to canvas pixel (double), in the view's orientation.
void ToPixel(const DisplaySC* sc, double bx, double by, double* px, double* py)
{
    double ppu = 1.0 / sc->unitsPerPixel;
    *px = sc->viewMode == 1 ? (sc->rcView.right - bx) * ppu : (bx - sc->rcView.left) * ppu;
    *py = sc->viewMode == 2 ? (by - sc->rcView.bottom) * ppu : (sc->rcView.top - by) * ppu;
}

void ToBoard(const DisplaySC* sc, double px, double py, double* bx, double* by)
{
    double upp = sc->unitsPerPixel;
    *bx = sc->viewMode == 1 ? sc->rcView.right - px * upp : sc->rcView.left + px * upp;
    *by = sc->viewMode == 2 ? sc->rcView.bottom + py * upp : sc->rcView.top - py * upp;
}

LONG ClampLong(double v)
{
    return (LONG)std::clamp(v, -2.0e9, 2.0e9);
}

LONG RoundLong(double v) { return (LONG)std::llround(std::clamp(v, -2.0e9, 2.0e9)); }

}  // namespace

DisplaySC* DSP_GetDisplaySC(HWND hWnd, HDC hdcPaint, const CanvasState* state)
{
    if (!state) return nullptr;
    DisplaySC* sc = (DisplaySC*)MemAlloc(hWnd, sizeof(DisplaySC), "DSP_GetDisplaySC");
    if (!sc) return nullptr;
    sc->hWnd = hWnd;
    sc->hdc = hdcPaint;
    if (!sc->hdc && hWnd) {
        sc->hdc = GetDC(hWnd);
        sc->bOwnDC = 1;
    }
    sc->rcView = state->rcView;
    sc->cxClient = state->cxClient;
    sc->cyClient = state->cyClient;
    sc->viewMode = state->viewMode;
    double w = (double)state->rcView.right - state->rcView.left;
    sc->unitsPerPixel = state->cxClient > 0 && w > 0 ? w / state->cxClient : 1.0;
    sc->rcVisible = state->rcView;
    sc->bPaletteColours = 1;
    return sc;
}

void DSP_ReleaseSC(HWND hWnd, DisplaySC* sc)
{
    if (!sc) return;
    if (sc->bOwnDC && sc->hdc) ReleaseDC(sc->hWnd, sc->hdc);
    MemFree(hWnd, sc, "DSP_ReleaseSC");
}

void DSP_LRtoDRz(const DisplaySC* sc, RECT* rect)
{
    double x1, y1, x2, y2;
    ToPixel(sc, rect->left, rect->top, &x1, &y1);
    ToPixel(sc, rect->right, rect->bottom, &x2, &y2);
    rect->left = ClampLong(std::floor(std::min(x1, x2)));
    rect->top = ClampLong(std::floor(std::min(y1, y2)));
    rect->right = ClampLong(std::floor(std::max(x1, x2)) + 1);
    rect->bottom = ClampLong(std::floor(std::max(y1, y2)) + 1);
}

void DSP_DRtoLRz(const DisplaySC* sc, RECT* rect)
{
    double x1, y1, x2, y2;
    ToBoard(sc, rect->left, rect->top, &x1, &y1);
    ToBoard(sc, rect->right, rect->bottom, &x2, &y2);
    rect->left = RoundLong(x1);
    rect->top = RoundLong(y1);
    rect->right = RoundLong(x2);
    rect->bottom = RoundLong(y2);
}

void DSP_DPtoLPz(const DisplaySC* sc, POINT* point)
{
    double x, y;
    ToBoard(sc, point->x, point->y, &x, &y);
    point->x = RoundLong(x);
    point->y = RoundLong(y);
}

void DSP_LPtoDPz(const DisplaySC* sc, POINT* point)
{
    double x, y;
    ToPixel(sc, point->x, point->y, &x, &y);
    point->x = RoundLong(std::floor(x));
    point->y = RoundLong(std::floor(y));
}

static int64_t Pack(double x, double y)
{
    uint32_t lo = (uint32_t)RoundLong(std::fabs(x)), hi = (uint32_t)RoundLong(std::fabs(y));
    return (int64_t)(((uint64_t)hi << 32) | lo);
}

int64_t DSP_DDtoLDz(const DisplaySC* sc, int dx, int dy)
{
    return Pack(dx * sc->unitsPerPixel, dy * sc->unitsPerPixel);
}

int64_t DSP_DWtoLWz(const DisplaySC* sc, int dx, int dy) { return DSP_DDtoLDz(sc, dx, dy); }

int64_t DSP_LWtoDWz(const DisplaySC* sc, int dx, int dy)
{
    return Pack(dx / sc->unitsPerPixel, dy / sc->unitsPerPixel);
}

void DSP_MoveToEx(DisplaySC* sc, int x, int y)
{
    double px, py;
    ToPixel(sc, x, y, &px, &py);
    sc->ptCurrent = {RoundLong(px), RoundLong(py)};
    MoveToEx(sc->hdc, sc->ptCurrent.x, sc->ptCurrent.y, nullptr);
}

void DSP_LineTo(DisplaySC* sc, int x, int y)
{
    double px, py;
    ToPixel(sc, x, y, &px, &py);
    POINT to = {RoundLong(px), RoundLong(py)};
    // Keep GDI's arithmetic in range: a far end is pulled in along the line.
    const double lim = 1.0e6;
    double ax = sc->ptCurrent.x, ay = sc->ptCurrent.y, bx = to.x, by = to.y;
    if (std::fabs(bx) > lim || std::fabs(by) > lim || std::fabs(ax) > lim || std::fabs(ay) > lim) {
        double t0 = 0, t1 = 1;
        auto limit = [&](double a, double b) {
            if (b > lim) t1 = std::min(t1, (lim - a) / (b - a));
            if (b < -lim) t1 = std::min(t1, (-lim - a) / (b - a));
            if (a > lim) t0 = std::max(t0, (lim - a) / (b - a));
            if (a < -lim) t0 = std::max(t0, (-lim - a) / (b - a));
        };
        limit(ax, bx);
        limit(ay, by);
        if (t0 < t1) {
            MoveToEx(sc->hdc, RoundLong(ax + t0 * (bx - ax)), RoundLong(ay + t0 * (by - ay)), nullptr);
            LineTo(sc->hdc, RoundLong(ax + t1 * (bx - ax)), RoundLong(ay + t1 * (by - ay)));
        }
        sc->ptCurrent = to;
        MoveToEx(sc->hdc, to.x, to.y, nullptr);
        return;
    }
    LineTo(sc->hdc, to.x, to.y);
    sc->ptCurrent = to;
}

void DSP_Arc(DisplaySC* sc, int left, int top, int right, int bottom, int xStart, int yStart,
             int xEnd, int yEnd)
{
    RECT box = {left, top, right, bottom};
    DSP_LRtoDRz(sc, &box);
    double sx, sy, ex, ey;
    ToPixel(sc, xStart, yStart, &sx, &sy);
    ToPixel(sc, xEnd, yEnd, &ex, &ey);
    // The picture of a mirrored view runs the other way round.
    if (sc->viewMode == 1 || sc->viewMode == 2)
        Arc(sc->hdc, box.left, box.top, box.right, box.bottom, RoundLong(ex), RoundLong(ey), RoundLong(sx), RoundLong(sy));
    else
        Arc(sc->hdc, box.left, box.top, box.right, box.bottom, RoundLong(sx), RoundLong(sy), RoundLong(ex), RoundLong(ey));
}
