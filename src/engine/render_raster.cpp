// Off-screen surfaces and the painter that draws board figures into them with
// GDI. Every figure is clipped to the surface before GDI sees it, so that a
// board coordinate far outside the view never reaches GDI's 32-bit device
// arithmetic. Wide lines are drawn one call each: PolyPolyline with a
// geometric pen grows quadratically with the number of lines under Wine.
#include <emmintrin.h>

#include <algorithm>
#include <cmath>

#include "engine/render_internal.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// Beyond this many pixels from the surface a polygon vertex is clipped.
constexpr double kFar = 30000.0;

uint32_t ToDib(COLORREF c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// floor and ceil without a library call (the baseline x86-64 has no
// rounding instruction); the values are clamped to the int range first.
inline int FloorI(double v)
{
    v = v < -1e9 ? -1e9 : v > 1e9 ? 1e9 : v;
    int i = (int)v;
    return i - (v < i);
}
inline int CeilI(double v)
{
    v = v < -1e9 ? -1e9 : v > 1e9 ? 1e9 : v;
    int i = (int)v;
    return i + (v > i);
}

void Touch(RndPainter* p, double x1, double y1, double x2, double y2)
{
    LONG l = std::max<LONG>(FloorI(std::min(x1, x2)) - 1, p->clip.left);
    LONG t = std::max<LONG>(FloorI(std::min(y1, y2)) - 1, p->clip.top);
    LONG r = std::min<LONG>(CeilI(std::max(x1, x2)) + 2, p->clip.right);
    LONG b = std::min<LONG>(CeilI(std::max(y1, y2)) + 2, p->clip.bottom);
    if (l >= r || t >= b) return;
    RECT& u = p->touched;
    if (u.left >= u.right || u.top >= u.bottom) {
        u = {l, t, r, b};
        return;
    }
    u.left = std::min(u.left, l);
    u.top = std::min(u.top, t);
    u.right = std::max(u.right, r);
    u.bottom = std::max(u.bottom, b);
}

// Pen styles of the painter's cache.
enum { PEN_ROUND, PEN_SQUARE, PEN_DASH };

void UsePen(RndPainter* p, COLORREF colour, int width, int style)
{
    if (p->pen && p->penColour == colour && p->penWidth == width && p->penStyle == style) return;
    HPEN pen = nullptr;
    for (const RndPainter::CachedPen& c : p->pens)
        if (c.colour == colour && c.width == width && c.style == style) pen = c.pen;
    if (!pen) {
        if (style == PEN_DASH) {
            pen = CreatePen(PS_DASH, 0, colour);
        } else if (width <= 1) {
            pen = CreatePen(PS_SOLID, 0, colour);
        } else {
            LOGBRUSH lb = {BS_SOLID, colour, 0};
            DWORD caps = style == PEN_SQUARE ? (PS_ENDCAP_SQUARE | PS_JOIN_MITER) : (PS_ENDCAP_ROUND | PS_JOIN_ROUND);
            pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | caps, (DWORD)width, &lb, 0, nullptr);
        }
        p->pens.push_back({pen, colour, width, style});
    }
    HGDIOBJ old = SelectObject(p->surface->hdc, pen);
    if (!p->oldPen) p->oldPen = old;
    p->pen = pen;
    p->penColour = colour;
    p->penWidth = width;
    p->penStyle = style;
}

void UseBrush(RndPainter* p, COLORREF colour)
{
    HBRUSH brush = nullptr;
    for (const RndPainter::CachedBrush& c : p->brushes)
        if (c.colour == colour) brush = c.brush;
    if (!brush) {
        brush = CreateSolidBrush(colour);
        p->brushes.push_back({brush, colour});
    }
    HGDIOBJ old = SelectObject(p->surface->hdc, brush);
    if (!p->oldBrush) p->oldBrush = old;
    p->brush = brush;
    p->brushColour = colour;
}

void UseNoBrush(RndPainter* p)
{
    HGDIOBJ old = SelectObject(p->surface->hdc, GetStockObject(NULL_BRUSH));
    if (!p->oldBrush) p->oldBrush = old;
}

// Liang-Barsky: clips the segment to the rectangle; false when nothing is left.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double l, double t, double r, double b)
{
    double dx = x2 - x1, dy = y2 - y1;
    double u0 = 0, u1 = 1;
    const double pv[4] = {-dx, dx, -dy, dy};
    const double qv[4] = {x1 - l, r - x1, y1 - t, b - y1};
    for (int i = 0; i < 4; ++i) {
        if (pv[i] == 0) {
            if (qv[i] < 0) return false;
            continue;
        }
        double u = qv[i] / pv[i];
        if (pv[i] < 0) {
            if (u > u1) return false;
            u0 = std::max(u0, u);
        } else {
            if (u < u0) return false;
            u1 = std::min(u1, u);
        }
    }
    double ox = x1, oy = y1;
    x1 = ox + u0 * dx;
    y1 = oy + u0 * dy;
    x2 = ox + u1 * dx;
    y2 = oy + u1 * dy;
    return true;
}

int Round(double v) { return (int)std::lround(v); }

}  // namespace

// ---- Direct spans --------------------------------------------------------------------
// Lines, discs and rectangles go straight into the bitmap as spans of
// pixels: a GDI call per figure costs microseconds under Wine, a span fill a
// fraction of a nanosecond per pixel. Windows' own device contexts (no
// bitmap of ours) still go through GDI.
//
// A zoomed-in view spends its time in the rows of large figures, so the row
// loops are kept short: each figure is drawn by a loop made for its mix
// (no choice per row), lines along a pixel row or column, rectangles and
// round pads work out their rows without square roots, the spans are
// written in aligned blocks of four pixels, and lines and ORed figures are
// marked in the coverage (a bit a pixel) and coloured in once per colour.

