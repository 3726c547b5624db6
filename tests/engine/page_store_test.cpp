// Pages: walks by code, level and part key find every page of the
// selection, records never move, and the page header getters.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/qzt_dam.h"
#include "platform/qzt_file.h"
#include "platform/qzt_records.h"
#include "store_test_util.h"

namespace {

LineRecord MakeLine(int x1, int y1, int x2, int y2)
{
    LineRecord r{};
    PDL_MakeNewQZLine(FC_LINE, &r, 1, -1, -1, -1, x1, y1, x2, y2);
    return r;
}

std::set<void*> Walk(int code, int selector, int key)
{
    std::set<void*> pages;
    for (void* p = dam_NextPage(nullptr, code, selector, key); p;
         p = dam_NextPage(p, code, selector, key))
        EXPECT_TRUE(pages.insert(p).second) << "page yielded twice";
    return pages;
}

TEST(PageStore, WalksFindEveryPageOfTheSelection)
{
    ScratchWorkSpace ws;
    ASSERT_NE(ws.hDesign, nullptr);
    // 1000 lines over three levels: several pages per level, interleaved.
    std::set<void*> byLevel[4];
    for (int i = 0; i < 1000; ++i) {
        int level = 1 + i % 3;
        LineRecord r = MakeLine(i, 0, i + 10, 5);
        void* page = nullptr;
        ASSERT_NE(PDL_InsertNewData((short)level, &r, &page), nullptr);
        byLevel[level].insert(page);
    }
    std::set<void*> all;
    for (int level = 1; level <= 3; ++level) {
        EXPECT_GT(byLevel[level].size(), 2u);
        EXPECT_EQ(Walk(DCODE_LINE, DAM_SEL_LEVEL, level), byLevel[level]);
        all.insert(byLevel[level].begin(), byLevel[level].end());
    }
    EXPECT_EQ(Walk(DCODE_LINE, DAM_SEL_ALL, 0), all);
    EXPECT_TRUE(Walk(DCODE_LINE, DAM_SEL_LEVEL, 9).empty());
    EXPECT_TRUE(Walk(DCODE_TEXT, DAM_SEL_ALL, 0).empty());

    int records = 0;
    for (void* p : all) {
        EXPECT_EQ(dam_Get_key_of_DataPH(p, 1) >= 1 && dam_Get_key_of_DataPH(p, 1) <= 3, true);
        records += dam_Get_cnt_of_DataPH(p);
        EXPECT_LE(dam_Get_cnt_of_DataPH(p), dam_Get_max_of_DataPH(p));
    }
    EXPECT_EQ(records, 1000);

    // Backwards walks see the same pages in reverse.
    std::vector<void*> forward, backward;
    for (void* p = dam_NextPage(nullptr, DCODE_LINE, 1, 2); p; p = dam_NextPage(p, DCODE_LINE, 1, 2))
        forward.push_back(p);
    for (void* p = dam_PrevPage(nullptr, DCODE_LINE, 1, 2); p; p = dam_PrevPage(p, DCODE_LINE, 1, 2))
        backward.insert(backward.begin(), p);
    EXPECT_EQ(forward, backward);
}

TEST(PageStore, PartKeyWalkAndPageServices)
{
    ScratchWorkSpace ws;
    void* partA = PDP_AllocNewDataArea_Sym();
    void* partB = PDP_AllocNewDataArea_Sym();
    ASSERT_NE(partA, nullptr);
    ASSERT_NE(partB, nullptr);
    int keyA = dam_Get_key_of_DataPH(partA, 4);
    int keyB = dam_Get_key_of_DataPH(partB, 4);
    EXPECT_NE(keyA, keyB);
    void* pinsA = PDP_AllocNewDataArea_Pin(keyA, 4);
    void* pinsB = PDP_AllocNewDataArea_Pin(keyB, 4);
    EXPECT_EQ(Walk(DCODE_PIN, DAM_SEL_PART, keyA), std::set<void*>{pinsA});
    EXPECT_EQ(Walk(DCODE_PIN, DAM_SEL_PART, keyB), std::set<void*>{pinsB});
    EXPECT_EQ(Walk(DCODE_PART, DAM_SEL_PART, keyB), std::set<void*>{partB});
    EXPECT_EQ(DAM_GetPageCode(pinsA), PC_PIN);

    uint32_t no = dam_GetPageNo(pinsB);
    EXPECT_EQ(DAM_GetPage(DDM_Open(ws.hDesign)->pageManager, no), pinsB);
    EXPECT_FALSE(IsPagenoEmpty(no));
    EXPECT_TRUE(IsPagenoEmpty(MakeDAMPageNo(0, 0)));
    dam_DeletePage(DCODE_PIN, no);
    EXPECT_TRUE(IsPagenoEmpty(no));
    EXPECT_TRUE(Walk(DCODE_PIN, DAM_SEL_PART, keyB).empty());

    // Status and area round-trip; a fill page is never smaller than 57968 bytes.
    uint32_t fillNo = 0;
    void* fill = dam_AppendPage(DCODE_FILL, 400, 3, 0, 7, 0, &fillNo);
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(dam_GetDataSize(fill), 57968);
    EXPECT_EQ(dam_Get_key_of_DataPH(fill, 3), 7);
    EXPECT_EQ(dam_GetDataInPage(DCODE_FILL, fillNo), fill);
    dam_Set_status_of_DataPH(fill, 0x8000);
    EXPECT_LT(dam_Get_status_of_DataPH(fill), 0);
    int32_t box[4] = {1, 2, 3, 4}, got[4];
    dam_Set_area_of_DataPH(fill, box);
    dam_Get_area_of_DataPH(got, fill);
    EXPECT_EQ(std::vector<int>(got, got + 4), std::vector<int>(box, box + 4));
}

TEST(PageStore, RecordsKeepTheirAddressesAndPagesTheirArea)
{
    ScratchWorkSpace ws;
    std::vector<LineRecord*> stored;
    for (int i = 0; i < 500; ++i) {
        LineRecord r = MakeLine(i * 100, -i, i * 100 + 50, i);
        stored.push_back(PDL_InsertNewData(5, &r, nullptr));
    }
    for (int i = 0; i < 500; ++i) {
        ASSERT_NE(stored[i], nullptr);
        EXPECT_EQ((int)stored[i]->x1, i * 100);
        EXPECT_GT((unsigned)stored[i]->elementNo, 0u);
    }
    EXPECT_NE((unsigned)stored[0]->elementNo, (unsigned)stored[1]->elementNo);
    void* first = dam_NextPage(nullptr, DCODE_LINE, 1, 5);
    int32_t area[4];
    dam_Get_area_of_DataPH(area, first);
    EXPECT_EQ(area[0], 0);
    EXPECT_EQ(area[1], -133);  // 134 records on the first page
    EXPECT_EQ(area[2], 133 * 100 + 50);

    // A placeholder filled in place grows its page's area.
    LineRecord placeholder{};
    placeholder.status = ES_DELETED;
    placeholder.code = FC_LINE;
    void* page = nullptr;
    LineRecord* p = PDL_InsertNewData(6, &placeholder, &page);
    PDL_MakeNewQZLine(FC_LINE, p, 2, -1, -1, -1, 7000, 8000, 9000, 9500);
    EXPECT_EQ((unsigned)(p->status & ES_DELETED), 0u);
    dam_Get_area_of_DataPH(area, page);
    EXPECT_EQ(area[0], 7000);
    EXPECT_EQ(area[3], 9500);
}

TEST(PageStore, NewPartKeyIsOneAboveTheHighestLeft)
{
    ScratchWorkSpace ws;
    auto newKey = [] {
        void* page = PDP_AllocNewDataArea_Sym();
        return page ? dam_Get_key_of_DataPH(page, 4) : -1;
    };
    auto drop = [](int key) {
        void* page = dam_NextPage(nullptr, DCODE_PART, DAM_SEL_PART, key);
        ASSERT_NE(page, nullptr) << key;
        dam_DeletePage(DCODE_PART, dam_GetPageNo(page));
    };
    EXPECT_EQ(newKey(), 1);
    EXPECT_EQ(newKey(), 2);
    EXPECT_EQ(newKey(), 3);
    drop(2);  // a gap below the highest is not filled
    EXPECT_EQ(newKey(), 4);
    drop(4);
    drop(3);
    EXPECT_EQ(newKey(), 2);
    drop(1);
    drop(2);
    EXPECT_EQ(newKey(), 1);
    EXPECT_EQ(dam_Get_key_of_DataPH(PDP_AllocNewDataArea_Shp(), 4), 1);
}

// New pages are empty also where an earlier design's pages lay: after a
// smaller design was loaded over a larger one, and in the space of a
// deleted page.
TEST(PageStore, NewPagesAreEmptyWhereOldPagesLay)
{
    ScratchWorkSpace ws;
    char what[256] = {};
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    std::string small = std::string(dir) + "store_test_small_" + std::to_string(GetCurrentProcessId()) + ".tpw";
    LineRecord line = MakeLine(0, 0, 10, 10);
    ASSERT_NE(PDL_InsertNewData(1, &line, nullptr), nullptr);
    ASSERT_EQ(DDM_WriteDesignFile(small.c_str(), DESIGN_KIND_TPW, what), DFE_OK) << what;

    auto allZero = [](const void* page, size_t from) {
        const uint8_t* b = (const uint8_t*)page;
        for (size_t i = from; i < (size_t)dam_GetDataSize(page); i++)
            if (b[i]) return false;
        return true;
    };
    uint32_t no = 0;
    for (int i = 0; i < 40; i++) {
        void* fill = dam_AppendPage(DCODE_FILL, 400, 1, 0, 0, 0, &no);
        ASSERT_NE(fill, nullptr);
        memset((uint8_t*)fill + PAGE_HEADER_SIZE, 0xAB, dam_GetDataSize(fill) - PAGE_HEADER_SIZE);
        void* lines = PDL_AllocNewDataArea(2, nullptr);
        ASSERT_NE(lines, nullptr);
        memset(lines, 0xCD, 8192 - PAGE_HEADER_SIZE);  // the whole page's records
    }
    // The space of the deleted fill page is taken by the next of its size.
    void* last = dam_GetDataInPage(DCODE_FILL, no);
    dam_DeletePage(DCODE_FILL, no);
    void* again = dam_AppendPage(DCODE_FILL, 400, 1, 0, 0, 0, &no);
    EXPECT_EQ(again, last);
    EXPECT_TRUE(allZero(again, PAGE_HEADER_SIZE));

    ASSERT_EQ(DDM_ReadDesignFile(small.c_str(), DESIGN_KIND_TPW, nullptr, what), DFE_OK) << what;
    for (int i = 0; i < 80; i++) {
        void* fill = dam_AppendPage(DCODE_FILL, 400, 1, 0, 0, 0, &no);
        ASSERT_NE(fill, nullptr);
        EXPECT_TRUE(allZero(fill, PAGE_HEADER_SIZE)) << "fill page " << i;
        void* page = nullptr;
        ASSERT_NE(PDT_AllocNewDataArea((short)(3 + i), &page), nullptr);
        EXPECT_TRUE(allZero(page, PAGE_HEADER_SIZE + 200)) << "text page " << i;
    }
    DeleteFileA(small.c_str());
}

// Small pages fill the space that element pages' alignment skips: pages
// never overlap, element pages stay on 8192-byte boundaries, and a part with
// its pin page costs no 16 KiB of heap.
TEST(PageStore, SmallPagesShareTheHeapWithoutOverlap)
{
    ScratchWorkSpace ws;
    uint64_t capacity = 0, before = 0, after = 0;
    WPS_GetSize(&capacity, &before);
    for (int i = 0; i < 300; i++) {
        void* part = PDP_AllocNewDataArea_Sym();
        ASSERT_NE(part, nullptr);
        int key = dam_Get_key_of_DataPH(part, 4);
        ASSERT_NE(PDP_AllocNewDataArea_Pin(key, 2), nullptr);
        uint32_t no = 0;
        ASSERT_NE(dam_AppendPage(DCODE_PART_FLASH, 256, 1, 0, 0, key, &no), nullptr);
        LineRecord line = MakeLine(i, i, i + 5, i + 5);
        ASSERT_NE(PDL_InsertNewData((short)(1 + i % 3), &line, nullptr), nullptr);
        if (i % 7 == 0) dam_DeletePage(DCODE_PART, dam_GetPageNo(part));
        if (i % 50 == 0) {
            ASSERT_NE(dam_AppendPage(DCODE_FILL, 400, 1, 0, 0, 0, &no), nullptr);
        }
    }
    WPS_GetSize(&capacity, &after);
    // The pin pages, the fills and a little: a part page before each pin
    // page on a boundary of its own would take 300 x 16 KiB.
    EXPECT_LT(after - before, 300u * 8192u + 6u * 57968u + 300u * 1024u);

    std::vector<std::pair<const uint8_t*, const uint8_t*>> ranges;
    for (int code : {DCODE_PART, DCODE_PIN, DCODE_PART_FLASH, DCODE_LINE, DCODE_FILL}) {
        for (void* p = dam_NextPage(nullptr, code, DAM_SEL_ALL, 0); p; p = dam_NextPage(p, code, DAM_SEL_ALL, 0)) {
            ranges.push_back({(const uint8_t*)p, (const uint8_t*)p + dam_GetDataSize(p)});
            if (dam_GetDataSize(p) == 8192) {
                // The page of a record is found from its address.
                const uint8_t* rec = (const uint8_t*)p + PAGE_HEADER_SIZE + 60;
                EXPECT_EQ(dam_GetPageFromDataAdr(rec), p);
            }
        }
    }
    std::sort(ranges.begin(), ranges.end());
    for (size_t i = 1; i < ranges.size(); i++) {
        EXPECT_LE(ranges[i - 1].second, ranges[i].first) << i;
    }
    EXPECT_EQ(ranges.size(), 257u + 300u + 300u + 3u + 6u);
}

TEST(PageStore, GettersWorkBeforeAnyWorkSpace)
{
    DdmContext* ctx = DDM_Open(nullptr);
    ASSERT_NE(ctx, nullptr);
    EXPECT_EQ(dam_NextPage(nullptr, DCODE_LINE, 0, 0), nullptr);
    EXPECT_NE(PDL_Get_PdlClass(), nullptr);
    DDM_Close(ctx);
}

}  // namespace
