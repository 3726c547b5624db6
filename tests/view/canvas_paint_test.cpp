// The canvas on the display: the view arithmetic, and the fixture board
// drawn in both displays, read back by pixels of the captured canvas.
#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/qzt_display.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_records.h"
#include "platform/qzt_tables.h"
#include "view/cnv.h"

namespace {

constexpr uint32_t RED = 0xFF0000, GREEN = 0x00FF00, WHITE = 0xFFFFFF, BLACK = 0x000000;

uint32_t At(const KIT_Image& img, POINT p) { return img.At(p.x, p.y); }

// A one-pixel outline may fall on either side of a point that lies on a
// pixel edge: look one pixel around.
bool NearAround(const KIT_Image& img, POINT p, uint32_t rgb)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (Near(img.At(p.x + dx, p.y + dy), rgb)) return true;
    return false;
}

TEST(CanvasView, RectangleAroundCentreTable)
{
    struct Case {
        const char* name;
        int32_t cx, cy, w, h;
        BoardRect expected;
    };
    const Case cases[] = {
        {"even", 0, 0, 100, 60, {-50, 30, 50, -30}},
        {"odd width and height", 10, 20, 7, 5, {7, 22, 14, 17}},
        {"negative centre", -1000, -2000, 400, 300, {-1200, -1850, -800, -2150}},
        // The whole work area at the smallest zoom of a wide window: wider
        // than 32 bits, kept inside the range instead of wrapping.
        {"beyond 32 bits", 0, 0, 2147483647, 2147483647, {-1073741823, 1073741823, 1073741824, -1073741824}},
    };
    for (const Case& c : cases) {
        BoardRect r = CNV_ViewRectAround(c.cx, c.cy, c.w, c.h);
        EXPECT_EQ(r.left, c.expected.left) << c.name;
        EXPECT_EQ(r.top, c.expected.top) << c.name;
        EXPECT_EQ(r.right, c.expected.right) << c.name;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.name;
    }
    EXPECT_EQ(CNV_UnitsPerPixel(340, 1280), 26562);  // integer division
    EXPECT_EQ(CNV_UnitsPerPixel(0, 1280), 1);        // no display size: no division by zero
}

TEST(CanvasView, ConversionsInEveryViewMode)
{
    // A view of 1000 x 1000 units on 100 x 100 pixels: 10 units a pixel.
    CanvasState state{};
    state.cxClient = state.cyClient = 100;
    state.rcView = {0, 1000, 1000, 0};
    struct Case {
        int mode;
        POINT board, pixel;
    };
    const Case cases[] = {
        {0, {100, 900}, {10, 10}},
        {1, {100, 900}, {90, 10}},  // mirrored left-right
        {2, {100, 900}, {10, 90}},  // mirrored top-bottom
        {0, {1000, 0}, {100, 100}},
    };
    for (const Case& c : cases) {
        state.viewMode = (int16_t)c.mode;
        DisplaySC* sc = DSP_GetDisplaySC(nullptr, nullptr, &state);
        ASSERT_TRUE(sc);
        POINT p = c.board;
        DSP_LPtoDPz(sc, &p);
        EXPECT_EQ(p.x, c.pixel.x) << "mode " << c.mode;
        EXPECT_EQ(p.y, c.pixel.y) << "mode " << c.mode;
        DSP_DPtoLPz(sc, &p);
        EXPECT_EQ(p.x, c.board.x) << "mode " << c.mode;
        EXPECT_EQ(p.y, c.board.y) << "mode " << c.mode;
        // A board rectangle covers the pixels it touches, ordered.
        RECT r = {95, 905, 205, 795};
        DSP_LRtoDRz(sc, &r);
        EXPECT_LT(r.left, r.right);
        EXPECT_LT(r.top, r.bottom);
        EXPECT_EQ(r.right - r.left, 12) << "mode " << c.mode;
        EXPECT_EQ((int)(DSP_DWtoLWz(sc, 3, 3) & 0xFFFFFFFF), 30);
        DSP_ReleaseSC(nullptr, sc);
    }
}

