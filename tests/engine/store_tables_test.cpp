// Tables, environment and grid: the packed results, the ranges that guard
// every table number, and the grid arithmetic.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/board_builder.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_records.h"
#include "platform/qzt_tables.h"
#include "store_test_util.h"

namespace {

uint64_t Pack(int32_t x, int32_t y) { return (uint32_t)x | ((uint64_t)(uint32_t)y << 32); }

TEST(StoreTables, NumbersOutsideATableGiveNothing)
{
    ScratchWorkSpace ws;
    int line = BLD_AddLine(20000);
    LineTable* tll = TLL_Get_TllClass();
    EXPECT_EQ(TLL_Get_ZLinWidth(tll, line), 20000);
    EXPECT_GT(TLL_Get_AptNo(tll, line), 0);
    struct Case {
        const char* name;
        long long got;
    } cases[] = {
        {"line -1", TLL_Get_ZLinWidth(tll, -1)},
        {"line past the table", TLL_Get_ZLinWidth(tll, TBL_MAX_LINE + 1)},
        {"size past the table", (long long)(intptr_t)TSZ_Get_TszTblRec(TSZ_Get_TszClass(), TBL_MAX_SIZE + 1)},
        {"VIA -5", (long long)(intptr_t)TVT_Get_QZViaTblRec(TVT_Get_TvtClass(), -5)},
        {"hole 0", (long long)(intptr_t)THL_Get_HoleTblRec(nullptr, 0)},
        {"level 5000 layer", TLV_Get_Layer(TLV_Get_TlvClass(), 5000)},
        {"text line 99999", TTL_Get_TextLinWidth(TTL_Get_TtlClass(), 99999)},
        {"VIA layer 0", (long long)(intptr_t)TVT_GetViaLayerRec(TVT_Get_TvtViaLayerTbl(nullptr), 0)},
        {"unknown table code", SYS_GetTblMax(nullptr, 1234)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, 0) << c.name;
    EXPECT_LT(TLV_Get_DispSts(TLV_Get_TlvClass(), -1), 0);  // a level that is not there is hidden
}

TEST(StoreTables, PackedValuesAndTableWords)
{
    ScratchWorkSpace ws;
    int size = BLD_AddSize(1, 50000, 0);
    SizeEntry* e = TSZ_Get_TszTblRec(TSZ_Get_TszClass(), size);
    EXPECT_EQ(TSZ_Get_OutWidthXY(e), Pack(50000, 50000));  // a missing Y takes X
    e->outY = 70000;
    EXPECT_EQ(TSZ_Get_OutWidthXY(e), Pack(50000, 70000));

    uint32_t word = TVT_MakeAptNo(0, 3, 1234);
    EXPECT_EQ(word >> 31, 1u);
    EXPECT_EQ((word >> 28) & 7, 3u);
    int top = BLD_AddLevel("TOP", 2, 1, 0);
    int via = BLD_AddVia(60000, BLD_AddHole(30000));
    ViaDef* def = TVT_Get_QZViaTblRec(TVT_Get_TvtClass(), via);
    EXPECT_GT(TVT_Get_AptNo_Level(TVT_Get_TvtViaLayerTbl(nullptr), def, top), 0);
    EXPECT_EQ(TVT_Get_AptNo_Level(TVT_Get_TvtViaLayerTbl(nullptr), def, top + 1), 0);
    EXPECT_EQ(TLV_GetLevCode_DatType(TLV_Get_TlvClass(), top), 2);

    ENV_SetSizeLimit(nullptr, 5, 150000000, 1000);
    EXPECT_EQ(ENV_GetSizeLimit(ENV_GetENVClass(), 5), Pack(150000000, 1000));
    ENV_SetPopUpTime(nullptr, 99.0);
    EXPECT_EQ(ENV_GetPopUpTime(nullptr), 0.5);
    char pair[520] = {};
    std::strcpy(pair, "C:\\boards\\");
    std::strcpy(pair + 260, "demo");
    ENV_SetPCBpathfile(nullptr, pair);
    EXPECT_STREQ(ENV_GetPCBpathname(nullptr), "C:\\boards\\");
    EXPECT_STREQ(ENV_GetPCBfilename(nullptr), "demo");
    ENV_SetCsrJmpXY(DDM_Open(ws.hDesign), Pack(900, 100));
    EXPECT_EQ(ENV_GetCsrJmpXY(nullptr), Pack(900, 100));
}

TEST(StoreTables, GridOriginsAndRounding)
{
    ScratchWorkSpace ws;
    GridObject* grid = GRD_GetObject(0);
    GRD_SetGenten(grid, 1, 1000, -2000);
    GRD_SetCurrentGridGroupNo(grid, 1);
    EXPECT_EQ(GRD_GetCurrentGridGroupChar(grid), 'B');
    EXPECT_EQ(GRD_GetGenten(grid), Pack(1000, -2000));
    EXPECT_EQ(GRD_Conv2LogicalPoint(Pack(1500, 0)), Pack(500, 2000));
    // Group B's first slot is input grid 0: a pitch of 25000.
    InputGridRec* input = GRD_GetInpGrid(0);
    ASSERT_NE(input, nullptr);
    input->px = input->py = 25000;
    struct Case {
        int32_t x, y, rx, ry;
    } cases[] = {
        {1000, -2000, 1000, -2000},    // the origin itself
        {13000, -2000, 1000, -2000},   // just below half a pitch
        {14000, 11000, 26000, 23000},  // just above half a pitch
        {-24000, -27000, -24000, -27000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GRD_RoundInGrid(Pack(c.x, c.y)), Pack(c.rx, c.ry)) << c.x << "," << c.y;
    EXPECT_EQ(GRD_GetInpGridGroup(8), nullptr);
    EXPECT_EQ(GRD_GetDspGrid(16), nullptr);
}

}  // namespace

namespace {

TEST(StoreTables, ShapeAndViaExtents)
{
    ScratchWorkSpace ws;
    int top = BLD_AddLevel("TOP", 2, 1, 0);
    int silk = BLD_AddLevel("SILK", 5, 0, 0);
    int line = BLD_AddLine(10000);
    int via = BLD_AddVia(60000, BLD_AddHole(30000));
    int shape = BLD_Shape("R", {{via, -100000, 0, "1"}, {via, 100000, 20000, "2"}}, silk, line,
                          {{-150000, -60000}, {150000, -60000}, {150000, 60000}, {-150000, 60000}});
    int32_t rect[4];
    ASSERT_EQ(PDP_ReCalcShpDataMinMax(rect, nullptr, shape), rect);
    EXPECT_EQ(std::vector<int32_t>(rect, rect + 4), (std::vector<int32_t>{-150000, -60000, 150000, 60000}));
    PDP_ReCalcShpDataViaMinMax(rect, nullptr, shape, top);
    EXPECT_EQ(std::vector<int32_t>(rect, rect + 4), (std::vector<int32_t>{-130000, -30000, 130000, 50000}));
    PDP_ReCalcShpDataViaMinMax(rect, nullptr, shape, silk);  // no pads there: the pin centres
    EXPECT_EQ(std::vector<int32_t>(rect, rect + 4), (std::vector<int32_t>{-100000, 0, 100000, 20000}));
    EXPECT_EQ(PDV_GetViaMaxSize(nullptr, via), Pack(60000, 60000));
    EXPECT_EQ(TVT_GetHoleSize(nullptr, via, 0), 30000u);
    EXPECT_EQ(TVT_GetHoleSize2(nullptr, via, 1), Pack(30000, 0));
    EXPECT_EQ(TVT_GetHoleSize2(nullptr, BLD_AddVia(50000, 0), 1), Pack(-1, -1));
    PDP_ReCalcShpDataMinMax(rect, nullptr, 999);
    EXPECT_EQ(std::vector<int32_t>(rect, rect + 4), (std::vector<int32_t>{0, 0, 0, 0}));
}

}  // namespace
