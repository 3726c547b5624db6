// Drawing a design: the walk over levels, element classes and data pages,
// with the view rectangle as the cull. A page whose box (kept by the store as
// records are added, widened here by the largest line, pad and text of the
// design) misses the view is never opened; within a page each record is
// tested against the view. Figures smaller than a pixel become dots, and a
// whole page that falls into one pixel becomes one dot.
//
// Two ways of putting the figures together:
//  - mixing (the older display): every figure ORed into the picture, fills
//    as outlines only (broken or solid), holes punched last;
//  - standard: levels in the order of their layer numbers, each element
//    class of a level drawn opaque into a layer and then blended over the
//    picture with the class's opacity; fills solid.
#include "engine/render_design.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <unordered_map>

#include "engine/store.h"
#include "platform/layout_fill.h"
#include "platform/layout_line.h"
#include "platform/layout_part.h"
#include "platform/layout_text.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_display.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kHoleColour = RGB(0, 0, 0);

// Element classes, each composed with its own opacity in the standard display.
enum Cls { CL_FILL_SOLID, CL_FILL_OUTLINE, CL_LINE_SOLID, CL_LINE_OUTLINE, CL_PAD, CL_THERMAL, CL_HOLE, CL_TEXT, CL_COUNT };

float ClassAlpha(int cls)
{
    switch (cls) {
    case CL_FILL_SOLID: return D2D_GetALPHA_NURIKOMI_SOLID();
    case CL_FILL_OUTLINE: return D2D_GetALPHA_NURIKOMI_OUTLINE();
    case CL_LINE_SOLID: return D2D_GetALPHA_LINE_SOLID();
    case CL_LINE_OUTLINE: return D2D_GetALPHA_LINE_OUTLINE();
    case CL_PAD: return D2D_GetALPHA_VIA();
    case CL_THERMAL: return D2D_GetALPHA_THERMAL();
    case CL_HOLE: return D2D_GetALPHA_HOLE();
    default: return D2D_GetALPHA_STRING();
    }
}

// A placement: board point = origin + rotate(mirror(local)).
struct Place {
    bool identity = true;
    double ox = 0, oy = 0, ca = 1, sa = 0;
    bool mirror = false;
    void Apply(double lx, double ly, double* bx, double* by) const
    {
        if (identity) {
            *bx = lx;
            *by = ly;
            return;
        }
        if (mirror) lx = -lx;
        *bx = ox + lx * ca - ly * sa;
        *by = oy + lx * sa + ly * ca;
    }
};

struct Scene {
    DdmContext* ctx = nullptr;
    const LevelTable* levels = nullptr;
    const LineTable* lineTbl = nullptr;
    const LineTable* fillTbl = nullptr;
    const TextLineTable* textTbl = nullptr;
    const SizeTable* sizes = nullptr;
    const ViaTable* vias = nullptr;
    const HoleTable* holes = nullptr;
    const DisplaySettings* disp = nullptr;
    const EnvRecord* env = nullptr;
    RndPainter* p = nullptr;
    bool standard = false;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;  // the visible board box
    double upp = 1;                                 // board units per pixel
    double lineMargin = 0, padMargin = 0, textMargin = 0;
    bool viaSlots = false;  // the VIA table names display slots
    // The mixing display draws the pads of a VIA or pin on every level at
    // once (see DrawViasAtOnce), not level by level.
    bool viasAtOnce = false;
    // The pages of each selection whose box meets the view, gathered at the
    // first pass over them: the later passes of the other levels and
    // element classes walk only these.
    std::unordered_map<int64_t, std::vector<void*>>* pageCache = nullptr;
};

// ---- Tables -----------------------------------------------------------------------

COLORREF LevelColour(const Scene& s, int level)
{
    if (level < 0 || level > TBL_MAX_LEVEL) return RGB(255, 255, 255);
    uint32_t c = s.levels->extra[level].color;
    if (c & 0x01000000u) return RND_Colour(s.p, c);
    if (c == 0) return RND_Colour(s.p, 0x01000000u | (uint32_t)(1 + (level - 1) % 15));
    if (c < 256) return RND_Colour(s.p, 0x01000000u | c);
    return c & 0xFFFFFF;
}

bool LevelShown(const Scene& s, int level)
{
    return level >= 0 && level <= TBL_MAX_LEVEL && s.levels->extra[level].dispSts >= 0;
}

const LineEntry* LineEntryOf(const LineTable* t, int n)
{
    return n >= 0 && n <= TBL_MAX_LINE ? &t->entry[n] : nullptr;
}

const SizeEntry* SizeOf(const Scene& s, uint32_t apt)
{
    apt &= 0x0FFFFFFF;
    if (apt == 0 || apt > (uint32_t)TBL_MAX_SIZE) return nullptr;
    const SizeEntry* e = &s.sizes->entry[apt];
    return e->outX > 0 ? e : nullptr;
}

int SwapLevel(const Scene& s, int level)
{
    if (level < 1 || level > TBL_MAX_LEVEL) return level;
    int w = s.levels->extra[level].swapLevel;
    return w > 0 ? w : level;
}