namespace {

uint32_t SpanColour(const RndPainter* p, COLORREF colour)
{
    uint32_t c = ToDib(colour);
    return p->mix == RND_MIX_COPY && c == 0 ? 0x010101 : c;
}

// Pixels about to be written with `mix` other than through the coverage:
// what the coverage holds is coloured in first unless both OR, which gives
// the same picture in either order.
void Settle(RndPainter* p, RndMix mix)
{
    if (mix != RND_MIX_OR || p->coverMix != RND_MIX_OR) RND_Flush(p);
}

// GDI is about to draw with the painter's mix.
void BeforeGdi(RndPainter* p)
{
    Settle(p, p->mix);
    p->gdiPending = true;
}

void BeforeDirect(RndPainter* p)
{
    if (p->gdiPending) {
        GdiFlush();
        p->gdiPending = false;
    }
}

// Spans marked in the painter's coverage instead of written into the bitmap.
constexpr int kCover = 3;

// Where the spans of one figure go: the bitmap (or the coverage), the clip
// and the colour.
template <int M>
struct Rows {
    uint32_t* bits;
    size_t stride;
    uint64_t* cover;
    size_t coverWords;
    double left, right;  // the first and last column that may be drawn
    int leftI, rightI;
    int top, bottom;     // the first and last row that may be drawn
    __m128i cc;  // the colour in every lane

    Rows(RndPainter* p, uint32_t colour)
        : bits(p->surface->bits), stride((size_t)p->surface->width), cover(p->cover.data()),
          coverWords((size_t)p->coverWords), left(p->clip.left),
          right(p->clip.right - 1), leftI(p->clip.left), rightI(p->clip.right - 1), top(p->clip.top),
          bottom(p->clip.bottom - 1),
          cc(_mm_set1_epi32((int)colour))
    {
    }

    // The pixel columns x0..x1 whose centres lie in [lo, hi], clipped; false
    // (and x1 < x0) when there are none. Called for every row of every
    // figure: without a branch on the fractions, which a processor cannot
    // guess, and safe for any value, even one that is not a number.
    __attribute__((always_inline)) bool Columns(double lo, double hi, int& x0, int& x1) const
    {
        double l = std::min(std::max(lo - 0.5, left), right + 1.0);  // left <= l <= right + 1
        double h = std::max(std::min(hi - 0.5, right), left - 1.0);  // left - 1 <= h <= right
        int a = (int)l;
        a += (double)a < l;           // ceil, l being at least 0
        int b = (int)(h + 1.0) - 1;   // floor, h being at least -1
        x0 = std::max(a, leftI);
        x1 = std::min(b, rightI);
        return x0 <= x1;
    }

    // One aligned block of four pixels, the lanes of `m` changed.
    __attribute__((always_inline)) void Block(__m128i* q, __m128i m) const
    {
        __m128i v = _mm_load_si128(q), add = _mm_and_si128(cc, m);
        if (M == RND_MIX_COPY) v = _mm_or_si128(_mm_andnot_si128(m, v), add);
        else if (M == RND_MIX_OR) v = _mm_or_si128(v, add);
        else v = _mm_xor_si128(v, add);
        _mm_store_si128(q, v);
    }

    // The pixels x0..x1 of row y, four a step (SSE2 is part of every
    // x86-64) in blocks aligned to 16 bytes, the first and the last masked:
    // every pixel is written once, and a block read soon after it was
    // written (the next figure over the same place) is taken whole from the
    // store on its way, which a read across two blocks would wait for. The
    // blocks may reach beyond the row's ends, never beyond the bitmap, whose
    // memory starts and ends on a page.
    __attribute__((always_inline)) void Fill(int y, int x0, int x1) const
    {
        if (M == kCover) {
            uint64_t* row = cover + (size_t)y * coverWords;
            int a = x0 >> 6, b = x1 >> 6;
            uint64_t ma = ~0ull << (x0 & 63), mb = ~0ull >> (63 - (x1 & 63));
            if (a == b) {
                row[a] |= ma & mb;
                return;
            }
            row[a] |= ma;
            for (int k = a + 1; k < b; ++k) row[k] = ~0ull;
            row[b] |= mb;
            return;
        }
        static const __m128i kFrom[4] = {_mm_set_epi32(-1, -1, -1, -1), _mm_set_epi32(-1, -1, -1, 0),
                                         _mm_set_epi32(-1, -1, 0, 0), _mm_set_epi32(-1, 0, 0, 0)};
        static const __m128i kUpTo[4] = {_mm_set_epi32(0, 0, 0, -1), _mm_set_epi32(0, 0, -1, -1),
                                         _mm_set_epi32(0, -1, -1, -1), _mm_set_epi32(-1, -1, -1, -1)};
        uint32_t* row = bits + (size_t)y * stride;
        uintptr_t first = (uintptr_t)(row + x0), last = (uintptr_t)(row + x1);
        __m128i* b = (__m128i*)(first & ~(uintptr_t)15);
        __m128i* e = (__m128i*)(last & ~(uintptr_t)15);
        __m128i mFirst = kFrom[(first & 15) >> 2], mLast = kUpTo[(last & 15) >> 2];
        if (b == e) {
            Block(b, _mm_and_si128(mFirst, mLast));
            return;
        }
        Block(b, mFirst);
        for (__m128i* q = b + 1; q < e; ++q) {
            if (M == RND_MIX_COPY) _mm_store_si128(q, cc);
            else if (M == RND_MIX_OR) _mm_store_si128(q, _mm_or_si128(_mm_load_si128(q), cc));
            else _mm_store_si128(q, _mm_xor_si128(_mm_load_si128(q), cc));
        }
        Block(e, mLast);
    }

    // Fills the pixels of row y whose centres lie in [lo, hi].
    __attribute__((always_inline)) void Span(int y, double lo, double hi) const
    {
        int x0, x1;
        if (Columns(lo, hi, x0, x1)) Fill(y, x0, x1);
    }

