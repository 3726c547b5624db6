// The point and box tests of line and arc records, and net names by number.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/board_builder.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_figure_hits.h"
#include "platform/qzt_geometry.h"
#include "platform/qzt_nets.h"
#include "platform/qzt_tables.h"
#include "store_test_util.h"

namespace {

constexpr int MM = 100000;
constexpr int D = 707107;  // 10 mm at 45 degrees

struct Board {
    ScratchWorkSpace ws;
    LineRecord* segment = nullptr;   // (0, 0)-(10, 0), 0.5 mm wide
    LineRecord* thin = nullptr;      // (0, 5)-(10, 5), no width
    LineRecord* ccw = nullptr;       // centre (0, 0), radius 10, from 0 to 90 degrees
    LineRecord* cw = nullptr;        // the same ends clockwise: 0 down round to 90 degrees
    LineRecord* circle = nullptr;    // a full circle of radius 10 about (0, 0)

    Board()
    {
        BLD_AddLevel("L1", 2, 1, 0x01000001);
        int wide = BLD_AddLine(MM / 2);
        int none = BLD_AddLine(0);
        segment = BLD_Line(1, wide, 0, 0, 10 * MM, 0);
        thin = BLD_Line(1, none, 0, 5 * MM, 10 * MM, 5 * MM);
        ccw = BLD_Arc(1, wide, false, {10 * MM, 0}, {0, 10 * MM}, {0, 0});
        cw = BLD_Arc(1, wide, true, {10 * MM, 0}, {0, 10 * MM}, {0, 0});
        circle = BLD_Arc(1, wide, false, {10 * MM, 0}, {10 * MM, 0}, {0, 0});
    }
};

int Point(const LineRecord* r, int x, int y, int tx = 0, int ty = 0)
{
    POINT p = {x, y};
    return r->code == FC_LINE ? pDL_PointOnLine(nullptr, &p, tx, ty, r) : pDL_PointOnArc(nullptr, &p, tx, ty, r);
}

int Box(const LineRecord* r, int x1, int y1, int x2, int y2, int tol = 0)
{
    POINT c[4];
    OppositeAnglePnt2BoxPnt(x1, y1, x2, y2, c);
    return r->code == FC_LINE ? pDL_LineInBox(nullptr, 4, c, tol, tol, r) : pDL_ArcInBox(nullptr, 4, c, tol, tol, r);
}

}  // namespace

