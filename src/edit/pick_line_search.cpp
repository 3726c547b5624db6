// The line and arc searches: one walk over the line pages, told by a table
// of its variants which pages and records each one tests and how.
#include "edit/pick_line.h"

#include "app/frame_state.h"
#include "platform/layout_page.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_env.h"
#include "platform/qzt_figure_hits.h"
#include "platform/qzt_tables.h"
#include "platform/qztdll.h"
#include "view/cnv.h"

namespace {

enum SearchMode { MODE_POINT, MODE_BOX, MODE_ANY };

// What one search keeps between its calls: the tolerance of the series and
// the series' first hit.
struct SeriesState {
    int xTolerance, yTolerance;
    void* firstPage;
    void* firstRecord;
};

struct Variant {
    bool lockTest;       // pass over locked levels
    bool displayTest;    // pass over hidden levels
    uint32_t skipStatus; // records with any of these bits are passed over
    bool pairSkip;       // pass over records with both 0x00100000 and 0x00002000
    bool writeLevel;     // the page's level goes into the hit's level word
    SeriesState* state;
};

SeriesState s_search, s_noLock, s_boxOnLevel, s_forChange;

const Variant V_SEARCH = {true, true, ES_DELETED | ES_DIALOG_MARK, true, false, &s_search};
const Variant V_NO_LOCK = {false, true, ES_DELETED | ES_DIALOG_MARK, true, false, &s_noLock};
const Variant V_BOX_ON_LEVEL = {false, false, ES_DELETED | ES_DIALOG_MARK | ES_SELECTED, false, false,
                                &s_boxOnLevel};
const Variant V_FOR_CHANGE = {false, true, ES_DELETED | ES_DIALOG_MARK | ES_SELECTED, false, true,
                              &s_forChange};

constexpr uint32_t PAIR_A = 0x00100000u, PAIR_B = 0x00002000u;
constexpr short LEVEL_HIDDEN = (short)0x8000;

struct Query {
    const Variant* v;
    int kindFilter;
    int markFilter;
    int level;  // 0 every level
    SearchMode mode;
    const POINT* points;
};

bool PageOpen(const Query& q, void* page)
{
    if (dam_Get_status_of_DataPH(page) & PS_SKIP) return false;
    int level = dam_Get_key_of_DataPH(page, 1);
    if (level <= 0) return false;
    if (q.level && level != q.level) return false;
    LevelTable* levels = TLV_Get_TlvClass();
    if (q.v->lockTest && TLV_CheckLevelLock(levels, level)) return false;
    if (q.v->displayTest && (TLV_Get_DispSts(levels, level) & LEVEL_HIDDEN)) return false;
    return true;
}

void ShowMarked()
{
    MessageBoxA(CNV_GetWindow(), "Lin Sts is Bit_Select", "PDL_QzLineSearch", MB_OK);
}

bool Passes(const Query& q, const LineRecord* r)
{
    if (r->status & q.v->skipStatus) return false;
    if (r->status & ES_SELECTED) {
        if (q.markFilter == PICK_MARK_SKIP) return false;
        if (q.markFilter == PICK_MARK_SHOW) ShowMarked();
    }
    bool straight = r->code == FC_LINE;
    if (q.kindFilter == PICK_KIND_LINES && !straight) return false;
    if (q.kindFilter == PICK_KIND_ARCS && straight) return false;
    if (q.v->pairSkip && (r->status & PAIR_A) && (r->status & PAIR_B)) return false;
    return true;
}

bool Hits(const Query& q, const LineRecord* r)
{
    const SeriesState& s = *q.v->state;
    bool straight = r->code == FC_LINE;
    switch (q.mode) {
    case MODE_POINT:
        return (straight ? pDL_PointOnLine(nullptr, q.points, s.xTolerance, s.yTolerance, r)
                         : pDL_PointOnArc(nullptr, q.points, s.xTolerance, s.yTolerance, r)) > 0;
    case MODE_BOX:
        return (straight ? pDL_LineInBox(nullptr, 4, q.points, s.xTolerance, s.yTolerance, r)
                         : pDL_ArcInBox(nullptr, 4, q.points, s.xTolerance, s.yTolerance, r)) > 0;
    case MODE_ANY: return true;
    }
    return false;
}

// A page the pointer may still stand on: a live line page.
bool LinePage(void* page)
{
    if (!page || !dam_GetPageNo(page)) return false;
    return ((const DataPageHeader*)page)->dataCode == DCODE_LINE;
}

enum WalkResult { WALK_NONE, WALK_HIT, WALK_STOP };

// Walks from the pointer to the last page; the pointer follows the walk and
// stays on a hit.
WalkResult Walk(const Query& q, SearchPointer* sp, void** hitPage)
{
    for (; sp->page; sp->page = dam_NextPage(sp->page, DCODE_LINE, DAM_SEL_ALL, 0), sp->index = 0) {
        if (!PageOpen(q, sp->page)) continue;
        int count = dam_Get_cnt_of_DataPH(sp->page);
        for (; sp->index < count; ++sp->index) {
            LineRecord* r = (LineRecord*)PageRecord(sp->page, sp->index, sizeof(LineRecord));
            if (r == q.v->state->firstRecord) return WALK_STOP;
            if (!Passes(q, r) || !Hits(q, r)) continue;
            *hitPage = sp->page;
            return WALK_HIT;
        }
    }
    return WALK_NONE;
}

LineRecord* Search(DisplaySC* sc, int newSearch, const Query& q, void** page)
{
    SeriesState& s = *q.v->state;
    if (newSearch) {
        // The pick square: 3 x 3 pixels of the canvas in board units. Without
        // a display context the search has no tolerance.
        int64_t tol = sc ? DSP_DWtoLWz(sc, 3, 3) : 0;
        s.xTolerance = (int)(uint32_t)((uint64_t)tol & 0xffffffffu);
        s.yTolerance = (int)(uint32_t)((uint64_t)tol >> 32);
        s.firstPage = nullptr;
        s.firstRecord = nullptr;
    }
    SearchPointer* sp = ENV_GetPdlSearchPointer(ENV_GetENVClass());
    if (!sp) return nullptr;
    if (LinePage(sp->page)) {
        ++sp->index;
    } else {
        sp->page = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0);
        sp->index = 0;
    }
    void* hitPage = nullptr;
    WalkResult result = Walk(q, sp, &hitPage);
    if (result == WALK_NONE) {
        // Once round from the first page: the records before the start are
        // tested now, and those after it again.
        sp->page = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0);
        sp->index = 0;
        result = Walk(q, sp, &hitPage);
    }
    if (result != WALK_HIT) {
        // The pointer stays where the walk ended: a later search starts over
        // from the first page.
        return nullptr;
    }
    LineRecord* hit = (LineRecord*)PageRecord(hitPage, sp->index, sizeof(LineRecord));
    if (q.v->writeLevel) hit->level = dam_Get_key_of_DataPH(hitPage, 1);
    if (page) *page = hitPage;
    if (newSearch) {
        s.firstPage = hitPage;
        s.firstRecord = hit;
    }
    return hit;
}

