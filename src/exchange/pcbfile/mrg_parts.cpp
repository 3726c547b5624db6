// Predecessor board shapes (part footprints with their pins, lines, texts and
// fills), placed parts with their pins, and the flash data read last.
#include <cstring>
#include <unordered_map>
#include <vector>

#include "exchange/pcbfile/mrg_read.h"
#include "platform/qztdll.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_fil.h"
#include "platform/qzt_records.h"
#include "platform/layout_line.h"
#include "platform/layout_part.h"

static bool ReadRecords(MrgState* s, int n, int size, std::vector<uint8_t>& out)
{
    int64_t bytes = (int64_t)n * size;
    if (n < 0 || bytes > MrgLeft(s->file)) return false;
    out.resize((size_t)bytes);
    return bytes == 0 || MrgRead(s->file, out.data(), bytes);
}

// The number of sub-records a {first, last} pair stands for: none when
// either word is 0xFFFF or the pair runs backwards.
static int PairCount(const uint16_t* pair)
{
    if (pair[0] == PCB_NO_INDEX || pair[1] == PCB_NO_INDEX || pair[1] < pair[0]) return 0;
    return pair[1] - pair[0] + 1;
}

static void GrowArea(void* page, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    int32_t area[4], box[4] = {x1, y1, x2, y2};
    dam_Get_area_of_DataPH(area, page);
    MrgWiden(area, box);
    dam_Set_area_of_DataPH(page, area);
}

// Lines or texts of a shape grouped by level in the order the levels first
// appear; level 0 and levels the design lacks are not converted.
static void ConvertByLevel(MrgState* s, const std::vector<uint8_t>& recs, int n, int size, int levelAt, int key,
                           bool text)
{
    std::vector<int> order;
    std::unordered_map<int, std::vector<int>> byLevel;
    for (int k = 0; k < n; k++) {
        uint16_t level;
        memcpy(&level, recs.data() + (size_t)k * size + levelAt, 2);
        if (!MrgLevelOk(level)) continue;
        std::vector<int>& list = byLevel[level];
        if (list.empty()) order.push_back(level);
        list.push_back(k);
    }
    for (int level : order) {
        const std::vector<int>& list = byLevel[level];
        int c = (int)list.size();
        void* page = text ? PDP_AllocNewDataArea_ShpTxt(level, key, c) : PDP_AllocNewDataArea_ShpLin(level, key, c);
        if (!page) continue;
        for (int k = 0; k < c; k++) {
            const uint8_t* rec = recs.data() + (size_t)list[k] * size;
            int32_t box[4] = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
            if (text) FIL_TextConvertQZtoPDT(s->ctx, (uint8_t*)page + 112 + 200 * (size_t)k, rec, box, 0, 0, 0);
            else FIL_LineConvertQZtoPDL((uint8_t*)page + 112 + 60 * (size_t)k, rec, box, 0, 0, 0);
            dam_Add_cnt_of_DataPH(page, 1);
            if (box[0] <= box[2]) GrowArea(page, box[0], box[1], box[2], box[3]);
        }
    }
}