void Margins(Scene* s)
{
    int32_t line = 0, pad = 0, text = 0;
    for (int n = 1; n <= TBL_MAX_LINE; ++n) line = std::max({line, s->lineTbl->entry[n].width, s->fillTbl->entry[n].width});
    for (int n = 1; n <= TBL_MAX_SIZE; ++n) pad = std::max({pad, s->sizes->entry[n].outX, s->sizes->entry[n].outY});
    for (int n = 1; n <= TBL_MAX_HOLE; ++n) pad = std::max({pad, s->holes->entry[n].sizeX, s->holes->entry[n].sizeY});
    for (int n = 1; n <= TBL_MAX_TEXTLINE; ++n) text = std::max(text, s->textTbl->entry[n].width);
    s->lineMargin = line / 2.0 + 1;
    s->padMargin = pad / 2.0 + 1;
    // A text's box in its page is its origin and corners; corners may be
    // missing, so a page of texts reaches a little beyond its box.
    s->textMargin = std::max(2000000.0, text * 2.0);
    for (int k = 0; k < 6; ++k)
        if (s->vias->dspLevel[k] > 0) s->viaSlots = true;
}

// ---- Culling ----------------------------------------------------------------------

bool BoxVisible(const Scene& s, double x1, double y1, double x2, double y2, double margin)
{
    return x2 + margin >= s.minX && x1 - margin <= s.maxX && y2 + margin >= s.minY && y1 - margin <= s.maxY;
}

// The pages of each selection with their boxes, kept from one drawing to
// the next while the store's pages do not change: finding the pages in view
// then reads a short array instead of the header of every page of the
// design, scattered over the work space. One for each thread that draws.
struct PageBox {
    int32_t area[4];  // area[0] > area[2]: the page keeps no box
    void* page;
};
struct PageIndex {
    uint64_t changes = ~0ull;
    std::unordered_map<int64_t, std::vector<PageBox>> lists;
};

const std::vector<PageBox>& IndexedPages(int64_t k, int code, int selector, int key)
{
    static thread_local PageIndex index;
    uint64_t now = store::PageChanges();
    if (index.changes != now) {
        index.lists.clear();
        index.changes = now;
    }
    auto it = index.lists.find(k);
    if (it != index.lists.end()) return it->second;
    std::vector<PageBox> v;
    for (void* pg = dam_NextPage(nullptr, code, selector, key); pg; pg = dam_NextPage(pg, code, selector, key)) {
        const DataPageHeader* h = (const DataPageHeader*)pg;
        v.push_back({{h->area[0], h->area[1], h->area[2], h->area[3]}, pg});
    }
    return index.lists[k] = std::move(v);
}

// The pages of a selection that may hold something visible.
const std::vector<void*>& Pages(const Scene& s, int code, int selector, int key, double margin)
{
    static thread_local std::vector<void*> uncached;
    int64_t k = ((int64_t)code << 40) | ((int64_t)selector << 32) | (uint32_t)key;
    if (s.pageCache) {
        auto it = s.pageCache->find(k);
        if (it != s.pageCache->end()) return it->second;
    }
    std::vector<void*> v;
    for (const PageBox& b : IndexedPages(k, code, selector, key)) {
        if (b.area[0] <= b.area[2] && !BoxVisible(s, b.area[0], b.area[1], b.area[2], b.area[3], margin)) continue;
        const DataPageHeader* h = (const DataPageHeader*)b.page;
        if (h->count <= 0 || (h->status & PS_SKIP)) continue;
        v.push_back(b.page);
    }
    if (!s.pageCache) {
        uncached = std::move(v);
        return uncached;
    }
    return (*s.pageCache)[k] = std::move(v);
}

// Whether a page may hold something visible; a page that fits in one pixel
// is drawn as one dot here and reported as done.
bool PageWorthOpening(const Scene& s, const void* page, double margin, COLORREF dotColour, bool dotAllowed)
{
    const DataPageHeader* h = (const DataPageHeader*)page;
    if (h->count <= 0 || (h->status & PS_SKIP)) return false;
    if (h->area[0] > h->area[2]) return true;  // no box kept: open it
    if (!BoxVisible(s, h->area[0], h->area[1], h->area[2], h->area[3], margin)) return false;
    if (dotAllowed && (h->area[2] - h->area[0] + 2 * margin) < s.upp && (h->area[3] - h->area[1] + 2 * margin) < s.upp) {
        RND_Dot(s.p, (h->area[0] + h->area[2]) / 2.0, (h->area[1] + h->area[3]) / 2.0, dotColour);
        return false;
    }
    return true;
}

// ---- Lines and arcs ------------------------------------------------------------------

void DrawLineRecord(const Scene& s, const LineRecord* r, int cls, COLORREF colour, const Place& pl)
{
    const LineEntry* e = LineEntryOf(s.lineTbl, r->lineNo);
    double width = e ? e->width : 0;
    bool square = e && e->tanten != 0;
    int mode = s.disp->lineDispMode;
    if (mode == 0) return;
    int own = e && e->dispMode ? e->dispMode : 3;
    bool outline = mode == 2 || own == 2;
    if (own == 1) width = 0;
    if (outline != (cls == CL_LINE_OUTLINE)) return;
    if (r->status & ES_SELECTED) colour = kHighlight;
    double x1, y1, x2, y2;
    pl.Apply(r->x1, r->y1, &x1, &y1);
    pl.Apply(r->x2, r->y2, &x2, &y2);
    if (r->code == FC_ARC_CW || r->code == FC_ARC_CCW) {
        double cx, cy;
        pl.Apply(r->cx, r->cy, &cx, &cy);
        double rad = r->radius ? std::fabs((double)r->radius) : std::hypot(x1 - cx, y1 - cy);
        if (!BoxVisible(s, cx - rad, cy - rad, cx + rad, cy + rad, width / 2 + 1)) return;
        bool ccw = (r->code == FC_ARC_CCW) != pl.mirror;
        if (outline) {
            RND_Arc(s.p, cx, cy, rad + width / 2, x1, y1, x2, y2, ccw, 0, colour);
            if (rad > width / 2) RND_Arc(s.p, cx, cy, rad - width / 2, x1, y1, x2, y2, ccw, 0, colour);
        } else {
            RND_Arc(s.p, cx, cy, rad, x1, y1, x2, y2, ccw, width, colour);
        }
        return;
    }
    if (!BoxVisible(s, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), width / 2 + 1)) return;
    if (outline)
        RND_LineOutline(s.p, x1, y1, x2, y2, width, square, colour);
    else
        RND_Line(s.p, x1, y1, x2, y2, width, square, colour);
}

