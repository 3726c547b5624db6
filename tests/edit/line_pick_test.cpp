// Line and arc searches over a built design: cycling through stacked lines,
// the levels and records each search passes over, box enumeration, the box
// marks of delete by kind and the level copy, and the selection mark with
// its reports to the concurrent-design service. No canvas: the searches run
// without a display context and so without a pick tolerance.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "edit/pick_line.h"
#include "engine/board_builder.h"
#include "engine/store_test_util.h"
#include "kit/gui_kit.h"
#include "platform/layout_page.h"
#include "platform/layout_tables.h"
#include "platform/qztdll.h"

namespace {

constexpr int MM = 100000;

struct Design {
    ScratchWorkSpace ws;
    int line = 0;
    Design(int levels = 3)
    {
        for (int k = 1; k <= levels; ++k) BLD_AddLevel(("L" + std::to_string(k)).c_str(), 2, k, 0x01000000 + k);
        line = BLD_AddLine(MM / 5);
        // Every search starts from no page in a new design.
        SearchPointer* sp = ENV_GetPdlSearchPointer(ENV_GetENVClass());
        sp->page = nullptr;
        sp->index = 0;
    }
};

LineRecord* At(int x, int y, void** page = nullptr, int kind = PICK_KIND_ALL, int mark = PICK_MARK_SKIP)
{
    POINT p = {x, y};
    void* scratch = nullptr;
    return PICK_LineSearch(nullptr, 1, kind, mark, 1, &p, page ? page : &scratch);
}

std::vector<MdmcCall> Updates()
{
    std::vector<MdmcCall> out;
    for (const MdmcCall& c : MDMC_GetCallLog())
        if (c.call == "MDMC_UpdateData") out.push_back(c);
    return out;
}

// Operation, class and element number of a report.
struct Report {
    intptr_t op, classCode, elementNo;
    bool operator==(const Report&) const = default;
};
std::vector<Report> Reports()
{
    std::vector<Report> out;
    for (const MdmcCall& c : Updates()) {
        EXPECT_EQ(c.words[0], 0);  // never a session
        EXPECT_EQ(c.byteCount, 0);  // marks never send a record
        out.push_back({c.words[1], c.words[2], c.words[5]});
    }
    return out;
}

}  // namespace

TEST(LinePick, StackedLinesComeUpInPageAndRecordOrderThenAgain)
{
    Design d;
    LineRecord* a = BLD_Line(1, d.line, -5 * MM, 0, 5 * MM, 0);
    BLD_Line(1, d.line, -5 * MM, 3 * MM, 5 * MM, 3 * MM);  // elsewhere, between them in the page
    LineRecord* b = BLD_Line(1, d.line, 0, -5 * MM, 0, 5 * MM);
    LineRecord* c = BLD_Line(2, d.line, -2 * MM, -2 * MM, 2 * MM, 2 * MM);
    ASSERT_TRUE(a && b && c);
    void* page = nullptr;
    EXPECT_EQ(At(0, 0, &page), a);
    EXPECT_EQ(page, dam_GetPageFromDataAdr(a));
    EXPECT_EQ(At(0, 0, &page), b);
    EXPECT_EQ(At(0, 0, &page), c);
    EXPECT_EQ(page, dam_GetPageFromDataAdr(c));
    EXPECT_EQ(At(0, 0), a);

    // A single line under the point comes back on every click, and a point
    // with nothing under it leaves the page word alone.
    EXPECT_EQ(At(4 * MM, 3 * MM), At(-4 * MM, 3 * MM));
    page = (void*)1;
    EXPECT_EQ(At(9 * MM, 9 * MM, &page), nullptr);
    EXPECT_EQ(page, (void*)1);
}