int MRG_ReadShapes(MrgState* s, const SectionDirectoryEntry* e)
{
    if (e->count <= 0) return 1;
    // The reader's shape record is 48 bytes, written as 50: other sizes do
    // not fit it.
    if (e->recordSize < PCB_SHAPE_SIZE || e->recordSize > PCB_SHAPE_SIZE_WRITTEN ||
        (int64_t)e->count * e->recordSize > MrgLeft(s->file)) {
        MrgReadError("CL Read Error.");
        return 0;
    }
    MemFree(nullptr, s->shapes, MRG_CAPTION);
    s->shapes = (ShapeIndexEntry*)MemAlloc(nullptr, (size_t)e->count * sizeof(ShapeIndexEntry), MRG_CAPTION);
    s->shapeCount = 0;
    if (!s->shapes) return 0;
    std::vector<uint8_t> recs;
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("シェイプ", i, e->count);
        uint8_t raw[PCB_SHAPE_SIZE_WRITTEN];
        if (!MrgRead(s->file, raw, e->recordSize)) {
            MrgReadError("CL Read Error.");
            return 0;
        }
        PcbShapeRec r;
        memcpy(&r, raw, sizeof r);
        char name[10] = {};
        memcpy(name, r.name, strnlen(r.name, 9));
        int number = -1, key = -1;
        void* page = nullptr;
        if (PDP_SameShapeUseCheck(name, &number)) {
            key = -1;  // sub-records are read and dropped
        } else {
            page = PDP_AllocNewDataArea_Shp();
            if (!page) return 0;
            ShapeData* d = (ShapeData*)((uint8_t*)page + 112);
            memset(d->name, 0, sizeof d->name);
            memcpy(d->name, name, strlen(name));
            memcpy(d->extent, r.value, 16);
            d->height = r.value[4];
            d->carried = r.word46;
            key = dam_Get_key_of_DataPH(page, 4);
            number = key;
        }
        s->shapes[s->shapeCount++] = ShapeIndexEntry{i, number};

        // Pins are always read, also when they are not stored, so that the
        // next sub-records are read from their own place.
        int n = PairCount(r.pins);
        if (!ReadRecords(s, n, sizeof(PcbViaRec), recs)) {
            MrgReadError("CL Read Error.");
            return 0;
        }
        if (n > 0 && key >= 0) {
            void* pins = PDP_AllocNewDataArea_ShpVia(key, n);
            for (int j = 0; pins && j < n; j++) {
                int32_t box[4] = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
                FIL_ViaConvertQZtoPDL((uint8_t*)pins + 112 + 60 * (size_t)j, recs.data() + 32 * (size_t)j, box, 0, 0, 0);
                dam_Add_cnt_of_DataPH(pins, 1);
                GrowArea(pins, box[0], box[1], box[2], box[3]);
            }
        }
        n = PairCount(r.lines);
        if (!ReadRecords(s, n, sizeof(PcbLineRec), recs)) {
            MrgReadError("CL Read Error.");
            return 0;
        }
        if (key >= 0) ConvertByLevel(s, recs, n, sizeof(PcbLineRec), 32, key, false);
        n = PairCount(r.texts);
        if (!ReadRecords(s, n, PCB_TEXT_SIZE, recs)) {
            MrgReadError("CL Read Error.");
            return 0;
        }
        if (key >= 0) ConvertByLevel(s, recs, n, PCB_TEXT_SIZE, 48, key, true);
        n = PairCount(r.fills);
        for (int j = 0; j < n; j++)
            if (!MrgReadOneFill(s, false, key, key >= 0)) return 0;
        // The store counts a shape page's one record when it makes the page.
    }
    return 1;
}

int MRG_ReadParts(MrgState* s, const SectionDirectoryEntry* e)
{
    if (e->count <= 0) return 1;
    if ((int64_t)e->count * (int64_t)sizeof(PcbPartRec) > MrgLeft(s->file)) {
        MrgReadError("CL Read Error.");
        return 0;
    }
    MemFree(nullptr, s->pins, MRG_CAPTION);
    s->pins = (PinRangeEntry*)MemAlloc(nullptr, (size_t)e->count * sizeof(PinRangeEntry), MRG_CAPTION);
    s->pinRanges = 0;
    s->partCount = e->count;
    if (!s->pins) return 0;
    // Shape record index to shape number; the first entry of an index wins.
    std::unordered_map<int32_t, int32_t> shapeOf;
    for (int k = s->shapeCount - 1; k >= 0; k--) shapeOf[s->shapes[k].recordIndex] = s->shapes[k].shapeNo;
    int32_t pinCounter = 0;
    std::vector<uint8_t> pins;
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("部品", i, e->count);
        uint8_t rec[sizeof(PcbPartRec)];
        if (!MrgRead(s->file, rec, sizeof rec)) {
            MrgReadError("CL Read Error.");
            return 0;
        }
        PcbPartRec r;
        memcpy(&r, rec, sizeof r);
        auto it = shapeOf.find(r.shapeIndex);
        if (it == shapeOf.end() || it->second < 0) return 0;  // silently, as the predecessor did
        void* page = PDP_AllocNewDataArea_Sym();
        if (!page) return 0;
        int partKey = dam_Get_key_of_DataPH(page, 4);
        PartRecord* part = (PartRecord*)((uint8_t*)page + 112);
        FIL_SymConvertQZtoPDP(part, rec, it->second, 0, 0, 0, 0);
        bool deleted = (r.flags & PCB_DELETED) != 0;
        if (deleted) part->status |= ES_DELETED;
        uint16_t pair[2] = {r.pinFirst, r.pinLast};
        int n = PairCount(pair);
        if (n > 0) {
            s->pins[s->pinRanges++] = PinRangeEntry{pinCounter, pinCounter + n - 1, partKey};
            pinCounter += n;
            if (!ReadRecords(s, n, sizeof(PcbViaRec), pins)) {
                MrgReadError("CL Read Error.");
                return 0;
            }
            void* pinPage = PDP_AllocNewDataArea_Pin(partKey, n);
            for (int j = 0; pinPage && j < n; j++) {
                ViaRecord* pin = (ViaRecord*)((uint8_t*)pinPage + 112 + 60 * (size_t)j);
                FIL_PinConvertQZtoPDL(pin, pins.data() + 32 * (size_t)j, 0, 0, 0);
                pin->net = -1;
                pin->lgnet = -1;
                if (deleted) pin->status |= ES_DELETED;
                dam_Add_cnt_of_DataPH(pinPage, 1);
                GrowArea(pinPage, pin->x, pin->y, pin->x, pin->y);
            }
        }
        // The store counts the part page's one record when it makes the page.
        for (int c = 0; c < 4; c++) {
            int32_t box[4] = {part->outline1[c][0], part->outline1[c][1], part->outline1[c][0], part->outline1[c][1]};
            MrgWiden(s->extent, box);
            GrowArea(page, box[0], box[1], box[2], box[3]);
        }
    }
    return 1;
}

