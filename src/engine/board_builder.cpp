// The builder: tables and elements through the engine's record services.
#include "engine/board_builder.h"

#include <cmath>
#include <cstring>

#include "engine/store.h"
#include "platform/layout_fill.h"
#include "platform/layout_part.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_records.h"
#include "platform/qzt_tables.h"

using namespace store;

namespace {

void Name(char* to, size_t size, const char* from)
{
    std::memset(to, 0, size);
    if (from) std::strncpy(to, from, size - 1);
}

// Turns (x, y) by the placement and moves it to (ox, oy).
BldPoint Place(int32_t x, int32_t y, double angleDeg, bool mirror, int ox, int oy)
{
    double px = mirror ? -(double)x : (double)x;
    double a = angleDeg * 3.14159265358979323846 / 180.0;
    double rx = px * std::cos(a) - y * std::sin(a);
    double ry = px * std::sin(a) + y * std::cos(a);
    return {(int32_t)std::lround(rx + ox), (int32_t)std::lround(ry + oy)};
}

}  // namespace

int BLD_AddLevel(const char* name, int dataType, int layer, uint32_t color)
{
    LevelTable* t = TLV_Get_TlvClass();
    int k = t->levelUseNum + 1;
    if (k > TBL_MAX_LEVEL) return 0;
    LevelEntry& e = t->entry[k];
    e.number = (uint16_t)k;
    e.kind = dataType & 15;
    e.word28 = 1;
    Name(e.name, sizeof(e.name), name);
    LevelExtra& x = t->extra[k];
    x.layer = (int16_t)layer;
    x.color = color;
    x.dispNo = k;
    t->levelUseNum = t->levelDispNum = k;
    if (layer > t->layerUseNum) t->layerUseNum = layer;
    if (layer > 0) {
        // A conductor level gets a VIA layer.
        ViaLayerTable& layers = TVT_Get_TvtClass()->layers;
        int n = layers.count;
        if (n < VIA_LAYERS) {
            ViaLayerEntry& v = layers.entry[n];
            v.padLevel = (uint16_t)k;
            v.layerNo = (int16_t)layer;
            v.datLevCode = (uint16_t)(dataType & 15);
            v.useCount = 1;
            v.color = color;
            Name(v.name, sizeof(v.name), name);
            layers.count = n + 1;
            e.viaLayer = n + 1;
        }
    }
    if (t->activeLevel == 0) t->activeLevel = (int16_t)k;
    return k;
}

int BLD_AddSize(int shapeCode, int outX, int outY)
{
    SizeTable* t = TSZ_Get_TszClass();
    int n = t->useNum + 1;
    if (n > TBL_MAX_SIZE) return 0;
    SizeEntry& e = t->entry[n];
    e.number = (uint32_t)n;
    e.flags = 2 | (1 << 2);  // draw and flash; a land
    e.shape = (uint16_t)shapeCode;
    e.outX = outX;
    e.outY = outY;
    t->useNum = t->dispNum = n;
    return n;
}

static int AddLineRow(LineTable* t, int width)
{
    int n = t->useNum + 1;
    if (n > TBL_MAX_LINE) return 0;
    LineEntry& e = t->entry[n];
    e.number = (uint32_t)n;
    e.width = width;
    e.aptNo = BLD_AddSize(0, width, width);
    e.dispMode = 3;
    e.tblNo = n;
    e.color = (uint32_t)n;
    t->useNum = t->dispNum = n;
    if (t->activeNo == 0) t->activeNo = n;
    return n;
}

int BLD_AddLine(int width) { return AddLineRow(TLL_Get_TllClass(), width); }
int BLD_AddFillLine(int width) { return AddLineRow(TPL_Get_TplClass(), width); }

int BLD_AddTextLine(int strokeWidth, int height)
{
    TextLineTable* t = TTL_Get_TtlClass();
    int n = t->useNum + 1;
    if (n > TBL_MAX_TEXTLINE) return 0;
    TextLineEntry& e = t->entry[n];
    e.number = (uint32_t)n;
    e.width = strokeWidth;
    e.aptNo = BLD_AddSize(0, strokeWidth, strokeWidth);
    e.fontGap = height / 6;
    e.widthScale = 0.8;
    e.height = height;
    e.charWidth = height * 8 / 10;
    e.tblNo = n;
    t->useNum = t->dispNum = n;
    if (t->activeNo == 0) t->activeNo = n;
    return n;
}