TEST(LinePick, EachSearchPassesOverItsOwnLevelsAndRecords)
{
    enum Setup { PLAIN, LOCKED, HIDDEN, DELETED, DISPLAY_MARK, SELECTED, PAIR_BITS, ARC };
    struct Case {
        const char* what;
        Setup setup;
        bool search, searchAnyMark, noLock, forChange, boxOnLevel;
    };
    const Case cases[] = {
        {"plain line", PLAIN, true, true, true, true, true},
        {"locked level", LOCKED, false, false, true, true, true},
        {"hidden level", HIDDEN, false, false, false, false, true},
        {"deleted", DELETED, false, false, false, false, false},
        {"display mark", DISPLAY_MARK, false, false, false, false, false},
        {"selection mark", SELECTED, false, true, false, false, false},
        {"both 0x00100000 and 0x00002000", PAIR_BITS, false, false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Design d;
        LineRecord* r = BLD_Line(2, d.line, -MM, 0, MM, 0);
        ASSERT_TRUE(r);
        r->level = 0;
        LevelTable* lt = TLV_Get_TlvClass();
        switch (c.setup) {
        case LOCKED: lt->extra[2].lock = 1; break;
        case HIDDEN: lt->extra[2].dispSts = (int16_t)0x8000; break;
        case DELETED: r->status |= ES_DELETED; break;
        case DISPLAY_MARK: r->status |= ES_DIALOG_MARK; break;
        case SELECTED: r->status |= ES_SELECTED; break;
        case PAIR_BITS: r->status |= 0x00100000 | 0x00002000; break;
        default: break;
        }
        POINT p = {0, 0};
        POINT box[4];
        OppositeAnglePnt2BoxPnt(-2 * MM, -MM, 2 * MM, MM, box);
        void* page = nullptr;
        EXPECT_EQ(At(0, 0) == r, c.search);
        EXPECT_EQ(At(0, 0, nullptr, PICK_KIND_ALL, PICK_MARK_ANY) == r, c.searchAnyMark);
        EXPECT_EQ(PICK_LineSearchNoLock(nullptr, PICK_MARK_SKIP, &p, &page) == r, c.noLock);
        EXPECT_EQ(PICK_LineBoxSearchOnLevel(nullptr, 1, 2, box, &page) == r, c.boxOnLevel);
        EXPECT_EQ(PICK_LineBoxSearchOnLevel(nullptr, 1, 1, box, &page), nullptr);  // another level
        EXPECT_EQ(r->level, 0);
        EXPECT_EQ(PICK_LineSearchForChange(nullptr, &p, &page) == r, c.forChange);
        // The change pick writes the page's level into the record it found.
        EXPECT_EQ(r->level, c.forChange ? 2 : 0);
    }
}

TEST(LinePick, KindFilterAndTheAnyCount)
{
    Design d;
    LineRecord* seg = BLD_Line(1, d.line, -MM, 0, MM, 0);
    LineRecord* arc = BLD_Arc(1, d.line, false, {MM, 0}, {-MM, 0}, {0, 0});
    ASSERT_TRUE(seg && arc);
    EXPECT_EQ(At(0, MM, nullptr, PICK_KIND_LINES), nullptr);
    EXPECT_EQ(At(0, MM, nullptr, PICK_KIND_ARCS), arc);
    EXPECT_EQ(At(0, 0, nullptr, PICK_KIND_ARCS), nullptr);
    EXPECT_EQ(At(0, 0, nullptr, PICK_KIND_LINES), seg);
    // With a point count other than 1 or 4 every record that passes the
    // filters is a hit, wherever it lies.
    POINT away = {90 * MM, 90 * MM};
    void* page = nullptr;
    EXPECT_EQ(PICK_LineSearch(nullptr, 1, PICK_KIND_ARCS, PICK_MARK_SKIP, 2, &away, &page), arc);
}

TEST(LinePick, ABoxSeriesVisitsEveryLineInsideOnceFromAnyStart)
{
    Design d;
    std::set<LineRecord*> inside;
    for (int i = 0; i < 3; ++i) inside.insert(BLD_Line(1, d.line, i * MM, 0, i * MM, MM));
    BLD_Line(1, d.line, 20 * MM, 0, 21 * MM, 0);  // outside
    for (int i = 0; i < 2; ++i) inside.insert(BLD_Line(2, d.line, i * MM, 2 * MM, i * MM + MM / 2, 2 * MM));
    LineRecord* start = BLD_Line(3, d.line, 5 * MM, 5 * MM, 6 * MM, 5 * MM);
    inside.insert(start);
    for (int from = 0; from < 2; ++from) {
        SCOPED_TRACE(from ? "after a pick in the last page" : "from no page");
        if (from) {
            ASSERT_EQ(At(5 * MM + MM / 2, 5 * MM), start);
        }
        POINT box[4];
        OppositeAnglePnt2BoxPnt(-MM, -MM, 10 * MM, 10 * MM, box);
        std::vector<LineRecord*> seen;
        void* page = nullptr;
        for (LineRecord* r = PICK_LineSearch(nullptr, 1, PICK_KIND_ALL, PICK_MARK_SKIP, 4, box, &page); r;
             r = PICK_LineSearch(nullptr, 0, PICK_KIND_ALL, PICK_MARK_SKIP, 4, box, &page)) {
            seen.push_back(r);
            ASSERT_LE(seen.size(), 10u);
        }
        EXPECT_EQ(seen.size(), inside.size());
        EXPECT_EQ(std::set<LineRecord*>(seen.begin(), seen.end()), inside);
    }
}

TEST(LinePick, BoxMarksOfDeleteByKindAndTheLevelCopy)
{
    Design d;
    LineRecord* a = BLD_Line(1, d.line, 0, 0, MM, 0);
    LineRecord* b = BLD_Line(2, d.line, 0, MM, MM, MM);
    LineRecord* held = BLD_Line(2, d.line, 0, 2 * MM, MM, 2 * MM);
    LineRecord* out = BLD_Line(1, d.line, 50 * MM, 0, 51 * MM, 0);
    held->status |= ES_SELECTED;
    EXPECT_EQ(EDIT_BoxMarkLines(-MM, -MM, 5 * MM, 5 * MM, PICK_MARK_SKIP), 2);
    EXPECT_EQ(a->status & 2, 2u);
    EXPECT_EQ(b->status & 2, 2u);
    EXPECT_EQ(held->status & 2, 0u);
    EXPECT_EQ(out->status & 2, 0u);
    EXPECT_EQ(EDIT_BoxMarkLines(100 * MM, 100 * MM, 101 * MM, 101 * MM, PICK_MARK_SKIP), 0);

    // The level copy first clears every deletion mark, then marks the
    // level's lines in the box.
    out->status |= 2;
    EXPECT_EQ(EDIT_MarkLinesInBox(-MM, -MM, 5 * MM, 5 * MM, 2), 1);
    EXPECT_EQ(a->status & 2, 0u);
    EXPECT_EQ(b->status & 2, 2u);
    EXPECT_EQ(out->status & 2, 0u);
    EDIT_ClearLineMarks(2);
    EXPECT_EQ(b->status & 2, 0u);
}

TEST(LinePick, MarksAreReportedAndEachEndsTheBatch)
{
    Design d;
    LineRecord* r = BLD_Line(1, d.line, 0, 0, MM, 0);
    ASSERT_TRUE(r);
    r->status |= ES_DIALOG_MARK;
    void* page = dam_GetPageFromDataAdr(r);
    MDMC_ClearCallLog();
    EXPECT_EQ(PICK_SetItemMark(r, 1, page), 1);
    EXPECT_EQ(r->status & (ES_SELECTED | ES_DIALOG_MARK), ES_SELECTED);
    EXPECT_EQ(PICK_SetItemMark(r, 0, page), 1);
    EXPECT_EQ(r->status & (ES_SELECTED | ES_DIALOG_MARK), 0u);
    const intptr_t no = (intptr_t)r->elementNo;
    EXPECT_NE(no, 0);
    EXPECT_EQ(Reports(), (std::vector<Report>{{4, 0x24010, no}, {3, 0, 0}, {5, 0x24010, no}, {3, 0, 0}}));

    // A VIA is reported with its own class, unless it carries 0x01000000;
    // another record changes nothing but still ends the batch.
    int via = BLD_AddVia(MM, BLD_AddHole(MM / 2));
    ViaRecord* v = BLD_Via(via, 5 * MM, 5 * MM);
    ASSERT_TRUE(v);
    MDMC_ClearCallLog();
    PICK_SetItemMark(v, 1, dam_GetPageFromDataAdr(v));
    EXPECT_EQ(v->status & ES_SELECTED, ES_SELECTED);
    v->status |= 0x01000000;
    PICK_SetItemMark(v, 0, dam_GetPageFromDataAdr(v));
    EXPECT_EQ(v->status & ES_SELECTED, 0u);
    LineRecord other = {};
    other.code = 0x3300;
    PICK_SetItemMark(&other, 1, nullptr);
    EXPECT_EQ(other.status, 0u);
    EXPECT_EQ(Reports(), (std::vector<Report>{{4, 0x14000, (intptr_t)v->elementNo}, {3, 0, 0}, {3, 0, 0}, {3, 0, 0}}));
}

TEST(LinePick, MarkFilterTwoSaysSoAndTestsTheLineAllTheSame)
{
    Design d;
    LineRecord* r = BLD_Line(1, d.line, -MM, 0, MM, 0);
    r->status |= ES_SELECTED;
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    POINT p = {0, 0};
    void* page = nullptr;
    EXPECT_EQ(PICK_LineSearch(nullptr, 1, PICK_KIND_ALL, PICK_MARK_SHOW, 1, &p, &page), r);
    std::vector<KIT_SeenDialog> seen = watch.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "PDL_QzLineSearch");
    EXPECT_EQ(seen[0].text, "Lin Sts is Bit_Select");
}

