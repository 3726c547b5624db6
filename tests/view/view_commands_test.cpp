// The view commands on a canvas: the area history, zooming by the rate with
// its limits, and the area zoom fitting a picked box.
#include <gtest/gtest.h>

#include "app/cmd.h"
#include "app/cmd_procs.h"
#include "app/din.h"
#include "app/rot.h"
#include "canvas_fixture.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "view/cnv.h"
#include "view/view.h"

namespace {

bool Same(const BoardRect& a, const BoardRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class ViewCommands : public ::testing::Test {
protected:
    Request* base = nullptr;
    void SetUp() override
    {
        ASSERT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 1);
        base = CreateRequest(nullptr, 2, REQ_ROOT, 0, 0);
        ASSERT_TRUE(base);
        DIN_PushRequest(base);
        g_ZoomMax = 400.0;
    }
    void TearDown() override
    {
        while (Request* top = DIN_TopRequest()) CloseRequest(top);
    }
};

TEST_F(ViewCommands, HistoryKeepsTheLastEightViews)
{
    CanvasFixture f;
    CanvasState* s = CNV_GetState();
    for (int i = 1; i <= 9; ++i) {
        BoardRect r = {-i * MM, i * MM, i * MM, -i * MM};
        VIEW_PushHistory(&r);
    }
    for (int k = 0; k < 8; ++k) EXPECT_EQ(s->rcHistory[k].right, (9 - k) * MM) << "slot " << k;
    EXPECT_EQ(s->iHistory, 0);
}

TEST_F(ViewCommands, ZoomByTheRateStopsAtItsLimits)
{
    CanvasFixture f;
    EnvRecord* env = ENV_GetENVClass();
    struct Case {
        double from;
        int rate;
        bool up;
        double to;
    };
    const Case cases[] = {
        {100, 50, true, 150},
        {350, 25, true, 400},
        {400, 25, true, 400},  // at the limit: nothing happens
        {0.021, 100, false, 0.02},
        {8, 100, false, 4},
    };
    for (const Case& c : cases) {
        ENV_SetZoom(env, c.from);
        ENV_SetDefRate(env, c.rate);
        CanvasState* s = CNV_GetState();
        BoardRect before = s->rcView;
        BoardRect slot0 = s->rcHistory[0];
        (c.up ? VIEW_ZoomUp : VIEW_ZoomDown)(nullptr, 0, base);
        EXPECT_DOUBLE_EQ(ENV_GetZoom(env), c.to) << c.from;
        if (c.from == c.to) {
            EXPECT_TRUE(Same(s->rcHistory[0], slot0)) << "no history push at the limit";
        } else {
            EXPECT_TRUE(Same(s->rcHistory[0], before));
            EXPECT_NEAR(s->rcView.right - s->rcView.left, s->cxViewUnits / c.to, 1.0);
        }
        EXPECT_EQ(DIN_IsBusy(base), 0);
    }
}

TEST_F(ViewCommands, BackAndForthThroughTheHistory)
{
    CanvasFixture f(0, 0, 1.0);
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetDefRate(env, 100);
    CanvasState* s = CNV_GetState();
    BoardRect views[5];
    views[0] = s->rcView;
    for (int i = 1; i <= 4; ++i) {
        VIEW_ZoomUp(nullptr, 0, base);
        views[i] = s->rcView;
    }
    VIEW_AreaBack(nullptr, 0, base);
    EXPECT_TRUE(Same(s->rcView, views[3]));  // the view before the last zoom
    VIEW_AreaBack(nullptr, 0, base);
    EXPECT_TRUE(Same(s->rcView, views[2]));
    VIEW_AreaForward(nullptr, 0, base);
    EXPECT_TRUE(Same(s->rcView, views[3]));
    VIEW_AreaForward(nullptr, 0, base);
    EXPECT_TRUE(Same(s->rcView, views[4]));  // where the walk started
    VIEW_AreaForward(nullptr, 0, base);
    EXPECT_TRUE(Same(s->rcView, views[4]));
    // The previous area shows slot 0 once; a second use changes nothing.
    VIEW_ZoomDown(nullptr, 0, base);
    BoardRect zoomedOut = s->rcView;
    VIEW_PreviousArea(nullptr, 0, base);
    EXPECT_TRUE(Same(s->rcView, views[4]));
    EXPECT_FALSE(Same(s->rcView, zoomedOut));
    VIEW_PreviousArea(nullptr, 0, base);
    EXPECT_TRUE(Same(s->rcView, views[4]));
}

TEST_F(ViewCommands, AreaZoomCentresTheBoxAndFitsItOnOneAxis)
{
    CanvasFixture f(0, 0, 1.0, 400, 300);
    CanvasState* s = CNV_GetState();
    CommandRecord* record = CMD_FindById(137);
    ASSERT_TRUE(record);
    struct Case {
        const char* name;
        int32_t x1, y1, x2, y2;
        double zoom;  // 0: fitted
    };
    const Case cases[] = {
        {"wide box: the width decides", 2 * MM, -MM, 10 * MM, MM, 0},
        {"high box: the height decides", -MM, -6 * MM, MM, 0, 0},
        {"tiny box: raised no further than the maximum", 0, 0, 10, 10, 400.0},
        {"huge box: lowered no further than 0.02", -2000000000, -2000000000, 2000000000, 2000000000, 0.02},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int depth = CMD_StackDepth();
        ASSERT_EQ(VIEW_AreaZoom(record, 0, base), 0);
        Request* own = DIN_TopRequest();
        ASSERT_NE(own, base);
        EXPECT_EQ(DIN_GetKind(own), REQ_TWO3);
        RequestPoint a{}, b{};
        a.x = c.x1, a.y = c.y1, b.x = c.x2, b.y = c.y2;
        DIN_AddRequestPoint(own, a);
        DIN_AddRequestPoint(own, b);
        DIN_MarkWaiting(own);
        DIN_CompleteRequest(ANS_INPUT, 0, 0);
        BoardRect before = s->rcView;
        VIEW_AreaZoom(record, 1, own);
        EXPECT_EQ(DIN_TopRequest(), base);
        EXPECT_EQ(CMD_StackDepth(), depth);
        EXPECT_TRUE(Same(s->rcHistory[0], before));
        double cx = (s->rcView.left + (double)s->rcView.right) / 2, cy = (s->rcView.top + (double)s->rcView.bottom) / 2;
        EXPECT_NEAR(cx, (c.x1 + (double)c.x2) / 2, 1);
        EXPECT_NEAR(cy, (c.y1 + (double)c.y2) / 2, 1);
        double w = (double)s->rcView.right - s->rcView.left, h = (double)s->rcView.top - s->rcView.bottom;
        if (c.zoom == 0) {
            double bw = c.x2 - c.x1, bh = c.y2 - c.y1;
            // Fits on one axis, the other shows more than the box.
            bool widthFits = std::abs(w - bw) <= 2 && h >= bh - 2;
            bool heightFits = std::abs(h - bh) <= 2 && w >= bw - 2;
            EXPECT_TRUE(widthFits || heightFits) << w << " x " << h;
        } else {
            EXPECT_DOUBLE_EQ(ENV_GetZoom(ENV_GetENVClass()), c.zoom);
            EXPECT_NEAR(w, s->cxViewUnits / c.zoom, 1);
        }
    }
}

TEST_F(ViewCommands, ScrollingIsRefusedPerAxisBeyondTheWorkArea)
{
    // The view's left edge already lies beyond the work area's.
    CanvasFixture f(-WORK_AREA_LIMIT, 0, 8.0);
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetDefRate(env, 50);
    CanvasState* s = CNV_GetState();
    auto scroll = [&](int axis, int direction) {
        DIN_MarkWaiting(base);
        DIN_CompleteRequest(ANS_SCROLL, (direction << 16) | axis, 0);
        VIEW_ScrollStep(base);
    };
    BoardRect before = s->rcView;
    scroll(3, 0);  // left and up: left refused, up taken
    EXPECT_EQ(s->rcView.left, before.left);
    EXPECT_GT(s->rcView.top, before.top);
    double step = (s->rcView.top - (double)before.top);
    EXPECT_NEAR(step, (before.top - (double)before.bottom) * 0.5, 2 * (s->rcView.right - s->rcView.left) / s->cxClient);
    before = s->rcView;
    scroll(1, 1);  // right
    EXPECT_GT(s->rcView.left, before.left);
    EXPECT_EQ(s->rcView.top, before.top);
    EXPECT_EQ(DIN_IsBusy(base), 0);
}

TEST_F(ViewCommands, InputGridStepsGoRoundTheDefinedSlots)
{
    CanvasFixture f;
    GridObject* g = GRD_GetObject();
    g->currentGroup = 1;
    GridGroupRec& grp = g->group[1];
    const int16_t slots[5] = {4, -1, 7, -1, -1};
    for (int i = 0; i < 5; ++i) grp.slot[i] = slots[i];
    grp.activeSlot = 0;
    VIEW_NextInputGrid(nullptr, 0, base);
    EXPECT_EQ(grp.activeSlot, 2);
    VIEW_NextInputGrid(nullptr, 0, base);
    EXPECT_EQ(grp.activeSlot, 0);  // round to the first
    VIEW_PrevInputGrid(nullptr, 0, base);
    EXPECT_EQ(grp.activeSlot, 2);
    grp.slot[0] = -1;
    VIEW_NextInputGrid(nullptr, 0, base);
    EXPECT_EQ(grp.activeSlot, 2);  // no other slot defined: nothing changes
}

}  // namespace
