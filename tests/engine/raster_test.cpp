// The painter's direct spans against the geometry they stand for: every
// pixel whose centre lies inside a line (a capsule, or a rectangle with
// square ends) or a pad must be drawn, and no other. Lines along a pixel
// row, along a pixel column and at any other angle go different ways
// through the painter, so each is checked, with its ends inside and outside
// the bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "engine/render_internal.h"

namespace {

constexpr int N = 64;  // the bitmap's size in pixels

// A painter on an N x N bitmap where one board unit is one pixel and board
// point (x, y) is pixel point (x, N - y).
struct Bitmap {
    RndSurface surface;
    RndPainter painter;
    Bitmap()
    {
        EXPECT_TRUE(RND_SurfaceEnsure(&surface, N, N, true));
        DisplaySC sc{};
        sc.rcView = {0, N, N, 0};
        sc.cxClient = sc.cyClient = N;
        sc.unitsPerPixel = 1.0;
        RND_PainterBegin(&painter, &surface, &sc, 0, 0, RND_MIX_OR, nullptr);
    }
    ~Bitmap()
    {
        RND_PainterEnd(&painter);
        RND_SurfaceFree(&surface);
    }
    uint32_t At(int x, int y)
    {
        RND_Flush(&painter);
        GdiFlush();
        return surface.bits[y * N + x];
    }
};

// Distance from p to the segment a-b, and the position along it.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Whether pixel point p lies in the square-ended line a-b of radius r.
bool InSquareLine(double px, double py, double ax, double ay, double bx, double by, double r)
{
    double dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
    double ux = len > 0 ? dx / len : 1, uy = len > 0 ? dy / len : 0;
    double along = (px - ax) * ux + (py - ay) * uy, across = -(px - ax) * uy + (py - ay) * ux;
    return along >= -r && along <= len + r && std::fabs(across) <= r;
}

// Pixels that differ from the shape, leaving out those whose centre lies
// within `slack` of its edge (where rounding may go either way).
int Mismatches(Bitmap& b, const std::function<double(double, double)>& inside, double slack = 1e-6)
{
    int wrong = 0;
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            double m = inside(x + 0.5, y + 0.5);  // > 0 inside, < 0 outside, in pixels
            if (std::fabs(m) <= slack) continue;
            if ((b.At(x, y) != 0) != (m > 0)) ++wrong;
        }
    return wrong;
}

struct LineCase {
    const char* name;
    double x1, y1, x2, y2, width;  // board units: pixel y = N - board y
    bool square;
};

TEST(Raster, LinesCoverExactlyTheirShape)
{
    const LineCase cases[] = {
        {"along a row", 8.3, 20.2, 50.6, 20.2, 7.4, false},
        {"along a row, square ends", 8.3, 20.2, 50.6, 20.2, 7.4, true},
        {"along a column", 31.7, 6.2, 31.7, 55.1, 9.2, false},
        {"along a column, square ends", 31.7, 6.2, 31.7, 55.1, 9.2, true},
        {"along a column, upwards", 12.4, 50.3, 12.4, 10.9, 5.0, false},
        {"diagonal", 5.2, 7.9, 57.3, 48.1, 6.6, false},
        {"diagonal, square ends", 5.2, 7.9, 57.3, 48.1, 6.6, true},
        {"steep", 30.1, 3.3, 35.6, 60.2, 4.2, false},
        {"shallow, leftwards", 60.4, 30.3, 2.2, 35.8, 3.3, false},
        {"no length (a disc)", 33.3, 33.7, 33.3, 33.7, 15.1, false},
        {"no length, square", 33.3, 33.7, 33.3, 33.7, 15.1, true},
        {"ends outside, along a row", -40.2, 40.4, 100.3, 40.4, 8.8, false},
        {"ends outside, along a column", 20.6, -30.5, 20.6, 90.4, 8.8, false},
        {"ends outside, diagonal", -20.3, -10.6, 90.2, 80.7, 8.8, false},
        {"end just outside the top", 44.2, 40.3, 44.2, 66.1, 6.1, false},
    };
    // In every mix a figure on an empty bitmap shows exactly its shape: a
    // pixel written twice would vanish under the exclusive or.
    for (RndMix mix : {RND_MIX_OR, RND_MIX_XOR, RND_MIX_COPY})
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        SCOPED_TRACE(mix);
        Bitmap b;
        b.painter.mix = mix;
        RND_Line(&b.painter, c.x1, c.y1, c.x2, c.y2, c.width, c.square, RGB(0, 200, 0));
        double ax = c.x1, ay = N - c.y1, bx = c.x2, by = N - c.y2, r = c.width / 2;
        int wrong = Mismatches(b, [&](double px, double py) {
            if (c.square) {
                // Signed margin: the smaller of the distances to the rectangle's sides.
                double dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
                double ux = len > 0 ? dx / len : 1, uy = len > 0 ? dy / len : 0;
                double along = (px - ax) * ux + (py - ay) * uy, across = -(px - ax) * uy + (py - ay) * ux;
                double m = std::min({along + r, len + r - along, r - std::fabs(across)});
                EXPECT_EQ(m >= 0, InSquareLine(px, py, ax, ay, bx, by, r));
                return m;
            }
            return r - SegmentDistance(px, py, ax, ay, bx, by);
        });
        EXPECT_EQ(wrong, 0);
    }
}

