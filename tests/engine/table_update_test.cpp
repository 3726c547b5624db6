// The design's palette and the updates the table editors' callers run: the
// palette is saved with the design and read by the drawing; the VIA table
// follows defined VIAs, holes and a changed layer structure; the largest
// clearance follows the rule and signal-line tables.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/board_builder.h"
#include "platform/qzt_file.h"
#include "platform/qzt_palette.h"
#include "platform/qzt_table_update.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "store_test_util.h"

TEST(Palette, FreshDesignHasTheDefaultsAndAnEditSurvivesSaveAndLoad)
{
    ScratchWorkSpace ws;
    DdmContext* ctx = DDM_Open(ws.hDesign);
    DesignPalette* p = DDM_Open_Palette(ctx);
    ASSERT_EQ((int)p->count, PLT_COLOURS);
    EXPECT_EQ(PLT_GetColour(1), PLT_DefaultColour(1));
    EXPECT_EQ(PLT_GetColour(1), (uint32_t)RGB(255, 0, 0));
    EXPECT_EQ(PLT_GetColourTable(), p->colour) << "the drawing reads the design's own record";

    p->colour[1] = RGB(1, 2, 3);
    EXPECT_EQ(PLT_ResolveColourWord(0x01000001u), (uint32_t)RGB(1, 2, 3));
    EXPECT_EQ(PLT_ResolveColourWord(0x00123456u), 0x00123456u) << "a plain colour stays itself";

    std::string file = ws.path + ".tpw";
    char what[256] = "";
    ASSERT_EQ(DDM_WriteDesignFile(file.c_str(), 0, what), DFE_OK) << what;
    p->colour[1] = RGB(9, 9, 9);
    ASSERT_EQ(DDM_ReadDesignFile(file.c_str(), 0, nullptr, what), DFE_OK) << what;
    EXPECT_EQ(PLT_GetColour(1), (uint32_t)RGB(1, 2, 3));
    DeleteFileA(file.c_str());
    DDM_Close(ctx);
}

namespace {

// Two conductor levels (layers 1 and 2), a silk level, a hole and a VIA.
struct SmallBoard {
    ScratchWorkSpace ws;
    DdmContext* ctx;
    int top, bottom, silk, hole, via;
    SmallBoard()
    {
        ctx = DDM_Open(ws.hDesign);
        top = BLD_AddLevel("TOP", 2, 1, 1);
        bottom = BLD_AddLevel("BOTTOM", 2, 2, 2);
        silk = BLD_AddLevel("SILK", 5, 0, 3);
        hole = BLD_AddHole(30000);
        via = BLD_AddVia(60000, hole);
    }
    ~SmallBoard() { DDM_Close(ctx); }
    ViaDef& Via() { return *TVT_Get_QZViaTblRec(TVT_Get_TvtClass(), via); }
};

}  // namespace

TEST(ViaUpdate, HoleSizesFollowTheHoleTable)
{
    SmallBoard b;
    DDM_Open_HoleTable(b.ctx)->entry[b.hole].sizeX = 45000;
    DDM_TDV_FlashUpdate_Hole(b.ctx);
    EXPECT_EQ((int)b.Via().holeSize, 45000);

    // A drill the table no longer has leaves the VIA as it was.
    b.Via().drillNo = 77;
    DDM_TDV_FlashUpdate_Hole(b.ctx);
    EXPECT_EQ((int)b.Via().holeSize, 45000);
}