void DrawLinePages(const Scene& s, int code, int level, int cls, COLORREF colour)
{
    Place none;
    for (void* pg : Pages(s, code, DAM_SEL_LEVEL, level, s.lineMargin)) {
        if (!PageWorthOpening(s, pg, s.lineMargin, colour, cls == CL_LINE_SOLID)) continue;
        const DataPageHeader* h = (const DataPageHeader*)pg;
        for (int i = 0; i < h->count; ++i) {
            const LineRecord* r = (const LineRecord*)PageRecord(pg, i, 60);
            if (r->status & ES_DELETED) continue;
            DrawLineRecord(s, r, cls, colour, none);
        }
    }
}

// ---- Pads: VIAs, pins and flashes ---------------------------------------------------------

// The pad of VIA number `viaNo` on `level`, 0 when it has none there.
const SizeEntry* PadOf(const Scene& s, int viaNo, int level, const ViaDef** defOut)
{
    if (viaNo < 0 || viaNo > TBL_MAX_VIA) return nullptr;
    const ViaDef* def = &s.vias->def[viaNo];
    *defOut = def;
    if (level < 0 || level > TBL_MAX_LEVEL) return nullptr;
    int idx = s.levels->entry[level].viaLayer;
    if (idx < 0 || idx > VIA_LAYERS) return nullptr;
    return SizeOf(s, def->apt[idx]);
}

void DrawPad(const Scene& s, double x, double y, const SizeEntry* size, int cls, COLORREF colour, bool highlight)
{
    if (highlight) colour = kHighlight;
    int shape = size->shape;
    int klass = (int)((size->flags >> 2) & 7);
    if (klass == 3) return;  // a clearance shows nothing
    bool thermal = klass == 2 || (shape >= 4 && shape <= 7);
    if (thermal) {
        if (cls != CL_THERMAL) return;
        if (s.disp->thermalDispMode1 == 0) {
            double h = size->outX / 2.0;
            RND_Line(s.p, x - h, y, x + h, y, 0, false, colour);
            RND_Line(s.p, x, y - h, x, y + h, 0, false, colour);
            return;
        }
        RND_Thermal(s.p, x, y, size->outX, size->inX, size->word16, shape, colour);
        return;
    }
    if (cls != CL_PAD) return;
    if (shape > 8) return;
    int mode = s.disp->viaDispMode;
    if (mode == 0) return;
    RND_Pad(s.p, x, y, size->outX, size->outY, shape, mode == 1, colour);
}

void DrawHole(const Scene& s, double x, double y, const ViaDef* def, bool mixing)
{
    uint32_t drill = def->drillNo;
    if (drill < 1 || drill > (uint32_t)TBL_MAX_HOLE) return;
    const HoleEntry& e = s.holes->entry[drill];
    if (e.sizeX <= 0) return;
    int shape = (e.kindShape >> 8) & 0xF;
    bool outline = s.env->own.holeDispMode == 1;
    COLORREF c = mixing ? kHoleColour : RGB(1, 1, 1);
    RND_Pad(s.p, x, y, e.sizeX, e.sizeY > 0 ? e.sizeY : e.sizeX, shape == 1 ? 1 : 0, outline, c);
}

// Draws the pads (or holes) of VIA-like records of one page kind on `level`.
// `pageLevel`: VIAs of pages of this level only (-1: every page).
void DrawPadPages(const Scene& s, int code, int level, int pageLevel, int cls, COLORREF colour)
{
    int sel = pageLevel >= 0 ? DAM_SEL_LEVEL : DAM_SEL_ALL;
    for (void* pg : Pages(s, code, sel, pageLevel, s.padMargin)) {
        if (!PageWorthOpening(s, pg, s.padMargin, colour, cls == CL_PAD)) continue;
        const DataPageHeader* h = (const DataPageHeader*)pg;
        for (int i = 0; i < h->count; ++i) {
            const ViaRecord* r = (const ViaRecord*)PageRecord(pg, i, 60);
            if (r->status & ES_DELETED) continue;
            if (!BoxVisible(s, r->x, r->y, r->x, r->y, s.padMargin)) continue;
            int padLevel = (r->status & ES_OTHER_SIDE) ? SwapLevel(s, level) : level;
            const ViaDef* def = nullptr;
            const SizeEntry* size = PadOf(s, r->viaNo, padLevel, &def);
            if (cls == CL_HOLE) {
                if (def && size) DrawHole(s, r->x, r->y, def, false);
                continue;
            }
            if (size) DrawPad(s, r->x, r->y, size, cls, colour, (r->status & ES_SELECTED) != 0);
        }
    }
}

