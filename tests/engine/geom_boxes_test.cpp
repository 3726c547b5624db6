// Boxes from two opposite corners in either order: overlap, corners, points
// inside (edges included) and extents.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/qzt_geometry.h"

namespace {

struct SeparateCase {
    const char* name;
    RECT a, b;
    int separate;
};

// Test names show the row, not the bytes of the record.
void PrintTo(const SeparateCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const SeparateCase kSeparateCases[] = {
    {"overlap",           {0, 0, 10, 10},   {5, 5, 15, 15},     0},
    {"inside",            {0, 0, 10, 10},   {2, 2, 3, 3},       0},
    {"touching edge",     {0, 0, 10, 10},   {10, 0, 20, 10},    0},
    {"touching corner",   {0, 0, 10, 10},   {10, 10, 20, 20},   0},
    {"one unit apart",    {0, 0, 10, 10},   {11, 0, 20, 10},    1},
    {"apart vertically",  {0, 0, 10, 10},   {0, 11, 10, 20},    1},
    {"corners reversed",  {10, 10, 0, 0},   {20, 20, 5, 5},     0},
    {"reversed and apart",{10, 10, 0, 0},   {-1, -1, -20, -20}, 1},
    {"work area halves",  {-150000000, -150000000, 0, 150000000},
                          {1, -150000000, 150000000, 150000000}, 1},
};
// clang-format on

class SeparateRect : public testing::TestWithParam<SeparateCase> {};

TEST_P(SeparateRect, NoPointInCommon)
{
    const SeparateCase& c = GetParam();
    EXPECT_EQ(IsSeparateRect(&c.a, &c.b) != 0, c.separate != 0) << c.name;
    EXPECT_EQ(IsSeparateRect(&c.b, &c.a) != 0, c.separate != 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, SeparateRect, testing::ValuesIn(kSeparateCases),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace

TEST(GeometryBoxes, CornersInOrderWhicheverCornersAreGiven)
{
    const POINT expected[4] = {{-5, 2}, {30, 2}, {30, 40}, {-5, 40}};
    const int given[4][4] = {{-5, 2, 30, 40}, {30, 40, -5, 2}, {-5, 40, 30, 2}, {30, 2, -5, 40}};
    for (const auto& g : given) {
        POINT corners[4] = {};
        OppositeAnglePnt2BoxPnt(g[0], g[1], g[2], g[3], corners);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(corners[i].x, expected[i].x) << g[0] << "," << g[1] << " corner " << i;
            EXPECT_EQ(corners[i].y, expected[i].y) << g[0] << "," << g[1] << " corner " << i;
        }
    }
}

TEST(GeometryBoxes, PointsInBoxCountEdges)
{
    RECT box = {10, 20, 0, 0};  // reversed corners
    const POINT points[] = {{0, 0}, {10, 20}, {5, 5}, {11, 5}, {5, -1}, {0, 20}};
    EXPECT_EQ(FigPointInBox(&box, points, 6), 4);
    EXPECT_EQ(FigPointInBox(&box, points + 3, 2), 0);
    EXPECT_EQ(FigPointInBox(&box, points, 0), 0);
}

TEST(GeometryBoxes, ExtentGrowsToHoldEachBox)
{
    RECT extent = {0, 0, 10, 10};
    AreaMinMaxPointMarge(&extent, 2, 3, 4, 5);
    EXPECT_EQ(extent.left, 0);
    EXPECT_EQ(extent.right, 10);
    AreaMinMaxPointMarge(&extent, -150000000, 5, 20, 150000000);
    EXPECT_EQ(extent.left, -150000000);
    EXPECT_EQ(extent.top, 0);
    EXPECT_EQ(extent.right, 20);
    EXPECT_EQ(extent.bottom, 150000000);
}
