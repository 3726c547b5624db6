// The table editors driven on the display: a cell changed through the entry
// window reaches the engine only at OK; cancel leaves the table byte for
// byte; values outside the engine's limits are refused; an inner dialog
// changes the outer copy only, which reaches the engine at the outer OK.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dialogs/dialog_driver.h"
#include "dialogs/table_editor.h"
#include "engine/board_builder.h"
#include "platform/qzt_env.h"
#include "platform/qzt_palette.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

using namespace drv;

namespace {

std::string Sjis(const char8_t* s) { return KIT_Sjis(s); }

// A scratch design: two conductor levels, three line widths, a hole and a VIA.
class TableEditors : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path_ = std::string(dir) + "dlg_test_" + std::to_string(GetCurrentProcessId()) + ".wps";
        DeleteFileA(path_.c_str());
        hDesign_ = WPS_Open(path_.c_str());
        ASSERT_NE(hDesign_, nullptr);
        top_ = BLD_AddLevel("TOP", 2, 1, 1);
        BLD_AddLevel("BOTTOM", 2, 2, 2);
        for (int w : {10000, 20000, 30000}) BLD_AddLine(w);
        int hole = BLD_AddHole(30000);
        via_ = BLD_AddVia(60000, hole);
    }
    void TearDown() override { WPS_Delete(path_.c_str()); }

    std::string path_;
    void* hDesign_ = nullptr;
    int top_ = 0, via_ = 0;
};

std::string Bytes(const void* p, size_t n) { return std::string((const char*)p, n); }

}  // namespace

TEST_F(TableEditors, LineWidthChangedAndConfirmedReachesTheEngine)
{
    LineTable* lines = TLL_Get_TllClass();
    size_t done = 0;
    int r = RunSteps([&] { return DLG_LineLine(hDesign_); },
                {Check([](HWND e) {
                     EXPECT_EQ(Caption(e), Sjis(u8"ライン設定表"));
                     EXPECT_EQ(RowCount(e), 3);
                     EXPECT_EQ(CellText(e, 1, 1), "0.200");
                 }),
                 Select(1, Sjis(u8"線幅(mm)")), Press(IDC_TED_CHANGE), Type("0.35"),
                 Check([&](HWND e) {
                     EXPECT_EQ(CellText(e, 1, 1), "0.350") << "the list shows the new width";
                     EXPECT_EQ(TLL_Get_ZLinWidth(lines, 2), 20000) << "not in the engine before OK";
                 }),
                 Press(IDOK)},
                &done);
    EXPECT_EQ(done, 6u);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(TLL_Get_ZLinWidth(lines, 2), 35000);
}

TEST_F(TableEditors, CancelLeavesTheTableByteForByte)
{
    struct Case {
        const char* name;
        std::function<int()> open;
        const void* table;
        size_t size;
        std::string column;
        std::string value;
    };
    std::vector<Case> cases = {
        {"line", [&] { return DLG_LineLine(hDesign_); }, TLL_Get_TllClass(), sizeof(LineTable), Sjis(u8"線幅(mm)"), "0.5"},
        {"fill line", [&] { return DLG_PlaneLine(hDesign_); }, TPL_Get_TplClass(), sizeof(LineTable), "", ""},
        {"level", [&] { return DLG_Level(hDesign_, nullptr, nullptr, 1, 0); }, TLV_Get_TlvClass(), sizeof(LevelTable),
         Sjis(u8"色"), "9"},
        {"hole", [&] { return DLG_Hole(hDesign_); }, DDM_Open_HoleTable(nullptr), sizeof(HoleTable), Sjis(u8"径X(mm)"),
         "0.8"},
        {"palette", [&] { return DLG_Palette(hDesign_); }, PLT_GetColourTable(), 1024, Sjis(u8"赤"), "17"},
        {"signal", [&] { return SLN_ModifayDlg(hDesign_, nullptr); }, DDM_Open_SignalTable(nullptr), sizeof(SignalTable),
         "", ""},
    };
    for (Case& c : cases) {
        std::string before = Bytes(c.table, c.size);
        std::vector<Step> steps;
        if (!c.column.empty()) {
            steps = {Select(0, c.column), Press(IDC_TED_CHANGE), Type(c.value)};
        }
        steps.push_back(Press(IDC_TED_ADD));
        steps.push_back(Press(IDCANCEL));
        size_t done = 0;
        int r = RunSteps(c.open, steps, &done);
        EXPECT_EQ(done, steps.size()) << c.name;
        EXPECT_EQ(r, 0) << c.name;
        EXPECT_TRUE(Bytes(c.table, c.size) == before) << c.name << ": cancel changed the engine's table";
    }
}