void DrawFlashPages(const Scene& s, int code, int level, int cls, COLORREF colour)
{
    for (void* pg : Pages(s, code, DAM_SEL_LEVEL, level, s.padMargin)) {
        if (!PageWorthOpening(s, pg, s.padMargin, colour, cls == CL_PAD)) continue;
        const DataPageHeader* h = (const DataPageHeader*)pg;
        for (int i = 0; i < h->count; ++i) {
            const uint8_t* rec = PageRecord(pg, i, 60);
            uint32_t status;
            uint16_t sizeNo;
            int32_t x, y;
            std::memcpy(&status, rec, 4);
            std::memcpy(&sizeNo, rec + 6, 2);
            std::memcpy(&x, rec + 14, 4);
            std::memcpy(&y, rec + 18, 4);
            if (status & ES_DELETED) continue;
            const SizeEntry* size = SizeOf(s, sizeNo);
            if (size && BoxVisible(s, x, y, x, y, s.padMargin)) DrawPad(s, x, y, size, cls, colour, (status & ES_SELECTED) != 0);
        }
    }
}

// ---- Fills -----------------------------------------------------------------------------

void ArcPoints(const RndPainter* p, RndRing* ring, double cx, double cy, double r, double x1, double y1,
               double x2, double y2, bool ccw)
{
    double a1 = std::atan2(y1 - cy, x1 - cx), a2 = std::atan2(y2 - cy, x2 - cx);
    double span = ccw ? a2 - a1 : a1 - a2;
    while (span <= 1e-12) span += 2 * kPi;
    double rp = r * p->pixelsPerUnit;
    double step = rp > 1 ? 2 * std::acos(std::max(0.0, 1.0 - 0.25 / rp)) : kPi / 4;
    int n = std::clamp((int)std::ceil(span / std::max(step, 1e-4)), 2, 720);
    for (int i = 1; i <= n; ++i) {
        double a = a1 + (ccw ? 1 : -1) * span * i / n;
        RND_AddRingPoint(p, ring, cx + r * std::cos(a), cy + r * std::sin(a));
    }
}

// The figures of a fill page as rings of pixels.
void FillRings(const Scene& s, const void* pg, const Place& pl, std::vector<RndRing>* rings, int* lineNo)
{
    const DataPageHeader* h = (const DataPageHeader*)pg;
    int n = std::min(h->count, (int)((h->byteSize - PAGE_HEADER_SIZE) / FILL_ENTRY_SIZE));
    int i = 0;
    *lineNo = 0;
    while (i < n) {
        const FillHead* head = (const FillHead*)PageRecord((void*)pg, i, FILL_ENTRY_SIZE);
        if (head->kind != FK_FIRST_FIGURE && head->kind != FK_NEXT_FIGURE) {
            ++i;
            continue;
        }
        if (head->kind == FK_FIRST_FIGURE) *lineNo = head->lineNo;
        int points = std::clamp(head->points, 0, n - i - 1);
        RndRing ring;
        double ox = head->ox, oy = head->oy;
        const FillPoint* pts = (const FillPoint*)PageRecord((void*)pg, i + 1, FILL_ENTRY_SIZE);
        if (points == 3 && (pts[2].kind == FK_ARC_CW || pts[2].kind == FK_ARC_CCW)) {
            // A circle: centre and radius in the third entry.
            double cx, cy;
            pl.Apply(ox + pts[2].x, oy + pts[2].y, &cx, &cy);
            double r = std::fabs((double)pts[2].radius);
            RND_AddRingPoint(s.p, &ring, cx + r, cy);
            ArcPoints(s.p, &ring, cx, cy, r, cx + r, cy, cx + r, cy, true);
        } else {
            double curX = 0, curY = 0;
            bool haveCur = false;
            for (int k = 0; k < points; ++k) {
                const FillPoint& fp = pts[k];
                double bx, by;
                if (fp.kind == FK_ARC_CW || fp.kind == FK_ARC_CCW) {
                    // The centre; the arc runs from the current point to the next point.
                    if (k + 1 >= points || !haveCur) continue;
                    double cx, cy, ex, ey;
                    pl.Apply(ox + fp.x, oy + fp.y, &cx, &cy);
                    pl.Apply(ox + pts[k + 1].x, oy + pts[k + 1].y, &ex, &ey);
                    double r = fp.radius ? std::fabs((double)fp.radius) : std::hypot(curX - cx, curY - cy);
                    bool ccw = (fp.kind == FK_ARC_CCW) != pl.mirror;
                    ArcPoints(s.p, &ring, cx, cy, r, curX, curY, ex, ey, ccw);
                    curX = ex;
                    curY = ey;
                    ++k;  // the end point is consumed
                    continue;
                }
                pl.Apply(ox + fp.x, oy + fp.y, &bx, &by);
                RND_AddRingPoint(s.p, &ring, bx, by);
                curX = bx;
                curY = by;
                haveCur = true;
            }
        }
        if (ring.pts.size() >= 3) rings->push_back(std::move(ring));
        i += std::max(1, std::max(head->entries, points + 1));
    }
}

void DrawFillPage(const Scene& s, const void* pg, int cls, COLORREF colour, const Place& pl)
{
    int mode = s.disp->planeDispMode;
    if (mode == 0) return;
    std::vector<RndRing> rings;
    int lineNo = 0;
    FillRings(s, pg, pl, &rings, &lineNo);
    if (rings.empty()) return;
    const LineEntry* e = LineEntryOf(s.fillTbl, lineNo);
    double width = e ? e->width : 0;
    if (((const DataPageHeader*)pg)->status & PS_DISPLAY_MARK) colour = kHighlight;
    if (!s.standard) {
        // The older display: outlines only, broken when the mode says so.
        RND_Polygon(s.p, rings, false, 0, true, width, mode == 2, colour);
        return;
    }
    if (cls == CL_FILL_SOLID)
        RND_Polygon(s.p, rings, true, colour, false, 0, false, 0);
    else
        RND_Polygon(s.p, rings, false, 0, true, width, false, colour);
}

