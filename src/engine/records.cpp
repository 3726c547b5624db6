// Adding records to the design and filling them in the fixed layouts.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "engine/store.h"
#include "platform/layout_fill.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_records.h"
#include "platform/qzt_tables.h"

namespace store {

void GrowAreaOfRecord(const void* record)
{
    uint8_t* page = PageOfRecord(record);
    if (!page) return;
    DataPageHeader* h = (DataPageHeader*)page;
    int32_t box[4];
    if (RecordExtent(h->dataCode, (const uint8_t*)record, box)) GrowArea(h, box[0], box[1], box[2], box[3]);
}

}  // namespace store

using namespace store;

namespace {

// Stores a copy of `size` bytes on a page of `code` with room; the element
// number at `elementAt` is a new one.
uint8_t* InsertRecord(int code, uint16_t key1, uint16_t key4, bool byKey4, const void* record,
                      int size, int elementAt, void** pageOut)
{
    if (pageOut) *pageOut = nullptr;
    uint8_t* page = PageWithRoom(code, key1, key4, byKey4);
    if (!page) return nullptr;
    DataPageHeader* h = (DataPageHeader*)page;
    uint8_t* rec = PageRecord(page, h->count, h->recordSize);
    if (record) std::memcpy(rec, record, size);
    uint32_t number = NextElementNo();
    std::memcpy(rec + elementAt, &number, 4);
    int32_t box[4];
    if (record && RecordExtent(code, rec, box) && !(*(const uint32_t*)rec & ES_DELETED))
        GrowArea(h, box[0], box[1], box[2], box[3]);
    h->count++;
    if (pageOut) *pageOut = page;
    return rec;
}

LineTable* Tll() { return Region_<LineTable>(RG_LINE); }

}  // namespace

extern "C" LineRecord* PDL_InsertNewData(short level, const void* record, void** page)
{
    return (LineRecord*)InsertRecord(DCODE_LINE, (uint16_t)level, 0, false, record, 60, 56, page);
}

extern "C" void PDL_MakeNewQZLine(int code, void* record, int lineNo, int net, int lgnet, int pinNo,
                                  int x1, int y1, int x2, int y2)
{
    LineRecord* r = (LineRecord*)record;
    if (!r) return;
    r->status &= ~ES_DELETED;
    r->code = (uint16_t)code;
    r->lineNo = lineNo;
    double dx = (double)x2 - x1, dy = (double)y2 - y1;
    r->radius = (int32_t)std::lround(std::sqrt(dx * dx + dy * dy));
    r->cx = (int32_t)std::clamp(dx, -2147483648.0, 2147483647.0);
    r->cy = (int32_t)std::clamp(dy, -2147483648.0, 2147483647.0);
    r->x1 = x1;
    r->y1 = y1;
    r->x2 = x2;
    r->y2 = y2;
    r->net = net;
    r->lgnet = lgnet;
    r->pinNo = (int16_t)pinNo;
    GrowAreaOfRecord(r);
}

extern "C" int PDL_MakeNewQZArc(int code, void* record, int lineNo, int net, int lgnet, int pinNo,
                                int mode, const int32_t* start, const int32_t* end,
                                const int32_t* unused, const int32_t* centre,
                                const int32_t* radius)
{
    LineRecord* r = (LineRecord*)record;
    if (!r || !start || !end || !centre) return 1;
    bool closed = start[0] == end[0] && start[1] == end[1];
    if (mode == 0 && !closed) return 1;
    double dx = (double)start[0] - centre[0], dy = (double)start[1] - centre[1];
    int32_t rad = radius && *radius > 0 ? *radius : (int32_t)std::lround(std::sqrt(dx * dx + dy * dy));
    if (rad <= 0) return 1;
    r->status &= ~ES_DELETED;
    r->code = (uint16_t)code;
    r->lineNo = lineNo;
    r->radius = rad;
    r->cx = centre[0];
    r->cy = centre[1];
    r->x1 = start[0];
    r->y1 = start[1];
    r->x2 = end[0];
    r->y2 = end[1];
    r->net = net;
    r->lgnet = lgnet;
    r->pinNo = (int16_t)pinNo;
    GrowAreaOfRecord(r);
    return 0;
}