    // The rows whose centres lie in [lo, hi], clipped: y0 > y1 when none.
    void RowRange(double lo, double hi, int& y0, int& y1) const
    {
        y0 = std::max(CeilI(lo - 0.5), top);
        y1 = std::min(FloorI(hi - 0.5), bottom);
    }
};

// One side constraint of a line's body, a * x + k0 + k1 * py in [lo, hi],
// solved for x once per line: x in [c1 + d1 * py, c2 + d2 * py]. With a = 0
// it limits the rows instead.
struct Band {
    bool rowsOnly = false;
    double c1 = 0, d1 = 0, c2 = 0, d2 = 0;  // x bounds
    double k0 = 0, k1 = 0, lo = 0, hi = 0;   // the row test when rowsOnly
    void Set(double a, double k0_, double k1_, double lo_, double hi_)
    {
        if (std::fabs(a) < 1e-12) {
            rowsOnly = true;
            k0 = k0_;
            k1 = k1_;
            lo = lo_;
            hi = hi_;
            return;
        }
        double inv = 1.0 / a;
        c1 = (lo_ - k0_) * inv;
        c2 = (hi_ - k0_) * inv;
        d1 = d2 = -k1_ * inv;
        if (inv < 0) {
            std::swap(c1, c2);
        }
    }
    void Apply(double py, double& L, double& R) const
    {
        if (rowsOnly) {
            double v = k0 + k1 * py;
            if (v < lo || v > hi) {
                L = 1;
                R = 0;
            }
            return;
        }
        L = std::max(L, c1 + d1 * py);
        R = std::min(R, c2 + d2 * py);
    }
};

// A line along a pixel row from x = lo to x = hi at height y: each row is
// the body widened by the ends' half chords.
template <int M>
void RowLineSpans(const Rows<M>& rw, double lo, double hi, double y, double r, bool square)
{
    int y0, y1;
    rw.RowRange(y - r, y + r, y0, y1);
    double r2 = r * r;
    for (int row = y0; row <= y1; ++row) {
        double d = row + 0.5 - y;
        double h = square ? r : std::sqrt(std::max(0.0, r2 - d * d));
        rw.Span(row, lo - h, hi + h);
    }
}

// A line along a pixel column from y = top to y = bottom at x: the rows of
// its body are all the same run, worked out once; only the rows of the ends
// need their chords.
template <int M>
void ColumnLineSpans(const Rows<M>& rw, double x, double top, double bottom, double r, bool square)
{
    int cx0, cx1;
    if (!rw.Columns(x - r, x + r, cx0, cx1)) return;  // the ends are no wider than the body
    double reach = square ? r : 0;
    int b0, b1;
    rw.RowRange(top - reach, bottom + reach, b0, b1);
    for (int row = b0; row <= b1; ++row) rw.Fill(row, cx0, cx1);
    if (square) return;
    double r2 = r * r;
    int e0, e1;
    rw.RowRange(top - r, top, e0, e1);
    for (int row = e0; row <= std::min(e1, b0 - 1); ++row) {
        double d = top - (row + 0.5);
        double h = std::sqrt(std::max(0.0, r2 - d * d));
        rw.Span(row, x - h, x + h);
    }
    rw.RowRange(bottom, bottom + r, e0, e1);
    for (int row = std::max(e0, b1 + 1); row <= e1; ++row) {
        double d = row + 0.5 - bottom;
        double h = std::sqrt(std::max(0.0, r2 - d * d));
        rw.Span(row, x - h, x + h);
    }
}

// A line of radius r (pixels) between two pixel points, with round or
// square ends: each row of it is one span, the shape being convex.
template <int M>
void CapsuleSpansT(RndPainter* p, double ax, double ay, double bx, double by, double r, bool square, uint32_t c)
{
    Rows<M> rw(p, c);
    if (ay == by) {
        RowLineSpans(rw, std::min(ax, bx), std::max(ax, bx), ay, r, square);
        return;
    }
    if (ax == bx) {
        ColumnLineSpans(rw, ax, std::min(ay, by), std::max(ay, by), r, square);
        return;
    }
    double dx = bx - ax, dy = by - ay, len = std::sqrt(dx * dx + dy * dy);
    if (len < 1e-9) {
        RowLineSpans(rw, ax, ax, ay, r, square);
        return;
    }
    double ux = dx / len, uy = dy / len;
    double reach = square ? r * 1.4143 : r;
    int y0 = std::max(FloorI(std::min(ay, by) - reach), rw.top);
    int y1 = std::min(CeilI(std::max(ay, by) + reach), rw.bottom);
    double s0 = square ? -r : 0, s1 = len + (square ? r : 0);
    // Across the line: -uy * x + (ax * uy - ay * ux) + ux * py in [-r, r];
    // along it: ux * x + (-ax * ux - ay * uy) + uy * py in [s0, s1].
    Band across, along;
    across.Set(-uy, ax * uy - ay * ux, ux, -r, r);
    along.Set(ux, -ax * ux - ay * uy, uy, s0, s1);
    double r2 = r * r;
    for (int y = y0; y <= y1; ++y) {
        double py = y + 0.5;
        double lo = 1e300, hi = -1e300;
        double L = -1e300, R = 1e300;
        across.Apply(py, L, R);
        along.Apply(py, L, R);
        if (L <= R) {
            lo = L;
            hi = R;
        }
        if (!square) {
            double d = py - ay;
            if (d * d <= r2) {
                double h = std::sqrt(r2 - d * d);
                lo = std::min(lo, ax - h);
                hi = std::max(hi, ax + h);
            }
            d = py - by;
            if (d * d <= r2) {
                double h = std::sqrt(r2 - d * d);
                lo = std::min(lo, bx - h);
                hi = std::max(hi, bx + h);
            }
        }
        if (lo <= hi) rw.Span(y, lo, hi);
    }
}

// Makes the coverage ready for a figure of colour c within the pixel box
// (l, t)-(r, b), colouring in what it holds in another colour first.
void CoverFigure(RndPainter* p, uint32_t c, double l, double t, double r, double b)
{
    int words = (p->surface->width + 63) / 64;
    size_t size = (size_t)words * (size_t)p->surface->height;
    if (p->coverWords != words || p->cover.size() != size) {
        RND_Flush(p);
        p->cover.assign(size, 0);
        p->coverWords = words;
    }
    RECT& box = p->coverBox;
    if (box.top < box.bottom && (p->coverColour != c || p->coverMix != p->mix)) RND_Flush(p);
    p->coverColour = c;
    p->coverMix = p->mix;
    LONG x0 = std::max<LONG>(FloorI(l) - 1, p->clip.left), x1 = std::min<LONG>(CeilI(r) + 1, p->clip.right - 1);
    LONG y0 = std::max<LONG>(FloorI(t) - 1, p->clip.top), y1 = std::min<LONG>(CeilI(b) + 1, p->clip.bottom - 1);
    if (x0 > x1 || y0 > y1) return;
    if (box.top >= box.bottom) {
        box = {x0 >> 6, y0, (x1 >> 6) + 1, y1 + 1};
        return;
    }
    box.left = std::min<LONG>(box.left, x0 >> 6);
    box.right = std::max<LONG>(box.right, (x1 >> 6) + 1);
    box.top = std::min<LONG>(box.top, y0);
    box.bottom = std::max<LONG>(box.bottom, y1 + 1);
}

void CapsuleSpans(RndPainter* p, double ax, double ay, double bx, double by, double r, bool square, COLORREF colour)
{
    BeforeDirect(p);
    uint32_t c = SpanColour(p, colour);
    double reach = square ? r * 1.4143 : r;
    double l = std::min(ax, bx) - reach, t = std::min(ay, by) - reach, rr = std::max(ax, bx) + reach,
           b = std::max(ay, by) + reach;
    switch (p->mix) {
    case RND_MIX_OR:
    case RND_MIX_COPY:
        CoverFigure(p, c, l, t, rr, b);
        CapsuleSpansT<kCover>(p, ax, ay, bx, by, r, square, c);
        break;
    case RND_MIX_XOR:
        Settle(p, RND_MIX_XOR);
        CapsuleSpansT<RND_MIX_XOR>(p, ax, ay, bx, by, r, square, c);
        break;
    }
    Touch(p, l, t, rr, b);
}

// The rows of an ellipse of half sizes rx, ry about a pixel's centre: for
// row k above or below the centre (k = 0, 1, ...), the pixels j to either
// side of the centre's pixel whose centres lie inside. The last few sizes
// are kept; null for a size too large to keep.
const std::vector<int>* DiscRows(RndKept* kept, double rx, double ry)
{
    for (RndKept::Disc& d : kept->discs)
        if (d.rx == rx && d.ry == ry) return &d.half;
    if (!(rx >= 0 && ry >= 0 && ry <= 8192)) return nullptr;
    RndKept::Disc& d = kept->discs[kept->nextDisc];
    kept->nextDisc = (kept->nextDisc + 1) % 8;
    d.rx = rx;
    d.ry = ry;
    d.half.clear();
    for (int k = 0; k <= (int)ry; ++k) {
        double t = k / ry;
        d.half.push_back((int)(rx * std::sqrt(std::max(0.0, 1 - t * t))));
    }
    return &d.half;
}

template <int M>
void EllipseSpansT(RndPainter* p, double cx, double cy, double rx, double ry, bool rect, uint32_t c)
{
    Rows<M> rw(p, c);
    int y0, y1;
    rw.RowRange(cy - ry, cy + ry, y0, y1);
    if (rect) {
        int x0, x1;
        if (rw.Columns(cx - rx, cx + rx, x0, x1))
            for (int y = y0; y <= y1; ++y) rw.Fill(y, x0, x1);
        return;
    }
    // A round pad is drawn about the centre of the pixel its centre falls
    // in, as GDI draws on whole pixels: then every pad of one size has the
    // same rows, worked out once, and drawing one takes no square root.
    const std::vector<int>* half = DiscRows(p->kept, rx, ry);
    if (!half) {
        // Larger than any pad: each row worked out exactly.
        double inv = 1.0 / ry;
        for (int y = y0; y <= y1; ++y) {
            double d = (y + 0.5 - cy) * inv;
            double h = rx * std::sqrt(std::max(0.0, 1 - d * d));
            rw.Span(y, cx - h, cx + h);
        }
        return;
    }
    int cxi = FloorI(cx), cyi = FloorI(cy), k0 = (int)half->size() - 1;
    int first = std::max(cyi - k0, rw.top), last = std::min(cyi + k0, rw.bottom);
    for (int y = first; y <= last; ++y) {
        int h = (*half)[(size_t)std::abs(y - cyi)];
        int x0 = std::max(cxi - h, rw.leftI), x1 = std::min(cxi + h, rw.rightI);
        if (x0 <= x1) rw.Fill(y, x0, x1);
    }
}

void EllipseSpans(RndPainter* p, double cx, double cy, double rx, double ry, bool rect, COLORREF colour)
{
    BeforeDirect(p);
    uint32_t c = SpanColour(p, colour);
    switch (p->mix) {
    case RND_MIX_OR:
        CoverFigure(p, c, cx - rx, cy - ry, cx + rx, cy + ry);
        EllipseSpansT<kCover>(p, cx, cy, rx, ry, rect, c);
        break;
    case RND_MIX_COPY:
        Settle(p, RND_MIX_COPY);
        EllipseSpansT<RND_MIX_COPY>(p, cx, cy, rx, ry, rect, c);
        break;
    case RND_MIX_XOR:
        Settle(p, RND_MIX_XOR);
        EllipseSpansT<RND_MIX_XOR>(p, cx, cy, rx, ry, rect, c);
        break;
    }
    Touch(p, cx - rx, cy - ry, cx + rx, cy + ry);
}

}  // namespace