TEST(FigureHits, PointsOnLinesAndArcsCountTheWidthAndTheTolerance)
{
    Board b;
    ASSERT_TRUE(b.segment && b.thin && b.ccw && b.cw && b.circle);
    struct Case {
        const char* what;
        const LineRecord* r;
        int x, y, tx, ty;
        int hit;
    };
    const Case cases[] = {
        {"on the centre line", b.segment, 5 * MM, 0, 0, 0, 1},
        {"at the edge of the width", b.segment, 5 * MM, MM / 4, 0, 0, 1},
        {"just beyond the width", b.segment, 5 * MM, MM / 4 + 1, 0, 0, 0},
        {"beyond the width, within the tolerance", b.segment, 5 * MM, MM / 4 + 500, 500, 0, 1},
        {"the larger tolerance counts", b.segment, 5 * MM, -MM / 4 - 500, 0, 500, 1},
        {"round the end", b.segment, 10 * MM + MM / 5, 0, 0, 0, 1},
        {"past the end", b.segment, 10 * MM + MM / 4 + 10, 0, 0, 0, 0},
        {"no width: only the centre line", b.thin, 3 * MM, 5 * MM, 0, 0, 1},
        {"no width: one unit off", b.thin, 3 * MM, 5 * MM + 1, 0, 0, 0},
        {"anticlockwise arc: its middle", b.ccw, D, D, 0, 0, 1},
        {"anticlockwise arc: the far side of its circle", b.ccw, -D, -D, 0, 0, 0},
        {"anticlockwise arc: its centre", b.ccw, 0, 0, 0, 0, 0},
        {"anticlockwise arc: inside the width", b.ccw, D - MM / 10, D, 0, 0, 1},
        {"anticlockwise arc: round its end", b.ccw, 10 * MM + MM / 5, -MM / 10, 0, 0, 1},
        {"clockwise arc: the far side", b.cw, -D, -D, 0, 0, 1},
        {"clockwise arc: not the quarter it leaves out", b.cw, D, D, 0, 0, 0},
        {"full circle", b.circle, -D, D, 0, 0, 1},
        {"full circle: off it", b.circle, -D / 2, D / 2, 0, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Point(c.r, c.x, c.y, c.tx, c.ty), c.hit) << c.what;

    POINT p = {0, 0};
    EXPECT_EQ(pDL_PointOnLine(nullptr, nullptr, 0, 0, b.segment), 0);
    EXPECT_EQ(pDL_PointOnArc(nullptr, &p, 0, 0, nullptr), 0);
}

TEST(FigureHits, LinesAndArcsInsideABox)
{
    Board b;
    struct Case {
        const char* what;
        const LineRecord* r;
        int x1, y1, x2, y2, tol;
        int hit;
    };
    const Case cases[] = {
        {"segment inside", b.segment, -MM, -MM, 11 * MM, MM, 0, 1},
        {"corners in the other order", b.segment, 11 * MM, MM, -MM, -MM, 0, 1},
        {"one end outside", b.segment, MM, -MM, 11 * MM, MM, 0, 0},
        {"one end outside, within the tolerance", b.segment, 10, -MM, 11 * MM, MM, 10, 1},
        {"quarter arc in its quarter", b.ccw, 0, 0, 10 * MM, 10 * MM, 0, 1},
        {"quarter arc: its top cut off", b.ccw, 0, 0, 10 * MM, 9 * MM, 0, 0},
        {"clockwise arc: not in the quarter", b.cw, 0, 0, 10 * MM, 10 * MM, 0, 0},
        {"clockwise arc: in the whole square", b.cw, -10 * MM, -10 * MM, 10 * MM, 10 * MM, 0, 1},
        {"full circle in its square", b.circle, -10 * MM, -10 * MM, 10 * MM, 10 * MM, 0, 1},
        {"full circle: a side cut off", b.circle, -10 * MM, -10 * MM, 10 * MM, 9 * MM, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Box(c.r, c.x1, c.y1, c.x2, c.y2, c.tol), c.hit) << c.what;

    POINT corners[4];
    OppositeAnglePnt2BoxPnt(-MM, -MM, 11 * MM, MM, corners);
    EXPECT_EQ(pDL_LineInBox(nullptr, 2, corners, 0, 0, b.segment), 0);
    EXPECT_EQ(pDL_ArcInBox(nullptr, 4, nullptr, 0, 0, b.ccw), 0);
}

TEST(NetNames, ByNumberFromTheNetPages)
{
    ScratchWorkSpace ws;
    PcbInfData* inf = DDM_Open_PCBInfData(nullptr);
    ASSERT_TRUE(inf);
    uint32_t numbers[2] = {};
    const char* names[2] = {"GND", "VCC_3V3"};
    for (int i = 0; i < 2; ++i) {
        char* page = (char*)dam_AppendPage(DCODE_NET, 8192, 0, 0, 0, 0, &numbers[i]);
        ASSERT_TRUE(page);
        std::strcpy(page + 16, names[i]);
    }
    inf->firstNetPage = 0;
    inf->netPageCount = 2;
    inf->netPage[0] = numbers[0];
    inf->netPage[1] = numbers[1];

    char buffer[80];
    struct Case {
        int net;
        const char* name;
    };
    const Case cases[] = {{1, "GND"}, {2, "VCC_3V3"}, {0, ""}, {-1, ""}, {3, ""}};
    for (const Case& c : cases) {
        std::strcpy(buffer, "stale");
        EXPECT_STREQ(SigLin_GetNetNo2NetName(nullptr, c.net, buffer), c.name) << c.net;
    }

    // A name that fills its whole room is cut at 64 characters.
    char* page = (char*)DAM_GetPage(nullptr, numbers[0]);
    std::memset(page + 16, 'N', 70);
    EXPECT_EQ(std::strlen(SigLin_GetNetNo2NetName(nullptr, 1, buffer)), 64u);
    // A table entry whose page is gone names no net.
    dam_DeletePage(DCODE_NET, numbers[1]);
    EXPECT_STREQ(SigLin_GetNetNo2NetName(nullptr, 2, buffer), "");
}
