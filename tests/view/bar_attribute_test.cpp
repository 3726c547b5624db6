// The attribute bar: the cursor read-out in board millimetres, fed by the
// canvas as the mouse moves, and the display toggles that switch the
// engine and post their commands to the frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "bar_fixture.h"
#include "platform/layout_env.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "view/bar.h"
#include "view/cnv.h"

namespace {

std::string Readout(const BarFixture& f) { return BF_Text(f.Attr(), 136); }

std::string Expected(double xmm, double ymm)
{
    char text[64];
    snprintf(text, sizeof text, "%8.3lf %8.3lf", xmm, ymm);
    return text;
}

// The board point under a canvas pixel, as the canvas's display context
// converts it.
POINT BoardOf(HWND canvas, int x, int y)
{
    POINT p = {x, y};
    DisplaySC* sc = DSP_GetDisplaySC(canvas, nullptr, CNV_GetState());
    DSP_DPtoLPz(sc, &p);
    DSP_ReleaseSC(canvas, sc);
    return p;
}

POINT PixelOf(HWND canvas, int32_t x, int32_t y)
{
    POINT p = {x, y};
    DisplaySC* sc = DSP_GetDisplaySC(canvas, nullptr, CNV_GetState());
    DSP_LPtoDPz(sc, &p);
    DSP_ReleaseSC(canvas, sc);
    return p;
}

TEST(AttributeBar, ReadoutShowsBoardMillimetres)
{
    BarFixture f;
    EXPECT_EQ(Readout(f), "-123.456 -123.456");
    int32_t point[2] = {-12345600, 100000};
    SendMessageA(f.Attr(), BAR_MSG_CURSOR_POS, 0, (LPARAM)point);
    EXPECT_EQ(Readout(f), "-123.456    1.000");
    int32_t edge[2] = {150000000, -150000000};
    SendMessageA(f.Attr(), BAR_MSG_CURSOR_POS, 0, (LPARAM)edge);
    EXPECT_EQ(Readout(f), "1500.000 -1500.000");
}

// The mouse at a canvas pixel: the real cursor goes there too, since the
// canvas clips the cursor to itself and Windows then reports where it is.
void MoveMouse(HWND canvas, POINT px)
{
    POINT screen = px;
    ClientToScreen(canvas, &screen);
    SetCursorPos(screen.x, screen.y);
    KIT_PostMouseMove(canvas, px.x, px.y);
    KIT_PumpPending();
}

TEST(AttributeBar, ReadoutFollowsTheMouseOnTheCanvas)
{
    BarFixture f;
    POINT px = PixelOf(f.Canvas(), 2 * BF_MM, -BF_MM);
    MoveMouse(f.Canvas(), px);
    POINT b = BoardOf(f.Canvas(), px.x, px.y);
    EXPECT_EQ(Readout(f), Expected(b.x / 100000.0, b.y / 100000.0));
    double x = 0, y = 0;
    ASSERT_EQ(sscanf(Readout(f).c_str(), "%lf %lf", &x, &y), 2);
    EXPECT_NEAR(x, 2.0, 0.05);
    EXPECT_NEAR(y, -1.0, 0.05);

    // About the current origin.
    GridObject* grid = GRD_GetObject();
    GRD_SetGenten(grid, GRD_GetCurrentGridGroupNo(grid), BF_MM, 3 * BF_MM);
    MoveMouse(f.Canvas(), px);
    EXPECT_EQ(Readout(f), Expected((b.x - BF_MM) / 100000.0, (b.y - 3 * BF_MM) / 100000.0));
    GRD_SetGenten(grid, GRD_GetCurrentGridGroupNo(grid), 0, 0);

    // Not while a command works on the request, nor while the frame is
    // inactive.
    std::string before = Readout(f);
    POINT other = PixelOf(f.Canvas(), -3 * BF_MM, 2 * BF_MM);
    DIN_SetBusy(1, f.root);
    KIT_PostMouseMove(f.Canvas(), other.x, other.y);
    KIT_PumpPending();
    EXPECT_EQ(Readout(f), before);
    DIN_SetBusy(0, f.root);
    f.fs.bActive = 0;
    KIT_PostMouseMove(f.Canvas(), other.x, other.y);
    KIT_PumpPending();
    EXPECT_EQ(Readout(f), before);
    f.fs.bActive = 1;
    MoveMouse(f.Canvas(), other);
    EXPECT_NE(Readout(f), before);
    ClipCursor(nullptr);
}

void Click(const BarFixture& f, int id) { SendDlgItemMessageA(f.Attr(), id, BM_CLICK, 0, 0); }

TEST(AttributeBar, DisplayTogglesSwitchTheEngineAndPostTheirCommands)
{
    BarFixture f;
    EnvRecord* env = ENV_GetENVClass();
    EXPECT_TRUE(BF_Checked(f.Attr(), 190));  // the ratsnest button starts checked
    struct Toggle {
        int id;
        bool posts;  // the frame runs the display command
        std::function<int()> value;
        const char* label;
    };
    const Toggle toggles[] = {
        {154, true, [env] { return ENV_GetAssignDisp(env); }, "ｱｻｲﾝ"},
        {190, true, [env] { return (int)env->own.ratsDisp; }, "ﾗｯﾂ"},
        {158, false, [env] { return ENV_GetGridVisible(env); }, "GRID"},
        {159, false, [env] { return ENV_GetGentenVisible(env); }, "原点"},
        {214, false, [env] { return (int)(env->own.netColor & 1); }, "ﾈｯﾄ色"},
        {194, false, [env] { return (int)env->contrast; }, "ｺﾝﾄﾗｽﾄ"},
    };
    for (const Toggle& t : toggles) {
        SCOPED_TRACE(t.id);
        for (int round = 0; round < 2; ++round) {
            int was = t.value();
            f.commands.clear();
            int paints = f.canvasPaints;
            Click(f, t.id);
            EXPECT_EQ(t.value(), was ? 0 : 1);
            EXPECT_EQ(f.FrameGot(t.id, BN_CLICKED), t.posts);
            if (!t.posts) {
                EXPECT_GT(f.canvasPaints, paints);  // redrawn at once
            }
            EXPECT_EQ(BF_Text(f.Attr(), t.id), t.label);
        }
    }
    // The contrast is mirrored in the frame.
    Click(f, 194);
    EXPECT_EQ(env->contrast, 1);
    EXPECT_EQ(f.fs.panels.editCommand.contrast, 1);
    EXPECT_TRUE(BF_Checked(f.Attr(), 194));
}

TEST(AttributeBar, PinNamesOffEndTheWaitingCommand)
{
    BarFixture f;
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetPinNameDisp(env, 0);
    Request* r = f.Wait(REQ_POINT1);
    Click(f, 155);
    EXPECT_EQ(env->own.pinNameDisp, 1);
    EXPECT_TRUE(f.FrameGot(155, BN_CLICKED));
    EXPECT_EQ(DIN_GetAnswer(r), -7);
    f.commands.clear();
    Click(f, 155);
    EXPECT_EQ(env->own.pinNameDisp, 0);
    EXPECT_EQ(DIN_GetAnswer(r), ANS_COMMAND);
    EXPECT_EQ(DIN_GetAnswerWord(r), 0);
    EXPECT_TRUE(f.FrameGot(155, BN_CLICKED));
}

TEST(AttributeBar, ButtonsWithTheirOwnRules)
{
    BarFixture f;
    EnvRecord* env = ENV_GetENVClass();

    // The VIA detail command: posted when the click checks the button; a
    // click that unchecks it is taken back.
    Click(f, 213);
    EXPECT_TRUE(f.FrameGot(213, BN_CLICKED));
    EXPECT_TRUE(BF_Checked(f.Attr(), 213));
    f.commands.clear();
    Click(f, 213);
    EXPECT_TRUE(BF_Checked(f.Attr(), 213));
    EXPECT_FALSE(f.FrameGot(213, BN_CLICKED));

    // Solid figures name themselves.
    int solid = env->own.solidFigure;
    Click(f, 197);
    EXPECT_EQ(env->own.solidFigure, solid ? 0 : 1);
    EXPECT_EQ(BF_Text(f.Attr(), 197), solid ? "図ﾉｰﾏ" : "図ﾍﾞﾀ");
    Click(f, 197);
    EXPECT_EQ(BF_Text(f.Attr(), 197), solid ? "図ﾍﾞﾀ" : "図ﾉｰﾏ");

    // Line length only clears its own check.
    f.commands.clear();
    Click(f, 199);
    EXPECT_FALSE(BF_Checked(f.Attr(), 199));
    EXPECT_FALSE(f.FrameGot(199, BN_CLICKED));

    // The bulletin board: shown when the frame holds none.
    Click(f, 200);
    EXPECT_EQ(env->own.bbsDisplay, 1);
    EXPECT_TRUE(BF_Checked(f.Attr(), 200));
    EXPECT_TRUE(f.FrameGot(200, BN_CLICKED));

    // The view mode cycles through its three names, and the canvas follows.
    ENV_SetViewMode(env, 0);
    const char* names[3] = {"左右", "上下", "標準"};
    for (int i = 0; i < 3; ++i) {
        Click(f, 464);
        EXPECT_EQ(BF_Text(f.Attr(), 464), names[i]);
        EXPECT_EQ(ENV_GetViewMode(env), (i + 1) % 3);
        EXPECT_EQ(f.CanvasData()->viewMode, (i + 1) % 3);
        EXPECT_FALSE(BF_Checked(f.Attr(), 464));
        EXPECT_EQ(f.CanvasData()->bRepainting, 0);
    }

    // Commands the bar does not know go to the frame.
    f.commands.clear();
    SendMessageA(f.Attr(), WM_COMMAND, MAKEWPARAM(40136, 1), 0);
    SendMessageA(f.Attr(), WM_COMMAND, MAKEWPARAM(40138, 0), 0);
    SendMessageA(f.Attr(), WM_COMMAND, MAKEWPARAM(777, 3), 0);
    EXPECT_FALSE(f.FrameGot(40136, 1));
    EXPECT_TRUE(f.FrameGot(40138, 0));
    EXPECT_TRUE(f.FrameGot(777, 3));
}

TEST(AttributeBar, ButtonsStandInTwoRunsBeforeTheReadout)
{
    BarFixture f;
    const int c = f.fs.charWidth;
    const int ids[12] = {213, 159, 158, 154, 155, 190, 194, 197, 464, 214, 199, 200};
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(ids[k]);
        RECT r;
        GetWindowRect(GetDlgItem(f.Attr(), ids[k]), &r);
        MapWindowPoints(nullptr, f.Attr(), (POINT*)&r, 2);
        EXPECT_EQ(r.left, k < 6 ? c * 5 * k + k : c * (30 + 6 * (k - 6)) + k);
        EXPECT_EQ(r.right - r.left, k < 6 ? 5 * c : 6 * c);
        EXPECT_GT(r.bottom - r.top, 4);
    }
    RECT r;
    GetWindowRect(GetDlgItem(f.Attr(), 136), &r);
    MapWindowPoints(nullptr, f.Attr(), (POINT*)&r, 2);
    EXPECT_EQ(r.left, 66 * c + 12);
    EXPECT_EQ(r.right - r.left, 18 * c);
}

}  // namespace