void DrawFillPages(const Scene& s, int level, int cls, COLORREF colour)
{
    Place none;
    for (void* pg : Pages(s, DCODE_FILL, DAM_SEL_LEVEL, level, s.lineMargin)) {
        if (!PageWorthOpening(s, pg, s.lineMargin, colour, true)) continue;
        DrawFillPage(s, pg, cls, colour, none);
    }
}

// ---- Texts --------------------------------------------------------------------------------

void DrawTextRecord(const Scene& s, const TextRecord* r, COLORREF colour, const Place& pl, int32_t partAngle)
{
    if (s.disp->textDispMode == 0) return;
    const TextLineEntry* e = r->textLineNo <= (uint32_t)TBL_MAX_TEXTLINE ? &s.textTbl->entry[r->textLineNo] : nullptr;
    double height = r->height > 0 ? r->height : (e ? e->height : 0);
    if (height <= 0) return;
    double scale = e && e->widthScale > 0 ? e->widthScale : 1.0;
    double charWidth = r->width > 0 ? r->width : height * 0.6 * scale;
    double gap = e ? e->fontGap : 0;
    double stroke = e && e->dispMode != 1 ? e->width : 0;
    int count = std::clamp<int>(r->charCount, 0, TEXT_MAX_CHARS);
    double length = count * (charWidth + gap);
    double x, y;
    pl.Apply(r->x, r->y, &x, &y);
    double reach = length + height + stroke;  // beyond the diagonal, without a library call
    if (!BoxVisible(s, x - reach, y - reach, x + reach, y + reach, 0)) return;
    double angle = (r->angle >> 8) / 1000.0 + (pl.identity ? 0 : (partAngle >> 8) / 1000.0);
    bool mirror = ((r->angle & 1) != 0) != pl.mirror;
    if (r->status & ES_SELECTED) colour = kHighlight;
    RND_Text(s.p, r->chars, count, x, y, height, charWidth, gap, angle, mirror, stroke, colour);
}

void DrawTextPages(const Scene& s, int level, COLORREF colour)
{
    Place none;
    for (void* pg : Pages(s, DCODE_TEXT, DAM_SEL_LEVEL, level, s.textMargin)) {
        if (!PageWorthOpening(s, pg, s.textMargin, colour, true)) continue;
        const DataPageHeader* h = (const DataPageHeader*)pg;
        for (int i = 0; i < h->count; ++i) {
            const TextRecord* r = (const TextRecord*)PageRecord(pg, i, 200);
            if (!(r->status & ES_DELETED)) DrawTextRecord(s, r, colour, none, 0);
        }
    }
}

// ---- Parts: the shape's lines, texts and fills where the part is placed --------------------

Place PlaceOf(const PartRecord* part)
{
    Place pl;
    pl.identity = false;
    pl.ox = part->x;
    pl.oy = part->y;
    pl.mirror = (part->place & 1) != 0;
    double a = (part->place >> 8) / 1000.0 * kPi / 180.0;
    pl.ca = std::cos(a);
    pl.sa = std::sin(a);
    return pl;
}

bool PartVisible(const Scene& s, const PartRecord* part)
{
    double x1 = part->x, y1 = part->y, x2 = part->x, y2 = part->y;
    // The record is packed: its outline is copied out, not read in place
    // through an aligned reference.
    int32_t outline[4][2];
    std::memcpy(outline, (const char*)part + offsetof(PartRecord, outline1), sizeof(outline));
    for (const auto& c : outline) {
        if (c[0] == 0 && c[1] == 0) continue;
        x1 = std::min<double>(x1, c[0]);
        y1 = std::min<double>(y1, c[1]);
        x2 = std::max<double>(x2, c[0]);
        y2 = std::max<double>(y2, c[1]);
    }
    return BoxVisible(s, x1, y1, x2, y2, s.textMargin);
}

void DrawPartShapes(const Scene& s, int level, int cls, COLORREF colour)
{
    bool lines = cls == CL_LINE_SOLID || cls == CL_LINE_OUTLINE;
    bool fills = cls == CL_FILL_SOLID || cls == CL_FILL_OUTLINE;
    bool texts = cls == CL_TEXT;
    if (!lines && !fills && !texts) return;
    for (void* pp : Pages(s, DCODE_PART, DAM_SEL_ALL, 0, s.textMargin)) {
        const PartRecord* part = (const PartRecord*)PageRecord(pp, 0, 0);
        if ((part->status & ES_DELETED) || !PartVisible(s, part)) continue;
        Place pl = PlaceOf(part);
        COLORREF c = (part->status & ES_SELECTED) ? kHighlight : colour;
        int shape = (int)part->shapeNo;
        int code = lines ? DCODE_SHAPE_LINE : fills ? DCODE_SHAPE_FILL : DCODE_SHAPE_TEXT;
        for (void* pg = dam_NextPage(nullptr, code, DAM_SEL_PART, shape); pg; pg = dam_NextPage(pg, code, DAM_SEL_PART, shape)) {
            const DataPageHeader* h = (const DataPageHeader*)pg;
            int pageLevel = h->key[0];
            if (pl.mirror) pageLevel = SwapLevel(s, pageLevel);
            if (pageLevel != level || h->count <= 0) continue;
            if (fills) {
                DrawFillPage(s, pg, cls, c, pl);
                continue;
            }
            for (int i = 0; i < h->count; ++i) {
                if (lines) {
                    const LineRecord* r = (const LineRecord*)PageRecord(pg, i, 60);
                    if (!(r->status & ES_DELETED)) DrawLineRecord(s, r, cls, c, pl);
                } else {
                    const TextRecord* r = (const TextRecord*)PageRecord(pg, i, 200);
                    if (!(r->status & ES_DELETED)) DrawTextRecord(s, r, c, pl, part->place);
                }
            }
        }
    }
}