void RND_Flush(RndPainter* p)
{
    RECT box = p->coverBox;
    if (box.top >= box.bottom) return;
    SetRectEmpty(&p->coverBox);
    BeforeDirect(p);
    // The lanes of each nibble of coverage.
    static const __m128i kLanes[16] = {
        _mm_set_epi32(0, 0, 0, 0),    _mm_set_epi32(0, 0, 0, -1),    _mm_set_epi32(0, 0, -1, 0),
        _mm_set_epi32(0, 0, -1, -1),  _mm_set_epi32(0, -1, 0, 0),    _mm_set_epi32(0, -1, 0, -1),
        _mm_set_epi32(0, -1, -1, 0),  _mm_set_epi32(0, -1, -1, -1),  _mm_set_epi32(-1, 0, 0, 0),
        _mm_set_epi32(-1, 0, 0, -1),  _mm_set_epi32(-1, 0, -1, 0),   _mm_set_epi32(-1, 0, -1, -1),
        _mm_set_epi32(-1, -1, 0, 0),  _mm_set_epi32(-1, -1, 0, -1),  _mm_set_epi32(-1, -1, -1, 0),
        _mm_set_epi32(-1, -1, -1, -1)};
    const int width = p->surface->width;
    const uint32_t c = p->coverColour;
    const __m128i cc = _mm_set1_epi32((int)c);
    const bool copy = p->coverMix == RND_MIX_COPY;
    for (int y = box.top; y < box.bottom; ++y) {
        uint64_t* marks = p->cover.data() + (size_t)y * p->coverWords;
        uint32_t* row = p->surface->bits + (size_t)y * width;
        for (int k = box.left; k < box.right; ++k) {
            uint64_t w = marks[k];
            if (!w) continue;
            marks[k] = 0;
            int x = k * 64;
            if (x + 64 > width) {
                // The row's last word: pixel by pixel, never beyond the row.
                for (int i = 0; i < 64 && x + i < width; ++i)
                    if (w >> i & 1) row[x + i] = copy ? c : row[x + i] | c;
                continue;
            }
            __m128i* q = (__m128i*)(row + x);
            if (w == ~0ull) {
                for (int g = 0; g < 16; ++g)
                    _mm_storeu_si128(q + g, copy ? cc : _mm_or_si128(_mm_loadu_si128(q + g), cc));
                continue;
            }
            for (int g = 0; g < 16; ++g, w >>= 4) {
                if (!(w & 15)) continue;
                __m128i m = kLanes[w & 15], v = _mm_loadu_si128(q + g);
                if (copy) v = _mm_andnot_si128(m, v);
                _mm_storeu_si128(q + g, _mm_or_si128(v, _mm_and_si128(cc, m)));
            }
        }
    }
}

