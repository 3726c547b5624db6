// The function bar: its controls, the zoom and rate lists, and the level,
// line-table and VIA lists that change the engine's active entries and tell
// a waiting command (answers 11 and 14).
#include <gtest/gtest.h>

#include "bar_fixture.h"
#include "platform/layout_tables.h"
#include "platform/qzt_env.h"
#include "platform/qzt_tables.h"
#include "view/bar.h"

namespace {

int CountChildren(HWND bar, int id)
{
    int n = 0;
    for (HWND c = GetWindow(bar, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) n += GetDlgCtrlID(c) == id;
    return n;
}

TEST(FunctionBar, ButtonsForwardTheirIdsAndBothZoomButtonsPost137)
{
    BarFixture f;
    EXPECT_EQ(CountChildren(f.Func(), 137), 2);
    for (HWND c = GetWindow(f.Func(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetDlgCtrlID(c) == 137) SendMessageA(c, BM_CLICK, 0, 0);
    KIT_PumpPending();
    int seen = 0;
    for (auto& c : f.commands) seen += c.first == 137 && c.second == BN_CLICKED;
    EXPECT_EQ(seen, 2);
    for (int id : {165, 162, 146, 176, 203, 204, 127, 130, 175, 134, 117, 132}) {
        SCOPED_TRACE(id);
        f.commands.clear();
        SendDlgItemMessageA(f.Func(), id, BM_CLICK, 0, 0);
        EXPECT_TRUE(f.FrameGot(id, BN_CLICKED));
    }
    EXPECT_EQ(BF_Text(f.Func(), 175), "全体");
}

TEST(FunctionBar, ZoomAndRateLists)
{
    BarFixture f;
    EXPECT_EQ(BF_Rows(f.Func(), 131), (std::vector<std::string>{"  ﾌﾘｰ", " ×１", " ×２", " ×５", " ×10"}));
    EXPECT_EQ(BF_Rows(f.Func(), 118), (std::vector<std::string>{" 10%", " 25%", " 50%", " 75%", "100%"}));
    EnvRecord* env = ENV_GetENVClass();

    ENV_SetScaleManualChange(env, 1);
    EXPECT_EQ(BAR_FuncSelectZoomItem(3.0), 0);
    EXPECT_EQ(BF_Selected(f.Func(), 131), 0);
    EXPECT_EQ(ENV_GetZoom(env), 3.0);
    EXPECT_EQ(ENV_GetScaleManualChange(env), 0);
    EXPECT_EQ(BAR_FuncSelectZoomItem(5.0), 1);
    EXPECT_EQ(BF_Selected(f.Func(), 131), 3);

    struct Rate {
        int rate, row;
    };
    for (Rate r : {Rate{10, 0}, Rate{25, 1}, Rate{50, 2}, Rate{75, 3}, Rate{100, 4}, Rate{33, 0}}) {
        ENV_SetDefRate(env, r.rate);
        BAR_FuncSelectRateItem();
        EXPECT_EQ(BF_Selected(f.Func(), 118), r.row) << r.rate;
    }
    BF_Choose(f.Func(), 118, 3);
    EXPECT_EQ(ENV_GetDefRate(env), 75);

    // A fixed factor is stored and the frame runs the zoom command; the free
    // row does nothing more.
    f.commands.clear();
    BF_Choose(f.Func(), 131, 2);
    EXPECT_EQ(ENV_GetWinZoom(env), 2);
    EXPECT_TRUE(f.FrameGot(131, 1));
    f.commands.clear();
    BF_Choose(f.Func(), 131, 0);
    EXPECT_FALSE(f.FrameGot(131, 1));
    BAR_FuncSelectStepItem();
    EXPECT_EQ(BF_Selected(f.Func(), 131), 2);
}

TEST(FunctionBar, LineTableChoiceAnswersTheWaitingRequestWith11)
{
    BarFixture f;
    LineTable* ll = TLL_Get_TllClass();
    std::vector<std::string> rows = BF_Rows(f.Func(), 167);
    ASSERT_EQ(rows.size(), 10u);  // no high-use entry: no separator
    EXPECT_EQ(rows[0], "■  1 0.010");  // table 1 has square ends
    EXPECT_EQ(rows[1], "○  2 0.020");
    EXPECT_EQ(BF_Selected(f.Func(), 167), 0);

    Request* r = f.Wait();
    BF_Choose(f.Func(), 167, 6);
    EXPECT_EQ(ll->activeNo, 7);
    EXPECT_EQ(DIN_GetAnswer(r), ANS_LINE_TABLE);
    EXPECT_EQ(DIN_GetAnswerWord(r), 0);
    EXPECT_EQ(DIN_GetAnswerValue(r), 0);

    // Two high-use entries, 4 and 9, head the list above a separator.
    ll->entry[4].highUse = ll->entry[9].highUse = 1;
    BAR_FuncFillLineTableList();
    rows = BF_Rows(f.Func(), 167);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0], "○  4 0.040");
    EXPECT_EQ(rows[1], "■  9 0.090");
    EXPECT_EQ(rows[2], "---------");
    EXPECT_EQ(BF_Selected(f.Func(), 167), 2 + 7);  // table 7 in the full block

    struct Case {
        int row, active;
    };
    for (Case c : {Case{1, 9}, Case{0, 4}, Case{5, 3}, Case{12, 10}}) {
        SCOPED_TRACE(c.row);
        DIN_MarkWaiting(r);
        DIN_SetAnswer(r, -7);
        BF_Choose(f.Func(), 167, c.row);
        EXPECT_EQ(ll->activeNo, c.active);
        EXPECT_EQ(DIN_GetAnswer(r), ANS_LINE_TABLE);
    }
    EXPECT_EQ(BF_Selected(f.Func(), 167), 12);

    // The separator only beeps and puts the list back.
    DIN_MarkWaiting(r);
    DIN_SetAnswer(r, -7);
    BF_Choose(f.Func(), 167, 2);
    EXPECT_EQ(ll->activeNo, 10);
    EXPECT_EQ(DIN_GetAnswer(r), -7);
    EXPECT_EQ(BF_Selected(f.Func(), 167), 12);

    // With no request waiting the answer is dropped and the table still
    // changes.
    CloseRequest(r);
    BF_Choose(f.Func(), 167, 5);
    EXPECT_EQ(ll->activeNo, 3);
}

TEST(FunctionBar, LineKindSwitchesLabelAndTable)
{
    BarFixture f;
    LineTable* fills = TPL_Get_TplClass();
    fills->useNum = fills->dispNum = 3;
    fills->activeNo = 2;
    for (int k = 1; k <= 3; ++k) {
        fills->entry[k].width = k * 20000;
        fills->entry[k].tblNo = k;
        fills->entry[k].number = (uint32_t)k;
    }
    Request* r = f.Wait();
    BAR_FuncSetLineKind(3);
    EXPECT_EQ(BF_Text(f.Func(), 146), "塗込");
    EXPECT_EQ(f.CanvasData()->lineKind, 3);
    EXPECT_EQ(BF_Rows(f.Func(), 167).size(), 3u);
    EXPECT_EQ(BF_Selected(f.Func(), 167), 1);
    BF_Choose(f.Func(), 167, 2);
    EXPECT_EQ(fills->activeNo, 3);
    EXPECT_EQ(DIN_GetAnswer(r), -7);  // only signal lines are reported
    BAR_FuncSetLineKind(4);
    EXPECT_EQ(BF_Text(f.Func(), 146), "文字");
    BAR_FuncSetLineKind(7);
    EXPECT_EQ(BF_Text(f.Func(), 146), "ﾗｲﾝ");
    EXPECT_EQ(g_SignalLineFlag, 1);
    BAR_FuncSetLineKind(0);
    EXPECT_EQ(g_SignalLineFlag, 0);
}

TEST(FunctionBar, ViaChoiceAnswersTheWaitingRequestWith14)
{
    BarFixture f;
    ViaTable* vt = TVT_Get_TvtClass();
    // VIA 3 is of no listed kind: three rows, for VIAs 1, 2 and 4.
    std::vector<std::string> rows = BF_Rows(f.Func(), 169);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], "      4   ---   ---");
    Request* r = f.Wait();
    BF_Choose(f.Func(), 169, 2);
    EXPECT_EQ(vt->activeNo, 4);
    EXPECT_EQ(DIN_GetAnswer(r), ANS_VIA_TABLE);
    EXPECT_EQ(DIN_GetAnswerWord(r), 0);
    EXPECT_EQ(BF_Selected(f.Func(), 169), 2);

