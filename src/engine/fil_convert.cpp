// Converters of predecessor board records into design records. The file
// records are what the predecessor's section writers produce; these undo
// them: stored line ends back to the engine's ends and line type bits back
// to status bits, placement and angle words rebuilt, fill outline records
// turned into figure heads and point entries.
#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/store.h"
#include "platform/layout_fill.h"
#include "platform/layout_line.h"
#include "platform/layout_part.h"
#include "platform/layout_pcbfile.h"
#include "platform/layout_text.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_fil.h"
#include "platform/qzt_records.h"

namespace {

int32_t Add(int32_t a, int b)
{
    int64_t v = (int64_t)a + b;
    return (int32_t)std::clamp<int64_t>(v, INT_MIN, INT_MAX);
}

void Widen(int32_t* extent, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (!extent) return;
    extent[0] = std::min({extent[0], x1, x2});
    extent[1] = std::min({extent[1], y1, y2});
    extent[2] = std::max({extent[2], x1, x2});
    extent[3] = std::max({extent[3], y1, y2});
}

void WidenCircle(int32_t* extent, int32_t cx, int32_t cy, int32_t r)
{
    r = r < 0 ? 0 : r;
    Widen(extent, Add(cx, -r), Add(cy, -r), Add(cx, r), Add(cy, r));
}

// A text field of the file copied with at most `max` characters and always
// terminated.
void CopyName(char* to, size_t room, const char* from, size_t max)
{
    memset(to, 0, room);
    size_t n = strnlen(from, max);
    memcpy(to, from, std::min(n, room - 1));
}

// The angle word of a placement or text: the file keeps its bits 8-23.
int32_t AngleWord(uint16_t fileAngle, bool mirror)
{
    return (int32_t)(int16_t)fileAngle * 256 + (mirror ? 1 : 0);
}

}  // namespace

extern "C" void FIL_LineConvertQZtoPDL(void* dest, const void* rec, int32_t* extent, int x, int y, int)
{
    PcbLineRec r;
    memcpy(&r, rec, sizeof r);
    LineRecord* d = (LineRecord*)dest;
    uint32_t status = 0;
    switch (r.flags & PCB_TYPE_MASK) {
    case 10: status |= 1u << 19; break;
    case 12: status |= 1u << 20; break;
    case 1: status |= 1u << 24; break;
    default: break;
    }
    if (r.flags & PCB_START_MARK) status |= 1u << 22;
    if (r.flags & PCB_END_MARK) status |= 1u << 21;
    d->status = status;
    bool arc = (r.flags & PCB_ARC) != 0;
    // Every arc is stored counter-clockwise from its start to its end.
    d->code = arc ? FC_ARC_CCW : FC_LINE;
    d->lineNo = r.lineNo <= TBL_MAX_LINE ? r.lineNo : 0;
    d->radius = r.radius;
    d->x1 = Add(r.sx, x), d->y1 = Add(r.sy, y);
    d->x2 = Add(r.ex, x), d->y2 = Add(r.ey, y);
    if (arc) {
        d->cx = Add(r.cx, x), d->cy = Add(r.cy, y);
        WidenCircle(extent, d->cx, d->cy, d->radius);
    } else {
        d->cx = r.cx, d->cy = r.cy;  // a straight line's deltas
        Widen(extent, d->x1, d->y1, d->x2, d->y2);
    }
    d->net = (int16_t)r.value;
    d->lgnet = (int16_t)r.word42;
    d->pinNo = (int16_t)r.word38;
}