TEST(ViaUpdate, DefinedViasRebuildTheirVIAsOrReportThatTheyCannot)
{
    SmallBoard b;
    DefViaTable* dv = DDM_Open_DefViaTable(b.ctx);
    EXPECT_EQ(DDM_GetDefViaUse(b.ctx), 0);
    dv->inUse = 1;
    EXPECT_EQ(DDM_GetDefViaUse(b.ctx), 1);
    dv->useNum = 1;
    dv->entry[1].number = 1;
    dv->entry[1].drill[0] = b.hole;
    int size = BLD_AddSize(0, 70000, 70000);
    dv->entry[1].land[0][0] = size;  // slot 1 = VIA layer 1
    dv->entry[1].land[1][0] = size;
    b.Via().defViaNo = 1;
    EXPECT_EQ(DDM_DefViaUpdate_ViaTblUpdate(b.ctx), 1);
    EXPECT_EQ(TVT_Get_AptNo(&b.Via(), 1), size);
    EXPECT_EQ(TVT_Get_AptNo(&b.Via(), 2), size);

    // A defined VIA without a drill cannot give its VIA one: reported, and
    // the VIA keeps what it had.
    ViaDef before = b.Via();
    dv->entry[1].drill[0] = 0;
    EXPECT_EQ(DDM_DefViaUpdate_ViaTblUpdate(b.ctx), 0);
    EXPECT_EQ(std::memcmp(&before, &b.Via(), sizeof before), 0);
    b.Via().defViaNo = 5;  // no such defined VIA
    EXPECT_EQ(DDM_DefViaUpdate_ViaTblUpdate(b.ctx), 0);
}

TEST(ViaUpdate, LayerStructureChangeMovesViaLayersWithTheirLevels)
{
    SmallBoard b;
    LevelTable* t = DDM_Open_LevelTable(b.ctx);
    std::vector<LevelEntry> snapshot(DLG_LEVEL_SNAPSHOT_RECORDS);
    std::memcpy(snapshot.data(), t->entry, sizeof(LevelEntry) * (TLV_Get_Level_UseNum(t) + 1));
    ASSERT_EQ(TLV_GetViaLayerIdx(t, b.bottom), 2);

    // BOTTOM stops being a conductor, SILK becomes one.
    t->extra[b.bottom].layer = 0;
    t->extra[b.silk].layer = 2;
    DDM_ViaLayerTblReCreate(b.ctx, snapshot.data());
    DDM_ViaNoUpdate_Lgnet(b.ctx, 0, 1, 1);
    ViaLayerTable* layers = TVT_Get_TvtViaLayerTbl(TVT_Get_TvtClass());
    EXPECT_EQ(TVT_ViaLayerTbl_LevelCheck(layers, b.top), 1) << "TOP keeps its VIA layer";
    EXPECT_EQ(TVT_ViaLayerTbl_LevelCheck(layers, b.bottom), 0);
    int silkLayer = TVT_ViaLayerTbl_LevelCheck(layers, b.silk);
    EXPECT_EQ(silkLayer, 2) << "the freed VIA layer is taken by the new conductor";
    EXPECT_EQ(TLV_GetViaLayerIdx(t, b.silk), 2);
    EXPECT_EQ(TVT_Get_AptNo(&b.Via(), 2), 0) << "no pad on the new layer until the table gives one";
    EXPECT_NE(TVT_Get_AptNo(&b.Via(), 1), 0);
    EXPECT_EQ((int)TVT_GetViaLayerRec(layers, 1)->useCount, 2) << "itself and the one VIA with a pad";
}

TEST(ClearanceMax, IsTheLargestOfTheRuleAndSignalTables)
{
    ScratchWorkSpace ws;
    DdmContext* ctx = DDM_Open(ws.hDesign);
    DDM_drcCheck_SetClearanceMax(ctx);
    EXPECT_EQ(DDM_drcCheck_GetClearanceMax(ctx), 0);
    RuleTable* rules = DDM_Open_RuleTable(ctx);
    rules->count = 2;
    rules->rule[1].entry[5] = {TRL_MakeClearanceCode(0x2000000, 0x11, 0x13), 0, 25000};
    rules->rule[0].entry[0] = {0, 0, 99000};  // an empty entry does not count
    DDM_drcCheck_SetClearanceMax(ctx);
    EXPECT_EQ(DDM_drcCheck_GetClearanceMax(ctx), 25000);
    DDM_Open_SignalTable(ctx)->entry[64].value[SLN_VIA_CLEARANCE] = 40000;
    DDM_drcCheck_SetClearanceMax(ctx);
    EXPECT_EQ(DDM_drcCheck_GetClearanceMax(ctx), 40000);
    DDM_Close(ctx);
}