// ---- Names over everything ------------------------------------------------------------------

void DrawName(const Scene& s, const char* name, size_t max, double x, double y, double height, COLORREF colour)
{
    uint16_t codes[TEXT_MAX_CHARS];
    int n = 0;
    for (size_t i = 0; i < max && name[i] && n < TEXT_MAX_CHARS; ++i) codes[n++] = (unsigned char)name[i];
    if (n == 0 || height <= 0) return;
    double reach = height * (n + 1);
    if (!BoxVisible(s, x - reach, y - reach, x + reach, y + reach, 0)) return;
    RND_Text(s.p, codes, n, x, y, height, height * 0.6, height * 0.15, 0, false, 0, colour);
}

void DrawNames(const Scene& s)
{
    const EnvOwn& own = s.env->own;
    for (void* pp = dam_NextPage(nullptr, DCODE_PART, DAM_SEL_ALL, 0); pp; pp = dam_NextPage(pp, DCODE_PART, DAM_SEL_ALL, 0)) {
        const PartRecord* part = (const PartRecord*)PageRecord(pp, 0, 0);
        if ((part->status & ES_DELETED) || !PartVisible(s, part)) continue;
        if (own.assignDisp)
            DrawName(s, part->assignName, sizeof(part->assignName), part->x, part->y,
                     own.assignNameHeight > 0 ? own.assignNameHeight : 100000, RGB(255, 255, 255));
        if (!own.pinNameDisp && !(part->status & ES_NAMED)) continue;
        int key = dam_Get_key_of_DataPH(pp, 4);
        for (void* pg = dam_NextPage(nullptr, DCODE_PIN, DAM_SEL_PART, key); pg; pg = dam_NextPage(pg, DCODE_PIN, DAM_SEL_PART, key)) {
            const DataPageHeader* h = (const DataPageHeader*)pg;
            for (int i = 0; i < h->count; ++i) {
                const ViaRecord* r = (const ViaRecord*)PageRecord(pg, i, 60);
                if (!(r->status & ES_DELETED))
                    DrawName(s, r->name, sizeof(r->name), r->x, r->y, own.pinNameHeight > 0 ? own.pinNameHeight : 50000,
                             RGB(255, 255, 160));
            }
        }
    }
}

// ---- One level --------------------------------------------------------------------------------

// The colour of VIA display slot k.
COLORREF SlotColour(const Scene& s, int k)
{
    uint32_t c = s.vias->dspColor[k];
    return RND_Colour(s.p, c & 0x01000000u ? c : 0x01000000u | (c & 0xFF));
}

// The VIA display slots that show `level`, or, when the table names none,
// every level the VIA has a pad on (with the level's colour).
void DrawLevelPads(const Scene& s, int level, int cls, COLORREF levelColour)
{
    if (s.viasAtOnce) {
        // VIAs and pins are drawn for every level at once.
    } else if (s.viaSlots) {
        for (int k = 0; k < 6; ++k) {
            if (s.vias->dspLevel[k] != level) continue;
            COLORREF c = SlotColour(s, k);
            DrawPadPages(s, DCODE_VIA, level, -1, cls, c);
            DrawPadPages(s, DCODE_PIN, level, -1, cls, c);
        }
    } else {
        DrawPadPages(s, DCODE_VIA, level, -1, cls, levelColour);
        DrawPadPages(s, DCODE_PIN, level, -1, cls, levelColour);
    }
    DrawFlashPages(s, DCODE_FLASH, level, cls, levelColour);
    DrawFlashPages(s, DCODE_PART_FLASH, level, cls, levelColour);
}

