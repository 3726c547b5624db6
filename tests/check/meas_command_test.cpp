// The distance and angle commands on the display: a frame with its command
// list box and every option panel, a canvas, and the command thread running
// over the real command table. The test thread answers the point requests as
// the canvas does (the point stored in the request, then answer 0) and waits
// for the command thread by watching the top request's waiting flag.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../app/command_answers.h"
#include "../panels/panel_frame.h"
#include "app/cmd.h"
#include "app/cmd_private.h"
#include "app/frame_state.h"
#include "check/meas.h"
#include "kit/gui_kit.h"
#include "panels/pnl.h"
#include "platform/layout_canvas.h"
#include "platform/qzt_env.h"

namespace {

constexpr int MM = 100000;  // board units per millimetre

struct Item {
    int code, x, y;
    bool operator==(const Item&) const = default;
};

class MeasureCommand : public ::testing::Test {
protected:
    static FrameState* fs;
    static CanvasState canvasState;

    static void SetUpTestSuite()
    {
        HINSTANCE inst = GetModuleHandleA(nullptr);
        ASSERT_EQ(DIN_Initialize(inst), 1);
        fs = new FrameState();
        fs->rcMenuList = {600, 30, 120, 560};
        HWND frame = PF_CreateFrame(fs, 0, 0, 800, 700);
        ASSERT_NE(frame, nullptr);
        g_hWndFrame = frame;
        fs->hWndCanvas = CreateWindowA("static", "", WS_CHILD | WS_VISIBLE, 0, 30, 590, 560, frame, nullptr, inst,
                                       nullptr);
        SetWindowLongPtrA(fs->hWndCanvas, 0, (LONG_PTR)&canvasState);
        g_hWndCanvas = fs->hWndCanvas;
        ASSERT_EQ(PNL_CreateAllPanels(frame, inst), 1);

        ASSERT_NO_FATAL_FAILURE(CT_StartThread());
    }

    void SetUp() override
    {
        fs->panels.gridDistance.gridOn = 0;
        fs->panels.gridAngle.gridOn = 0;
    }

    void TearDown() override
    {
        SetModes(0);
        while (CMD_StackDepth() > 1) CT_Answer(ANS_END_NOW);
        EXPECT_EQ(DIN_RequestCount(), 1);
        EXPECT_EQ(DIN_IsBusy(DIN_TopRequest()), 0);
    }

    // A click as the canvas gives it: the picked position, the snapped
    // position and how it was caught (4 grid, 2 end point).
    static void Click(int x, int y, int snappedX, int snappedY, int flag = 4)
    {
        ASSERT_TRUE(CT_WaitIdle());
        RequestPoint p = {};
        p.x = x;
        p.y = y;
        p.x2 = snappedX;
        p.y2 = snappedY;
        p.extra[2] = snappedX;
        p.extra[3] = snappedY;
        p.flag = flag;
        ASSERT_EQ(DIN_AddRequestPoint(DIN_TopRequest(), p), 1);
        CT_Answer(ANS_INPUT);
    }
    static void Click(int x, int y) { Click(x, y, x, y); }

    static void SetModes(int abs)
    {
        ENV_SetAbsZahyou(ENV_GetENVClass(), abs);
    }

    static std::string PanelText(int panel, int id)
    {
        char text[64] = {};
        GetDlgItemTextA(fs->panels.hPanel[panel], id, text, sizeof text);
        return text;
    }

    static int TopPrompt() { return DIN_GetPromptIndex(DIN_TopRequest()); }

    static std::vector<Item> TopFigure()
    {
        std::vector<Item> items;
        const RubberFigure* f = (const RubberFigure*)DIN_TopRequest()->extraBlock;
        if (!f) return items;
        EXPECT_EQ(f->colour, 0xFFFFFFu);
        for (int i = 0; i < f->count; i++) items.push_back({f->items[i].code, f->items[i].x, f->items[i].y});
        return items;
    }