TEST(LinePick, DeleteByKindMarksFollowTheMask)
{
    Design d;
    LineRecord* a = BLD_Line(1, d.line, 0, 0, MM, 0);
    LineRecord* gone = BLD_Line(1, d.line, 0, MM, MM, MM);
    LineRecord* other = BLD_Line(2, d.line, 0, 2 * MM, MM, 2 * MM);
    a->status |= 2;
    gone->status |= 2 | ES_DELETED;
    other->status |= 1;
    const intptr_t no = (intptr_t)a->elementNo;

    MDMC_ClearCallLog();
    EDIT_SetLineMarksByMask(nullptr, 2, 1, 1);
    EXPECT_EQ(a->status & (ES_DIALOG_MARK | ES_SELECTED), ES_DIALOG_MARK | ES_SELECTED);
    EXPECT_EQ(gone->status & (ES_DIALOG_MARK | ES_SELECTED), 0u);
    EXPECT_EQ(other->status & (ES_DIALOG_MARK | ES_SELECTED), 0u);
    EXPECT_EQ(Reports(), (std::vector<Report>{{4, 0x24010, no}}));

    // Released while still highlighted: the record is sent whole.
    MDMC_ClearCallLog();
    EDIT_SetLineMarksByMask(nullptr, 2, 1, 0);
    EXPECT_EQ(a->status & (ES_DIALOG_MARK | ES_SELECTED), ES_DIALOG_MARK);
    std::vector<MdmcCall> sent = Updates();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].words[1], 3);
    EXPECT_EQ(sent[0].words[2], 0x24010);
    EXPECT_EQ(sent[0].words[5], no);
    EXPECT_EQ(sent[0].byteCount, 60);
    EXPECT_EQ(sent[0].words[10], (intptr_t)a);

    // Released without the highlight: operation 5.
    MDMC_ClearCallLog();
    EDIT_SetLineMarksByMask(nullptr, 2, 0, 0);
    EXPECT_EQ(a->status & (ES_DIALOG_MARK | ES_SELECTED), 0u);
    EXPECT_EQ(Reports(), (std::vector<Report>{{5, 0x24010, no}}));

    EXPECT_EQ(EDIT_RedrawLinesByMask(nullptr, 0, 2), 2);
    EXPECT_EQ(EDIT_RedrawLinesByMask(nullptr, 0, 3), 3);
}