TEST(CanvasView, ZoomOneShowsPhysicalSizeAndCentres)
{
    CanvasFixture f(7 * MM, -2 * MM, 1.0, 500, 400);
    ASSERT_TRUE(f.hWnd);
    CanvasState* s = CNV_GetState();
    ASSERT_TRUE(s);
    HDC dc = GetDC(nullptr);
    int upp = GetDeviceCaps(dc, HORZSIZE) * 100000 / GetDeviceCaps(dc, HORZRES);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(s->unitsPerPixelX, upp);
    EXPECT_EQ(s->unitsPerPixelY, upp);
    EXPECT_EQ(s->cxClient, 500);
    EXPECT_EQ(s->cyClient, 400);
    EXPECT_EQ(s->cxViewUnits, 500 * upp);
    EXPECT_EQ(s->rcView.right - s->rcView.left, 500 * upp);
    EXPECT_EQ(s->rcView.top - s->rcView.bottom, 400 * upp);
    EXPECT_EQ(s->rcView.left, 7 * MM - 250 * upp);
    EXPECT_EQ(s->rcView.top, -2 * MM + 200 * upp);
    // 10 mm on the board are 10 mm of screen at zoom 1.0.
    POINT c = f.Pixel(7 * MM, -2 * MM), r = f.Pixel(17 * MM, -2 * MM);
    EXPECT_NEAR(c.x, 250, 1);
    EXPECT_NEAR(c.y, 200, 1);
    EXPECT_NEAR(r.x - c.x, 10.0 * MM / upp, 1.0);
    // Setting the view up again starts the history with it and nothing older.
    ASSERT_EQ(CNV_ComputeViewRect(f.hWnd), 1);
    EXPECT_EQ(s->rcHistory[0].left, s->rcView.left);
    EXPECT_EQ(s->rcHistory[0].bottom, s->rcView.bottom);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(s->rcHistory[i].left, 0) << i;
    EXPECT_EQ(s->iHistory, 0);
}

TEST(CanvasView, ZoomToRectFitsAndPushesHistory)
{
    CanvasFixture f(0, 0, 1.0, 400, 400);
    CanvasState* s = CNV_GetState();
    BoardRect before = s->rcView;
    // A box twice as high as wide: the height decides the zoom.
    CNV_ZoomToRect(1, 4 * MM, -2 * MM, 2 * MM, 2 * MM);
    EXPECT_EQ(s->rcHistory[0].left, before.left);
    EXPECT_NEAR((s->rcView.left + (double)s->rcView.right) / 2, 3 * MM, 1);
    EXPECT_NEAR((s->rcView.top + (double)s->rcView.bottom) / 2, 0, 1);
    EXPECT_NEAR(s->rcView.top - s->rcView.bottom, 4 * MM, 2);
}

TEST(CanvasPaint, BothDisplaysShowLineViaFillAndText)
{
    CanvasFixture f;
    ASSERT_TRUE(f.hWnd);
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode ? "standard" : "mixing");
        KIT_Image img = f.Capture(mode);
        ASSERT_EQ(img.width, 640);
        EXPECT_TRUE(Near(At(img, f.Pixel(0, 3 * MM)), RED)) << std::hex << At(img, f.Pixel(0, 3 * MM));
        // The VIA: a green pad around a dark hole.
        EXPECT_TRUE(Near(At(img, f.Pixel(-3 * MM + 60000, -MM)), GREEN));
        EXPECT_TRUE(Near(At(img, f.Pixel(-3 * MM, -MM)), BLACK, 4));
        // The fill: solid in the standard display, its outline in the mixing one.
        if (mode) {
            EXPECT_TRUE(Near(At(img, f.Pixel(MM, -3 * MM)), GREEN));
        } else {
            EXPECT_TRUE(NearAround(img, f.Pixel(MM, -4 * MM), GREEN));
            EXPECT_EQ(At(img, f.Pixel(MM, -3 * MM)), BLACK);  // no inside
        }
        // The text "I": its stem in the middle of the character cell.
        EXPECT_TRUE(Near(At(img, f.Pixel(5 * MM + 60000, -2 * MM)), WHITE)) << std::hex << At(img, f.Pixel(5 * MM + 60000, -2 * MM));
        // Empty board stays black.
        EXPECT_EQ(At(img, f.Pixel(-6 * MM, -4 * MM)), BLACK);
    }
}

TEST(CanvasPaint, LevelSwitchedOffDisappears)
{
    CanvasFixture f;
    TLV_Get_TlvClass()->extra[1].dispSts = (int16_t)0x8000;
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode ? "standard" : "mixing");
        KIT_Image img = f.Capture(mode);
        EXPECT_EQ(At(img, f.Pixel(0, 3 * MM)), BLACK);
        EXPECT_TRUE(Near(At(img, f.Pixel(-3 * MM + 60000, -MM)), GREEN));
    }
}

