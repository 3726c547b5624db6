// The mouse on the canvas answering pick requests, and the XOR rubber figure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/din.h"
#include "app/frame_state.h"
#include "canvas_fixture.h"
#include "entry_typing.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_mem.h"
#include "view/cnv.h"
#include "view/cnv_input.h"

namespace {

// The canvas's pixels as they are on the screen now, without a repaint (an
// XOR figure lives only there).
KIT_Image ScreenNow(HWND hWnd)
{
    KIT_Image image;
    RECT rc;
    GetClientRect(hWnd, &rc);
    image.width = rc.right;
    image.height = rc.bottom;
    HDC wdc = GetDC(hWnd);
    HDC mem = CreateCompatibleDC(wdc);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, image.width, image.height, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* p = (const uint32_t*)bits;
    image.pixels.assign(p, p + (size_t)image.width * image.height);
    for (auto& px : image.pixels) px &= 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hWnd, wdc);
    return image;
}

class CanvasPointer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 1); }
    void TearDown() override
    {
        while (Request* top = DIN_TopRequest()) CloseRequest(top);
    }
    Request* Push(int kind)
    {
        Request* rq = CreateRequest(nullptr, 2, kind, 0, 0);
        if (!rq) return nullptr;
        DIN_PushRequest(rq);
        DIN_MarkWaiting(rq);
        return rq;
    }
    static void Click(HWND hWnd, UINT down, UINT up, int x, int y, WPARAM keys = 0)
    {
        PostMessageA(hWnd, down, keys, MAKELPARAM(x, y));
        PostMessageA(hWnd, up, keys, MAKELPARAM(x, y));
        KIT_PumpPending();
    }
};

TEST_F(CanvasPointer, ClickAnswersAPointRequestWithRawAndGridPoints)
{
    CanvasFixture f;
    OneMillimetreGrid();
    ENV_SetLeadin(ENV_GetENVClass(), 0);
    ENV_SetEdge(ENV_GetENVClass(), 0);
    Request* rq = Push(REQ_POINT1);
    ASSERT_TRUE(rq);
    Click(f.hWnd, WM_LBUTTONDOWN, WM_LBUTTONUP, 103, 77);
    ASSERT_EQ(DIN_IsWaiting(rq), 0);
    EXPECT_EQ(DIN_GetAnswer(rq), ANS_INPUT);
    ASSERT_EQ(DIN_GetPointCount(rq), 1);
    POINT raw = CNV_BoardPoint(f.hWnd, 103, 77);
    auto round = [](LONG v) { return (LONG)((v >= 0 ? v + MM / 2 : v - MM / 2) / MM * MM); };
    const RequestPoint& p = ((const RequestPoint*)rq->dataBlock)[0];
    EXPECT_EQ(p.x, raw.x);  // words 0-1: the point as clicked
    EXPECT_EQ(p.y, raw.y);
    EXPECT_EQ(p.x2, round(raw.x));  // words 2-3: on the grid
    EXPECT_EQ(p.y2, round(raw.y));
    EXPECT_EQ(p.extra[0], 103);  // words 4-5: the client pixel
    EXPECT_EQ(p.extra[1], 77);
    EXPECT_EQ(p.extra[2], p.x2);  // words 6-7: the snapped point again
    EXPECT_EQ(p.extra[3], p.y2);
    EXPECT_EQ(p.flag, SNAP_GRID);
    EXPECT_NE(raw.x % MM, 0);  // the click itself is off the grid
}

TEST_F(CanvasPointer, RightClickDropsAHeldPointOrCancels)
{
    CanvasFixture f;
    Request* rq = Push(REQ_TWO1);
    ASSERT_TRUE(rq);
    Click(f.hWnd, WM_LBUTTONDOWN, WM_LBUTTONUP, 200, 150);
    ASSERT_EQ(DIN_GetPointCount(rq), 1);
    EXPECT_EQ(DIN_IsWaiting(rq), 1);  // a box needs two points
    Click(f.hWnd, WM_RBUTTONDOWN, WM_RBUTTONUP, 220, 160);
    EXPECT_EQ(DIN_GetPointCount(rq), 0);
    EXPECT_EQ(DIN_IsWaiting(rq), 1);
    Click(f.hWnd, WM_RBUTTONDOWN, WM_RBUTTONUP, 220, 160);
    EXPECT_EQ(DIN_IsWaiting(rq), 0);
    EXPECT_EQ(DIN_GetAnswer(rq), ANS_CANCEL);
}

