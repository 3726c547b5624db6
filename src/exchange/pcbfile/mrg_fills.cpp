// Predecessor board fills: a 32-byte header and its outline records, the
// outer contour first and then the holes, each contour ended by the record
// with the last-of-contour mark. Also the fills of shapes.
#include <cstring>
#include <vector>

#include "exchange/pcbfile/mrg_read.h"
#include "platform/qztdll.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_fil.h"
#include "platform/qzt_records.h"
#include "platform/layout_fill.h"

namespace {

struct Contour {
    int begin;    // first outline record
    int records;  // outline records it spans
    int points;   // point entries it makes
};

// The contours of a fill's outline records, counted as the converter will
// lay them out: one point for the first live record, one more per record
// and one more per arc. A contour left without its last mark ends with the
// records; a contour without a live record makes nothing.
std::vector<Contour> Contours(const uint8_t* recs, int n)
{
    std::vector<Contour> out;
    int begin = 0, points = 0, live = 0;
    for (int i = 0; i < n; i++) {
        PcbOutlineRec r;
        memcpy(&r, recs + (size_t)i * sizeof r, sizeof r);
        if (r.flags & PCB_DELETED) continue;
        points += (r.flags & PCB_ARC) ? 2 : 1;
        live++;
        if (r.flags & PCB_END_MARK) {
            out.push_back(Contour{begin, i + 1 - begin, points + 1});
            begin = i + 1, points = 0, live = 0;
        }
    }
    if (live > 0) out.push_back(Contour{begin, n - begin, points + 1});
    return out;
}

void ConvertFill(MrgState* s, const PcbFillHeader& h, const uint8_t* recs, int n, bool board, int shapeKey)
{
    if (!MrgLevelOk(h.level)) return;
    std::vector<Contour> cs = Contours(recs, n);
    if (cs.empty()) return;
    // The hole list is as long as the holes found, whatever the header says.
    std::vector<int> holes;
    for (size_t c = 1; c < cs.size(); c++) holes.push_back(cs[c].points);
    int P = cs[0].points;
    void* page = board ? PZB_AllocNewDataArea(h.level, -1, P, (int)holes.size(), holes.data())
                       : PDP_AllocNewDataArea_ShpPln(h.level, h.word24, shapeKey, P, (int)holes.size(),
                                                     holes.data());
    if (!page) return;
    uint8_t* entries = (uint8_t*)page + 112;
    int32_t extent[4] = {150000000, 150000000, -150000000, -150000000};
    int index = 0;
    for (size_t c = 0; c < cs.size(); c++) {
        int head = index;
        FIL_SetOnePolygonToPZB(entries, &index, c == 0 ? FK_FIRST_FIGURE : FK_NEXT_FIGURE, cs[c].points, &h,
                               recs + (size_t)cs[c].begin * sizeof(PcbOutlineRec), extent, 0, 0, cs[c].records);
        if (board) {
            FillHead* fh = (FillHead*)(entries + (size_t)head * FILL_ENTRY_SIZE);
            fh->group = -1;
            fh->net = -1;
        }
    }
    dam_Set_cnt_of_DataPH(page, index);
    dam_Set_area_of_DataPH(page, extent);
    int status = (uint16_t)dam_Get_status_of_DataPH(page);
    if ((h.flags & 0x0F) == 1) status |= PS_FILL_TYPE;
    dam_Set_status_of_DataPH(page, status);
    if (board) MrgWiden(s->extent, extent);
}

}  // namespace

int MrgReadOneFill(MrgState* s, bool board, int shapeKey, bool convert)
{
    PcbFillHeader h;
    if (!MrgRead(s->file, &h, sizeof h)) {
        MrgReadError("CL Read Error.");
        return 0;
    }
    int n = (int)h.last - (int)h.first + 1;
    if (n <= 0) n = 0;
    int64_t bytes = (int64_t)n * (int64_t)sizeof(PcbOutlineRec);
    if (bytes > MrgLeft(s->file)) {
        MrgReadError("CL Read Error.");
        return 0;
    }
    if (n == 0) return 1;
    uint8_t* recs = (uint8_t*)MemAlloc(nullptr, (size_t)bytes, MRG_CAPTION);
    if (!recs) return 0;
    if (!MrgRead(s->file, recs, bytes)) {
        MemFree(nullptr, recs, MRG_CAPTION);
        MrgReadError("CL Read Error.");
        return 0;
    }
    if (convert && !(h.flags & PCB_DELETED)) ConvertFill(s, h, recs, n, board, shapeKey);
    MemFree(nullptr, recs, MRG_CAPTION);
    return 1;
}

int MRG_ReadFills(MrgState* s, const SectionDirectoryEntry* e)
{
    // Every fill is at least its header.
    if (e->count > 0 && (int64_t)e->count * (int64_t)sizeof(PcbFillHeader) > MrgLeft(s->file)) {
        MrgReadError("CL Read Error.");
        return 0;
    }
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("塗り込み", i, e->count);
        if (!MrgReadOneFill(s, true, -1, true)) return 0;
    }
    return 1;
}
