// The renderer's inside: off-screen surfaces, the painter that draws board
// figures into one, the stroke font and the spatial index of a design.
// Shared by the render_*.cpp files of the engine only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/qzt_draw.h"

// A 32-bit top-down DIB section with its memory device context.
struct RndSurface {
    HDC hdc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ oldBmp = nullptr;
    uint32_t* bits = nullptr;  // 0x00RRGGBB, top row first
    int width = 0, height = 0;
};

// Makes `s` at least `width` x `height` (it keeps its size when large enough
// and `exact` is false). False when the bitmap cannot be made.
bool RND_SurfaceEnsure(RndSurface* s, int width, int height, bool exact);
void RND_SurfaceFree(RndSurface* s);
// Clears a pixel rectangle of the surface to 0 (black, "nothing drawn").
void RND_SurfaceClear(RndSurface* s, RECT rc);

// ---- Runs ------------------------------------------------------------------------------

// A figure worked out once as runs of pixels, row by row, and drawn many
// times at whole-pixel places (the glyphs of texts).
struct RndRuns {
    int left = 0, top = 0;              // the first column and row, from the origin pixel
    int width = 0, height = 0;
    std::vector<int> rowStart;          // height + 1 entries into runs
    std::vector<int16_t> runs;          // first and last column of each run, from left
};

// A glyph as drawn at one size, angle and stroke width, in one view.
struct RndGlyphKey {
    unsigned code;
    double sx, sy, ca, sa, m, scaleX, scaleY, r;
    bool operator==(const RndGlyphKey& o) const
    {
        return code == o.code && sx == o.sx && sy == o.sy && ca == o.ca && sa == o.sa && m == o.m &&
               scaleX == o.scaleX && scaleY == o.scaleY && r == o.r;
    }
};
struct RndGlyphKeyHash {
    size_t operator()(const RndGlyphKey& k) const
    {
        size_t h = k.code;
        for (double v : {k.sx, k.sy, k.ca, k.sa, k.m, k.scaleX, k.scaleY, k.r}) {
            uint64_t bits;
            std::memcpy(&bits, &v, 8);
            h = (h ^ bits) * 0x100000001B3ull;
        }
        return h;
    }
};

// What drawing keeps from one figure to the next, one for each thread that
// draws: the rows of the last pad sizes and the runs of glyphs.
struct RndKept {
    struct Disc {
        double rx = -1, ry = -1;
        std::vector<int> half;
    };
    Disc discs[8];
    int nextDisc = 0;
    std::unordered_map<RndGlyphKey, RndRuns, RndGlyphKeyHash> glyphs;
};

// How figures reach the pixels.
enum RndMix {
    RND_MIX_OR,    // mixing display: colours of overlapping data are ORed
    RND_MIX_COPY,  // standard display: drawn opaque into a layer, composed later
    RND_MIX_XOR,   // highlights: drawing the same figure again removes it
};

// The painter: the view mapping and the GDI objects of one drawing pass.
struct RndPainter {
    RndSurface* surface = nullptr;
    RndMix mix = RND_MIX_COPY;
    // View: pixel x = (bx - originX) * sx, pixel y = (originY - by) * sy,
    // with sx and sy negative in mirrored views.
    double originX = 0, originY = 0;
    double scaleX = 1, scaleY = 1;  // pixels per board unit, signed
    double pixelsPerUnit = 1;       // absolute scale
    // Where the surface's pixel (0,0) lies in canvas pixels.
    int offsetX = 0, offsetY = 0;
    RECT clip = {};                 // surface pixels that may be drawn
    RECT touched = {};              // surface pixels drawn since RND_ResetTouched
    // GDI objects, kept while consecutive figures share them.
    HPEN pen = nullptr;
    COLORREF penColour = 0;
    int penWidth = -1, penStyle = -1;
    HBRUSH brush = nullptr;
    COLORREF brushColour = 0;
    HGDIOBJ oldPen = nullptr, oldBrush = nullptr;
    // Pens and brushes made during the pass, kept until its end: making a
    // geometric pen costs more than drawing a line with it.
    struct CachedPen {
        HPEN pen;
        COLORREF colour;
        int width, style;
    };
    struct CachedBrush {
        HBRUSH brush;
        COLORREF colour;
    };
    std::vector<CachedPen> pens;
    bool gdiPending = false;  // GDI drew since the last direct pixel write
    std::vector<CachedBrush> brushes;
    const uint32_t* palette = nullptr;  // 256 COLORREFs
    // The coverage: the pixels of figures of one colour to be ORed or copied
    // into the bitmap, a bit each, marked here first and coloured in by
    // RND_Flush. Lines of one level overlap a great deal, and a bit is set
    // for a fraction of what writing a pixel costs.
    std::vector<uint64_t> cover;
    int coverWords = 0;       // 64-bit words a row
    uint32_t coverColour = 0;
    RndMix coverMix = RND_MIX_OR;
    RECT coverBox = {};       // rows top..bottom-1, words left..right-1 marked; empty when none
    RndKept* kept = nullptr;  // this thread's
};