extern "C" LineRecord* PDL_AllocNewDataArea(short level, void** page)
{
    return (LineRecord*)InsertRecord(DCODE_LINE, (uint16_t)level, 0, false, nullptr, 60, 56, page);
}

extern "C" int PDL_GetLineWidth(const void* record)
{
    if (!record) return 0;
    int lineNo = ((const LineRecord*)record)->lineNo;
    if (lineNo < 0 || lineNo > TBL_MAX_LINE) return 0;
    return Tll()->entry[lineNo].width;
}

extern "C" PdlClass* PDL_Get_PdlClass(void) { return Region_<PdlClass>(RG_PDL); }

extern "C" void PDL_Lin_MinMaxPointGet(const void* record, int32_t* min, int32_t* max)
{
    const LineRecord* r = (const LineRecord*)record;
    min[0] = Lo(r->x1, r->x2);
    min[1] = Lo(r->y1, r->y2);
    max[0] = Hi(r->x1, r->x2);
    max[1] = Hi(r->y1, r->y2);
}

extern "C" void PDL_Arc_MinMaxPointGet(const void* record, int32_t* min, int32_t* max)
{
    // The ends, and each axis point of the circle the arc sweeps over.
    const LineRecord* r = (const LineRecord*)record;
    PDL_Lin_MinMaxPointGet(record, min, max);
    const double pi = 3.14159265358979323846;
    double a1 = std::atan2((double)r->y1 - r->cy, (double)r->x1 - r->cx);
    double a2 = std::atan2((double)r->y2 - r->cy, (double)r->x2 - r->cx);
    if (r->code == FC_ARC_CW) std::swap(a1, a2);  // sweep counter-clockwise from a1 to a2
    double sweep = a2 - a1;
    while (sweep <= 0) sweep += 2 * pi;
    bool full = r->x1 == r->x2 && r->y1 == r->y2;
    for (int k = 0; k < 4; ++k) {
        double a = k * pi / 2;
        double rel = a - a1;
        while (rel < 0) rel += 2 * pi;
        while (rel >= 2 * pi) rel -= 2 * pi;
        if (!full && rel > sweep) continue;
        int32_t x = r->cx + (int32_t)std::lround(r->radius * std::cos(a));
        int32_t y = r->cy + (int32_t)std::lround(r->radius * std::sin(a));
        min[0] = Lo(min[0], x);
        min[1] = Lo(min[1], y);
        max[0] = Hi(max[0], x);
        max[1] = Hi(max[1], y);
    }
}

extern "C" ViaRecord* PDV_InsertNewData(const void* record, void** page)
{
    ViaRecord via{};
    if (record) std::memcpy(&via, record, sizeof(ViaInsertRecord));
    return (ViaRecord*)InsertRecord(DCODE_VIA, 0, 0, false, &via, 60, 56, page);
}

extern "C" ViaRecord* PDV_AllocNewDataArea(void** page)
{
    return (ViaRecord*)InsertRecord(DCODE_VIA, 0, 0, false, nullptr, 60, 56, page);
}

extern "C" TextRecord* PDT_InsertNewData(short level, const void* record, void** page)
{
    return (TextRecord*)InsertRecord(DCODE_TEXT, (uint16_t)level, 0, false, record, 200, 196, page);
}

extern "C" TextRecord* PDT_AllocNewDataArea(short level, void** page)
{
    return (TextRecord*)InsertRecord(DCODE_TEXT, (uint16_t)level, 0, false, nullptr, 200, 196, page);
}