TEST(Raster, PadsCoverExactlyTheirShape)
{
    struct PadCase {
        const char* name;
        double x, y, w, h;
        int shape;
    } cases[] = {
        {"round", 30.3, 28.6, 21.4, 21.4, 0},
        {"round, cut by the edge", 2.6, 60.2, 30.2, 30.2, 0},
        {"square", 30.3, 28.6, 17.2, 17.2, 1},
        {"rectangle", 30.3, 28.6, 31.4, 9.6, 1},
        {"oblong, wide", 31.1, 30.2, 40.6, 12.2, 2},
        {"oblong, tall", 31.1, 30.2, 12.2, 40.6, 2},
    };
    for (RndMix mix : {RND_MIX_OR, RND_MIX_XOR})
    for (const PadCase& c : cases) {
        SCOPED_TRACE(c.name);
        SCOPED_TRACE(mix);
        Bitmap b;
        b.painter.mix = mix;
        RND_Pad(&b.painter, c.x, c.y, c.w, c.h, c.shape, false, RGB(200, 0, 0));
        double cx = c.x, cy = N - c.y;
        int wrong = Mismatches(b, [&](double px, double py) {
            double dx = px - cx, dy = py - cy;
            if (c.shape == 1) return std::min(c.w / 2 - std::fabs(dx), c.h / 2 - std::fabs(dy));
            // A round pad stands about the centre of the pixel its centre is in.
            if (c.w == c.h) return c.w / 2 - std::hypot(px - (std::floor(cx) + 0.5), py - (std::floor(cy) + 0.5));
            // An oblong: a line as long as the difference, as wide as the narrow side.
            double half = (std::max(c.w, c.h) - std::min(c.w, c.h)) / 2, r = std::min(c.w, c.h) / 2;
            if (c.w > c.h) return r - SegmentDistance(px, py, cx - half, cy, cx + half, cy);
            return r - SegmentDistance(px, py, cx, cy - half, cx, cy + half);
        });
        EXPECT_EQ(wrong, 0);
    }
}