SearchMode ModeOf(int pointCount)
{
    return pointCount == 1 ? MODE_POINT : pointCount == 4 ? MODE_BOX : MODE_ANY;
}

// Runs a search on the open design with a display context of the canvas.
template <typename Fn>
LineRecord* OnCanvas(Fn search)
{
    FrameState* fs = ROT_GetWindowData();
    DdmContext* ctx = DDM_Open(fs ? fs->hDesign : nullptr);
    HWND canvas = CNV_GetWindow();
    DisplaySC* sc = DSP_GetDisplaySC(canvas, nullptr, CNV_GetState());
    LineRecord* hit = search(sc);
    if (sc) DSP_ReleaseSC(canvas, sc);
    DDM_Close(ctx);
    return hit;
}

}  // namespace

LineRecord* PICK_LineSearch(DisplaySC* sc, int newSearch, int kindFilter, int markFilter, int pointCount,
                            const POINT* points, void** page)
{
    SearchMode mode = points ? ModeOf(pointCount) : MODE_ANY;
    Query q = {&V_SEARCH, kindFilter, markFilter, 0, mode, points};
    return Search(sc, newSearch, q, page);
}

LineRecord* PICK_LineSearchNoLock(DisplaySC* sc, int markFilter, const POINT* point, void** page)
{
    if (!point) return nullptr;
    Query q = {&V_NO_LOCK, PICK_KIND_ALL, markFilter, 0, MODE_POINT, point};
    return Search(sc, 1, q, page);
}

LineRecord* PICK_LineBoxSearchOnLevel(DisplaySC* sc, int newSearch, int level, const POINT* corners,
                                      void** page)
{
    if (!corners) return nullptr;
    Query q = {&V_BOX_ON_LEVEL, PICK_KIND_ALL, PICK_MARK_ANY, level, MODE_BOX, corners};
    return Search(sc, newSearch, q, page);
}

LineRecord* PICK_LineSearchForChange(DisplaySC* sc, const POINT* point, void** page)
{
    if (!point) return nullptr;
    Query q = {&V_FOR_CHANGE, PICK_KIND_ALL, PICK_MARK_ANY, 0, MODE_POINT, point};
    return Search(sc, 1, q, page);
}

LineRecord* PICK_LineAtPoint(short kindFilter, const POINT* point, void** page)
{
    return OnCanvas([&](DisplaySC* sc) {
        return PICK_LineSearch(sc, 1, kindFilter, PICK_MARK_SKIP, 1, point, page);
    });
}

LineRecord* PICK_LineAtPointForChange(const POINT* point, void** page)
{
    return OnCanvas([&](DisplaySC* sc) { return PICK_LineSearchForChange(sc, point, page); });
}