extern "C" void PDT_SetNewData(DdmContext* ctx, void* record, const char* text, int x, int y,
                               int textLineNo, int angleWord, int height)
{
    TextRecord* r = (TextRecord*)record;
    if (!r) return;
    r->status &= ~ES_DELETED;
    if (r->code == 0) r->code = FC_TEXT;
    r->textLineNo = (uint32_t)textLineNo;
    r->angle = angleWord;
    r->x = x;
    r->y = y;
    r->height = (uint32_t)std::max(height, 0);
    // Shift-JIS: a lead byte and its trail byte make one code.
    int n = 0;
    const unsigned char* s = (const unsigned char*)(text ? text : "");
    while (*s && n < TEXT_MAX_CHARS) {
        unsigned c = *s++;
        bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (lead && *s) c = (c << 8) | *s++;
        r->chars[n++] = (uint16_t)c;
    }
    for (int i = n; i < TEXT_MAX_CHARS; ++i) r->chars[i] = 0;
    r->charCount = (int16_t)n;

    // Width from the text line's gap and width scale. Waiting for the fonts:
    // until the stroke font's advances are read, every character takes one
    // height times the width scale.
    double scale = 1.0;
    int gap = 0;
    if (textLineNo > 0 && textLineNo <= TBL_MAX_TEXTLINE) {
        const TextLineEntry& e = Region_<TextLineTable>(RG_TEXT_LINE)->entry[textLineNo];
        if (e.widthScale > 0) scale = e.widthScale;
        gap = e.fontGap;
    }
    double width = n > 0 ? n * (height * scale) + (n - 1) * (double)gap : 0.0;
    r->width = (uint32_t)std::lround(width);

    double angle = (angleWord >> 8) / 1000.0 * 3.14159265358979323846 / 180.0;
    bool mirror = angleWord & 1;
    double ux = std::cos(angle), uy = std::sin(angle);  // along the text
    double vx = -uy, vy = ux;                            // up
    double w = mirror ? -width : width;
    auto put = [&](int i, double px, double py) {
        r->corner[i][0] = (int32_t)std::lround(px);
        r->corner[i][1] = (int32_t)std::lround(py);
    };
    put(0, x + vx * height, y + vy * height);                  // upper left
    put(1, x, y);                                              // lower left
    put(2, x + ux * w + vx * height, y + uy * w + vy * height); // upper right
    put(3, x + ux * w, y + uy * w);                            // lower right: next pen point
    GrowAreaOfRecord(r);
}

extern "C" PdtClass* PDT_GetPDTClass(void) { return Region_<PdtClass>(RG_PDT); }

extern "C" void PDT_GetRect(int32_t* result, const int32_t* corners)
{
    int32_t minX = corners[0], maxX = corners[0], minY = corners[1], maxY = corners[1];
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, corners[2 * i]);
        maxX = std::max(maxX, corners[2 * i]);
        minY = std::min(minY, corners[2 * i + 1]);
        maxY = std::max(maxY, corners[2 * i + 1]);
    }
    result[0] = minX;
    result[1] = maxY;
    result[2] = maxX;
    result[3] = minY;
}

extern "C" PdpClass* PDP_Get_PdpClass(void) { return Region_<PdpClass>(RG_PDP); }
extern "C" int PDP_Get_PdpClassSymID(void) { return PDP_Get_PdpClass()->symId; }

// One more than the highest key 4 of that code, from the store's ordered
// lists: a walk of every page per new part made a board's parts quadratic.
static int NextKey(int code) { return HighestKey4(code) + 1; }

extern "C" void* PDP_AllocNewDataArea_Sym(void)
{
    int key = NextKey(DCODE_PART);
    if (key > 0xFFFF) return nullptr;
    uint8_t* page = NewPage(DCODE_PART, PART_PAGE_SIZE, (int)sizeof(PartRecord), 1, 0, 0,
                            (uint16_t)key, PC_PART, nullptr);
    if (!page) return nullptr;
    ((DataPageHeader*)page)->count = 1;
    PartRecord* part = (PartRecord*)(page + PAGE_HEADER_SIZE);
    part->kind = PART_KIND_NORMAL;
    part->elementNo = NextElementNo();
    PDP_Get_PdpClass()->symId++;
    return page;
}

extern "C" void* PDP_AllocNewDataArea_Shp(void)
{
    int key = NextKey(DCODE_SHAPE);
    if (key > 0xFFFF) return nullptr;
    uint8_t* page = NewPage(DCODE_SHAPE, SHAPE_PAGE_SIZE, (int)sizeof(ShapeData), 1, 0, 0,
                            (uint16_t)key, 0, nullptr);
    if (page) ((DataPageHeader*)page)->count = 1;
    return page;
}

static void* ElementPage(int code, int level, int key4, int count, int recordSize)
{
    if (count < 0) return nullptr;
    uint32_t size = PAGE_HEADER_SIZE + (uint32_t)std::max(count, 1) * recordSize;
    size = std::max<uint32_t>(size, PAGE_SIZE_ELEMENTS);
    if (size > 64u * 1024 * 1024) return nullptr;
    int max = (int)((size - PAGE_HEADER_SIZE) / recordSize);
    return NewPage(code, size, recordSize, max, (uint16_t)level, 0, (uint16_t)key4, 0, nullptr);
}