TEST_F(CanvasPointer, DragAtARequestWithoutPointsPansBeyondSixPixels)
{
    CanvasFixture f;
    CanvasState* s = CNV_GetState();
    ENV_GetENVClass()->own.noPan = 0;
    Request* rq = Push(REQ_ROOT);
    ASSERT_TRUE(rq);
    auto drag = [&](int x1, int y1, int x2, int y2) {
        PostMessageA(f.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
        PostMessageA(f.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
        KIT_PumpPending();
    };
    BoardRect before = s->rcView;
    drag(100, 100, 106, 94);  // six pixels in both axes: no pan
    EXPECT_EQ(s->rcView.left, before.left);
    EXPECT_EQ(s->rcView.top, before.top);
    drag(100, 100, 107, 100);  // seven to the right: the board follows the cursor
    double upp = (s->rcView.right - (double)s->rcView.left) / s->cxClient;
    EXPECT_NEAR(s->rcView.left - (double)before.left, -7 * upp, upp);
    EXPECT_EQ(s->rcView.top, before.top);
    EXPECT_EQ(s->rcHistory[0].left, before.left);
    EXPECT_EQ(DIN_IsWaiting(rq), 1);  // a drag answers nothing
    ENV_GetENVClass()->own.noPan = 1;
    before = s->rcView;
    drag(100, 100, 200, 200);  // the no-pan switch: never a pan
    EXPECT_EQ(s->rcView.left, before.left);
    ENV_GetENVClass()->own.noPan = 0;
}

TEST_F(CanvasPointer, SnapOrderGridLockAndTheLockBase)
{
    CanvasFixture f;
    OneMillimetreGrid();
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetLeadin(env, 0);
    ENV_SetEdge(env, 0);
    const POINT base = {0, 0};
    struct Case {
        const char* name;
        int lockMode, useLock;
        POINT point, expected;
        int code;
    };
    const Case cases[] = {
        {"grid only", 1, 0, {1400000, 260000}, {1400000, 300000}, SNAP_GRID},
        // Lock mode 1: the grid point moved onto the nearest 45-degree ray.
        {"lock horizontal", 1, 1, {1400000, 260000}, {1400000, 0}, SNAP_LOCK},
        {"lock diagonal", 1, 1, {1000000, 1140000}, {1050000, 1050000}, SNAP_LOCK},
        // Auto-lock modes use the lock only where auto-lock does not apply
        // (more than a quarter of the lock angle off every ray).
        {"auto-lock near a ray: grid", 2, 1, {1400000, 60000}, {1400000, 100000}, SNAP_GRID},
        {"auto-lock between rays: lock", 2, 1, {1000000, 380000}, {1000000, 0}, SNAP_LOCK},
        {"lock mode 0: grid", 0, 1, {1400000, 260000}, {1400000, 300000}, SNAP_GRID},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ENV_SetLock(env, c.lockMode);
        int code = -1;
        POINT p = CNV_SnapPoint(&code, c.point, base, c.useLock, 0);
        EXPECT_EQ(code, c.code);
        EXPECT_NEAR(p.x, c.expected.x, 1);
        EXPECT_NEAR(p.y, c.expected.y, 1);
    }
    ENV_SetLock(env, 0);
}

TEST_F(CanvasPointer, ArmingWithAbsoluteEntryTakesTypedPoints)
{
    CanvasFixture f;
    EnvRecord* env = ENV_GetENVClass();
    GridObject* g = GRD_GetObject();
    g->currentGroup = 0;
    g->group[0].absGroup = 0;
    g->group[0].ox = 2 * MM;
    g->group[0].oy = -MM;
    ENV_SetAbsZahyou(env, 1);
    Request* rq = Push(REQ_TWO1);
    ASSERT_TRUE(rq);
    RequestPoint held{};
    DIN_AddRequestPoint(rq, held);  // one of the two points already clicked
    bool typed = ET_TypeWhile("1.5,2", [&] { SendMessageA(f.hWnd, DIN_MSG_PICK, 0, 0); });
    ENV_SetAbsZahyou(env, 0);
    EXPECT_TRUE(typed);
    EXPECT_EQ(DIN_GetAnswer(rq), ANS_INPUT);
    ASSERT_EQ(DIN_GetPointCount(rq), 2);
    const RequestPoint& p = ((const RequestPoint*)rq->dataBlock)[1];
    EXPECT_EQ(p.x, 2 * MM + 150000);  // about the absolute origin
    EXPECT_EQ(p.y, -MM + 200000);
    EXPECT_EQ(p.x2, p.x);
    EXPECT_EQ(p.extra[0], 0);  // no pixel: typed
    EXPECT_EQ(p.flag, SNAP_TYPED);
}

TEST_F(CanvasPointer, ClickOutsideTheWorkAreaAddsNoPoint)
{
    // The view's left edge lies beyond the work area's.
    CanvasFixture f(-WORK_AREA_LIMIT, 0, 8.0);
    Request* rq = Push(REQ_POINT1);
    ASSERT_TRUE(rq);
    Click(f.hWnd, WM_LBUTTONDOWN, WM_LBUTTONUP, 5, 240);
    EXPECT_EQ(DIN_GetPointCount(rq), 0);
    EXPECT_EQ(DIN_IsWaiting(rq), 1);
    Click(f.hWnd, WM_LBUTTONDOWN, WM_LBUTTONUP, 600, 240);
    EXPECT_EQ(DIN_GetAnswer(rq), ANS_INPUT);
}

// Every figure a request can show, drawn and erased again, leaves the
// canvas as it was; drawn, it changes it.
TEST_F(CanvasPointer, RubberFigureDrawnAndErasedLeavesNoTrace)
{
    CanvasFixture f;
    CanvasState* s = CNV_GetState();
    ASSERT_TRUE(s);
    struct Case {
        const char* name;
        int kind;
        bool block;
    };
    const Case cases[] = {
        {"box", REQ_TWO3, false},
        {"line", REQ_TWO2, false},
        {"polyline", REQ_THREE1, false},
        {"lock track", REQ_POINT3, true},
        {"figure block", REQ_POINT1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Request* rq = Push(c.kind);
        ASSERT_TRUE(rq);
        RequestPoint held{};
        DIN_AddRequestPoint(rq, held);
        rq->rubberA[0] = -3 * MM, rq->rubberA[1] = -2 * MM;
        rq->rubberB[0] = 2 * MM, rq->rubberB[1] = MM;
        rq->rubberC[0] = 2 * MM, rq->rubberC[1] = -2 * MM;
        if (c.block) {
            const int n = 8;
            RubberFigure* fig = (RubberFigure*)MemAlloc(nullptr, RubberFigureSize(n), "test figure");
            *fig = {};
            fig->colour = 0x00FFFF;
            fig->width = MM / 4;
            fig->count = n;
            RubberItem items[n] = {};
            items[0] = {0x111, 0, {}, 0, -MM, 0};
            items[1] = {0x112, 0, {}, 0, MM, 2 * MM};
            items[2] = {0x193, 0, {}, MM / 4, 0, 0};
            items[3] = {0x194, 0, {}, MM / 4, MM, -MM};
            items[4] = {0x132, 0, {}, MM, 0, 0};
            items[5] = {0x111, 0, {}, 0, 0, MM};
            items[6] = {0x1d1, 0, {}, MM, -4 * MM, 3 * MM};
            items[7] = {0x1d2, 0, {}, 0, 4 * MM, 3 * MM};
            for (int i = 0; i < n; ++i) fig->items[i] = items[i];
            rq->extraBlock = fig;
        }
        f.Capture(0);
        KIT_Image before = ScreenNow(f.hWnd);
        s->bCursorInside = 1;
        ASSERT_NE(CNV_ShowRubber(1), 0);
        KIT_Image shown = ScreenNow(f.hWnd);
        EXPECT_EQ(CNV_ShowRubber(1), 0);  // already shown: nothing drawn
        s->bCursorInside = 0;  // erasing works with the cursor outside too
        ASSERT_NE(CNV_ShowRubber(0), 0);
        KIT_Image after = ScreenNow(f.hWnd);
        EXPECT_EQ(CNV_ShowRubber(0), 0);
        int changed = 0, left = 0;
        for (size_t i = 0; i < before.pixels.size(); ++i) {
            if (shown.pixels[i] != before.pixels[i]) ++changed;
            if (after.pixels[i] != before.pixels[i]) ++left;
        }
        EXPECT_GT(changed, 50);
        EXPECT_EQ(left, 0);
        CloseRequest(rq);
    }
}

TEST_F(CanvasPointer, RubberFigureIsNotShownWithTheCursorOutside)
{
    CanvasFixture f;
    Request* rq = Push(REQ_TWO3);
    ASSERT_TRUE(rq);
    RequestPoint held{};
    DIN_AddRequestPoint(rq, held);
    rq->rubberB[0] = 2 * MM;
    rq->rubberB[1] = MM;
    CNV_GetState()->bCursorInside = 0;
    EXPECT_EQ(CNV_ShowRubber(1), 0);
    EXPECT_EQ(CNV_GetState()->bRubberShown, 0);
}

}  // namespace