// Sets up a painter on `surface` for the view of `sc`; the surface's pixel
// (0,0) is canvas pixel (offsetX, offsetY).
void RND_PainterBegin(RndPainter* p, RndSurface* surface, const DisplaySC* sc, int offsetX,
                      int offsetY, RndMix mix, const uint32_t* palette);
void RND_PainterEnd(RndPainter* p);
void RND_ResetTouched(RndPainter* p);
// Colours in what the coverage holds. Done by RND_PainterEnd and
// RND_SetMix; whoever reads or copies the bitmap while a painter is still
// drawing on it flushes first.
void RND_Flush(RndPainter* p);
// Changes the painter's mix and GDI's raster operation with it.
void RND_SetMix(RndPainter* p, RndMix mix);

// A colour word of the design (bit 24 = palette entry) as a COLORREF.
COLORREF RND_Colour(const RndPainter* p, uint32_t word);
// The design palette: 256 COLORREFs.
const uint32_t* RND_Palette();
// Writes one pixel of the surface (a surface without bits is a window's
// device context) with the painter's mix.
void RND_PutPixel(RndPainter* p, int x, int y, COLORREF colour);

// Board point to surface pixel (double).
inline double RND_PX(const RndPainter* p, double bx) { return (bx - p->originX) * p->scaleX - p->offsetX; }
inline double RND_PY(const RndPainter* p, double by) { return (p->originY - by) * p->scaleY - p->offsetY; }

// Figures, in board units. Widths of 0 draw one pixel wide.
void RND_Line(RndPainter* p, double x1, double y1, double x2, double y2, double width,
              bool squareEnds, COLORREF colour);
// The outline of a wide line: its two sides and its two round or square ends.
void RND_LineOutline(RndPainter* p, double x1, double y1, double x2, double y2, double width,
                     bool squareEnds, COLORREF colour);
// An arc of the circle (cx, cy, r) from (x1, y1) to (x2, y2), counter-clockwise
// on the board when `ccw`, else clockwise; start = end draws the whole circle.
void RND_Arc(RndPainter* p, double cx, double cy, double r, double x1, double y1, double x2,
             double y2, bool ccw, double width, COLORREF colour);
// A pad: shape 0, 2, 4, 6 round (width x height: an oblong), 1, 3, 5, 7 and
// 8 rectangular; `outline` draws its edge only.
void RND_Pad(RndPainter* p, double x, double y, double w, double h, int shape, bool outline,
             COLORREF colour);
// A thermal: a ring of outer and inner size cut by four gaps of `gap`,
// straight (shapes 4, 5) or turned by 45 degrees (shapes 6, 7).
void RND_Thermal(RndPainter* p, double x, double y, double outer, double inner, double gap,
                 int shape, COLORREF colour);
// A filled circle (holes).
void RND_Disc(RndPainter* p, double x, double y, double diameter, COLORREF colour);
// Polygons given as rings of board points (the first ring the outline, the
// others holes), filled with the even-odd rule and/or outlined.
struct RndRing {
    std::vector<POINT> pts;  // filled in by RND_AddRingPoint, in pixels
};
void RND_AddRingPoint(const RndPainter* p, RndRing* ring, double bx, double by);
void RND_Polygon(RndPainter* p, std::vector<RndRing>& rings, bool fill, COLORREF fillColour,
                 bool outline, double outlineWidth, bool dashed, COLORREF outlineColour);
// One dot where a figure is smaller than a pixel.
void RND_Dot(RndPainter* p, double bx, double by, COLORREF colour);

// Makes the runs of lines of radius r with round ends; segs holds x1, y1,
// x2, y2 of each line in pixels from the origin pixel's corner. False when
// the figure is too large to keep as runs.
bool RND_MakeRuns(RndRuns* out, const double* segs, int count, double r);
// Draws runs with their origin pixel at (x, y), each pixel once.
void RND_DrawRuns(RndPainter* p, const RndRuns& runs, int x, int y, COLORREF colour);

// ---- Stroke font "TEXT" ----------------------------------------------------------

// Strokes of one character on a grid of RND_FONT_CELL_W x RND_FONT_CELL_H
// (baseline at 0, cap height RND_FONT_CELL_H): pairs of points, x = 45
// lifting the pen. Unknown characters give a box.
constexpr int RND_FONT_CELL_W = 20;
constexpr int RND_FONT_CELL_H = 30;
constexpr int RND_FONT_PEN_UP = 45;
// The points of `code` (16-bit character code) as x, y pairs; n pairs.
const int8_t* RND_FontGlyph(unsigned code, int* n);

// Draws a text: `codes` from the origin (x, y), character height `height`,
// character cell width `charWidth`, gap `gap` between cells, angle in
// degrees, mirrored when `mirror`.
void RND_Text(RndPainter* p, const uint16_t* codes, int count, double x, double y, double height,
              double charWidth, double gap, double angleDeg, bool mirror, double strokeWidth,
              COLORREF colour);

// ---- Composing ---------------------------------------------------------------------

// Blends every drawn (non-zero) pixel of `layer` inside `rc` over `target`
// with opacity `alpha` (0..1) and clears it in the layer.
void RND_ComposeLayer(RndSurface* target, RndSurface* layer, RECT rc, float alpha);