extern "C" void* PDP_AllocNewDataArea_ShpVia(int shapeNo, int count)
{
    return ElementPage(DCODE_SHAPE_PIN, 0, shapeNo, count, 60);
}
extern "C" void* PDP_AllocNewDataArea_ShpLin(int level, int shapeNo, int count)
{
    return ElementPage(DCODE_SHAPE_LINE, level, shapeNo, count, 60);
}
extern "C" void* PDP_AllocNewDataArea_ShpTxt(int level, int shapeNo, int count)
{
    return ElementPage(DCODE_SHAPE_TEXT, level, shapeNo, count, 200);
}
extern "C" void* PDP_AllocNewDataArea_Pin(int partKey, int count)
{
    void* page = ElementPage(DCODE_PIN, 0, partKey, count, 60);
    if (page) ((DataPageHeader*)page)->pageCode = PC_PIN;
    return page;
}

extern "C" void* PDP_SameShapeUseCheck(const char* name, int* number)
{
    if (!name) return nullptr;
    for (void* p = dam_NextPage(nullptr, DCODE_SHAPE, 0, 0); p; p = dam_NextPage(p, DCODE_SHAPE, 0, 0)) {
        const ShapeData* shape = (const ShapeData*)((uint8_t*)p + PAGE_HEADER_SIZE);
        if (std::strncmp(shape->name, name, sizeof(shape->name)) == 0) {
            if (number) *number = ((DataPageHeader*)p)->key[3];
            return p;
        }
    }
    return nullptr;
}

extern "C" void* PDP_GetSymUseShapeData(const void* partPage)
{
    if (!partPage) return nullptr;
    const PartRecord* part = (const PartRecord*)((const uint8_t*)partPage + PAGE_HEADER_SIZE);
    return dam_NextPage(nullptr, DCODE_SHAPE, DAM_SEL_PART, (int)part->shapeNo);
}

static int CountLive(int code, int shapeNo, bool fillsByPage)
{
    int n = 0;
    for (void* p = dam_NextPage(nullptr, code, DAM_SEL_PART, shapeNo); p;
         p = dam_NextPage(p, code, DAM_SEL_PART, shapeNo)) {
        const DataPageHeader* h = (const DataPageHeader*)p;
        if (fillsByPage) {
            n += (h->status & PS_SKIP) ? 0 : 1;
            continue;
        }
        for (int i = 0; i < h->count; ++i)
            if (!(*(const uint32_t*)PageRecord(p, i, h->recordSize) & ES_DELETED)) ++n;
    }
    return n;
}

extern "C" int PDP_GetShpViaCount(int shapeNo) { return CountLive(DCODE_SHAPE_PIN, shapeNo, false); }
extern "C" int PDP_GetShpLinCount(int shapeNo) { return CountLive(DCODE_SHAPE_LINE, shapeNo, false); }
extern "C" int PDP_GetShpTxtCount(int shapeNo) { return CountLive(DCODE_SHAPE_TEXT, shapeNo, false); }
extern "C" int PDP_GetShpPlnCount(int shapeNo) { return CountLive(DCODE_SHAPE_FILL, shapeNo, true); }

extern "C" void* PZB_AllocNewDataArea(int level, int lgnet, int points, int holeCount,
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
    size = std::max<int64_t>(size, FILL_PAGE_SIZE);
    int max = (int)((size - PAGE_HEADER_SIZE) / FILL_ENTRY_SIZE);
    return NewPage(DCODE_FILL, (uint32_t)size, FILL_ENTRY_SIZE, max, (uint16_t)level,
                   (uint16_t)lgnet, 0, PC_FILL, nullptr);
}

extern "C" PzbClass* PZB_Get_PzbClass(void) { return Region_<PzbClass>(RG_PZB); }
extern "C" PdsClass* PDS_Get_PdsClass(void) { return Region_<PdsClass>(RG_PDS); }

extern "C" int PZB_GetSideNum(const void* page)
{
    if (!page) return 0;
    const DataPageHeader* h = (const DataPageHeader*)page;
    if (h->count < 1) return 0;
    const FillHead* first = (const FillHead*)((const uint8_t*)page + PAGE_HEADER_SIZE);
    return first->points;
}

// ---- Extents of shapes and VIAs ---------------------------------------------------------