TEST_F(TableEditors, ValuesOutsideTheEnginesLimitsAreRefused)
{
    // Lines may be 0.001 to 2 mm wide in this design.
    ENV_SetSizeLimit(ENV_GetENVClass(), 0, 200000, 100);
    LineTable* lines = TLL_Get_TllClass();
    size_t done = 0;
    int r = RunSteps([&] { return DLG_LineLine(hDesign_); },
                {Select(0, Sjis(u8"線幅(mm)")), Press(IDC_TED_CHANGE), Type("2.5"), Type("0"), Type("\x1b"),
                 Select(0, Sjis(u8"サイズ番号")), Press(IDC_TED_CHANGE),
                 Type(std::to_string(TSZ_Get_LinTbl_UseNum(TSZ_Get_TszClass()) + 1)), Type("\x1b"), Press(IDOK)},
                &done);
    EXPECT_EQ(done, 10u) << "each refused value kept the entry window open";
    EXPECT_EQ(r, 0) << "nothing changed";
    EXPECT_EQ(TLL_Get_ZLinWidth(lines, 1), 10000);

    // The same bounds hold for a value set without a window.
    const TedColumn width = {"w", 40, TED_UNITS, 0, 4, 0, 0, nullptr, TED_SizeBounds, nullptr, nullptr};
    int32_t row[2] = {0, 5000};
    int32_t lastRow = 1;
    TedTable t{};
    t.columns = &width;
    t.columnCount = 1;
    t.base = (uint8_t*)row;
    t.stride = 4;
    t.firstRow = 1;
    t.lastRow = &lastRow;
    EXPECT_EQ(TED_SetValue(&t, 1, 0, 200001), 0);
    EXPECT_EQ(TED_SetValue(&t, 1, 0, 99), 0);
    EXPECT_EQ(row[1], 5000);
    EXPECT_EQ(TED_SetValue(&t, 1, 0, 200000), 1);
    EXPECT_EQ(row[1], 200000);
}

TEST_F(TableEditors, InnerDialogChangesReachTheEngineOnlyAtTheOuterOk)
{
    ViaDef* via = TVT_Get_QZViaTblRec(TVT_Get_TvtClass(), via_);
    int size = BLD_AddSize(0, 80000, 80000);
    std::string before = Bytes(TVT_Get_TvtClass(), sizeof(ViaTable));
    std::vector<Step> changePad = {Select(via_ - 1, Sjis(u8"穴番号")), Press(IDC_TED_DETAIL),
                                   Select(1, Sjis(u8"サイズ番号"), Sjis(u8"ＶＩＡ")), Press(IDC_TED_CHANGE),
                                   Type(std::to_string(size)), Press(IDOK)};

    std::vector<Step> cancelOuter = changePad;
    cancelOuter.push_back(Check([](HWND e) { EXPECT_EQ(CellText(e, 0, 5), "2"); }));
    cancelOuter.push_back(Press(IDCANCEL));
    EXPECT_EQ(RunSteps([&] { return DLG_QZVia(hDesign_); }, cancelOuter), 0);
    EXPECT_TRUE(Bytes(TVT_Get_TvtClass(), sizeof(ViaTable)) == before) << "the inner OK alone wrote nothing";

    std::vector<Step> okOuter = changePad;
    okOuter.push_back(Press(IDOK));
    EXPECT_EQ(RunSteps([&] { return DLG_QZVia(hDesign_); }, okOuter), 1);
    EXPECT_EQ(TVT_Get_AptNo(via, 2), size);
}

TEST_F(TableEditors, PaletteEditChangesTheColourTheDrawingReads)
{
    EXPECT_EQ(RunSteps([&] { return DLG_Palette(hDesign_); },
                  {Select(3, Sjis(u8"緑")), Press(IDC_TED_CHANGE), Type("200"), Press(IDOK)}),
              1);
    EXPECT_EQ(GetGValue(PLT_ResolveColourWord(0x01000003u)), 200);
}

TEST_F(TableEditors, LevelTableOpensWhereGivenAndGivesBackPositionAndLevel)
{
    POINT pos = {40, 30};
    int16_t word = 2;
    int r = RunSteps([&] { return DLG_Level(hDesign_, &pos, &word, 1, 0); },
                {Check([](HWND e) {
                     RECT rc;
                     GetWindowRect(e, &rc);
                     EXPECT_EQ(rc.left, 40);
                     EXPECT_EQ(rc.top, 30);
                     HWND list = GetDlgItem(e, IDC_TED_LIST);
                     EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED), 1) << "level 2";
                     SetWindowPos(e, nullptr, 70, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                 }),
                 Select(0, Sjis(u8"色")), Press(IDCANCEL)});
    EXPECT_EQ(r, 0);
    EXPECT_EQ(pos.x, 70) << "the position is given back even after cancel";
    EXPECT_EQ(pos.y, 60);
    EXPECT_EQ(word, 1);
}

