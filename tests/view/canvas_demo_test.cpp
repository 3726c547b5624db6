// The demo board on the canvas, in both displays: a bus line, a VIA, the
// ground fill and a text, each looked at closely and read back by pixels.
//
// What the demo board holds there (levels in the order mkboard makes them):
//   PWR (0xA000A0):    a 0.25 mm bus line at y = 5 mm from x = 4 to 76 mm,
//                      with a 0.45 mm VIA (0.2 mm hole) at (10, 5) mm
//   GND (0x00A000):    a fill from (1, 1) to (79, 59) mm, with holes
//   BOTTOM (0xC00000): the VIA's pad again, the last conductor drawn
//   SILK (white):      "TORVA DEMO BOARD Rev.A", 1.5 mm high, at (30, 3) mm
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/app.h"
#include "canvas_fixture.h"
#include "kit/gui_kit.h"
#include "platform/qzt_draw.h"
#include "platform/qzt_env.h"
#include "platform/qzt_file.h"
#include "platform/qzt_wps.h"
#include "view/cnv.h"

namespace {

constexpr uint32_t BLACK = 0x000000, WHITE = 0xFFFFFF;
constexpr uint32_t PWR = 0xA000A0, GND = 0x00A000, BOTTOM = 0x0000C0;  // as 0xRRGGBB

struct DemoCanvas {
    std::string wps;
    HWND hWnd = nullptr;
    bool loaded = false;

    DemoCanvas()
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        wps = std::string(dir) + "canvas_demo_" + std::to_string(GetCurrentProcessId()) + ".wps";
        DeleteFileA(wps.c_str());
        WPS_Open(wps.c_str());
        std::string demo = std::string("Z:") + DEMO_BOARD;
        char what[256] = "";
        uint32_t version = 0;
        loaded = DDM_ReadDesignFile(demo.c_str(), DESIGN_KIND_TPW, &version, what) == DFE_OK;
        static bool registered = CNV_RegisterClass(GetModuleHandleA(nullptr)) != 0;
        (void)registered;
        hWnd = CreateWindowExA(0, CNV_CLASS_NAME, "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        KIT_PumpPending();
    }
    ~DemoCanvas()
    {
        if (hWnd) DestroyWindow(hWnd);
        KIT_PumpPending();
        WPS_Delete(wps.c_str());
    }
    // Looks at a square of `size` board units around (x, y) and captures it.
    KIT_Image Look(int32_t x, int32_t y, int32_t size, int direct2d)
    {
        CNV_ZoomToRect(0, x - size / 2, y - size / 2, x + size / 2, y + size / 2);
        g_UseDirect2D = direct2d;
        InvalidateRect(hWnd, nullptr, TRUE);
        UpdateWindow(hWnd);
        return KIT_CaptureClient(hWnd);
    }
    POINT Pixel(int32_t x, int32_t y)
    {
        POINT p = {x, y};
        DisplaySC* sc = DSP_GetDisplaySC(hWnd, nullptr, CNV_GetState());
        DSP_LPtoDPz(sc, &p);
        DSP_ReleaseSC(hWnd, sc);
        return p;
    }
    uint32_t At(const KIT_Image& img, int32_t x, int32_t y)
    {
        POINT p = Pixel(x, y);
        return img.At(p.x, p.y);
    }
    // Pixels of exactly `rgb` inside a board box.
    int Count(const KIT_Image& img, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb)
    {
        POINT a = Pixel(x1, y2), b = Pixel(x2, y1);
        int n = 0;
        for (int y = std::max<LONG>(a.y, 0); y <= b.y && y < img.height; ++y)
            for (int x = std::max<LONG>(a.x, 0); x <= b.x && x < img.width; ++x)
                if (img.At(x, y) == rgb) ++n;
        return n;
    }
};

TEST(CanvasDemo, BothDisplaysShowLineViaFillAndText)
{
    DemoCanvas d;
    ASSERT_TRUE(d.loaded);
    ASSERT_TRUE(d.hWnd);
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode ? "standard" : "mixing");
        // The bus line over the ground fill: the fill is under it in the
        // standard display and only an outline in the mixing one.
        KIT_Image line = d.Look(40 * MM, 5 * MM, 2 * MM, mode);
        EXPECT_TRUE(Near(d.At(line, 40 * MM, 5 * MM), PWR)) << std::hex << d.At(line, 40 * MM, 5 * MM);
        EXPECT_TRUE(Near(d.At(line, 40 * MM, 5 * MM + 50000), mode ? GND : BLACK));

        // The VIA: a pad around a dark hole; the standard display shows the
        // pad of the last conductor level.
        KIT_Image via = d.Look(10 * MM, 5 * MM, MM, mode);
        EXPECT_TRUE(Near(d.At(via, 10 * MM, 5 * MM), BLACK, 4)) << std::hex << d.At(via, 10 * MM, 5 * MM);
        uint32_t pad = d.At(via, 10 * MM + 15000, 5 * MM);
        if (mode)
            EXPECT_TRUE(Near(pad, BOTTOM)) << std::hex << pad;
        else
            EXPECT_NE(pad, BLACK);

        // The fill's lower edge at y = 1 mm, and its inside.
        KIT_Image fill = d.Look(40 * MM, MM, 2 * MM, mode);
        EXPECT_GT(d.Count(fill, 39 * MM, MM - 5000, 41 * MM, MM + 5000, GND), 50);
        EXPECT_TRUE(Near(d.At(fill, 40 * MM, MM + 50000), mode ? GND : BLACK));

        // The first letter of the text, white over everything; nothing white
        // left of the text beyond half its stroke width.
        KIT_Image text = d.Look(30 * MM + 50000, 3 * MM + 75000, 2 * MM, mode);
        EXPECT_GT(d.Count(text, 30 * MM, 3 * MM, 30 * MM + 100000, 3 * MM + 150000, WHITE), 20);
        EXPECT_EQ(d.Count(text, 30 * MM - 45000, 3 * MM, 30 * MM - 15000, 3 * MM + 150000, WHITE), 0);
    }
}

TEST(CanvasDemo, NothingDrawnOutsideTheBoardsViewAfterZoomingOut)
{
    // The whole work area in view: the board is a few pixels near the
    // centre, the dashed border of the work area lies on the canvas's edge
    // region, and nothing is drawn beyond it.
    DemoCanvas d;
    ASSERT_TRUE(d.loaded);
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode ? "standard" : "mixing");
        KIT_Image img = d.Look(0, 0, 2 * WORK_AREA_LIMIT + 40000000, mode);
        POINT lo = d.Pixel(-WORK_AREA_LIMIT, WORK_AREA_LIMIT), hi = d.Pixel(WORK_AREA_LIMIT, -WORK_AREA_LIMIT);
        int outside = 0, board = 0;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                uint32_t p = img.At(x, y);
                if ((x < lo.x - 1 || x > hi.x + 1 || y < lo.y - 1 || y > hi.y + 1) && p != BLACK) ++outside;
            }
        POINT c = d.Pixel(40 * MM, 30 * MM);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (img.At(c.x + dx, c.y + dy) != BLACK) ++board;
        EXPECT_EQ(outside, 0);
        EXPECT_GT(board, 0);
    }
}

}  // namespace