int BLD_AddHole(int diameter)
{
    HoleTable* t = DDM_Open_HoleTable(nullptr);
    int k = t->count + 1;
    if (k > TBL_MAX_HOLE) return 0;
    HoleEntry& e = t->entry[k];
    e.number = (uint32_t)k;
    e.kindShape = 1;  // plated, round
    e.sizeX = diameter;
    e.toolNo = k;
    t->count = t->dispNum = k;
    return k;
}

int BLD_AddVia(int padSize, int holeNo)
{
    ViaTable* t = TVT_Get_TvtClass();
    int v = t->useNum + 1;
    if (v > TBL_MAX_VIA) return 0;
    int size = BLD_AddSize(0, padSize, padSize);
    ViaDef& d = t->def[v];
    d.number = (uint32_t)v;
    d.viaNo = (uint32_t)v;
    d.setMode = 0x100;
    d.drillNo = (uint32_t)holeNo;
    d.holeSize = holeNo > 0 ? DDM_Open_HoleTable(nullptr)->entry[holeNo].sizeX : 0;
    d.used = 1;
    d.kind = 2;
    for (int j = 1; j <= t->layers.count; ++j) d.apt[j] = TVT_MakeAptNo(0, 1, size);
    t->useNum = t->dispNum = v;
    if (t->activeNo == 0) t->activeNo = v;
    return v;
}

LineRecord* BLD_Line(int level, int lineNo, int x1, int y1, int x2, int y2, int net)
{
    LineRecord r{};
    PDL_MakeNewQZLine(FC_LINE, &r, lineNo, net, -1, -1, x1, y1, x2, y2);
    r.level = level;
    return PDL_InsertNewData((short)level, &r, nullptr);
}

LineRecord* BLD_Arc(int level, int lineNo, bool clockwise, BldPoint start, BldPoint end,
                    BldPoint centre, int net)
{
    LineRecord r{};
    int32_t s[2] = {start.x, start.y}, e[2] = {end.x, end.y}, c[2] = {centre.x, centre.y};
    bool closed = s[0] == e[0] && s[1] == e[1];
    if (PDL_MakeNewQZArc(clockwise ? FC_ARC_CW : FC_ARC_CCW, &r, lineNo, net, -1, -1,
                         closed ? 0 : 1, s, e, nullptr, c, nullptr))
        return nullptr;
    r.level = level;
    return PDL_InsertNewData((short)level, &r, nullptr);
}

ViaRecord* BLD_Via(int viaNo, int x, int y, int net)
{
    ViaInsertRecord r{};
    r.code = FC_VIA;
    r.viaNo = (uint32_t)viaNo;
    r.x = x;
    r.y = y;
    r.net = net;
    r.lgnet = net;
    r.pinNo = -1;
    return PDV_InsertNewData(&r, nullptr);
}

TextRecord* BLD_Text(int level, int textLineNo, const char* text, int x, int y, int height,
                     double angleDeg)
{
    TextRecord placeholder{};
    placeholder.status = ES_DELETED;
    placeholder.code = FC_TEXT;
    TextRecord* r = PDT_InsertNewData((short)level, &placeholder, nullptr);
    if (!r) return nullptr;
    int angle = (int)std::lround(angleDeg * 1000.0) * 256;
    PDT_SetNewData(nullptr, r, text, x, y, textLineNo, angle, height);
    // The placeholder was stored before its corners were known.
    if (DataPageHeader* h = (DataPageHeader*)PageOfRecord(r)) {
        int32_t box[4];
        if (RecordExtent(h->dataCode, (const uint8_t*)r, box)) GrowArea(h, box[0], box[1], box[2], box[3]);
    }
    return r;
}