// The pads of every VIA and pin on all the shown levels, as the mixing
// display shows them: ORed together, so the order of the levels does not
// matter, and pads of one size on several levels (a through VIA) are one
// figure in the ORed colour of those levels. With `holes` the holes instead:
// one for each VIA or pin with a pad on a shown level.
void DrawViasAtOnce(const Scene& s, const std::vector<int>& order, bool holes)
{
    struct Part {
        const SizeEntry* size;
        COLORREF colour;
    };
    std::vector<Part> parts;
    // A page of pads within one pixel is a dot of every level's colour.
    COLORREF all = 0;
    for (int level : order) {
        if (!s.viaSlots) all |= LevelColour(s, level);
        for (int k = 0; s.viaSlots && k < 6; ++k)
            if (s.vias->dspLevel[k] == level) all |= SlotColour(s, k);
    }
    for (int code : {DCODE_VIA, DCODE_PIN}) {
        for (void* pg : Pages(s, code, DAM_SEL_ALL, -1, s.padMargin)) {
            if (!PageWorthOpening(s, pg, s.padMargin, all, !holes)) continue;
            const DataPageHeader* h = (const DataPageHeader*)pg;
            for (int i = 0; i < h->count; ++i) {
                const ViaRecord* r = (const ViaRecord*)PageRecord(pg, i, 60);
                if (r->status & ES_DELETED) continue;
                if (!BoxVisible(s, r->x, r->y, r->x, r->y, s.padMargin)) continue;
                bool other = (r->status & ES_OTHER_SIDE) != 0, selected = (r->status & ES_SELECTED) != 0;
                parts.clear();
                const ViaDef* def = nullptr;
                auto add = [&](int level, COLORREF colour) {
                    const SizeEntry* size = PadOf(s, r->viaNo, other ? SwapLevel(s, level) : level, &def);
                    if (!size) return;
                    for (Part& part : parts)
                        if (part.size == size) {
                            part.colour |= colour;
                            return;
                        }
                    parts.push_back({size, colour});
                };
                for (int level : order) {
                    if (!s.viaSlots) {
                        add(level, LevelColour(s, level));
                        continue;
                    }
                    for (int k = 0; k < 6; ++k)
                        if (s.vias->dspLevel[k] == level) add(level, SlotColour(s, k));
                }
                if (parts.empty()) continue;
                if (holes) {
                    if (def) DrawHole(s, r->x, r->y, def, true);
                    continue;
                }
                for (const Part& part : parts) {
                    DrawPad(s, r->x, r->y, part.size, CL_PAD, part.colour, selected);
                    DrawPad(s, r->x, r->y, part.size, CL_THERMAL, part.colour, selected);
                }
            }
        }
    }
}

void DrawLevelClass(const Scene& s, int level, int cls)
{
    COLORREF colour = LevelColour(s, level);
    switch (cls) {
    case CL_FILL_SOLID:
    case CL_FILL_OUTLINE:
        DrawFillPages(s, level, cls, colour);
        break;
    case CL_LINE_SOLID:
    case CL_LINE_OUTLINE:
        DrawLinePages(s, DCODE_LINE, level, cls, colour);
        break;
    case CL_PAD:
    case CL_THERMAL:
    case CL_HOLE:
        DrawLevelPads(s, level, cls, colour);
        break;
    case CL_TEXT:
        DrawTextPages(s, level, colour);
        break;
    }
    DrawPartShapes(s, level, cls, colour);
}

// Levels in drawing order: conductor levels by layer number, then the others
// by level number.
std::vector<int> LevelOrder(const Scene& s)
{
    // Levels in use are numbered from 1 to the table's count.
    std::vector<int> order;
    int used = std::clamp(s.levels->levelUseNum, 0, TBL_MAX_LEVEL);
    for (int lv = 1; lv <= used; ++lv)
        if (LevelShown(s, lv)) order.push_back(lv);
    if (s.standard) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            int la = s.levels->extra[a].layer, lb = s.levels->extra[b].layer;
            int ka = la > 0 ? la : 100000 + a, kb = lb > 0 ? lb : 100000 + b;
            return ka < kb;
        });
    }
    return order;
}

bool SceneBegin(Scene* s, void* ctx, RndPainter* p, const BoardRect& box, bool standard)
{
    s->ctx = (DdmContext*)ctx;
    s->levels = store::Region_<LevelTable>(store::RG_LEVEL);
    s->lineTbl = store::Region_<LineTable>(store::RG_LINE);
    s->fillTbl = store::Region_<LineTable>(store::RG_FILL_LINE);
    s->textTbl = store::Region_<TextLineTable>(store::RG_TEXT_LINE);
    s->sizes = store::Region_<SizeTable>(store::RG_SIZE);
    s->vias = store::Region_<ViaTable>(store::RG_VIA);
    s->holes = store::Region_<HoleTable>(store::RG_HOLE);
    s->disp = store::Region_<DisplaySettings>(store::RG_DISPLAY);
    s->env = store::Env();
    s->p = p;
    s->standard = standard;
    s->minX = std::min(box.left, box.right);
    s->maxX = std::max(box.left, box.right);
    s->minY = std::min(box.top, box.bottom);
    s->maxY = std::max(box.top, box.bottom);
    s->upp = 1.0 / p->pixelsPerUnit;
    Margins(s);
    return store::Current() != nullptr;
}

}  // namespace

// ---- Whole pictures ------------------------------------------------------------------------

void RND_DrawDesignMixing(void* ctx, RndPainter* p, const BoardRect& box)
{
    Scene s;
    if (!SceneBegin(&s, ctx, p, box, false)) return;
    std::unordered_map<int64_t, std::vector<void*>> cache;
    s.pageCache = &cache;
    s.viasAtOnce = true;
    std::vector<int> order = LevelOrder(s);
    for (int level : order)
        for (int cls : {CL_FILL_OUTLINE, CL_LINE_SOLID, CL_LINE_OUTLINE, CL_PAD, CL_THERMAL, CL_TEXT})
            DrawLevelClass(s, level, cls);
    DrawViasAtOnce(s, order, false);
    // Holes punch through every level's colour, so they come last.
    RND_SetMix(p, RND_MIX_COPY);
    DrawViasAtOnce(s, order, true);
    RND_SetMix(p, RND_MIX_OR);
    DrawNames(s);
}

