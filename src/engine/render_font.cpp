// The stroke font "TEXT": the engine's own simple font of single strokes on a
// five by seven grid, used for every text of the display. Lower-case letters
// take their capitals; a character the font lacks is drawn as a box, so that
// a text never silently loses characters on the screen.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "engine/render_internal.h"

namespace {

struct GlyphSource {
    char code;
    const char* strokes;  // points "xy" on the 5 x 7 grid, strokes split by '|'
};

// clang-format off
const GlyphSource kGlyphs[] = {
    {'0', "10 01 05 16 36 45 41 30 10|01 45"},
    {'1', "15 26 20|10 30"},
    {'2', "05 16 36 45 44 00 40"},
    {'3', "05 16 36 45 44 33 13|33 42 41 30 10 01"},
    {'4', "30 36 02 42"},
    {'5', "46 06 04 34 43 41 30 10 01"},
    {'6', "45 36 16 05 01 10 30 41 42 33 03"},
    {'7', "06 46 10"},
    {'8', "13 04 05 16 36 45 44 33 13 02 01 10 30 41 42 33"},
    {'9', "01 10 30 41 45 36 16 05 04 13 43"},
    {'A', "00 04 26 44 40|03 43"},
    {'B', "00 06 36 45 44 33 03|33 42 41 30 00"},
    {'C', "45 36 16 05 01 10 30 41"},
    {'D', "00 06 26 44 42 20 00"},
    {'E', "40 00 06 46|03 33"},
    {'F', "00 06 46|03 33"},
    {'G', "45 36 16 05 01 10 30 41 43 23"},
    {'H', "00 06|40 46|03 43"},
    {'I', "10 30|20 26|16 36"},
    {'J', "01 10 20 31 36|16 46"},
    {'K', "00 06|46 02|13 40"},
    {'L', "06 00 40"},
    {'M', "00 06 23 46 40"},
    {'N', "00 06 40 46"},
    {'O', "10 01 05 16 36 45 41 30 10"},
    {'P', "00 06 36 45 44 33 03"},
    {'Q', "10 01 05 16 36 45 41 30 10|22 40"},
    {'R', "00 06 36 45 44 33 03|23 40"},
    {'S', "45 36 16 05 04 13 33 42 41 30 10 01"},
    {'T', "06 46|20 26"},
    {'U', "06 01 10 30 41 46"},
    {'V', "06 20 46"},
    {'W', "06 10 23 30 46"},
    {'X', "00 46|06 40"},
    {'Y', "06 23 46|23 20"},
    {'Z', "06 46 00 40"},
    {' ', ""},
    {'.', "10 20 21 11 10"},
    {',', "21 20 10"},
    {'-', "03 43"},
    {'+', "03 43|21 25"},
    {'_', "00 40"},
    {'/', "00 46"},
    {'\\', "06 40"},
    {':', "21 22|24 25"},
    {';', "24 25|22 21 10"},
    {'(', "36 24 22 30"},
    {')', "16 24 22 10"},
    {'[', "36 16 10 30"},
    {']', "16 36 30 10"},
    {'=', "02 42|04 44"},
    {'*', "11 35|15 31|03 43"},
    {'#', "10 16|30 36|02 42|04 44"},
    {'!', "26 22|20 21"},
    {'?', "05 16 36 45 44 23 22|20 21"},
    {'\'', "26 24"},
    {'"', "16 14|36 34"},
    {'<', "46 03 40"},
    {'>', "06 43 00"},
    {'%', "00 46|05 16|41 30"},
    {'^', "04 26 44"},
    {'$', "45 36 16 05 04 13 33 42 41 30 10 01|26 20"},
};
// clang-format on

const char kBox[] = "00 06 46 40 00";

constexpr int kMaxPairs = 40;
struct Glyph {
    int n = 0;
    int8_t pairs[kMaxPairs * 2] = {};
};

void Compile(const char* src, Glyph* g)
{
    g->n = 0;
    for (const char* s = src; *s && g->n < kMaxPairs - 1;) {
        if (*s == ' ') {
            ++s;
            continue;
        }
        if (*s == '|') {
            g->pairs[2 * g->n] = RND_FONT_PEN_UP;
            g->pairs[2 * g->n + 1] = 0;
            ++g->n;
            ++s;
            continue;
        }
        if (!s[1]) break;
        g->pairs[2 * g->n] = (int8_t)((s[0] - '0') * (RND_FONT_CELL_W / 4));
        g->pairs[2 * g->n + 1] = (int8_t)((s[1] - '0') * (RND_FONT_CELL_H / 6));
        ++g->n;
        s += 2;
    }
}

// The compiled glyphs, made once on first use (a function's static: after
// the first call, finding it costs one load, not a lock).
struct Font {
    Glyph table[128];
    Glyph box;
    Font()
    {
        for (const GlyphSource& src : kGlyphs) Compile(src.strokes, &table[(unsigned char)src.code]);
        Compile(kBox, &box);
        for (int c = 'a'; c <= 'z'; ++c) table[c] = table[c - 'a' + 'A'];
    }
    bool Known(unsigned code) const
    {
        if (code >= 128) return false;
        if (code == ' ') return true;
        return table[code].n > 0;
    }
};

const Font& TheFont()
{
    static const Font font;
    return font;
}

// Calls stroke(x1, y1, x2, y2) for each stroke of a glyph, its points
// placed by point(grid x, grid y, &x, &y).
template <class Point, class Stroke>
void ForEachStroke(unsigned code, Point point, Stroke stroke)
{
    int n = 0;
    const int8_t* g = RND_FontGlyph(code, &n);
    bool down = false;
    double px = 0, py = 0;
    for (int k = 0; k < n; ++k) {
        if (g[2 * k] == RND_FONT_PEN_UP) {
            down = false;
            continue;
        }
        double x, y;
        point(g[2 * k], g[2 * k + 1], &x, &y);
        if (down) stroke(px, py, x, y);
        px = x;
        py = y;
        down = true;
    }
}

// The runs of a glyph whose origin stands at the centre of its origin
// pixel, made on first use and kept (a text of one text line shows the same
// few glyphs again and again); null when the glyph is too large to keep.
const RndRuns* GlyphRuns(RndKept* keep, const RndGlyphKey& key)
{
    auto& kept = keep->glyphs;
    auto it = kept.find(key);
    if (it != kept.end()) return it->second.height > 0 ? &it->second : nullptr;
    if (kept.size() > 4096) kept.clear();
    std::vector<double> segs;
    ForEachStroke(
        key.code,
        [&](int gx, int gy, double* x, double* y) {
            double lx = gx * key.sx * key.m, ly = gy * key.sy;
            *x = 0.5 + (lx * key.ca - ly * key.sa) * key.scaleX;
            *y = 0.5 - (lx * key.sa + ly * key.ca) * key.scaleY;
        },
        [&](double x1, double y1, double x2, double y2) { segs.insert(segs.end(), {x1, y1, x2, y2}); });
    RndRuns& runs = kept[key];
    if (segs.empty() || !RND_MakeRuns(&runs, segs.data(), (int)segs.size() / 4, key.r)) runs = RndRuns{};
    return runs.height > 0 ? &runs : nullptr;
}

}  // namespace