void RND_SetMix(RndPainter* p, RndMix mix)
{
    RND_Flush(p);
    p->mix = mix;
    SetROP2(p->surface->hdc, mix == RND_MIX_OR ? R2_MERGEPEN : mix == RND_MIX_XOR ? R2_XORPEN : R2_COPYPEN);
}

bool RND_MakeRuns(RndRuns* out, const double* segs, int count, double r)
{
    double l = 1e300, t = 1e300, rr = -1e300, b = -1e300;
    for (int i = 0; i < count; ++i) {
        const double* q = segs + 4 * i;
        l = std::min({l, q[0], q[2]});
        rr = std::max({rr, q[0], q[2]});
        t = std::min({t, q[1], q[3]});
        b = std::max({b, q[1], q[3]});
    }
    if (count <= 0 || !(rr - l < 1000 && b - t < 1000)) return false;
    int left = FloorI(l - r) - 1, top = FloorI(t - r) - 1;
    int width = CeilI(rr + r) + 2 - left, height = CeilI(b + r) + 2 - top;
    // The lines are marked in a coverage of the figure's own size.
    RndSurface box;
    box.width = width;
    box.height = height;
    RndPainter q;
    q.surface = &box;
    q.clip = {0, 0, width, height};
    q.coverWords = (width + 63) / 64;
    q.cover.assign((size_t)q.coverWords * height, 0);
    for (int i = 0; i < count; ++i) {
        const double* g = segs + 4 * i;
        CapsuleSpansT<kCover>(&q, g[0] - left, g[1] - top, g[2] - left, g[3] - top, r, false, 0);
    }
    out->left = left;
    out->top = top;
    out->width = width;
    out->height = height;
    out->rowStart.assign(1, 0);
    out->runs.clear();
    for (int y = 0; y < height; ++y) {
        const uint64_t* marks = q.cover.data() + (size_t)y * q.coverWords;
        for (int x = 0; x < width;) {
            if (!(marks[x >> 6] >> (x & 63) & 1)) {
                ++x;
                continue;
            }
            int x0 = x;
            while (x < width && (marks[x >> 6] >> (x & 63) & 1)) ++x;
            out->runs.push_back((int16_t)x0);
            out->runs.push_back((int16_t)(x - 1));
        }
        out->rowStart.push_back((int)out->runs.size());
    }
    return true;
}

void RND_DrawRuns(RndPainter* p, const RndRuns& runs, int x, int y, COLORREF colour)
{
    if (!p->surface->bits || runs.height <= 0) return;
    BeforeDirect(p);
    uint32_t c = SpanColour(p, colour);
    int ox = x + runs.left, oy = y + runs.top;
    int width = runs.width;
    auto draw = [&](auto& rw) {
        int first = std::max(oy, rw.top), last = std::min(oy + runs.height - 1, rw.bottom);
        for (int row = first; row <= last; ++row) {
            int k = row - oy;
            for (int i = runs.rowStart[(size_t)k]; i < runs.rowStart[(size_t)k + 1]; i += 2) {
                int x0 = std::max(ox + runs.runs[(size_t)i], rw.leftI), x1 = std::min(ox + runs.runs[(size_t)i + 1], rw.rightI);
                if (x0 <= x1) rw.Fill(row, x0, x1);
            }
        }
    };
    if (p->mix == RND_MIX_XOR) {
        Settle(p, RND_MIX_XOR);
        Rows<RND_MIX_XOR> rw(p, c);
        draw(rw);
    } else {
        CoverFigure(p, c, ox, oy, ox + width, oy + runs.height);
        Rows<kCover> rw(p, c);
        draw(rw);
    }
    Touch(p, ox, oy, ox + width, oy + runs.height);
}

// Coverage kept between painters, so that each drawing does not make its own.
static std::vector<uint64_t>& SpareCover()
{
    static thread_local std::vector<uint64_t> spare;
    return spare;
}

// ---- Surfaces ---------------------------------------------------------------------

bool RND_SurfaceEnsure(RndSurface* s, int width, int height, bool exact)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (s->bmp && (exact ? (s->width == width && s->height == height)
                         : (s->width >= width && s->height >= height)))
        return true;
    RND_SurfaceFree(s);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    s->hdc = CreateCompatibleDC(nullptr);
    if (!s->hdc) return false;
    void* bits = nullptr;
    s->bmp = CreateDIBSection(s->hdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!s->bmp) {
        DeleteDC(s->hdc);
        s->hdc = nullptr;
        return false;
    }
    s->oldBmp = SelectObject(s->hdc, s->bmp);
    s->bits = (uint32_t*)bits;
    s->width = width;
    s->height = height;
    std::fill(s->bits, s->bits + (size_t)width * height, 0u);
    return true;
}

void RND_SurfaceFree(RndSurface* s)
{
    if (s->hdc) {
        SelectObject(s->hdc, s->oldBmp);
        DeleteDC(s->hdc);
    }
    if (s->bmp) DeleteObject(s->bmp);
    *s = RndSurface{};
}

void RND_SurfaceClear(RndSurface* s, RECT rc)
{
    RECT all = {0, 0, s->width, s->height};
    if (!IntersectRect(&rc, &rc, &all)) return;
    GdiFlush();
    for (int y = rc.top; y < rc.bottom; ++y)
        std::fill(s->bits + (size_t)y * s->width + rc.left, s->bits + (size_t)y * s->width + rc.right, 0u);
}

// ---- Painter ----------------------------------------------------------------------