// ---- Flash data ------------------------------------------------------------------

static void* AppendFlashPage(int code, int size, int level, int partKey, int capacity)
{
    uint32_t no = 0;
    void* page = dam_AppendPage(code, size, level, 0, 0, partKey, &no);
    if (!page) return nullptr;
    int32_t zero[4] = {0, 0, 0, 0};
    dam_Set_status_of_DataPH(page, 0);
    dam_Set_max_of_DataPH(page, capacity);
    dam_Set_cnt_of_DataPH(page, 0);
    dam_Set_area_of_DataPH(page, zero);
    return page;
}

static void Store(void* page, const uint8_t* flash)
{
    int count = dam_Get_cnt_of_DataPH(page);
    memcpy((uint8_t*)page + 112 + 60 * (size_t)count, flash, 60);
    dam_Add_cnt_of_DataPH(page, 1);
    int32_t x, y;
    memcpy(&x, flash + 14, 4);
    memcpy(&y, flash + 18, 4);
    GrowArea(page, x, y, x, y);
}

static void MRG_StoreFlash(const uint8_t* flash, int level)
{
    // The last page of the level: the first one would stay full and give
    // every later flash a page of its own.
    void* page = dam_PrevPage(nullptr, DCODE_FLASH, DAM_SEL_LEVEL, level);
    if (page) page = dam_GetDataAddress(page);
    if (!page || dam_Get_cnt_of_DataPH(page) >= dam_Get_max_of_DataPH(page))
        page = AppendFlashPage(DCODE_FLASH, 8192, level, 0, 134);
    if (page) Store(page, flash);
}

static void* MRG_GrowPartFlashPage(void* old, int level, int partKey)
{
    int count = dam_Get_cnt_of_DataPH(old);
    int size = 256;
    if (count >= 2)
        while (count >= (size - 112) / 60) size *= 2;
    uint32_t no = 0;
    void* page = dam_AppendPage(DCODE_PART_FLASH, size, level, 0, 0, partKey, &no);
    if (!page) return nullptr;
    int32_t area[4];
    dam_Get_area_of_DataPH(area, old);
    dam_Set_status_of_DataPH(page, (uint16_t)dam_Get_status_of_DataPH(old));
    dam_Set_cnt_of_DataPH(page, count);
    dam_Set_area_of_DataPH(page, area);
    memcpy((uint8_t*)page + 112, (uint8_t*)old + 112, 60 * (size_t)count);
    dam_DeletePage(DCODE_PART_FLASH, dam_GetPageNo(old));
    return page;
}

static void MRG_StorePartFlash(MrgState* s, const uint8_t* flash, int level, int pinNo)
{
    // The ranges are in increasing, disjoint order: a binary search finds
    // the first range that holds the pin.
    int partKey = -1;
    int lo = 0, hi = s->pinRanges - 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        const PinRangeEntry& r = s->pins[mid];
        if (pinNo < r.first) hi = mid - 1;
        else if (pinNo > r.last) lo = mid + 1;
        else {
            partKey = r.partKey;
            break;
        }
    }
    void* page = dam_NextPage(nullptr, DCODE_PART_FLASH, DAM_SEL_PART, partKey);
    if (page) page = dam_GetDataAddress(page);
    if (page && dam_Get_key_of_DataPH(page, 1) == level) {
        if (dam_Get_cnt_of_DataPH(page) >= dam_Get_max_of_DataPH(page))
            page = MRG_GrowPartFlashPage(page, level, partKey);
    } else {
        page = AppendFlashPage(DCODE_PART_FLASH, 256, level, partKey, 2);
    }
    if (page) Store(page, flash);
}

int MRG_ReadFlashData(MrgState* s, const SectionDirectoryEntry* e)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbFlashRec), "QZflash Read Error.", &buf)) return 0;
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("フラッシュ", i, e->count);
        const uint8_t* rec = buf + (size_t)i * e->recordSize;
        PcbFlashRec r;
        memcpy(&r, rec, sizeof r);
        if ((r.flags & PCB_DELETED) || !MrgLevelOk(r.level)) continue;
        uint8_t flash[60] = {};
        FIL_FlashConvertQZtoPDF(flash, rec, s->extent, 0, 0, 0);
        if (r.owner == PCB_FLASH_FREE) MRG_StoreFlash(flash, r.level);
        else if (r.owner == PCB_FLASH_PIN) MRG_StorePartFlash(s, flash, r.level, r.number);
    }
    MrgFreeSection(buf);
    return 1;
}