TEST(CanvasPaint, MixingShowsAThroughViaInTheColoursOfItsLevelsTogether)
{
    CanvasFixture f;
    TVT_Get_TvtClass()->def[1].apt[1] = 1;  // the VIA's pad on level 1 (red) as well as level 2 (green)
    POINT pad = f.Pixel(-3 * MM + 60000, -MM), hole = f.Pixel(-3 * MM, -MM);
    KIT_Image both = f.Capture(0);
    EXPECT_TRUE(Near(At(both, pad), RED | GREEN)) << std::hex << At(both, pad);
    EXPECT_TRUE(Near(At(both, hole), BLACK, 4));
    TLV_Get_TlvClass()->extra[2].dispSts = (int16_t)0x8000;
    KIT_Image one = f.Capture(0);
    EXPECT_TRUE(Near(At(one, pad), RED)) << std::hex << At(one, pad);
    EXPECT_TRUE(Near(At(one, hole), BLACK, 4));
    TLV_Get_TlvClass()->extra[1].dispSts = (int16_t)0x8000;
    KIT_Image none = f.Capture(0);
    EXPECT_EQ(At(none, pad), BLACK);
}

TEST(CanvasPaint, ALineAddedAfterADrawingIsDrawnNextTime)
{
    // The drawing keeps what it found of the pages from one time to the
    // next; a line added to a page (its box growing) or to a new page must
    // still show.
    CanvasFixture f;
    POINT grown = f.Pixel(-5 * MM, MM), fresh = f.Pixel(6 * MM, 4 * MM);
    for (int mode : {0, 1}) EXPECT_EQ(At(f.Capture(mode), grown), BLACK);
    CF_AddLine(1, 1, -6 * MM, MM, -4 * MM, MM);        // level 1 has a page already: its box grows
    CF_AddLine(3, 1, 5 * MM, 4 * MM, 7 * MM, 4 * MM);  // nothing on level 3 yet: a new page
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode ? "standard" : "mixing");
        KIT_Image img = f.Capture(mode);
        EXPECT_TRUE(Near(At(img, grown), RED)) << std::hex << At(img, grown);
        EXPECT_TRUE(Near(At(img, fresh), WHITE)) << std::hex << At(img, fresh);
    }
}

TEST(CanvasPaint, OpacityOfTheStandardDisplayOnly)
{
    CanvasFixture f;
    float old = D2D_GetALPHA_LINE_SOLID();
    D2D_SetALPHA_LINE_SOLID(0.5f);
    KIT_Image standard = f.Capture(1);
    KIT_Image mixing = f.Capture(0);
    D2D_SetALPHA_LINE_SOLID(old);
    EXPECT_TRUE(Near(At(standard, f.Pixel(0, 3 * MM)), 0x800000)) << std::hex << At(standard, f.Pixel(0, 3 * MM));
    EXPECT_TRUE(Near(At(mixing, f.Pixel(0, 3 * MM)), RED));
}

TEST(CanvasPaint, NothingOutsideTheWorkArea)
{
    // The view looks at the work area's upper right corner; a 2 mm line ends
    // on the border, so half of its round end would reach outside.
    const int32_t L = WORK_AREA_LIMIT;
    CanvasFixture f(L - MM, L - MM, 8.0, 400, 400);
    LineRecord r{};
    r.code = FC_LINE;
    r.lineNo = 2;
    r.x1 = L - 3 * MM;
    r.y1 = L - MM;
    r.x2 = L;
    r.y2 = L - MM;
    void* page = nullptr;
    PDL_InsertNewData(1, &r, &page);
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode ? "standard" : "mixing");
        KIT_Image img = f.Capture(mode);
        POINT corner = f.Pixel(L, L);
        ASSERT_GT(corner.x, 10);
        ASSERT_LT(corner.y, 390);
        int drawnOutside = 0, border = 0;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                uint32_t p = img.At(x, y);
                if ((x > corner.x + 1 || y < corner.y - 1) && p != BLACK) ++drawnOutside;
                if (x == corner.x && y > corner.y + 2 && p == WHITE) ++border;
            }
        EXPECT_EQ(drawnOutside, 0);
        EXPECT_GT(border, 10);  // the dashed border
        EXPECT_TRUE(Near(At(img, f.Pixel(L - MM, L - MM)), RED));
        EXPECT_TRUE(Near(img.At(corner.x - 3, f.Pixel(L, L - MM).y), RED));
    }
}

}  // namespace