extern "C" void FIL_TextConvertQZtoPDT(DdmContext*, void* dest, const void* rec, int32_t* extent, int x, int y, int)
{
    PcbTextRec r;
    memcpy(&r, rec, sizeof r);
    TextRecord* d = (TextRecord*)dest;
    d->status = 0;
    d->code = FC_TEXT;
    d->textLineNo = r.textLineNo <= TBL_MAX_TEXTLINE ? r.textLineNo : 0;
    d->angle = AngleWord((uint16_t)r.angle, (r.mirror & 1) != 0);
    d->x = Add(r.x, x), d->y = Add(r.y, y);
    d->width = 0;
    d->height = (uint32_t)std::max(r.height, 0);
    const int32_t* from[4] = {r.pair28, r.pair4, r.pair20, r.pair12};
    for (int c = 0; c < 4; c++) {
        d->corner[c][0] = Add(from[c][0], x);
        d->corner[c][1] = Add(from[c][1], y);
        Widen(extent, d->corner[c][0], d->corner[c][1], d->corner[c][0], d->corner[c][1]);
    }
    Widen(extent, d->x, d->y, d->x, d->y);
    int n = std::min<int>(r.count, 16);
    d->charCount = (int16_t)n;
    d->exempt = 0;
    memset(d->chars, 0, sizeof d->chars);
    memcpy(d->chars, r.chars, 2 * (size_t)n);
}

static void ViaCommon(ViaRecord* d, const PcbViaRec& r, int x, int y)
{
    d->status = (r.flags & 0xF) == 1 ? ES_NAMED : 0;
    d->code = FC_VIA;
    d->viaNo = r.viaNo;
    d->defViaTbl = 0;
    d->word10 = 0;
    d->x = Add(r.x, x), d->y = Add(r.y, y);
    d->word22 = 0;
    CopyName(d->name, sizeof d->name, r.text, 7);
    d->lgnet = (int16_t)r.word28;
    d->pinNo = (int16_t)r.word18;
}

extern "C" void FIL_ViaConvertQZtoPDL(void* dest, const void* rec, int32_t* extent, int x, int y, int)
{
    PcbViaRec r;
    memcpy(&r, rec, sizeof r);
    ViaRecord* d = (ViaRecord*)dest;
    ViaCommon(d, r, x, y);
    d->net = (int16_t)r.word16;
    Widen(extent, d->x, d->y, d->x, d->y);
}

extern "C" void FIL_PinConvertQZtoPDL(void* dest, const void* rec, int x, int y, int)
{
    PcbViaRec r;
    memcpy(&r, rec, sizeof r);
    ViaRecord* d = (ViaRecord*)dest;
    ViaCommon(d, r, x, y);
    if (r.flags & 0x8000) d->status |= ES_DELETED;
    d->net = (int16_t)r.word16;
}

extern "C" void FIL_SymConvertQZtoPDP(void* dest, const void* rec, int shapeNo, int x, int y, int, int)
{
    PcbPartRec r;
    memcpy(&r, rec, sizeof r);
    PartRecord* d = (PartRecord*)dest;
    d->status = 0;
    d->kind = PART_KIND_NORMAL;
    d->shapeNo = (uint32_t)shapeNo;
    // The file holds the corners in the order fourth, first, third, second.
    const int order[4] = {1, 3, 2, 0};
    for (int c = 0; c < 4; c++) {
        d->outline1[c][0] = Add(r.corner[order[c]][0], x);
        d->outline1[c][1] = Add(r.corner[order[c]][1], y);
    }
    memcpy(d->outline2, d->outline1, sizeof d->outline2);
    d->x = Add(r.x, x), d->y = Add(r.y, y);
    d->place = AngleWord(r.angle, (r.mirror & 0x8000) != 0);
    CopyName(d->assignName, sizeof d->assignName, r.assignName, 9);
    CopyName(d->partName, sizeof d->partName, r.partName, 13);
}

extern "C" void FIL_FlashConvertQZtoPDF(void* dest, const void* rec, int32_t* extent, int, int, int)
{
    PcbFlashRec r;
    memcpy(&r, rec, sizeof r);
    ViaRecord* d = (ViaRecord*)dest;
    memset(d, 0, 48);
    d->code = FC_VIA;
    d->viaNo = r.word12;
    d->x = r.x, d->y = r.y;
    memcpy(d->name, &r.owner, 2);  // the owner kind at byte 24
    d->net = (int16_t)r.word16;
    d->lgnet = (int16_t)r.word28;
    d->pinNo = (int16_t)r.word18;
    Widen(extent, d->x, d->y, d->x, d->y);
}