void RND_PainterBegin(RndPainter* p, RndSurface* surface, const DisplaySC* sc, int offsetX,
                      int offsetY, RndMix mix, const uint32_t* palette)
{
    *p = RndPainter{};
    static thread_local RndKept kept;
    p->kept = &kept;
    p->cover.swap(SpareCover());  // all zero: every flush clears what it colours in
    p->surface = surface;
    p->mix = mix;
    p->palette = palette;
    double upp = sc->unitsPerPixel > 0 ? sc->unitsPerPixel : 1.0;
    p->pixelsPerUnit = 1.0 / upp;
    p->originX = sc->rcView.left;
    p->scaleX = p->pixelsPerUnit;
    p->originY = sc->rcView.top;
    p->scaleY = p->pixelsPerUnit;
    if (sc->viewMode == 1) {
        p->originX = sc->rcView.right;
        p->scaleX = -p->pixelsPerUnit;
    } else if (sc->viewMode == 2) {
        p->originY = sc->rcView.bottom;
        p->scaleY = -p->pixelsPerUnit;
    }
    p->offsetX = offsetX;
    p->offsetY = offsetY;
    p->clip = {0, 0, surface->width, surface->height};
    SetROP2(surface->hdc, mix == RND_MIX_OR ? R2_MERGEPEN : mix == RND_MIX_XOR ? R2_XORPEN : R2_COPYPEN);
    SetBkMode(surface->hdc, TRANSPARENT);
    SetPolyFillMode(surface->hdc, ALTERNATE);
}

void RND_PainterEnd(RndPainter* p)
{
    if (!p->surface) return;
    RND_Flush(p);
    if (p->cover.size() > SpareCover().size()) SpareCover().swap(p->cover);
    HDC dc = p->surface->hdc;
    if (p->oldPen) SelectObject(dc, p->oldPen);
    if (p->oldBrush) SelectObject(dc, p->oldBrush);
    for (const RndPainter::CachedPen& c : p->pens) DeleteObject(c.pen);
    for (const RndPainter::CachedBrush& c : p->brushes) DeleteObject(c.brush);
    p->pens.clear();
    p->brushes.clear();
    SetROP2(dc, R2_COPYPEN);
    GdiFlush();
    p->pen = nullptr;
    p->brush = nullptr;
    p->oldPen = p->oldBrush = nullptr;
}

void RND_ResetTouched(RndPainter* p) { SetRectEmpty(&p->touched); }

COLORREF RND_Colour(const RndPainter* p, uint32_t word)
{
    if (word & 0x01000000u) {
        if (p->palette) return p->palette[word & 0xFF];
        return RGB(255, 255, 255);
    }
    return word & 0x00FFFFFF;
}

// ---- Figures ----------------------------------------------------------------------

void RND_PutPixel(RndPainter* p, int x, int y, COLORREF colour)
{
    if (x < p->clip.left || x >= p->clip.right || y < p->clip.top || y >= p->clip.bottom) return;
    if (!p->surface->bits) {
        if (p->mix == RND_MIX_XOR)
            PatBlt(p->surface->hdc, x, y, 1, 1, DSTINVERT);
        else
            SetPixelV(p->surface->hdc, x, y, colour);
        Touch(p, x, y, x, y);
        return;
    }
    uint32_t c = SpanColour(p, colour);
    Settle(p, p->mix);
    BeforeDirect(p);
    uint32_t* px = p->surface->bits + (size_t)y * p->surface->width + x;
    if (p->mix == RND_MIX_OR)
        *px |= c;
    else if (p->mix == RND_MIX_XOR)
        *px ^= c;
    else
        *px = c;
    Touch(p, x, y, x, y);
}

void RND_Dot(RndPainter* p, double bx, double by, COLORREF colour)
{
    RND_PutPixel(p, FloorI(RND_PX(p, bx)), FloorI(RND_PY(p, by)), colour);
}

void RND_Line(RndPainter* p, double x1, double y1, double x2, double y2, double width,
              bool squareEnds, COLORREF colour)
{
    double ax = RND_PX(p, x1), ay = RND_PY(p, y1), bx = RND_PX(p, x2), by = RND_PY(p, y2);
    double w = width * p->pixelsPerUnit;
    double len = std::sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
    if (len < 1.0 && w < 1.5) {
        RND_Dot(p, (x1 + x2) / 2, (y1 + y2) / 2, colour);
        return;
    }
    double m = w / 2 + 2;
    if (!ClipSegment(ax, ay, bx, by, p->clip.left - m, p->clip.top - m, p->clip.right + m, p->clip.bottom + m))
        return;
    if (p->surface->bits) {
        CapsuleSpans(p, ax, ay, bx, by, std::max(w, 1.0) / 2, squareEnds, colour);
        return;
    }
    HDC dc = p->surface->hdc;
    if (len < 0.5) {
        // A zero-length wide line: GDI draws nothing for it, the pad it stands for is a disc.
        UsePen(p, colour, 1, PEN_ROUND);
        UseBrush(p, colour);
        int r = Round(w / 2);
        if (squareEnds)
            Rectangle(dc, Round(ax) - r, Round(ay) - r, Round(ax) + r + 1, Round(ay) + r + 1);
        else
            Ellipse(dc, Round(ax) - r, Round(ay) - r, Round(ax) + r + 1, Round(ay) + r + 1);
    } else {
        UsePen(p, colour, w < 1.5 ? 1 : Round(w), squareEnds ? PEN_SQUARE : PEN_ROUND);
        MoveToEx(dc, Round(ax), Round(ay), nullptr);
        LineTo(dc, Round(bx), Round(by));
        if (w < 1.5) SetPixelV(dc, Round(bx), Round(by), colour);  // cosmetic lines leave out their last pixel
    }
    Touch(p, std::min(ax, bx) - w / 2, std::min(ay, by) - w / 2, std::max(ax, bx) + w / 2, std::max(ay, by) + w / 2);
}