const int8_t* RND_FontGlyph(unsigned code, int* n)
{
    const Font& font = TheFont();
    const Glyph& g = font.Known(code) ? font.table[code] : font.box;
    *n = g.n;
    return g.pairs;
}

void RND_Text(RndPainter* p, const uint16_t* codes, int count, double x, double y, double height,
              double charWidth, double gap, double angleDeg, bool mirror, double strokeWidth,
              COLORREF colour)
{
    if (count <= 0 || height <= 0) return;
    if (charWidth <= 0) charWidth = height * 0.6;
    double advance = charWidth + gap;
    double a = angleDeg * 3.14159265358979323846 / 180.0;
    double ca = std::cos(a), sa = std::sin(a);
    double m = mirror ? -1.0 : 1.0;
    auto place = [&](double lx, double ly, double* bx, double* by) {
        lx *= m;
        *bx = x + lx * ca - ly * sa;
        *by = y + lx * sa + ly * ca;
    };
    double hpx = height * p->pixelsPerUnit;
    if (hpx < 4.0) {
        // Too small to read: a bar along the baseline shows where the text is.
        double x1, y1, x2, y2;
        place(0, height * 0.5, &x1, &y1);
        place(advance * count - gap, height * 0.5, &x2, &y2);
        RND_Line(p, x1, y1, x2, y2, hpx < 1.5 ? 0 : height * 0.5, false, colour);
        return;
    }
    double sx = charWidth / RND_FONT_CELL_W, sy = height / RND_FONT_CELL_H;
    double r = std::max(strokeWidth * p->pixelsPerUnit, 1.0) / 2;
    for (int i = 0; i < count; ++i) {
        if (p->surface->bits && codes[i] != ' ') {
            // Drawn from its runs at the whole pixel its origin falls in.
            RndGlyphKey key = {codes[i], sx, sy, ca, sa, m, p->scaleX, p->scaleY, r};
            if (const RndRuns* runs = GlyphRuns(p->kept, key)) {
                double gx, gy;
                place(advance * i, 0, &gx, &gy);
                int ox = (int)std::floor(std::clamp(RND_PX(p, gx), -1e8, 1e8));
                int oy = (int)std::floor(std::clamp(RND_PY(p, gy), -1e8, 1e8));
                RND_DrawRuns(p, *runs, ox, oy, colour);
                continue;
            }
        }
        double ox = advance * i;
        ForEachStroke(
            codes[i], [&](int gx, int gy, double* x, double* y) { place(ox + gx * sx, gy * sy, x, y); },
            [&](double x1, double y1, double x2, double y2) { RND_Line(p, x1, y1, x2, y2, strokeWidth, false, colour); });
    }
}