extern "C" const void* FIL_SetOnePolygonToPZB(void* entries, int* index, int kind, int count, const void* header,
                                              const void* outline, int32_t* extent, int x, int y, int available)
{
    PcbFillHeader h;
    memcpy(&h, header, sizeof h);
    uint8_t* base = (uint8_t*)entries;
    FillHead* head = (FillHead*)(base + (size_t)*index * FILL_ENTRY_SIZE);
    memset(head, 0, sizeof *head);
    head->kind = (uint16_t)kind;
    head->lineNo = h.word14;
    head->group = (int16_t)h.word18;
    head->entries = count + 1;
    head->points = count;
    head->ox = x, head->oy = y;
    if (kind == FK_FIRST_FIGURE) {
        head->hatchAngle = h.hatch ? 900 : 0;
        head->net = (int16_t)h.word16;
    }
    int written = 0;
    int used = 0;
    int32_t lastX = 0, lastY = 0;
    auto put = [&](uint16_t k, int32_t px, int32_t py, int32_t radius, int lineNo) {
        FillPoint* p = (FillPoint*)(base + (size_t)(*index + 1 + written) * FILL_ENTRY_SIZE);
        memset(p, 0, sizeof *p);
        p->kind = k, p->lineNo = lineNo, p->radius = radius, p->x = px, p->y = py;
        written++;
    };
    const uint8_t* recs = (const uint8_t*)outline;
    bool first = true;
    while (used < available && written < count) {
        PcbOutlineRec r;
        memcpy(&r, recs + (size_t)used * sizeof r, sizeof r);
        used++;
        if (r.flags & PCB_DELETED) continue;
        int32_t sx = r.sx, sy = r.sy, ex = r.ex, ey = r.ey;
        bool swapped = (r.flags & PCB_ENDS_SWAPPED) != 0;
        if (swapped) std::swap(sx, ex), std::swap(sy, ey);
        if (first) {
            put(FK_FIRST_POINT, sx, sy, 0, r.lineNo);
            Widen(extent, Add(sx, x), Add(sy, y), Add(sx, x), Add(sy, y));
            first = false;
        }
        if ((r.flags & PCB_ARC) && written < count) {
            put(swapped ? FK_ARC_CW : FK_ARC_CCW, r.word20, r.word24, r.radius, r.lineNo);
            WidenCircle(extent, Add(r.word20, x), Add(r.word24, y), r.radius);
        }
        if (written < count) put(FK_POINT, ex, ey, 0, r.lineNo);
        lastX = ex, lastY = ey;
        Widen(extent, Add(ex, x), Add(ey, y), Add(ex, x), Add(ey, y));
        if (r.flags & PCB_END_MARK) break;
    }
    // Fewer records than points: the figure ends where its records end.
    while (written < count) put(FK_POINT, lastX, lastY, 0, 0);
    *index += 1 + count;
    return recs + (size_t)used * sizeof(PcbOutlineRec);
}

extern "C" void DDM_QZTaperToFigTaper(DdmContext*, const void*, const void* next, void* dest)
{
    if (!dest || !next) return;
    PcbLineRec r;
    memcpy(&r, next, sizeof r);
    if (r.level < 1 || r.level > TBL_MAX_LEVEL) return;
    LineRecord piece{};
    FIL_LineConvertQZtoPDL(&piece, next, nullptr, 0, 0, 0);
    piece.net = -1, piece.lgnet = -1, piece.pinNo = -1;
    PDL_InsertNewData((short)r.level, &piece, nullptr);
}

extern "C" void* PDP_AllocNewDataArea_ShpPln(int level, int word, int shapeNo, int points, int holeCount,
                                             const int* holePoints)
{
    if (points < 0 || holeCount < 0 || holeCount > 100000) return nullptr;
    int64_t entries = 1 + (int64_t)points;
    for (int i = 0; i < holeCount; ++i) {
        if (!holePoints || holePoints[i] < 0) return nullptr;
        entries += 1 + (int64_t)holePoints[i];
    }
    int64_t size = PAGE_HEADER_SIZE + entries * FILL_ENTRY_SIZE + 16;
    if (size > 64ll * 1024 * 1024) return nullptr;
    uint32_t pageNo = 0;
    return dam_AppendPage(DCODE_SHAPE_FILL, (int)size, level, 0, word, shapeNo, &pageNo);
}
