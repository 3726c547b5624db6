// Lines by coefficients: where two meet, perpendicular feet, perpendicular
// and parallel lines through a point, nearest points of segments. Boundary
// rows: vertical and horizontal lines, parallel and coincident lines, lines
// without direction, points far out in the work area.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstdint>

#include "platform/qzt_geometry.h"

namespace {

struct Line {
    double a, b, c;
};

Line Through(int x1, int y1, int x2, int y2)
{
    Line l;
    Chokusen(x1, y1, x2, y2, &l.a, &l.b, &l.c);
    return l;
}

struct MeetCase {
    const char* name;
    int p1x, p1y, p2x, p2y;  // first line through these
    int q1x, q1y, q2x, q2y;  // second line through these
    int flag, ex, ey;
};

// Test names show the row, not the bytes of the record.
void PrintTo(const MeetCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const MeetCase kMeetCases[] = {
    {"cross",               0, 0, 100, 100,     0, 100, 100, 0,       1, 50, 50},
    {"vertical and level",  30, -1000, 30, 1000, -5, 70, 5, 70,       1, 30, 70},
    {"meet rounds",         0, 0, 3, 1,         1, 0, 1, 9,           1, 1, 0},
    {"parallel level",      0, 0, 100, 0,       0, 10, 100, 10,       0, 0, 10},
    {"parallel vertical",   5, 0, 5, 9,         8, 0, 8, 1,           0, 8, 0},
    {"same line",           0, 10, 10, 20,      20, 30, 30, 40,       0, -5, 5},
    {"no first direction",  4, 4, 4, 4,         0, 10, 100, 10,       0, 0, 10},
    {"work area diagonals", -150000000, -150000000, 150000000, 150000000,
                            -150000000, 150000000, 150000000, -150000000, 1, 0, 0},
    {"nearly level far out",-150000000, -150000000, 150000000, -149999999,
                            149999999, 0, 149999999, 1,               1, 149999999, -149999999},
    {"nearly parallel",     0, 0, 300000000, 1, 0, 10, 299999999, 11, 0, 0, 10},
};
// clang-format on

class Meet : public testing::TestWithParam<MeetCase> {};

TEST_P(Meet, LinesByTwoPoints)
{
    const MeetCase& c = GetParam();
    Line l1 = Through(c.p1x, c.p1y, c.p2x, c.p2y);
    Line l2 = Through(c.q1x, c.q1y, c.q2x, c.q2y);
    int flag = -1;
    int64_t p = KoutenEx(l1.a, l1.b, l1.c, l2.a, l2.b, l2.c, &flag);
    EXPECT_EQ(flag, c.flag) << c.name;
    EXPECT_EQ(FMT_X(p), c.ex) << c.name;
    EXPECT_EQ(FMT_Y(p), c.ey) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, Meet, testing::ValuesIn(kMeetCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct FootCase {
    const char* name;
    int x, y;
    int l1x, l1y, l2x, l2y;
    int ex, ey;
};

void PrintTo(const FootCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const FootCase kFootCases[] = {
    {"on a level line",    50, 50,    0, 0, 100, 0,      50, 0},
    {"on a vertical line", 7, 9,      30, -5, 30, 5,     30, 9},
    {"on a diagonal",      10, 0,     0, 0, 10, 10,      5, 5},
    {"on the line itself", 4, 4,      0, 0, 10, 10,      4, 4},
    {"rounds to a unit",   0, 1,      0, 0, 3, 1,        0, 0},
    {"beyond the points",  1, 3,      0, 0, 2, 1,        2, 1},
    {"line without direction", 9, -9, 3, 3, 3, 3,        9, -9},
    {"work area corner",   -150000000, 150000000, -150000000, -150000000, 150000000, 150000000, 0, 0},
};
// clang-format on

class Foot : public testing::TestWithParam<FootCase> {};

TEST_P(Foot, PerpendicularFromThePoint)
{
    const FootCase& c = GetParam();
    Line l = Through(c.l1x, c.l1y, c.l2x, c.l2y);
    int64_t p = Kouten_ChokkouSen2(c.x, c.y, l.a, l.b, l.c);
    EXPECT_EQ(FMT_X(p), c.ex) << c.name;
    EXPECT_EQ(FMT_Y(p), c.ey) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, Foot, testing::ValuesIn(kFootCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct NearestCase {
    const char* name;
    int px, py, ax, ay, bx, by;
    int ex, ey, end;
};

void PrintTo(const NearestCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const NearestCase kNearestCases[] = {
    {"between",            50, 10,   0, 0, 100, 0,    50, 0, 0},
    {"before the start",   -5, 3,    0, 0, 100, 0,    0, 0, 1},
    {"past the end",       120, -4,  0, 0, 100, 0,    100, 0, 2},
    {"on the end",         100, 0,   0, 0, 100, 0,    100, 0, 2},
    {"vertical segment",   3, 40,    0, 100, 0, 0,    0, 40, 0},
    {"no length",          9, 9,     5, 5, 5, 5,      5, 5, 1},
    {"work area diagonal", -150000000, 150000000, -150000000, -150000000, 150000000, 150000000,
                                                      0, 0, 0},
};
// clang-format on

class Nearest : public testing::TestWithParam<NearestCase> {};

TEST_P(Nearest, PointOfTheSegmentAndWhichEnd)
{
    const NearestCase& c = GetParam();
    int end = -1;
    int64_t p = NearestPoint(MakeFmtXY(c.px, c.py), MakeFmtXY(c.ax, c.ay), MakeFmtXY(c.bx, c.by), &end);
    EXPECT_EQ(FMT_X(p), c.ex) << c.name;
    EXPECT_EQ(FMT_Y(p), c.ey) << c.name;
    EXPECT_EQ(end, c.end) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, Nearest, testing::ValuesIn(kNearestCases),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace

TEST(GeometryLines, LineValueIsTheSignedDistance)
{
    Line l = Through(0, 0, 100, 0);
    EXPECT_DOUBLE_EQ(l.a * 5 + l.b * -7 + l.c, 7.0);
    EXPECT_DOUBLE_EQ(l.a * 5 + l.b * 7 + l.c, -7.0);
    Line d = Through(-150000000, -150000000, 150000000, 150000000);
    EXPECT_NEAR(std::fabs(d.a * -150000000.0 + d.b * 150000000.0 + d.c), 150000000.0 * std::sqrt(2.0),
                1e-6);
    Line none = Through(3, 3, 3, 3);
    EXPECT_EQ(none.a, 0.0);
    EXPECT_EQ(none.b, 0.0);
    EXPECT_EQ(none.c, 0.0);
}

TEST(GeometryLines, PerpendicularAndParallelThroughAPoint)
{
    int flag = 0;
    // Perpendicular to the x axis through (10, 0), met with y = 5.
    Line axis = Through(0, 0, 100, 0);
    Line perp;
    ChokkouSen(10, 0, axis.a, axis.b, axis.c, &perp.a, &perp.b, &perp.c);
    EXPECT_EQ(KoutenEx(perp.a, perp.b, perp.c, 0, 1, -5, &flag), MakeFmtXY(10, 5));
    EXPECT_EQ(flag, 1);

    // Parallel to y = x through (0, 7), met with x = 3.
    Line diag = Through(0, 0, 100, 100);
    Line par;
    HeikouSen(0, 7, diag.a, diag.b, diag.c, &par.a, &par.b, &par.c);
    EXPECT_EQ(KoutenEx(par.a, par.b, par.c, 1, 0, -3, &flag), MakeFmtXY(3, 10));
    EXPECT_EQ(flag, 1);

    // Two perpendiculars of one line are parallel to each other: the
    // dimension figure's "between the extension lines" test relies on their
    // values having opposite signs between them.
    Line ab = Through(0, 0, 300, 400);
    Line atA, atB;
    ChokkouSen(0, 0, ab.a, ab.b, ab.c, &atA.a, &atA.b, &atA.c);
    ChokkouSen(300, 400, ab.a, ab.b, ab.c, &atB.a, &atB.b, &atB.c);
    auto value = [](const Line& l, int x, int y) { return l.a * x + l.b * y + l.c; };
    EXPECT_LE(value(atA, 150, 200) * value(atB, 150, 200), 0.0) << "between";
    EXPECT_LE(value(atA, 300, 400) * value(atB, 300, 400), 0.0) << "on one of them";
    EXPECT_GT(value(atA, 400, 500) * value(atB, 400, 500), 0.0) << "outside";
    KoutenEx(atA.a, atA.b, atA.c, atB.a, atB.b, atB.c, &flag);
    EXPECT_EQ(flag, 0);
}