void RND_LineOutline(RndPainter* p, double x1, double y1, double x2, double y2, double width,
                     bool squareEnds, COLORREF colour)
{
    double h = width / 2;
    double dx = x2 - x1, dy = y2 - y1, len = std::sqrt(dx * dx + dy * dy);
    if (width * p->pixelsPerUnit < 2.0) {
        RND_Line(p, x1, y1, x2, y2, 0, false, colour);
        return;
    }
    if (len <= 0) {
        dx = 1;
        dy = 0;
        len = 1;
    }
    double ux = dx / len, uy = dy / len, nx = -uy * h, ny = ux * h;
    if (squareEnds) {
        double ex = ux * h, ey = uy * h;
        double ax = x1 - ex, ay = y1 - ey, bx = x2 + ex, by = y2 + ey;
        RND_Line(p, ax + nx, ay + ny, bx + nx, by + ny, 0, false, colour);
        RND_Line(p, bx + nx, by + ny, bx - nx, by - ny, 0, false, colour);
        RND_Line(p, bx - nx, by - ny, ax - nx, ay - ny, 0, false, colour);
        RND_Line(p, ax - nx, ay - ny, ax + nx, ay + ny, 0, false, colour);
        return;
    }
    RND_Line(p, x1 + nx, y1 + ny, x2 + nx, y2 + ny, 0, false, colour);
    RND_Line(p, x1 - nx, y1 - ny, x2 - nx, y2 - ny, 0, false, colour);
    // Half circles around both ends, outwards.
    RND_Arc(p, x2, y2, h, x2 - nx, y2 - ny, x2 + nx, y2 + ny, true, 0, colour);
    RND_Arc(p, x1, y1, h, x1 + nx, y1 + ny, x1 - nx, y1 - ny, true, 0, colour);
}

void RND_Arc(RndPainter* p, double cx, double cy, double r, double x1, double y1, double x2,
             double y2, bool ccw, double width, COLORREF colour)
{
    double rp = r * p->pixelsPerUnit, w = width * p->pixelsPerUnit;
    double pcx = RND_PX(p, cx), pcy = RND_PY(p, cy);
    double reach = rp + w / 2 + 2;
    if (pcx + reach < p->clip.left || pcx - reach > p->clip.right || pcy + reach < p->clip.top ||
        pcy - reach > p->clip.bottom)
        return;
    if (reach < 2.0) {
        RND_Dot(p, cx, cy, colour);
        return;
    }
    bool full = x1 == x2 && y1 == y2;
    if (rp > 20000.0) {
        // GDI cannot take a circle this large: straight pieces, each clipped.
        double a1 = std::atan2(y1 - cy, x1 - cx), a2 = std::atan2(y2 - cy, x2 - cx);
        double span = full ? 2 * kPi : (ccw ? a2 - a1 : a1 - a2);
        while (span <= 0) span += 2 * kPi;
        double step = 2 * std::acos(std::max(0.0, 1.0 - 0.5 / rp));
        int n = std::clamp((int)std::ceil(span / std::max(step, 1e-6)), 8, 20000);
        double px = x1, py = y1;
        for (int i = 1; i <= n; ++i) {
            double a = a1 + (ccw ? 1 : -1) * span * i / n;
            double qx = cx + r * std::cos(a), qy = cy + r * std::sin(a);
            RND_Line(p, px, py, qx, qy, width, false, colour);
            px = qx;
            py = qy;
        }
        return;
    }
    HDC dc = p->surface->hdc;
    BeforeGdi(p);
    UsePen(p, colour, w < 1.5 ? 1 : Round(w), PEN_ROUND);
    UseNoBrush(p);
    int l = Round(pcx - rp), t = Round(pcy - rp), rr = Round(pcx + rp), b = Round(pcy + rp);
    if (rr - l < 1) rr = l + 1;
    if (b - t < 1) b = t + 1;
    if (full) {
        Ellipse(dc, l, t, rr + 1, b + 1);
    } else {
        // GDI arcs run counter-clockwise on the screen; a mirrored view turns
        // the board's direction round.
        bool screenCcw = ccw != ((p->scaleX < 0) != (p->scaleY < 0));
        int sx = Round(RND_PX(p, x1)), sy = Round(RND_PY(p, y1)), ex = Round(RND_PX(p, x2)), ey = Round(RND_PY(p, y2));
        if (screenCcw)
            Arc(dc, l, t, rr + 1, b + 1, sx, sy, ex, ey);
        else
            Arc(dc, l, t, rr + 1, b + 1, ex, ey, sx, sy);
    }
    Touch(p, pcx - rp - w / 2, pcy - rp - w / 2, pcx + rp + w / 2, pcy + rp + w / 2);
}

void RND_Pad(RndPainter* p, double x, double y, double w, double h, int shape, bool outline,
             COLORREF colour)
{
    if (h <= 0) h = w;
    double wp = w * p->pixelsPerUnit, hp = h * p->pixelsPerUnit;
    double px = RND_PX(p, x), py = RND_PY(p, y);
    if (px + wp < p->clip.left || px - wp > p->clip.right || py + hp < p->clip.top || py - hp > p->clip.bottom)
        return;
    if (wp < 1.5 && hp < 1.5) {
        RND_Dot(p, x, y, colour);
        return;
    }
    bool round = shape == 0 || shape == 2 || shape == 4 || shape == 6;
    if (round && w != h) {
        // An oblong: a line with round ends as wide as the pad is narrow.
        double d = std::min(w, h), half = (std::max(w, h) - d) / 2;
        if (outline) {
            if (w > h) RND_LineOutline(p, x - half, y, x + half, y, d, false, colour);
            else RND_LineOutline(p, x, y - half, x, y + half, d, false, colour);
        } else {
            if (w > h) RND_Line(p, x - half, y, x + half, y, d, false, colour);
            else RND_Line(p, x, y - half, x, y + half, d, false, colour);
        }
        return;
    }
    if (!outline && p->surface->bits) {
        EllipseSpans(p, px, py, wp / 2, hp / 2, !round, colour);
        return;
    }
    HDC dc = p->surface->hdc;
    BeforeGdi(p);
    UsePen(p, colour, 1, PEN_ROUND);
    if (outline)
        UseNoBrush(p);
    else
        UseBrush(p, colour);
    int l = Round(px - wp / 2), t = Round(py - hp / 2), r = Round(px + wp / 2), b = Round(py + hp / 2);
    if (round)
        Ellipse(dc, l, t, r + 1, b + 1);
    else
        Rectangle(dc, l, t, r + 1, b + 1);
    Touch(p, l, t, r, b);
}

void RND_Thermal(RndPainter* p, double x, double y, double outer, double inner, double gap,
                 int shape, COLORREF colour)
{
    if (inner <= 0 || inner >= outer) inner = outer * 0.6;
    double ring = (outer - inner) / 2, rm = (outer + inner) / 4;
    if (outer * p->pixelsPerUnit < 3.0) {
        RND_Pad(p, x, y, outer, outer, 0, false, colour);
        return;
    }
    double half = rm > 0 ? std::min(std::asin(std::min(1.0, (gap + ring) / 2 / rm)), kPi / 4 - 0.01) : 0;
    double base = (shape == 6 || shape == 7) ? kPi / 4 : 0;
    for (int q = 0; q < 4; ++q) {
        double a1 = base + q * kPi / 2 + half, a2 = base + (q + 1) * kPi / 2 - half;
        RND_Arc(p, x, y, rm, x + rm * std::cos(a1), y + rm * std::sin(a1), x + rm * std::cos(a2),
                y + rm * std::sin(a2), true, ring, colour);
    }
}