TEST_F(TableEditors, LayerStructureReportsWhatChanged)
{
    struct Case {
        const char* name;
        std::string column;
        std::string value;
        int levels, layers;
    } cases[] = {
        {"name", Sjis(u8"名称"), "INNER", 1, 0},
        {"layer", Sjis(u8"層"), "3", 0, 1},
        {"nothing", "", "", 0, 0},
    };
    for (const Case& c : cases) {
        int levels = 9, layers = 9;
        std::vector<Step> steps;
        if (!c.column.empty()) steps = {Select(1, c.column), Press(IDC_TED_CHANGE), Type(c.value)};
        steps.push_back(Press(IDOK));
        RunSteps([&] { return LevStructInfoDLG(hDesign_, &levels, &layers, 1, 0); }, steps);
        EXPECT_EQ(levels, c.levels) << c.name;
        EXPECT_EQ(layers, c.layers) << c.name;
    }
    EXPECT_STREQ(TLV_Get_LevelName(TLV_Get_TlvClass(), 2), "INNER");
    EXPECT_EQ(TLV_Get_Layer(TLV_Get_TlvClass(), 2), 3);
}

// Every table dialog adds a row the same way: cancel leaves the engine's table
// byte for byte; OK writes the copy back with the new row counted, and the
// tables that count the rows they show apart from those in use show it too.
TEST_F(TableEditors, ARowAddedReachesTheEngineOnlyAtOk)
{
    struct Case {
        const char* name;
        std::function<int()> open;
        const void* table;
        size_t size;
        const int32_t* count;  // the rows in use
        const int32_t* shown;  // the rows shown; null when the table has no such count
    };
    ViaTable* via = TVT_Get_TvtClass();
    DefViaTable* defVia = DDM_Open_DefViaTable(nullptr);
    HoleTable* hole = DDM_Open_HoleTable(nullptr);
    SizeTable* size = TSZ_Get_TszClass();
    LineTable* fill = TPL_Get_TplClass();
    TextLineTable* text = TTL_Get_TtlClass();
    LevelTable* level = TLV_Get_TlvClass();
    RuleTable* rule = DDM_Open_RuleTable(nullptr);
    InnerTable* inner = DDM_Open_InnerTable(nullptr);
    SignalTable* signal = DDM_Open_SignalTable(nullptr);
    std::vector<Case> cases = {
        {"via", [&] { return DLG_QZVia(hDesign_); }, via, sizeof *via, &via->useNum, &via->dispNum},
        {"defined via", [&] { return DLG_DFVia(hDesign_); }, defVia, sizeof *defVia, &defVia->useNum, &defVia->dispNum},
        {"hole", [&] { return DLG_Hole(hDesign_); }, hole, sizeof *hole, &hole->count, &hole->dispNum},
        {"size", [&] { return DLG_Size(hDesign_); }, size, sizeof *size, &size->useNum, &size->dispNum},
        {"fill line", [&] { return DLG_PlaneLine(hDesign_); }, fill, sizeof *fill, &fill->useNum, &fill->dispNum},
        {"text line", [&] { return DLG_TextLine(hDesign_); }, text, sizeof *text, &text->useNum, &text->dispNum},
        {"level", [&] { return DLG_Level(hDesign_, nullptr, nullptr, 1, 0); }, level, sizeof *level,
         &level->levelUseNum, &level->levelDispNum},
        {"rule", [&] { return DLG_Rule(hDesign_); }, rule, sizeof *rule, &rule->count, nullptr},
        {"inner layer", [&] { return INN_ModifayDlg(hDesign_, nullptr); }, inner, sizeof *inner, &inner->count, nullptr},
        {"signal", [&] { return SLN_ModifayDlg(hDesign_, nullptr); }, signal, sizeof *signal, &signal->count, nullptr},
    };
    for (const Case& c : cases) {
        std::string before = Bytes(c.table, c.size);
        size_t done = 0;
        EXPECT_EQ(RunSteps(c.open, {Press(IDC_TED_ADD), Press(IDCANCEL)}, &done), 0) << c.name;
        EXPECT_EQ(done, 2u) << c.name;
        EXPECT_TRUE(Bytes(c.table, c.size) == before) << c.name << ": cancel changed the engine's table";

        int32_t count = *c.count;
        int32_t shown = c.shown ? *c.shown : 0;
        EXPECT_EQ(RunSteps(c.open, {Press(IDC_TED_ADD), Press(IDOK)}, &done), 1) << c.name;
        EXPECT_EQ(done, 2u) << c.name;
        EXPECT_EQ(*c.count, count + 1) << c.name;
        if (c.shown) {
            EXPECT_EQ(*c.shown, std::max(shown, count + 1)) << c.name << ": the new row is shown";
        }
    }
}

// The layer structure keeps the copy only when a level or a layer really
// changed: a name typed again as it was writes nothing and reports nothing.
TEST_F(TableEditors, LayerStructureTypedAgainAsItWasWritesNothing)
{
    std::string before = Bytes(TLV_Get_TlvClass(), sizeof(LevelTable));
    int levels = 9, layers = 9;
    size_t done = 0;
    int r = RunSteps([&] { return LevStructInfoDLG(hDesign_, &levels, &layers, 1, 0); },
                     {Select(0, Sjis(u8"名称")), Press(IDC_TED_CHANGE), Type("TOP"), Press(IDOK)}, &done);
    EXPECT_EQ(done, 4u);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(levels, 0);
    EXPECT_EQ(layers, 0);
    EXPECT_TRUE(Bytes(TLV_Get_TlvClass(), sizeof(LevelTable)) == before);
}