void RND_DrawDesignStandard(void* ctx, RndPainter* layer, RndPainter* direct, const BoardRect& box)
{
    Scene s;
    if (!SceneBegin(&s, ctx, layer, box, true)) return;
    std::unordered_map<int64_t, std::vector<void*>> cache;
    s.pageCache = &cache;
    std::vector<int> order = LevelOrder(s);
    auto pass = [&](int level, int cls) {
        float alpha = ClassAlpha(cls);
        // An opaque class needs no layer: it goes straight into the picture.
        s.p = alpha >= 1.0f ? direct : layer;
        RND_ResetTouched(s.p);
        if (level > 0)
            DrawLevelClass(s, level, cls);
        else
            DrawNames(s);
        RND_Flush(s.p);
        if (s.p == layer && !IsRectEmpty(&layer->touched)) {
            GdiFlush();
            RND_ComposeLayer(direct->surface, layer->surface, layer->touched, alpha);
        }
    };
    for (int level : order)
        for (int cls = 0; cls < CL_COUNT; ++cls) pass(level, cls);
    pass(0, CL_TEXT);
}

// ---- One element -------------------------------------------------------------------------------

void RND_DrawElement(void* ctx, RndPainter* p, const BoardRect& box, int classCode, const void* record,
                     COLORREF forceColour, bool force)
{
    Scene s;
    if (!SceneBegin(&s, ctx, p, box, p->mix == RND_MIX_COPY)) return;
    void* page = record ? dam_GetPageFromDataAdr(record) : nullptr;
    int level = page ? dam_Get_key_of_DataPH(page, 1) : 0;
    COLORREF colour = force ? forceColour : LevelColour(s, level);
    Place none;
    switch (classCode & ~0xF) {
    case PC_LINE: {
        const LineRecord* r = (const LineRecord*)record;
        if (force) {
            // A highlight shows the line as it is, outline or not.
            DrawLineRecord(s, r, CL_LINE_SOLID, colour, none);
            DrawLineRecord(s, r, CL_LINE_OUTLINE, colour, none);
        } else {
            DrawLineRecord(s, r, CL_LINE_SOLID, colour, none);
            DrawLineRecord(s, r, CL_LINE_OUTLINE, colour, none);
        }
        break;
    }
    case PC_VIA:
    case PC_PIN: {
        const ViaRecord* r = (const ViaRecord*)record;
        std::vector<const SizeEntry*> drawn;
        for (int lv : LevelOrder(s)) {
            const ViaDef* def = nullptr;
            const SizeEntry* size = PadOf(s, r->viaNo, (r->status & ES_OTHER_SIDE) ? SwapLevel(s, lv) : lv, &def);
            if (!size) continue;
            // A highlight shows each pad size once: drawn again on the next
            // level, an exclusive-ored pad would take itself away.
            if (force) {
                if (std::find(drawn.begin(), drawn.end(), size) != drawn.end()) continue;
                drawn.push_back(size);
            }
            COLORREF c = force ? forceColour : LevelColour(s, lv);
            DrawPad(s, r->x, r->y, size, CL_PAD, c, false);
            DrawPad(s, r->x, r->y, size, CL_THERMAL, c, false);
        }
        break;
    }
    case PC_TEXT:
        DrawTextRecord(s, (const TextRecord*)record, colour, none, 0);
        break;
    case PC_FILL: {
        const void* fillPage = page ? page : record;
        s.standard = true;
        DrawFillPage(s, fillPage, force ? CL_FILL_OUTLINE : CL_FILL_SOLID, colour, none);
        break;
    }
    case PC_PART: {
        const void* partPage = page ? page : record;
        const PartRecord* part = (const PartRecord*)PageRecord((void*)partPage, 0, 0);
        Place pl = PlaceOf(part);
        for (int code : {DCODE_SHAPE_LINE, DCODE_SHAPE_TEXT}) {
            for (void* pg = dam_NextPage(nullptr, code, DAM_SEL_PART, (int)part->shapeNo); pg;
                 pg = dam_NextPage(pg, code, DAM_SEL_PART, (int)part->shapeNo)) {
                const DataPageHeader* h = (const DataPageHeader*)pg;
                int lv = pl.mirror ? SwapLevel(s, h->key[0]) : h->key[0];
                COLORREF c = force ? forceColour : LevelColour(s, lv);
                for (int i = 0; i < h->count; ++i) {
                    if (code == DCODE_SHAPE_LINE) {
                        const LineRecord* r = (const LineRecord*)PageRecord(pg, i, 60);
                        if (!(r->status & ES_DELETED)) DrawLineRecord(s, r, CL_LINE_SOLID, c, pl);
                    } else {
                        const TextRecord* r = (const TextRecord*)PageRecord(pg, i, 200);
                        if (!(r->status & ES_DELETED)) DrawTextRecord(s, r, c, pl, part->place);
                    }
                }
            }
        }
        break;
    }
    default:
        break;
    }
}

void RND_DrawLineOfLevel(void* ctx, RndPainter* p, const BoardRect& box, int level, const void* record,
                         bool highlight, bool endMarks)
{
    Scene s;
    if (!SceneBegin(&s, ctx, p, box, false)) return;
    COLORREF colour = highlight ? kHighlight : LevelColour(s, level);
    Place none;
    const LineRecord* r = (const LineRecord*)record;
    DrawLineRecord(s, r, CL_LINE_SOLID, colour, none);
    DrawLineRecord(s, r, CL_LINE_OUTLINE, colour, none);
    if (endMarks) {
        double m = 4 * s.upp;
        for (int k = 0; k < 2; ++k) {
            double x = k ? r->x2 : r->x1, y = k ? r->y2 : r->y1;
            RND_Line(p, x - m, y - m, x + m, y + m, 0, false, colour);
            RND_Line(p, x - m, y + m, x + m, y - m, 0, false, colour);
        }
    }
}
