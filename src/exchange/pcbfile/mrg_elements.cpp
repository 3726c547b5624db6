// Predecessor board elements: graphic lines (with their taper chains), texts
// and VIAs, each record converted by the engine into a record of a data page
// of its level.
//
// The engine's PDL/PDT/PDV allocators hand out a slot already counted into
// its page (the last page of the level with room, or a new one), so one call
// per record gives the page runs of consecutive records of one level: two
// lines of level 3 share a page, a line of level 5 starts one of its own and
// a later line of level 3 goes back to the page of level 3.
#include <cstring>

#include "exchange/pcbfile/mrg_read.h"
#include "platform/qztdll.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_fil.h"
#include "platform/qzt_records.h"
#include "platform/qzt_wps.h"
#include "platform/layout_line.h"
#include "platform/layout_text.h"

static void GrowPageArea(void* page, const int32_t* box)
{
    if (box[0] > box[2]) return;
    int32_t area[4];
    dam_Get_area_of_DataPH(area, page);
    MrgWiden(area, box);
    dam_Set_area_of_DataPH(page, area);
}

static void MarkUnlinked(void* rec)
{
    LineRecord* d = (LineRecord*)rec;  // VIA records keep the same three words
    d->net = -1;
    d->lgnet = -1;
    d->pinNo = (int16_t)0xFFFF;
}

static uint16_t FlagsAt(const uint8_t* rec)
{
    uint16_t f;
    memcpy(&f, rec, 2);
    return f;
}

int MRG_ReadGraphicLines(MrgState* s, const SectionDirectoryEntry* e)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbLineRec), "CL Read Error.", &buf)) return 0;
    DdmContext* ctx = DDM_Open(s->ctx->design);
    int32_t n = e->count;
    // Records are stepped by the directory's record size: a file whose
    // records are longer than the fields read here is still read in step.
    auto rec = [&](int32_t i) { return buf + (size_t)i * e->recordSize; };
    int result = 1;
    for (int32_t i = 0; i < n; i++) {
        MrgProgress("図形線", i, n);
        PcbLineRec r;
        memcpy(&r, rec(i), sizeof r);
        if (r.flags & PCB_DELETED) continue;
        LineRecord* dest = nullptr;
        void* page = nullptr;
        if ((r.flags & PCB_TYPE_MASK) != PCB_TYPE_NOT_CONVERTED && MrgLevelOk(r.level)) {
            dest = PDL_AllocNewDataArea((short)r.level, &page);
            if (!dest) {  // the work space is full
                result = 0;
                break;
            }
            int32_t box[4] = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
            FIL_LineConvertQZtoPDL(dest, rec(i), box, 0, 0, 0);
            MrgWiden(s->extent, box);
            GrowPageArea(page, box);
            MarkUnlinked(dest);
        }
        if (!(r.flags & PCB_TAPER_HEAD)) continue;
        // The taper chain: continuations follow their head; records marked
        // to skip inside the chain are passed over; the first other record
        // ends it and is read as a line of its own.
        int32_t prev = i;
        int32_t j = i + 1;
        for (; j < n; j++) {
            uint16_t f = FlagsAt(rec(j));
            if ((f & PCB_TAPER_SKIP) || (f & PCB_TYPE_MASK) == PCB_TYPE_NOT_CONVERTED) continue;
            if (!(f & PCB_TAPER_CONT)) break;
            if (dest) DDM_QZTaperToFigTaper(ctx, rec(prev), rec(j), dest);
            prev = j;
        }
        i = j - 1;
    }
    DDM_Close(ctx);
    MrgFreeSection(buf);
    return result;
}

int MRG_ReadTexts(MrgState* s, const SectionDirectoryEntry* e)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, PCB_TEXT_SIZE, "CL Read Error.", &buf)) return 0;
    int result = 1;
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("文字", i, e->count);
        const uint8_t* rec = buf + (size_t)i * e->recordSize;
        PcbTextRec r;
        memcpy(&r, rec, sizeof r);
        if ((r.flags & PCB_DELETED) || !MrgLevelOk(r.level)) continue;
        void* page = nullptr;
        TextRecord* dest = PDT_AllocNewDataArea((short)r.level, &page);
        if (!dest) {
            result = 0;
            break;
        }
        int32_t box[4] = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        FIL_TextConvertQZtoPDT(s->ctx, dest, rec, box, 0, 0, 0);
        MrgWiden(s->extent, box);
        GrowPageArea(page, box);
    }
    MrgFreeSection(buf);
    return result;
}

int MRG_ReadVias(MrgState* s, const SectionDirectoryEntry* e)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbViaRec), "CL Read Error.", &buf)) return 0;
    int result = 1;
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("ＶＩＡ", i, e->count);
        const uint8_t* rec = buf + (size_t)i * e->recordSize;
        if (FlagsAt(rec) & PCB_DELETED) continue;
        void* page = nullptr;
        ViaRecord* dest = PDV_AllocNewDataArea(&page);
        if (!dest) {
            result = 0;
            break;
        }
        int32_t box[4] = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        FIL_ViaConvertQZtoPDL(dest, rec, box, 0, 0, 0);
        MrgWiden(s->extent, box);
        GrowPageArea(page, box);
        MarkUnlinked(dest);
    }
    MrgFreeSection(buf);
    return result;
}
