// Predecessor board files laid out byte by byte (see pcb_gen.h). The offsets
// here are written out on purpose instead of shared with the reader.
#include "pcb_gen.h"

#include <cstdio>
#include <cstring>

namespace pcbgen {

static void Put8(Bytes& b, size_t off, uint32_t v) { b[off] = (uint8_t)v; }
static void Put16(Bytes& b, size_t off, uint32_t v)
{
    b[off] = (uint8_t)v;
    b[off + 1] = (uint8_t)(v >> 8);
}
static void Put32(Bytes& b, size_t off, uint32_t v)
{
    for (int i = 0; i < 4; i++) b[off + i] = (uint8_t)(v >> (8 * i));
}
static void PutText(Bytes& b, size_t off, const std::string& s, size_t room)
{
    // Always leaves a terminator inside the field.
    for (size_t i = 0; i < room; i++) b[off + i] = i < s.size() && i + 1 < room ? (uint8_t)s[i] : 0;
}
static void Append(Bytes& to, const Bytes& from) { to.insert(to.end(), from.begin(), from.end()); }

Bytes LineRecord(const Line& l)
{
    Bytes b(44, 0);
    Put16(b, 0, l.flags);
    Put32(b, 4, l.sx);
    Put32(b, 8, l.sy);
    Put32(b, 12, l.ex);
    Put32(b, 16, l.ey);
    Put32(b, 20, l.cx);
    Put32(b, 24, l.cy);
    Put32(b, 28, l.r);
    Put16(b, 32, l.level);
    Put16(b, 34, l.lineNo);
    Put16(b, 36, l.value);
    Put16(b, 38, l.w38);
    Put16(b, 40, 0xFFFF);
    Put16(b, 42, l.w42);
    return b;
}

Bytes TextRecord(const Text& t, int size)
{
    Bytes b(98, 0);
    Put16(b, 0, t.flags);
    const int32_t* pairs[4] = {t.c4, t.c12, t.c20, t.c28};
    for (int p = 0; p < 4; p++) {
        Put32(b, 4 + 8 * p, pairs[p][0]);
        Put32(b, 8 + 8 * p, pairs[p][1]);
    }
    Put32(b, 36, t.x);
    Put32(b, 40, t.y);
    Put32(b, 44, t.height);
    Put16(b, 48, t.level);
    Put16(b, 50, t.textLineNo);
    Put16(b, 52, t.mirror);
    Put32(b, 54, t.angle);
    size_t n = t.codes.size() < 16 ? t.codes.size() : 16;
    Put16(b, 58, (uint32_t)n);
    for (size_t i = 0; i < n; i++) Put16(b, 60 + 2 * i, t.codes[i]);
    Put16(b, 92, t.value);
    b.resize(size);
    return b;
}

Bytes ViaRecord(const Via& v)
{
    Bytes b(32, 0);
    Put16(b, 0, v.flags);
    Put32(b, 4, v.x);
    Put32(b, 8, v.y);
    Put16(b, 12, v.viaNo);
    Put16(b, 14, v.w14);
    Put16(b, 16, v.w16);
    Put16(b, 18, v.w18);
    PutText(b, 20, v.text, 8);
    Put16(b, 28, v.w28);
    return b;
}

Bytes FlashRecord(const Flash& f)
{
    Bytes b(32, 0);
    Put16(b, 0, f.flags);
    Put32(b, 4, f.x);
    Put32(b, 8, f.y);
    Put16(b, 12, f.w12);
    Put16(b, 14, 0xFFFF);
    Put16(b, 16, f.w16);
    Put16(b, 18, f.w18);
    Put16(b, 20, f.owner);
    Put16(b, 22, f.number);
    Put16(b, 28, f.w28);
    Put16(b, 30, f.level);
    return b;
}

Bytes FillRecords(const Fill& f)
{
    Bytes b(32, 0);
    Put16(b, 0, f.flags);
    Put16(b, 4, f.hatch);
    Put16(b, 6, 0);
    int32_t last = f.lastOverride >= 0 ? f.lastOverride : (int32_t)f.outline.size() - 1;
    Put16(b, 8, (uint32_t)last);
    Put16(b, 10, f.ordinal);
    Put16(b, 12, f.level);
    Put16(b, 14, f.w14);
    Put16(b, 16, f.w16);
    Put16(b, 18, f.w18);
    Put16(b, 20, (uint16_t)f.holes);
    Put16(b, 22, 0xFFFF);
    Put16(b, 24, (uint16_t)f.key24);
    for (const Outline& o : f.outline) {
        Bytes r(44, 0);
        Put16(r, 0, o.flags);
        Put32(r, 4, o.sx);
        Put32(r, 8, o.sy);
        Put32(r, 12, o.ex);
        Put32(r, 16, o.ey);
        Put32(r, 20, o.d20);
        Put32(r, 24, o.d24);
        Put32(r, 28, o.r);
        Put16(r, 32, o.level);
        Put16(r, 34, o.w34);
        Put16(r, 36, o.w36);
        Put16(r, 38, 1);
        Put16(r, 40, 0xFFFF);
        Put16(r, 42, 0);
        Append(b, r);
    }
    return b;
}

Bytes ShapeRecord(const Shape& s, const uint16_t pairs[8])
{
    Bytes b(50, 0);
    PutText(b, 0, s.name, 10);
    for (int i = 0; i < 8; i++) Put16(b, 10 + 2 * i, pairs[i]);
    for (int i = 0; i < 5; i++) Put32(b, 26 + 4 * i, s.v[i]);
    Put16(b, 46, s.w46);
    return b;
}

Bytes PartRecord(const Part& p, uint16_t ordinal, const uint16_t pairs[8])
{
    Bytes b(100, 0);
    Put16(b, 0, p.flags);
    for (int c = 0; c < 4; c++) {
        Put32(b, 4 + 8 * c, p.corner[c][0]);
        Put32(b, 8 + 8 * c, p.corner[c][1]);
    }
    Put32(b, 36, p.ox);
    Put32(b, 40, p.oy);
    Put16(b, 44, p.mirror ? 0x8000 : 0);
    Put16(b, 46, p.angle);
    Put16(b, 50, p.shapeIndex);
    Put16(b, 52, ordinal);
    PutText(b, 54, p.assign, 10);
    PutText(b, 64, p.name, 14);
    Put16(b, 78, p.pinFirst);
    Put16(b, 80, p.pinLast);
    for (int i = 0; i < 8; i++) Put16(b, 82 + 2 * i, pairs[i]);
    return b;
}

static Bytes LevelRecord(const LevelRec& l)
{
    Bytes b(16, 0);
    Put16(b, 0, (uint16_t)l.status);
    std::string name = l.name.substr(0, 7);
    name.resize(7, ' ');
    PutText(b, 2, name, 8);
    Put16(b, 10, l.w10);
    Put16(b, 12, (uint16_t)l.kind);
    Put16(b, 14, l.w14);
    return b;
}

static Bytes LineTblRecord(const LineTblRec& l)
{
    Bytes b(12, 0);
    Put32(b, 0, l.width);
    Put16(b, 4, l.w4);
    Put16(b, 6, l.w6);
    return b;
}

static Bytes FlashTblRecord(const FlashTblRec& f)
{
    Bytes b(16, 0);
    Put32(b, 0, f.x);
    Put32(b, 4, f.y);
    Put16(b, 8, f.form);
    Put16(b, 10, f.option);
    Put16(b, 12, f.dcode);
    return b;
}

static Bytes ViaTblRecord(const ViaTblRec& v)
{
    Bytes b(268, 0);
    Put32(b, 0, v.hole);
    // Only the low byte of each word is the flash number; a high byte the
    // reader must ignore is set on purpose.
    for (int j = 0; j < 65; j++) Put16(b, 4 + 2 * j, 0x5A00u | v.flash[j]);
    for (int j = 134; j < 264; j++) Put8(b, j, 0xA5);
    Put16(b, 264, (uint16_t)v.w264);
    Put16(b, 266, (uint16_t)v.w266);
    return b;
}

static Bytes GlyphRecord(const Glyph& g)
{
    Bytes b(102, 0);
    Put16(b, 0, g.code);
    size_t n = g.points.size() < 49 ? g.points.size() : 49;
    Put8(b, 2, (uint8_t)(g.countOverride != 1000 ? g.countOverride : (int)n));
    for (size_t j = 0; j < n; j++) {
        Put8(b, 2 + 1 + j, (uint8_t)g.points[j].first);
        Put8(b, 52 + 1 + j, (uint8_t)g.points[j].second);
    }
    return b;
}

static Bytes InnerRecord(const InnerRec& r)
{
    Bytes b(54, 0);
    Put16(b, 0, r.w0);
    Put16(b, 2, (uint16_t)r.w2);
    PutText(b, 4, r.name, 16);
    Put16(b, 20, (uint16_t)r.w20);
    for (int j = 0; j < 16; j++) Put16(b, 22 + 2 * j, (uint16_t)r.v[j]);
    return b;
}

template <class T, class F>
static void AddFixed(std::vector<Section>& out, int32_t id, int32_t size, const std::vector<T>& recs, F make)
{
    if (recs.empty()) return;
    Section s{id, size, (int32_t)recs.size(), {}};
    for (const T& r : recs) Append(s.data, make(r));
    out.push_back(std::move(s));
}

static void AddBlock(std::vector<Section>& out, int32_t id, int32_t size, const Bytes& block)
{
    if (block.empty()) return;
    out.push_back(Section{id, size, (int32_t)(block.size() / size), block});
}

std::vector<Section> BoardSections(Board& board)
{
    std::vector<Section> out;
    AddBlock(out, SEC_CI, 2, board.ci);
    AddBlock(out, SEC_CL, 4, board.cl);
    AddBlock(out, SEC_CC, 16, board.cc);
    AddFixed(out, SEC_LEVELTBL, 16, board.levels, LevelRecord);
    // The flash table before the line table: the APT-common line links look
    // at the kinds the flash table gives.
    AddFixed(out, SEC_FLASHTBL, 16, board.flashTbl, FlashTblRecord);
    AddFixed(out, SEC_LINETBL, 12, board.lineTbl, LineTblRecord);
    AddFixed(out, SEC_FONT, 102, board.glyphs, GlyphRecord);
    AddFixed(out, SEC_VIATBL, 268, board.viaTbl, ViaTblRecord);
    AddFixed(out, SEC_INNER, 54, board.inner, InnerRecord);

    // Shapes: sub-record indices run from 0 over the section, one count per kind.
    std::vector<std::vector<uint16_t>> shapePairs;
    if (!board.shapes.empty()) {
        Section s{SEC_SHAPES, 50, (int32_t)board.shapes.size(), {}};
        uint32_t next[4] = {0, 0, 0, 0};
        for (const Shape& sh : board.shapes) {
            size_t n[4] = {sh.pins.size(), sh.lines.size(), sh.texts.size(), sh.fills.size()};
            std::vector<uint16_t> pairs(8, 0xFFFF);
            for (int k = 0; k < 4; k++) {
                if (n[k] == 0) continue;
                pairs[2 * k] = (uint16_t)next[k];
                pairs[2 * k + 1] = (uint16_t)(next[k] + n[k] - 1);
                next[k] += (uint32_t)n[k];
            }
            Append(s.data, ShapeRecord(sh, pairs.data()));
            for (const Via& v : sh.pins) Append(s.data, ViaRecord(v));
            for (const Line& l : sh.lines) Append(s.data, LineRecord(l));
            for (const Text& t : sh.texts) Append(s.data, TextRecord(t, board.shapeTextSize));
            for (const Fill& f : sh.fills) Append(s.data, FillRecords(f));
            shapePairs.push_back(pairs);
        }
        out.push_back(std::move(s));
    }
    AddFixed(out, SEC_LINES, 44, board.lines, LineRecord);
    AddFixed(out, SEC_LINES2, 44, board.lines2, LineRecord);
    if (!board.texts.empty()) {
        int size = board.textSize;
        AddFixed(out, SEC_TEXTS, size, board.texts, [size](const Text& t) { return TextRecord(t, size); });
    }
    AddFixed(out, SEC_VIAS, 32, board.vias, ViaRecord);
    AddFixed(out, SEC_FLASHDATA, 32, board.flashes, FlashRecord);
    if (!board.fills.empty()) {
        Section s{SEC_FILLS, 32, (int32_t)board.fills.size(), {}};
        for (const Fill& f : board.fills) Append(s.data, FillRecords(f));
        out.push_back(std::move(s));
    }
    if (!board.parts.empty()) {
        Section s{SEC_PARTS, 100, (int32_t)board.parts.size(), {}};
        uint32_t pin = 0;
        uint16_t ordinal = 0;
        for (Part& p : board.parts) {
            if (p.pins.empty()) {
                p.pinFirst = p.pinLast = 0xFFFF;
            } else {
                p.pinFirst = (uint16_t)pin;
                p.pinLast = (uint16_t)(pin + p.pins.size() - 1);
                pin += (uint32_t)p.pins.size();
            }
            std::vector<uint16_t> pairs(8, 0xFFFF);
            if (p.shapeIndex < shapePairs.size()) pairs = shapePairs[p.shapeIndex];
            Append(s.data, PartRecord(p, ordinal, pairs.data()));
            for (Via v : p.pins) {
                v.w14 = ordinal;
                Append(s.data, ViaRecord(v));
            }
            ordinal++;
        }
        out.push_back(std::move(s));
    }
    return out;
}

Bytes BuildFile(const std::vector<Section>& sections, int32_t unitsOverride)
{
    int32_t n = (int32_t)sections.size() + 1;
    Bytes file(16 * (size_t)n, 0);
    Put32(file, 0, 0x42435056);  // the predecessor's own first word is not read
    Put32(file, 4, unitsOverride >= 0 ? unitsOverride : n);
    for (size_t k = 0; k < sections.size(); k++) {
        const Section& s = sections[k];
        size_t e = 16 * (k + 1);
        Put32(file, e, s.id);
        Put32(file, e + 4, s.recSize);
        Put32(file, e + 8, s.count);
        Put32(file, e + 12, (uint32_t)file.size());
        Append(file, s.data);
    }
    return file;
}

void PatchEntry(Bytes& file, int k, int field, int32_t value) { Put32(file, 16 * (size_t)k + 4 * field, value); }

int32_t EntryField(const Bytes& file, int k, int field)
{
    size_t o = 16 * (size_t)k + 4 * field;
    return (int32_t)(file[o] | file[o + 1] << 8 | file[o + 2] << 16 | (uint32_t)file[o + 3] << 24);
}

int FindEntry(const Bytes& file, int32_t id)
{
    int32_t n = EntryField(file, 0, 1);
    for (int k = 1; k < n && 16 * (size_t)(k + 1) <= file.size(); k++)
        if (EntryField(file, k, 0) == id) return k;
    return 0;
}

void PutCI(Board& b, int word, int16_t value)
{
    if (b.ci.size() < 2 * (size_t)word + 2) b.ci.resize(2 * (size_t)word + 2, 0);
    Put16(b.ci, 2 * (size_t)word, (uint16_t)value);
}
void PutCL(Board& b, int word, int32_t value)
{
    if (b.cl.size() < 4 * (size_t)word + 4) b.cl.resize(4 * (size_t)word + 4, 0);
    Put32(b.cl, 4 * (size_t)word, (uint32_t)value);
}
void PutCC(Board& b, int offset, const std::string& text)
{
    if (b.cc.size() < (size_t)offset + 16) b.cc.resize((size_t)offset + 16, 0);
    PutText(b.cc, offset, text, 16);
}

// ---- Boards -----------------------------------------------------------------

static const int32_t MM = 100000;

static Line StraightLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t level, uint16_t lineNo)
{
    Line l;
    l.flags = 8;
    // Stored with the smaller X (then Y) first, as the writer does.
    if (x2 < x1 || (x2 == x1 && y2 < y1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    l.sx = x1, l.sy = y1, l.ex = x2, l.ey = y2;
    l.cx = x2 - x1, l.cy = y2 - y1;
    l.level = level, l.lineNo = lineNo;
    return l;
}

static Line ArcLine(int32_t cx, int32_t cy, int32_t r, uint16_t level, uint16_t lineNo)
{
    // Quarter arc counter-clockwise from (cx + r, cy) to (cx, cy + r).
    Line l;
    l.flags = 8 | 0x80;
    l.sx = cx + r, l.sy = cy, l.ex = cx, l.ey = cy + r;
    l.cx = cx, l.cy = cy, l.r = r;
    l.level = level, l.lineNo = lineNo;
    return l;
}

static Outline Edge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t level, bool hole)
{
    Outline o;
    o.flags = hole ? 0x2108 : 0x2008;
    if (x2 < x1 || (x2 == x1 && y2 < y1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
        o.flags |= 0x1000;
    }
    o.sx = x1, o.sy = y1, o.ex = x2, o.ey = y2;
    o.d20 = x2 - x1, o.d24 = y2 - y1;
    o.level = level;
    return o;
}

// A closed rectangle contour, counter-clockwise, the last edge marked.
static void Rect(std::vector<Outline>& out, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t level, bool hole)
{
    out.push_back(Edge(x1, y1, x2, y1, level, hole));
    out.push_back(Edge(x2, y1, x2, y2, level, hole));
    out.push_back(Edge(x2, y2, x1, y2, level, hole));
    out.push_back(Edge(x1, y2, x1, y1, level, hole));
    out.back().flags |= 0x200;
}

static Text MakeText(int32_t x, int32_t y, uint16_t level, const char* s)
{
    Text t;
    t.x = x, t.y = y, t.level = level, t.height = 150000;
    for (const char* p = s; *p; p++) t.codes.push_back((uint8_t)*p);
    int32_t w = (int32_t)t.codes.size() * 120000;
    t.c28[0] = x, t.c28[1] = y + t.height;   // upper left
    t.c4[0] = x, t.c4[1] = y;                // lower left
    t.c20[0] = x + w, t.c20[1] = y + t.height;
    t.c12[0] = x + w, t.c12[1] = y;
    return t;
}

Board SampleBoard()
{
    Board b;
    b.ci.assign(400, 0);
    b.cl.assign(800, 0);
    b.cc.assign(1600, 0);
    PutCI(b, 24, 3), PutCI(b, 25, 2), PutCI(b, 26, 200), PutCI(b, 27, 7), PutCI(b, 28, 8), PutCI(b, 29, 9);
    PutCI(b, 116, 5), PutCI(b, 152, 20000), PutCI(b, 153, 15000), PutCI(b, 154, 1), PutCI(b, 157, 12000);
    PutCI(b, 158, 0), PutCI(b, 159, 0x0A), PutCI(b, 173, 4), PutCI(b, 174, 2), PutCI(b, 176, 12), PutCI(b, 177, 3);
    PutCL(b, 111, 25000);
    PutCL(b, 130, 1000000), PutCL(b, 131, 2000000), PutCL(b, 132, 3000000);
    PutCL(b, 133, 4000000), PutCL(b, 134, 5000000), PutCL(b, 135, 6000000);
    PutCC(b, 640, "GRID-A"), PutCC(b, 656, "GRID-B");
    PutCC(b, 480, "INPUT-1"), PutCC(b, 496, "INPUT-2"), PutCC(b, 528, "NOTE");
    PutCC(b, 960, "BOARD-7"), PutCC(b, 976, "DWG-0042"), PutCC(b, 992, "2001/04/01");
    PutCC(b, 1008, "DESIGNER"), PutCC(b, 1024, "SAMPLE");

    const char* names[8] = {"TOP", "IN1", "IN2", "BOTTOM", "SILK-T", "SILK-B", "OUTLINE", "AB"};
    for (int i = 0; i < 8; i++) {
        LevelRec l;
        l.status = (int16_t)((i == 6 ? 0x8000 : 0) | (0x10 + i));
        l.name = names[i];
        l.w10 = (uint16_t)(100 + i);
        l.kind = i < 4 ? 2 : 1;
        l.w14 = (uint16_t)(200 + i);
        b.levels.push_back(l);
    }
    for (int i = 0; i < 20; i++) b.lineTbl.push_back(LineTblRec{(i + 1) * 10000, (uint16_t)(10 + i), (uint16_t)(i % 3 == 0)});
    b.flashTbl.push_back(FlashTblRec{160000, 0, 0, 0, 11});        // round
    b.flashTbl.push_back(FlashTblRec{150000, 150000, 1, 0, 12});   // square
    b.flashTbl.push_back(FlashTblRec{200000, 0, 2, 1, 13});        // thermal with option
    b.flashTbl.push_back(FlashTblRec{180000, 120000, 2, 0, 14});
    b.flashTbl.push_back(FlashTblRec{120000, 90000, 0, 0, 15});
    for (int v = 0; v < 3; v++) {
        ViaTblRec r;
        r.hole = 30000 + 10000 * v;
        for (int j = 1; j <= 4; j++) r.flash[j] = (uint8_t)(1 + (v + j) % 5);
        r.w264 = (int16_t)(-1 - v);
        r.w266 = (int16_t)(300 + v);
        b.viaTbl.push_back(r);
    }
    Glyph a{'A', {{0, 0}, {5, 10}, {10, 0}, {45, 0}, {2, 5}, {8, 5}}};
    Glyph dot{'.', {}};
    b.glyphs = {a, dot};
    for (int i = 0; i < 3; i++) {
        InnerRec r;
        r.w0 = (uint16_t)(2 + i);
        r.w2 = (int16_t)(-5 + i);
        r.name = std::string("GND-PLANE-") + (char)('1' + i);
        r.w20 = (int16_t)(7 * i);
        for (int j = 0; j < 16; j++) r.v[j] = (int16_t)(j - i);
        b.inner.push_back(r);
    }

    // Graphic lines: a run on level 7 (the outline), a taper chain, an arc.
    int32_t W = 100 * MM, H = 80 * MM;
    b.lines.push_back(StraightLine(0, 0, W, 0, 7, 1));
    b.lines.push_back(StraightLine(W, 0, W, H, 7, 1));
    b.lines.push_back(StraightLine(W, H, 0, H, 7, 1));
    b.lines.push_back(StraightLine(0, H, 0, 0, 7, 1));
    Line head = StraightLine(10 * MM, 10 * MM, 20 * MM, 10 * MM, 1, 3);
    head.flags |= 0x0400;
    Line cont1 = StraightLine(20 * MM, 10 * MM, 30 * MM, 15 * MM, 1, 3);
    cont1.flags |= 0x4000;
    Line cont2 = StraightLine(30 * MM, 15 * MM, 40 * MM, 15 * MM, 1, 3);
    cont2.flags |= 0x4000;
    b.lines.push_back(head);
    b.lines.push_back(cont1);
    b.lines.push_back(cont2);
    b.lines.push_back(ArcLine(50 * MM, 40 * MM, 5 * MM, 5, 2));
    Line gone = StraightLine(1, 2, 3, 4, 5, 2);
    gone.flags |= 0xC000;
    b.lines.push_back(gone);
    b.lines2.push_back(StraightLine(5 * MM, 70 * MM, 25 * MM, 70 * MM, 5, 4));

    b.texts.push_back(MakeText(5 * MM, 75 * MM, 5, "TORVA-BOARD"));
    b.texts.push_back(MakeText(60 * MM, 5 * MM, 6, "REV.A"));
    b.texts.back().mirror = 1;
    b.texts.back().angle = 0x1234;

    for (int i = 0; i < 6; i++) {
        Via v;
        v.x = (20 + 10 * i) * MM, v.y = 50 * MM;
        v.viaNo = (uint16_t)(1 + i % 3);
        v.w16 = (uint16_t)i;
        v.text = i == 0 ? "GND" : "";
        b.vias.push_back(v);
    }

    Fill ground;
    ground.level = 2, ground.hatch = 1, ground.w14 = 2, ground.w16 = 77, ground.w18 = 5;
    Rect(ground.outline, 2 * MM, 2 * MM, 98 * MM, 78 * MM, 2, false);
    Rect(ground.outline, 10 * MM, 10 * MM, 20 * MM, 20 * MM, 2, true);
    ground.holes = 1;
    b.fills.push_back(ground);
    Fill pad;  // an outer contour with one arc edge: a rounded corner
    pad.flags = 1, pad.level = 1;
    pad.outline.push_back(Edge(60 * MM, 60 * MM, 70 * MM, 60 * MM, 1, false));
    Outline arc;
    arc.flags = 0x2088;
    arc.sx = 70 * MM, arc.sy = 60 * MM, arc.ex = 60 * MM, arc.ey = 70 * MM;
    arc.d20 = 60 * MM, arc.d24 = 60 * MM, arc.r = 10 * MM, arc.level = 1;
    pad.outline.push_back(arc);
    pad.outline.push_back(Edge(60 * MM, 70 * MM, 60 * MM, 60 * MM, 1, false));
    pad.outline.back().flags |= 0x200;
    b.fills.push_back(pad);

    // Shapes.
    const char* shapeNames[4] = {"R1608", "C2012", "SOP8", "TP"};
    for (int s = 0; s < 4; s++) {
        Shape sh;
        sh.name = shapeNames[s];
        int pins = s == 2 ? 8 : (s == 3 ? 1 : 2);
        for (int p = 0; p < pins; p++) {
            Via v;
            v.x = (p % 4) * 127000 - 190000, v.y = p < 4 ? -300000 : 300000;
            v.viaNo = (uint16_t)(1 + s);
            v.text = std::to_string(p + 1);
            v.w16 = (uint16_t)p;
            sh.pins.push_back(v);
        }
        if (s != 3) {
            sh.lines.push_back(StraightLine(-400000, -400000, 400000, -400000, 5, 2));
            sh.lines.push_back(StraightLine(400000, -400000, 400000, 400000, 5, 2));
            sh.lines.push_back(StraightLine(-400000, 400000, -400000, -400000, 6, 2));
            sh.texts.push_back(MakeText(0, 500000, 5, "REF"));
        }
        if (s == 2) {
            Fill f;
            f.level = 5, f.key24 = 3;
            Rect(f.outline, -100000, -100000, 100000, 100000, 5, false);
            sh.fills.push_back(f);
        }
        sh.v[0] = -400000, sh.v[1] = -400000, sh.v[2] = 400000, sh.v[3] = 400000, sh.v[4] = 150000;
        sh.w46 = (uint16_t)(40 + s);
        b.shapes.push_back(sh);
    }
    // Parts: a grid of a dozen placed on the shapes; one deleted.
    for (int i = 0; i < 12; i++) {
        Part p;
        p.shapeIndex = (uint16_t)(i % 4);
        p.ox = (15 + 7 * (i % 6)) * MM, p.oy = (25 + 20 * (i / 6)) * MM;
        p.mirror = i == 5 ? 1 : 0;
        p.flags = i == 7 ? 0x8000 : 0;
        p.assign = (i % 4 == 2 ? "U" : "R") + std::to_string(i + 1);
        p.name = std::string(shapeNames[i % 4]) + "-P";
        int32_t r = 400000;
        // Written order: fourth, first, third, second corner.
        int32_t c[4][2] = {{p.ox - r, p.oy + r}, {p.ox - r, p.oy - r}, {p.ox + r, p.oy + r}, {p.ox + r, p.oy - r}};
        memcpy(p.corner, c, sizeof c);
        for (const Via& sp : b.shapes[p.shapeIndex].pins) {
            Via v = sp;
            v.x += p.ox, v.y += p.oy;
            v.w16 = (uint16_t)(i * 10);
            p.pins.push_back(v);
        }
        b.parts.push_back(p);
    }
    // Flashes: one free flash per VIA, and one per pin of the first part.
    for (size_t i = 0; i < b.vias.size(); i++) {
        Flash f;
        f.x = b.vias[i].x, f.y = b.vias[i].y, f.owner = 1, f.number = (uint16_t)i;
        f.level = (uint16_t)(1 + i % 2);
        b.flashes.push_back(f);
    }
    for (size_t i = 0; i < b.parts[0].pins.size(); i++) {
        Flash f;
        f.x = b.parts[0].pins[i].x, f.y = b.parts[0].pins[i].y, f.owner = 2, f.number = (uint16_t)i;
        f.level = 1;
        b.flashes.push_back(f);
    }
    return b;
}

Board LargeBoard(int elements)
{
    Board b = SampleBoard();
    b.lines.clear(), b.lines2.clear(), b.texts.clear(), b.vias.clear();
    b.fills.clear(), b.parts.clear(), b.flashes.clear();
    // The shares below (pins of parts included) add up to 87.6 % of the figure.
    elements = (int)(elements / 0.876);
    uint32_t seed = 12345;
    auto rnd = [&seed](int32_t lo, int32_t hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (int32_t)((seed >> 8) % (uint32_t)(hi - lo + 1));
    };
    int nLines = elements * 45 / 100, nTexts = elements / 10, nVias = elements * 15 / 100;
    int nFills = elements / 50, nParts = elements / 40, nFlashes = elements / 20;
    for (int i = 0; i < nLines; i++) {
        int32_t x = rnd(0, 300 * MM), y = rnd(0, 200 * MM);
        uint16_t level = (uint16_t)(1 + (i / 64) % 8);
        if (i % 9 == 8) b.lines.push_back(ArcLine(x, y, rnd(MM / 2, 5 * MM), level, (uint16_t)rnd(1, 20)));
        else b.lines.push_back(StraightLine(x, y, x + rnd(-5 * MM, 5 * MM), y + rnd(-5 * MM, 5 * MM), level, (uint16_t)rnd(1, 20)));
    }
    for (int i = 0; i < nTexts; i++) b.texts.push_back(MakeText(rnd(0, 300 * MM), rnd(0, 200 * MM), (uint16_t)(5 + (i / 32) % 2), "NET-SIGNAL"));
    for (int i = 0; i < nVias; i++) {
        Via v;
        v.x = rnd(0, 300 * MM), v.y = rnd(0, 200 * MM), v.viaNo = (uint16_t)rnd(1, 3);
        b.vias.push_back(v);
    }
    for (int i = 0; i < nFills; i++) {
        Fill f;
        f.level = (uint16_t)(1 + i % 4);
        int32_t x = rnd(0, 290 * MM), y = rnd(0, 190 * MM);
        Rect(f.outline, x, y, x + 8 * MM, y + 8 * MM, f.level, false);
        Rect(f.outline, x + 2 * MM, y + 2 * MM, x + 4 * MM, y + 4 * MM, f.level, true);
        f.holes = 1;
        b.fills.push_back(f);
    }
    for (int i = 0; i < nParts; i++) {
        Part p;
        p.shapeIndex = (uint16_t)(i % 4);
        p.ox = rnd(MM, 299 * MM), p.oy = rnd(MM, 199 * MM);
        p.assign = "U" + std::to_string(i % 100000);
        p.name = "PART";
        int32_t r = 400000;
        int32_t c[4][2] = {{p.ox - r, p.oy + r}, {p.ox - r, p.oy - r}, {p.ox + r, p.oy + r}, {p.ox + r, p.oy - r}};
        memcpy(p.corner, c, sizeof c);
        for (const Via& sp : b.shapes[p.shapeIndex].pins) {
            Via v = sp;
            v.x += p.ox, v.y += p.oy;
            p.pins.push_back(v);
        }
        b.parts.push_back(p);
    }
    for (int i = 0; i < nFlashes; i++) {
        Flash f;
        f.x = rnd(0, 300 * MM), f.y = rnd(0, 200 * MM), f.level = (uint16_t)rnd(1, 4);
        f.owner = (uint16_t)(i % 3 == 0 ? 2 : 1);
        f.number = (uint16_t)rnd(0, 60000);
        b.flashes.push_back(f);
    }
    return b;
}

const char* const VARIANT_NAMES[7] = {"sample", "truncated", "bad-recsize", "count-past",
                                     "index-past", "short-section", "text98"};

static void MoveSectionLast(std::vector<Section>& secs, int32_t id)
{
    for (size_t i = 0; i < secs.size(); i++) {
        if (secs[i].id != id) continue;
        Section s = secs[i];
        secs.erase(secs.begin() + (long)i);
        secs.push_back(s);
        return;
    }
}

Bytes SampleVariant(const std::string& name)
{
    Board b = SampleBoard();
    if (name == "text98") b.textSize = b.shapeTextSize = 98;
    if (name == "index-past") {
        b.parts[3].shapeIndex = 99;
        b.viaTbl[1].flash[2] = 200;
    }
    std::vector<Section> secs = BoardSections(b);
    if (name == "short-section") MoveSectionLast(secs, SEC_TEXTS);
    if (name == "truncated") MoveSectionLast(secs, SEC_PARTS);
    Bytes file = BuildFile(secs);
    if (name == "sample" || name == "text98" || name == "index-past") return file;
    if (name == "truncated") {
        int k = FindEntry(file, SEC_PARTS);
        file.resize((size_t)EntryField(file, k, 3) + 5 * 100 + 37);
        return file;
    }
    if (name == "bad-recsize") {
        PatchEntry(file, FindEntry(file, SEC_LINES), 1, 40);
        return file;
    }
    if (name == "count-past") {
        PatchEntry(file, FindEntry(file, SEC_VIAS), 2, 1000000);
        return file;
    }
    if (name == "short-section") {
        file.resize(file.size() - 50);
        return file;
    }
    return {};
}

bool WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

}  // namespace pcbgen