void* BLD_Fill(int level, int fillLineNo, int lgnet, const std::vector<BldPoint>& outline,
               const std::vector<std::vector<BldPoint>>& holes)
{
    if (outline.size() < 3) return nullptr;
    std::vector<int> holePoints;
    for (const auto& h : holes) holePoints.push_back((int)h.size() + 1);
    void* page = PZB_AllocNewDataArea(level, lgnet, (int)outline.size() + 1, (int)holes.size(),
                                      holePoints.data());
    if (!page) return nullptr;
    DataPageHeader* h = (DataPageHeader*)page;
    int at = 0;
    auto figure = [&](const std::vector<BldPoint>& pts, bool first) {
        FillHead* head = (FillHead*)PageRecord(page, at++, FILL_ENTRY_SIZE);
        head->kind = first ? FK_FIRST_FIGURE : FK_NEXT_FIGURE;
        head->lineNo = fillLineNo;
        head->entries = (int32_t)pts.size() + 2;
        head->points = (int32_t)pts.size() + 1;
        if (first) {
            head->net = lgnet;
            head->elementNo = NextElementNo();
        }
        // Points relative to the figure offset: the first point.
        head->ox = pts[0].x;
        head->oy = pts[0].y;
        for (size_t i = 0; i <= pts.size(); ++i) {
            const BldPoint& p = pts[i % pts.size()];
            FillPoint* e = (FillPoint*)PageRecord(page, at++, FILL_ENTRY_SIZE);
            e->kind = i == 0 ? FK_FIRST_POINT : FK_POINT;
            e->lineNo = fillLineNo;
            e->x = p.x - head->ox;
            e->y = p.y - head->oy;
            GrowArea(h, p.x, p.y, p.x, p.y);
        }
    };
    figure(outline, true);
    for (const auto& hole : holes)
        if (hole.size() >= 3) figure(hole, false);
    h->count = at;
    return page;
}

int BLD_Net(const char* name)
{
    PcbInfData* inf = DDM_Open_PCBInfData(nullptr);
    const uint32_t room = sizeof(inf->netPage) / sizeof(inf->netPage[0]);
    if (inf->firstNetPage + inf->netPageCount >= room) return 0;
    uint32_t pageNo = 0;
    uint8_t* page = NewPage(DCODE_NET, NET_PAGE_SIZE, 0, 0, 0, 0, 0, 0, &pageNo);
    if (!page) return 0;
    DataPageHeader* h = (DataPageHeader*)page;
    Name(h->name, sizeof(h->name), name);
    inf->netPage[inf->firstNetPage + inf->netPageCount] = pageNo;
    return (int)++inf->netPageCount;
}

int BLD_Shape(const char* name, const std::vector<BldPin>& pins, int silkLevel, int silkLine,
              const std::vector<BldPoint>& silkOutline)
{
    void* page = PDP_AllocNewDataArea_Shp();
    if (!page) return 0;
    int shapeNo = ((DataPageHeader*)page)->key[3];
    ShapeData* shape = (ShapeData*)((uint8_t*)page + PAGE_HEADER_SIZE);
    Name(shape->name, sizeof(shape->name), name);
    shape->height = 100000;
    shape->pinCount = (int32_t)pins.size();
    int32_t ext[4] = {0, 0, 0, 0};
    auto grow = [&](int32_t x, int32_t y) {
        ext[0] = Lo(ext[0], x);
        ext[1] = Lo(ext[1], y);
        ext[2] = Hi(ext[2], x);
        ext[3] = Hi(ext[3], y);
    };
    void* pinPage = PDP_AllocNewDataArea_ShpVia(shapeNo, (int)pins.size());
    DataPageHeader* ph = (DataPageHeader*)pinPage;
    for (size_t i = 0; pinPage && i < pins.size() && ph->count < ph->max; ++i) {
        ViaRecord* r = (ViaRecord*)PageRecord(pinPage, ph->count++, 60);
        r->code = FC_VIA;
        r->viaNo = (uint16_t)pins[i].viaNo;
        r->x = pins[i].x;
        r->y = pins[i].y;
        Name(r->name, sizeof(r->name), pins[i].name);
        r->pinNo = (int16_t)(i + 1);
        r->net = -1;
        r->lgnet = -1;
        grow(pins[i].x, pins[i].y);
        GrowArea(ph, pins[i].x, pins[i].y, pins[i].x, pins[i].y);
    }
    if (silkOutline.size() >= 2) {
        void* linePage = PDP_AllocNewDataArea_ShpLin(silkLevel, shapeNo, (int)silkOutline.size());
        DataPageHeader* lh = (DataPageHeader*)linePage;
        for (size_t i = 0; linePage && i < silkOutline.size(); ++i) {
            const BldPoint& a = silkOutline[i];
            const BldPoint& b = silkOutline[(i + 1) % silkOutline.size()];
            LineRecord* r = (LineRecord*)PageRecord(linePage, lh->count++, 60);
            PDL_MakeNewQZLine(FC_LINE, r, silkLine, -1, -1, -1, a.x, a.y, b.x, b.y);
            GrowArea(lh, a.x, a.y, b.x, b.y);
            grow(a.x, a.y);
        }
    }
    std::memcpy(shape->extent, ext, sizeof(ext));
    return shapeNo;
}