    // True when the command has ended back onto the root request.
    static bool BackAtTheRoot()
    {
        return CMD_StackDepth() == 1 && DIN_RequestCount() == 1 && fs->iActivePanel == 0 &&
               !IsWindowVisible(fs->panels.hPanel[23]) && !IsWindowVisible(fs->panels.hPanel[24]);
    }
};
FrameState* MeasureCommand::fs = nullptr;
CanvasState MeasureCommand::canvasState = {};

TEST_F(MeasureCommand, DistanceStartsWithItsPanelAndMeasuresTwoClicks)
{
    fs->panels.gridDistance.value = 9.0;
    CT_Answer(ANS_COMMAND, 40122);
    EXPECT_EQ(CMD_StackTop(), CMD_FindById(40122));
    EXPECT_EQ(fs->iActivePanel, 23);
    EXPECT_TRUE(IsWindowVisible(fs->panels.hPanel[23]));
    EXPECT_EQ(PanelText(23, 1382), "   0.0000") << "the last result is cleared at the start";
    RECT panel;
    GetWindowRect(fs->panels.hPanel[23], &panel);
    EXPECT_EQ(fs->rcMenuList.height, 560 - (panel.bottom - panel.top) + 1) << "the list box makes room for it";
    EXPECT_EQ(canvasState.lineKind, 1);
    Request* own = DIN_TopRequest();
    EXPECT_EQ(DIN_GetKind(own), REQ_POINT1);
    EXPECT_EQ(DIN_GetReturnState(own), 336);
    EXPECT_EQ(TopPrompt(), 40);
    EXPECT_TRUE(TopFigure().empty());

    Click(10 * MM, 20 * MM);
    EXPECT_EQ(TopPrompt(), 41);
    EXPECT_EQ(TopFigure(), (std::vector<Item>{{0x111, 10 * MM, 20 * MM}, {0x192, 0, 0}}));
    Click(13 * MM, 20 * MM);
    EXPECT_EQ(PanelText(23, 1382), "   3.0000");
    EXPECT_EQ(fs->panels.gridDistance.value, 3.0);
    EXPECT_EQ(TopPrompt(), 40) << "it measures again";
    EXPECT_EQ(TopFigure(), (std::vector<Item>{{0x111, 10 * MM, 20 * MM}, {0x192, 0, 0}, {0x112, 13 * MM, 20 * MM}}));
    EXPECT_EQ(CMD_StackTop(), CMD_FindById(40122));

    // Reset: the result and the segment go.
    CT_Answer(ANS_LEFT_CLICK);
    EXPECT_EQ(PanelText(23, 1382), "   0.0000");
    EXPECT_TRUE(TopFigure().empty());
    EXPECT_EQ(TopPrompt(), 40);
}

TEST_F(MeasureCommand, DistanceTakesTheSnappedPointWithTheGridOnOrAnEndPointCaught)
{
    struct Row {
        unsigned gridOn;
        int flag;
        const char* shown;
    } rows[] = {
        {0, 4, "   1.2346"},  // the exact picked positions
        {0, 1, "   1.2346"},  // a lead-in pin counts as picked
        {0, 2, "   2.0000"},  // an end point caught
        {1, 4, "   2.0000"},  // grid on
    };
    CT_Answer(ANS_COMMAND, 40122);
    for (const Row& row : rows) {
        fs->panels.gridDistance.gridOn = row.gridOn;
        Click(0, 0, 0, 0, row.flag);
        Click(123456, 0, 2 * MM, 0, row.flag);
        EXPECT_EQ(PanelText(23, 1382), row.shown) << row.gridOn << " " << row.flag;
    }
    // Large and equal points keep the format.
    Click(0, 0);
    Click(123456789, 0);
    EXPECT_EQ(PanelText(23, 1382), "1234.5679");
    Click(5 * MM, 5 * MM);
    Click(5 * MM, 5 * MM);
    EXPECT_EQ(PanelText(23, 1382), "   0.0000");
}

TEST_F(MeasureCommand, DistanceCancelGivesUpTheFirstPointThenEnds)
{
    CT_Answer(ANS_COMMAND, 40122);
    Click(1 * MM, 1 * MM);
    CT_Answer(ANS_CANCEL);
    EXPECT_EQ(TopPrompt(), 40);
    EXPECT_TRUE(TopFigure().empty());
    EXPECT_EQ(CMD_StackTop(), CMD_FindById(40122));
    CT_Answer(ANS_CANCEL);
    EXPECT_TRUE(BackAtTheRoot());
    EXPECT_EQ(TopPrompt(), 1);
}

TEST_F(MeasureCommand, FinishCancelAndEndNowEndBothCommandsUnlessACoordinateModeIsOn)
{
    struct Row {
        int command;
        int points;  // given before the answer
        int answer;
        bool absMode;
        bool ends;
    } rows[] = {
        {40122, 0, ANS_CANCEL, false, true},  {40122, 1, ANS_FINISH, false, true},
        {40122, 1, ANS_END_NOW, false, true}, {40122, 0, ANS_RIGHT_CLICK, false, true},
        {40122, 0, ANS_CANCEL, true, false},  {40122, 1, ANS_FINISH, true, false},
        {40122, 1, ANS_END_NOW, true, true},  {40236, 0, ANS_CANCEL, false, true},
        {40236, 2, ANS_FINISH, false, true},  {40236, 2, ANS_END_NOW, false, true},
        {40236, 0, ANS_CANCEL, true, false},
    };
    for (const Row& row : rows) {
        CT_Answer(ANS_COMMAND, row.command);
        for (int i = 0; i < row.points; i++) Click(i * MM, 0);
        int prompt = TopPrompt();
        SetModes(row.absMode ? 1 : 0);
        CT_Answer(row.answer);
        SCOPED_TRACE(testing::Message() << row.command << " answer " << row.answer << " abs " << row.absMode);
        EXPECT_EQ(BackAtTheRoot(), row.ends);
        if (!row.ends) {
            EXPECT_EQ(ENV_GetAbsZahyou(ENV_GetENVClass()), 0) << "the answer only switched the mode off";
            EXPECT_EQ(TopPrompt(), prompt);
            CT_Answer(ANS_END_NOW);
        }
        EXPECT_TRUE(BackAtTheRoot());
    }
}

TEST_F(MeasureCommand, AngleOfThreePoints)
{
    struct Row {
        int sx, sy, mx, my, ex, ey;
        const char* shown;
    } rows[] = {
        {10, 0, 0, 0, 10, 0, "   0.0000"},    // same direction
        {10, 0, 0, 0, 0, 10, "  90.0000"},    // start east, end north
        {10, 0, 0, 0, 10, 10, "  45.0000"},
        {0, 10, 0, 0, 10, 0, " 270.0000"},    // the same arms picked the other way
        {-10, 0, 0, 0, 10, 0, " 180.0000"},   // straight on
        {0, 0, 0, 0, -10, -10, " 225.0000"},  // a start on the middle counts as 0 degrees
    };
    CT_Answer(ANS_COMMAND, 40236);
    EXPECT_EQ(fs->iActivePanel, 24);
    EXPECT_EQ(TopPrompt(), 72);
    for (const Row& row : rows) {
        Click(row.sx * MM, row.sy * MM);
        EXPECT_EQ(TopPrompt(), 83);
        Click(row.mx * MM, row.my * MM);
        EXPECT_EQ(TopPrompt(), 74);
        EXPECT_EQ(TopFigure(), (std::vector<Item>{{0x111, row.sx * MM, row.sy * MM},
                                                  {0x112, row.mx * MM, row.my * MM},
                                                  {0x192, 0, 0}}));
        Click(row.ex * MM, row.ey * MM);
        EXPECT_EQ(PanelText(24, 1378), row.shown) << row.sx << "," << row.sy << " " << row.ex << "," << row.ey;
        EXPECT_EQ(TopPrompt(), 72);
        EXPECT_EQ(TopFigure().size(), 4u);
    }
}

TEST_F(MeasureCommand, AngleCancelStepsBackOnePointAtATime)
{
    CT_Answer(ANS_COMMAND, 40236);
    Click(5 * MM, 0);
    Click(0, 0);
    EXPECT_EQ(TopPrompt(), 74);
    CT_Answer(ANS_CANCEL);
    EXPECT_EQ(TopPrompt(), 83) << "the middle point is asked for again";
    EXPECT_EQ(TopFigure(), (std::vector<Item>{{0x111, 5 * MM, 0}, {0x192, 0, 0}})) << "the start point stays";
    CT_Answer(ANS_CANCEL);
    EXPECT_EQ(TopPrompt(), 72);
    EXPECT_TRUE(TopFigure().empty());
    // The start point given again measures from it.
    Click(0, 5 * MM);
    Click(0, 0);
    Click(5 * MM, 0);
    EXPECT_EQ(PanelText(24, 1378), " 270.0000");
    CT_Answer(ANS_CANCEL);
    EXPECT_TRUE(BackAtTheRoot());
}

TEST_F(MeasureCommand, ChoosingTheDistanceReplacesTheAngle)
{
    CT_Answer(ANS_COMMAND, 40236);
    Click(1 * MM, 0);
    CT_Answer(ANS_COMMAND, 40122);
    EXPECT_EQ(CMD_StackDepth(), 2);
    EXPECT_EQ(CMD_StackTop(), CMD_FindById(40122));
    EXPECT_EQ(DIN_RequestCount(), 2) << "the angle's request was closed";
    EXPECT_EQ(fs->iActivePanel, 23);
    EXPECT_FALSE(IsWindowVisible(fs->panels.hPanel[24]));
    EXPECT_EQ(TopPrompt(), 40);
}

TEST(MeasureGeometry, DirectionAngleCountsCounterClockwiseFromEast)
{
    struct Row {
        int x0, y0, x1, y1;
        double degrees;
    } rows[] = {
        {0, 0, 0, 0, 0.0},       {0, 0, 1, 0, 0.0},        {0, 0, 0, 1, 90.0},
        {0, 0, -1, 0, 180.0},    {0, 0, 0, -1, 270.0},     {5, 5, 4, 4, 225.0},
        {-150000000, 0, 150000000, 0, 0.0},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(MEAS_DirectionAngle(r.x0, r.y0, r.x1, r.y1), r.degrees, 1e-9) << r.x1 << "," << r.y1;
    EXPECT_LT(MEAS_DirectionAngle(0, 0, 100000, -1), 360.0);
}

}  // namespace
