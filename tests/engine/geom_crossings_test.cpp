// Segment crossings and the edge codes of the point-in-polygon count,
// including touching ends, collinear overlaps, vertices on the ray and
// segments spanning the whole 32-bit range.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/qzt_geometry.h"

namespace {

struct CrossCase {
    const char* name;
    int x1, y1, x2, y2, x3, y3, x4, y4;
    int expected;
};

// Test names show the row, not the bytes of the record.
void PrintTo(const CrossCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const CrossCase kCrossCases[] = {
    {"cross",               0, 0, 10, 10,    0, 10, 10, 0,     1},
    {"end on the other",    0, 0, 10, 0,     5, 0, 5, 5,       2},
    {"shared end",          0, 0, 10, 0,     10, 0, 20, 7,     2},
    {"collinear overlap",   0, 0, 10, 0,     5, 0, 15, 0,      2},
    {"collinear apart",     0, 0, 10, 0,     11, 0, 20, 0,     0},
    {"parallel",            0, 0, 10, 0,     0, 1, 10, 1,      0},
    {"short of the line",   0, 0, 10, 0,     5, 1, 5, 10,      0},
    {"passes above",        0, 0, 300000000, 1, 150000000, 0, 150000000, -5, 0},
    {"crosses by half",     0, 0, 300000000, 1, 150000000, 1, 150000000, 0,  1},
    {"whole 32-bit range",  INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX,
                            INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, 1},
    {"point segment on it", 0, 0, 10, 0,     4, 0, 4, 0,       2},
};
// clang-format on

class SegmentCross : public testing::TestWithParam<CrossCase> {};

TEST_P(SegmentCross, CrossTouchOrApart)
{
    const CrossCase& c = GetParam();
    EXPECT_EQ(Kouten_Count_Check(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.expected);
    EXPECT_EQ(Kouten_Count_Check(c.x3, c.y3, c.x4, c.y4, c.x1, c.y1, c.x2, c.y2), c.expected)
        << "either segment first";
    EXPECT_EQ(Kouten_Count_Check(c.x2, c.y2, c.x1, c.y1, c.x4, c.y4, c.x3, c.y3), c.expected)
        << "either direction";
}

INSTANTIATE_TEST_SUITE_P(Geometry, SegmentCross, testing::ValuesIn(kCrossCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct WindingCase {
    const char* name;
    int x1, y1, x2, y2;  // the edge; the point is (0, 0)
    int expected;
};

void PrintTo(const WindingCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const WindingCase kWindingCases[] = {
    {"crosses up",             5, -5, 5, 5,      3},
    {"crosses down",           5, 5, 5, -5,      -3},
    {"crosses left of point", -5, -5, -5, 5,     0},
    {"slanted crossing",       1, -10, 3, 10,    3},
    {"slanted left",          -2, -10, 0, 10,    0},
    {"point on edge",          0, -5, 0, 5,      30},
    {"point on slanted edge", -1, -1, 1, 1,      30},
    {"point is a vertex",      0, 0, 5, 9,       30},
    {"starts on ray, up",      5, 0, 5, 5,       1},
    {"starts on ray, down",    5, 0, 5, -5,      -1},
    {"ends on ray from below", 5, -5, 5, 0,      2},
    {"ends on ray from above", 5, 5, 5, 0,       -2},
    {"vertex left of point",  -5, 0, -5, 5,      0},
    {"along the ray",          2, 0, 9, 0,       10},
    {"level through point",   -3, 0, 3, 0,       30},
    {"above",                 -5, 1, 5, 3,       0},
    {"32-bit range",           INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, 3},
};
// clang-format on

class Winding : public testing::TestWithParam<WindingCase> {};

TEST_P(Winding, EdgeCodeAgainstTheRay)
{
    const WindingCase& c = GetParam();
    EXPECT_EQ(LineWindingNumber(0, 0, c.x1, c.y1, c.x2, c.y2), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Geometry, Winding, testing::ValuesIn(kWindingCases),
                         [](const auto& info) { return std::to_string(info.index); });

// The count the polygon pickers make from the codes: 1 inside (or on an
// edge), 0 outside.
int InPolygon(int x, int y, const std::vector<POINT>& v)
{
    int a = 0, b = 0, c = 0;
    for (size_t k = 0; k < v.size(); ++k) {
        const POINT& p = v[k];
        const POINT& q = v[(k + 1) % v.size()];
        int r = LineWindingNumber(x, y, p.x, p.y, q.x, q.y);
        if (r == 30) return 1;
        if (r == 3 || r == -3) ++a;
        if (r == -2 || r == -1) ++b;
        if (r == 1 || r == 2) ++c;
    }
    int t = a + 2 * std::min(b, c) + std::abs(b - c) / 2;
    return t % 2;
}

}  // namespace

TEST(GeometryCrossings, PolygonCountWithVerticesOnTheRay)
{
    // A diamond: the ray from its centre runs through the vertex (10, 0);
    // from the left it grazes both side vertices.
    std::vector<POINT> diamond = {{0, -10}, {10, 0}, {0, 10}, {-10, 0}};
    EXPECT_EQ(InPolygon(0, 0, diamond), 1);
    EXPECT_EQ(InPolygon(-20, 0, diamond), 0);
    EXPECT_EQ(InPolygon(20, 0, diamond), 0);
    EXPECT_EQ(InPolygon(5, -5, diamond), 1) << "on an edge";
    EXPECT_EQ(InPolygon(9, 0, diamond), 1);

    // Two teeth standing on a base: level edges along the ray and vertices
    // on it reached from above and from below.
    std::vector<POINT> teeth = {{0, -10}, {40, -10}, {40, 10}, {30, 10}, {30, 0},
                                {20, 0},  {20, 10},  {10, 10}, {10, 0},  {0, 0}};
    EXPECT_EQ(InPolygon(5, 5, teeth), 0) << "gap left of the first tooth";
    EXPECT_EQ(InPolygon(15, 5, teeth), 1) << "inside the first tooth";
    EXPECT_EQ(InPolygon(25, 5, teeth), 0) << "between the teeth";
    EXPECT_EQ(InPolygon(35, 5, teeth), 1) << "inside the second tooth";
    EXPECT_EQ(InPolygon(-5, 0, teeth), 0) << "level with the gaps' floors, outside";
    EXPECT_EQ(InPolygon(15, -5, teeth), 1) << "in the base";
    EXPECT_EQ(InPolygon(45, 0, teeth), 0) << "right of everything";
}