void* BLD_Part(int shapeNo, const char* assignName, const char* partName, int x, int y,
               double angleDeg, bool mirror)
{
    void* shapePage = dam_NextPage(nullptr, DCODE_SHAPE, DAM_SEL_PART, shapeNo);
    if (!shapePage) return nullptr;
    const ShapeData* shape = (const ShapeData*)((uint8_t*)shapePage + PAGE_HEADER_SIZE);
    void* page = PDP_AllocNewDataArea_Sym();
    if (!page) return nullptr;
    DataPageHeader* h = (DataPageHeader*)page;
    int partKey = h->key[3];
    PartRecord* part = (PartRecord*)((uint8_t*)page + PAGE_HEADER_SIZE);
    part->shapeNo = (uint32_t)shapeNo;
    part->x = x;
    part->y = y;
    part->place = (int32_t)((uint32_t)std::lround(angleDeg * 1000.0) << 8) | (mirror ? 1 : 0);
    Name(part->assignName, sizeof(part->assignName), assignName);
    Name(part->partName, sizeof(part->partName), partName);
    int32_t e[4];
    std::memcpy(e, shape->extent, sizeof(e));
    BldPoint corners[4] = {Place(e[0], e[1], angleDeg, mirror, x, y), Place(e[2], e[1], angleDeg, mirror, x, y),
                           Place(e[2], e[3], angleDeg, mirror, x, y), Place(e[0], e[3], angleDeg, mirror, x, y)};
    for (int i = 0; i < 4; ++i) {
        part->outline1[i][0] = part->outline2[i][0] = corners[i].x;
        part->outline1[i][1] = part->outline2[i][1] = corners[i].y;
        GrowArea(h, corners[i].x, corners[i].y, corners[i].x, corners[i].y);
    }
    // The pins, placed.
    void* shapePins = dam_NextPage(nullptr, DCODE_SHAPE_PIN, DAM_SEL_PART, shapeNo);
    int count = shapePins ? ((DataPageHeader*)shapePins)->count : 0;
    void* pinPage = PDP_AllocNewDataArea_Pin(partKey, count);
    DataPageHeader* ph = (DataPageHeader*)pinPage;
    for (int i = 0; pinPage && i < count; ++i) {
        ViaRecord pin;
        std::memcpy(&pin, PageRecord(shapePins, i, 60), 60);
        BldPoint p = Place(pin.x, pin.y, angleDeg, mirror, x, y);
        pin.x = p.x;
        pin.y = p.y;
        if (mirror) pin.status |= ES_OTHER_SIDE;
        pin.elementNo = NextElementNo();
        std::memcpy(PageRecord(pinPage, ph->count++, 60), &pin, 60);
        GrowArea(ph, p.x, p.y, p.x, p.y);
    }

    PcbInfData* inf = DDM_Open_PCBInfData(nullptr);
    inf->partCount++;
    return page;
}

ViaRecord* BLD_PinNet(void* partPage, const char* pinName, int net)
{
    if (!partPage || !pinName) return nullptr;
    int partKey = ((DataPageHeader*)partPage)->key[3];
    for (void* p = dam_NextPage(nullptr, DCODE_PIN, DAM_SEL_PART, partKey); p;
         p = dam_NextPage(p, DCODE_PIN, DAM_SEL_PART, partKey)) {
        DataPageHeader* h = (DataPageHeader*)p;
        for (int i = 0; i < h->count; ++i) {
            ViaRecord* pin = (ViaRecord*)PageRecord(p, i, 60);
            if (std::strncmp(pin->name, pinName, sizeof(pin->name)) != 0) continue;
            pin->net = net;
            pin->lgnet = net;
            return pin;
        }
    }
    return nullptr;
}