TEST(Raster, TextsShowTheirStrokesAboutTheOriginPixelOfEachGlyph)
{
    // Each glyph is drawn from runs made once, at the whole pixel its origin
    // falls in: the picture is the glyph's strokes about that pixel's centre.
    const uint16_t codes[] = {'R', '7'};
    const double height = 24, charWidth = 15, gap = 3, stroke = 3;
    for (double angle : {0.0, 90.0, 30.0})
    for (bool mirror : {false, true}) {
        SCOPED_TRACE(angle);
        SCOPED_TRACE(mirror);
        Bitmap b;
        double x = 20.3, y = 30.6;
        RND_Text(&b.painter, codes, 2, x, y, height, charWidth, gap, angle, mirror, stroke, RGB(255, 255, 255));
        double a = angle * 3.14159265358979323846 / 180, ca = std::cos(a), sa = std::sin(a), m = mirror ? -1 : 1;
        double sx = charWidth / RND_FONT_CELL_W, sy = height / RND_FONT_CELL_H;
        int wrong = Mismatches(b, [&](double px, double py) {
            double best = -1e9;
            for (int i = 0; i < 2; ++i) {
                // The glyph's origin, on the board and in pixels (y downwards).
                double gx = x + m * (charWidth + gap) * i * ca, gy = y + m * (charWidth + gap) * i * sa;
                double ox = std::floor(gx) + 0.5, oy = std::floor(N - gy) + 0.5;
                int n = 0;
                const int8_t* g = RND_FontGlyph(codes[i], &n);
                bool down = false;
                double lx0 = 0, ly0 = 0;
                for (int k = 0; k < n; ++k) {
                    if (g[2 * k] == RND_FONT_PEN_UP) {
                        down = false;
                        continue;
                    }
                    double lx = g[2 * k] * sx * m, ly = g[2 * k + 1] * sy;
                    double qx = ox + lx * ca - ly * sa, qy = oy - (lx * sa + ly * ca);
                    if (down) best = std::max(best, stroke / 2 - SegmentDistance(px, py, lx0, ly0, qx, qy));
                    lx0 = qx;
                    ly0 = qy;
                    down = true;
                }
            }
            return best;
        });
        EXPECT_EQ(wrong, 0);
    }
    // Exclusive-ored, a text drawn twice leaves nothing, though its strokes
    // overlap where they meet: each pixel of a glyph is written once.
    Bitmap x;
    x.painter.mix = RND_MIX_XOR;
    for (int twice = 0; twice < 2; ++twice) {
        RND_Text(&x.painter, codes, 2, 20.3, 30.6, height, charWidth, gap, 0, false, stroke, RGB(9, 9, 9));
        if (twice == 0) {
            int drawn = 0;
            for (int yy = 0; yy < N; ++yy)
                for (int xx = 0; xx < N; ++xx) drawn += x.At(xx, yy) != 0;
            EXPECT_GT(drawn, 100);
        }
    }
    int left = 0;
    for (int yy = 0; yy < N; ++yy)
        for (int xx = 0; xx < N; ++xx) left += x.At(xx, yy) != 0;
    EXPECT_EQ(left, 0);
}

TEST(Raster, MixesOfOverlappingFigures)
{
    // ORed: two colours over each other give both; each alone where alone.
    Bitmap b;
    RND_Line(&b.painter, 4.5, 32.5, 60.5, 32.5, 6, false, RGB(255, 0, 0));
    RND_Line(&b.painter, 32.5, 4.5, 32.5, 60.5, 6, false, RGB(0, 0, 255));
    EXPECT_EQ(b.At(32, 31), 0xFF00FFu);
    EXPECT_EQ(b.At(10, 31), 0xFF0000u);
    EXPECT_EQ(b.At(32, 10), 0x0000FFu);

    // Exclusive-ored: the same figures again take everything away.
    Bitmap x;
    x.painter.mix = RND_MIX_XOR;
    for (int twice = 0; twice < 2; ++twice)
    for (double w : {2.0, 3.0, 5.0, 6.0, 7.0, 13.0}) {
        RND_Line(&x.painter, 3.3, 9.6, 58.2, 51.1, w, false, RGB(9, 9, 9));
        RND_Pad(&x.painter, 30.2, 30.6, w + 4, w + 4, 0, false, RGB(9, 9, 9));
    }
    int left = 0;
    for (int y = 0; y < N; ++y)
        for (int px = 0; px < N; ++px) left += x.At(px, y) != 0;
    EXPECT_EQ(left, 0);

    // Copied: the later figure wins, and black stays visible as almost black,
    // also over figures ORed in before (which are put off, then drawn first).
    Bitmap c;
    RND_Line(&c.painter, 4.5, 32.5, 60.5, 32.5, 6, false, RGB(0, 0, 255));
    c.painter.mix = RND_MIX_COPY;
    RND_Pad(&c.painter, 32, 32, 30, 30, 1, false, RGB(255, 255, 0));
    RND_Pad(&c.painter, 32, 32, 10, 10, 0, false, RGB(0, 0, 0));
    RND_SetMix(&c.painter, RND_MIX_OR);
    RND_Line(&c.painter, 40.5, 4.5, 40.5, 60.5, 4, false, RGB(255, 0, 0));
    EXPECT_EQ(c.At(31, 31), 0x010101u);
    EXPECT_EQ(c.At(20, 20), 0xFFFF00u);
    EXPECT_EQ(c.At(8, 31), 0x0000FFu);
    EXPECT_EQ(c.At(40, 31), 0xFFFF00u) << "ORed red over the copied yellow";
    EXPECT_EQ(c.At(40, 50), 0xFF0000u);
}

}  // namespace