namespace {

struct Box {
    int32_t v[4] = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    void Add(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    {
        v[0] = Lo(v[0], Lo(x1, x2));
        v[1] = Lo(v[1], Lo(y1, y2));
        v[2] = Hi(v[2], Hi(x1, x2));
        v[3] = Hi(v[3], Hi(y1, y2));
    }
    int32_t* Out(int32_t* rect) const
    {
        bool empty = v[0] > v[2];
        for (int i = 0; i < 4; ++i) rect[i] = empty ? 0 : v[i];
        return rect;
    }
};

// Half the outer width and height of a size entry.
void HalfSize(int sizeNo, int32_t* hx, int32_t* hy)
{
    SizeEntry* e = TSZ_Get_TszTblRec(nullptr, sizeNo);
    uint64_t wh = TSZ_Get_OutWidthXY(e);
    *hx = (int32_t)(uint32_t)wh / 2;
    *hy = (int32_t)(uint32_t)(wh >> 32) / 2;
}

}  // namespace

extern "C" int32_t* PDP_ReCalcShpDataMinMax(int32_t* rect, DdmContext* ctx, int shapeNo)
{
    Box box;
    for (int code : {DCODE_SHAPE_PIN, DCODE_SHAPE_LINE, DCODE_SHAPE_TEXT})
        for (void* p = dam_NextPage(nullptr, code, DAM_SEL_PART, shapeNo); p;
             p = dam_NextPage(p, code, DAM_SEL_PART, shapeNo)) {
            DataPageHeader* h = (DataPageHeader*)p;
            for (int i = 0; i < h->count; ++i) {
                const uint8_t* rec = PageRecord(p, i, h->recordSize);
                int32_t b[4];
                if (!(*(const uint32_t*)rec & ES_DELETED) && RecordExtent(code, rec, b))
                    box.Add(b[0], b[1], b[2], b[3]);
            }
        }
    for (void* p = dam_NextPage(nullptr, DCODE_SHAPE_FILL, DAM_SEL_PART, shapeNo); p;
         p = dam_NextPage(p, DCODE_SHAPE_FILL, DAM_SEL_PART, shapeNo)) {
        DataPageHeader* h = (DataPageHeader*)p;
        if (h->count > 0 && h->area[0] <= h->area[2]) box.Add(h->area[0], h->area[1], h->area[2], h->area[3]);
    }
    return rect ? box.Out(rect) : nullptr;
}

extern "C" int32_t* PDP_ReCalcShpDataViaMinMax(int32_t* rect, DdmContext* ctx, int shapeNo, int level)
{
    Box box;
    ViaLayerTable* layers = TVT_Get_TvtViaLayerTbl(nullptr);
    for (void* p = dam_NextPage(nullptr, DCODE_SHAPE_PIN, DAM_SEL_PART, shapeNo); p;
         p = dam_NextPage(p, DCODE_SHAPE_PIN, DAM_SEL_PART, shapeNo)) {
        DataPageHeader* h = (DataPageHeader*)p;
        for (int i = 0; i < h->count; ++i) {
            const ViaRecord* r = (const ViaRecord*)PageRecord(p, i, 60);
            if (r->status & ES_DELETED) continue;
            int size = TVT_Get_AptNo_Level(layers, TVT_Get_QZViaTblRec(nullptr, r->viaNo), level & 0xFFFF);
            int32_t hx = 0, hy = 0;
            if (size > 0) HalfSize(size, &hx, &hy);
            box.Add(r->x - hx, r->y - hy, r->x + hx, r->y + hy);
        }
    }
    return rect ? box.Out(rect) : nullptr;
}

extern "C" uint64_t PDV_GetViaMaxSize(DdmContext* ctx, int viaNo)
{
    const ViaDef* d = TVT_Get_QZViaTblRec(nullptr, viaNo);
    if (!d) return 0;
    int32_t w = 0, h = 0;
    for (int j = 0; j <= VIA_LAYERS; ++j) {
        int size = TVT_Get_AptNo(d, j);
        if (size <= 0) continue;
        int32_t hx, hy;
        HalfSize(size, &hx, &hy);
        w = Hi(w, 2 * hx);
        h = Hi(h, 2 * hy);
    }
    return (uint32_t)w | ((uint64_t)(uint32_t)h << 32);
}