    vt->def[2].highUse = 1;
    BAR_FuncFillViaList();
    rows = BF_Rows(f.Func(), 169);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1], "----------------");
    DIN_MarkWaiting(r);
    DIN_SetAnswer(r, -7);
    BF_Choose(f.Func(), 169, 0);
    EXPECT_EQ(vt->activeNo, 2);
    EXPECT_EQ(DIN_GetAnswer(r), ANS_VIA_TABLE);
    EXPECT_EQ(BF_Selected(f.Func(), 169), 0);
    DIN_MarkWaiting(r);
    DIN_SetAnswer(r, -7);
    BF_Choose(f.Func(), 169, 1);  // the separator
    EXPECT_EQ(vt->activeNo, 2);
    EXPECT_EQ(DIN_GetAnswer(r), -7);
    BF_Choose(f.Func(), 169, 2);
    EXPECT_EQ(vt->activeNo, 1);
}

TEST(FunctionBar, LevelChoiceSetsTheActiveLevelAndRepaintsInContrast)
{
    BarFixture f;
    LevelTable* lt = TLV_Get_TlvClass();
    EXPECT_EQ(BF_Rows(f.Func(), 164), (std::vector<std::string>{"1 TOP", "2 SILK", "3 BOT", "4 PLANE"}));
    EXPECT_EQ(BF_Text(f.Func(), 166), "  1");
    UpdateWindow(f.Canvas());

    int paints = f.canvasPaints;
    BF_Choose(f.Func(), 164, 1);
    EXPECT_EQ(TLV_GetActiveLevel(lt), 2);
    EXPECT_EQ(BF_Text(f.Func(), 166), "  -");
    EXPECT_EQ(f.canvasPaints, paints);  // no contrast: no repaint

    ENV_GetENVClass()->contrast = 1;
    BF_Choose(f.Func(), 164, 2);
    EXPECT_EQ(TLV_GetActiveLevel(lt), 3);
    EXPECT_EQ(BF_Text(f.Func(), 166), "  2");
    EXPECT_EQ(BF_Selected(f.Func(), 164), 2);
    EXPECT_GT(f.canvasPaints, paints);
    EXPECT_FALSE(GetUpdateRect(f.Canvas(), nullptr, FALSE));  // painted at once

    // Signal lines: only the wiring levels, and the active level must be one.
    ENV_GetENVClass()->contrast = 0;
    BF_Choose(f.Func(), 164, 1);
    ASSERT_EQ(TLV_GetActiveLevel(lt), 2);
    BAR_FuncSetLineKind(7);
    EXPECT_EQ(BF_Rows(f.Func(), 164), (std::vector<std::string>{"1 TOP", "3 BOT", "4 PLANE"}));
    EXPECT_EQ(TLV_GetActiveLevel(lt), 1);
    EXPECT_EQ(BF_Selected(f.Func(), 164), 0);
    BF_Choose(f.Func(), 164, 2);
    EXPECT_EQ(TLV_GetActiveLevel(lt), 4);
    EXPECT_EQ(BF_Text(f.Func(), 166), "  3");

    // No wiring level at all: level 0.
    for (int k = 1; k <= 4; ++k) lt->entry[k].kind = 1;
    BAR_FuncFillLevelList();
    EXPECT_TRUE(BF_Rows(f.Func(), 164).empty());
    EXPECT_EQ(TLV_GetActiveLevel(lt), 0);
    BAR_FuncSetLineKind(0);
}

}  // namespace