void RND_Disc(RndPainter* p, double x, double y, double diameter, COLORREF colour)
{
    RND_Pad(p, x, y, diameter, diameter, 0, false, colour);
}

void RND_AddRingPoint(const RndPainter* p, RndRing* ring, double bx, double by)
{
    double x = RND_PX(p, bx), y = RND_PY(p, by);
    x = std::clamp(x, -1e8, 1e8);
    y = std::clamp(y, -1e8, 1e8);
    ring->pts.push_back({(LONG)std::lround(x), (LONG)std::lround(y)});
}

namespace {

// Sutherland-Hodgman against one edge of the rectangle.
template <typename Inside, typename Cut>
void ClipRing(std::vector<POINT>& pts, Inside inside, Cut cut)
{
    if (pts.empty()) return;
    std::vector<POINT> out;
    out.reserve(pts.size() + 4);
    POINT prev = pts.back();
    bool prevIn = inside(prev);
    for (const POINT& cur : pts) {
        bool curIn = inside(cur);
        if (curIn != prevIn) out.push_back(cut(prev, cur));
        if (curIn) out.push_back(cur);
        prev = cur;
        prevIn = curIn;
    }
    pts.swap(out);
}

void ClipRingToRect(std::vector<POINT>& pts, double l, double t, double r, double b)
{
    auto atX = [](POINT a, POINT c, double x) {
        double u = (x - a.x) / (double)(c.x - a.x);
        return POINT{(LONG)std::lround(x), (LONG)std::lround(a.y + u * (c.y - a.y))};
    };
    auto atY = [](POINT a, POINT c, double y) {
        double u = (y - a.y) / (double)(c.y - a.y);
        return POINT{(LONG)std::lround(a.x + u * (c.x - a.x)), (LONG)std::lround(y)};
    };
    ClipRing(pts, [&](POINT q) { return q.x >= l; }, [&](POINT a, POINT c) { return atX(a, c, l); });
    ClipRing(pts, [&](POINT q) { return q.x <= r; }, [&](POINT a, POINT c) { return atX(a, c, r); });
    ClipRing(pts, [&](POINT q) { return q.y >= t; }, [&](POINT a, POINT c) { return atY(a, c, t); });
    ClipRing(pts, [&](POINT q) { return q.y <= b; }, [&](POINT a, POINT c) { return atY(a, c, b); });
}

}  // namespace

void RND_Polygon(RndPainter* p, std::vector<RndRing>& rings, bool fill, COLORREF fillColour,
                 bool outline, double outlineWidth, bool dashed, COLORREF outlineColour)
{
    if (rings.empty() || rings[0].pts.size() < 2) return;
    LONG l = LONG_MAX, t = LONG_MAX, r = LONG_MIN, b = LONG_MIN;
    for (const RndRing& ring : rings)
        for (const POINT& q : ring.pts) {
            l = std::min(l, q.x);
            t = std::min(t, q.y);
            r = std::max(r, q.x);
            b = std::max(b, q.y);
        }
    double w = outlineWidth * p->pixelsPerUnit;
    if (r + w < p->clip.left || l - w > p->clip.right || b + w < p->clip.top || t - w > p->clip.bottom) return;
    if (r - l < 2 && b - t < 2) {
        RND_PutPixel(p, (int)((l + r) / 2), (int)((t + b) / 2), fill ? fillColour : outlineColour);
        return;
    }
    bool isFar = l < -kFar || t < -kFar || r > kFar || b > kFar;
    if (isFar) {
        double m = w + 64;
        for (RndRing& ring : rings)
            ClipRingToRect(ring.pts, p->clip.left - m, p->clip.top - m, p->clip.right + m, p->clip.bottom + m);
    }
    std::vector<POINT> all;
    std::vector<INT> counts;
    for (const RndRing& ring : rings) {
        if (ring.pts.size() < 3) continue;
        all.insert(all.end(), ring.pts.begin(), ring.pts.end());
        counts.push_back((INT)ring.pts.size());
    }
    if (counts.empty()) return;
    HDC dc = p->surface->hdc;
    BeforeGdi(p);
    if (fill) {
        UseBrush(p, fillColour);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        PolyPolygon(dc, all.data(), counts.data(), (int)counts.size());
        SelectObject(dc, oldPen);
    }
    if (outline) {
        UsePen(p, outlineColour, dashed || w < 1.5 ? 1 : Round(w), dashed ? PEN_DASH : PEN_ROUND);
        size_t at = 0;
        for (INT n : counts) {
            std::vector<POINT> closed(all.begin() + at, all.begin() + at + n);
            closed.push_back(closed.front());
            Polyline(dc, closed.data(), (int)closed.size());
            at += n;
        }
    }
    Touch(p, l - w, t - w, r + w, b + w);
}

// ---- Composing ---------------------------------------------------------------------

void RND_ComposeLayer(RndSurface* target, RndSurface* layer, RECT rc, float alpha)
{
    RECT all = {0, 0, std::min(target->width, layer->width), std::min(target->height, layer->height)};
    if (!IntersectRect(&rc, &rc, &all)) return;
    GdiFlush();
    unsigned a = (unsigned)std::lround(std::clamp(alpha, 0.0f, 1.0f) * 256.0f);
    unsigned na = 256 - a;
    for (int y = rc.top; y < rc.bottom; ++y) {
        uint32_t* s = layer->bits + (size_t)y * layer->width;
        uint32_t* d = target->bits + (size_t)y * target->width;
        for (int x = rc.left; x < rc.right; ++x) {
            uint32_t c = s[x];
            if (!c) continue;
            s[x] = 0;
            if (a >= 256) {
                d[x] = c;
                continue;
            }
            uint32_t t = d[x];
            uint32_t rb = (((c & 0xFF00FF) * a + (t & 0xFF00FF) * na) >> 8) & 0xFF00FF;
            uint32_t g = (((c & 0x00FF00) * a + (t & 0x00FF00) * na) >> 8) & 0x00FF00;
            d[x] = rb | g;
        }
    }
}
