// Points: distance, packing, offsets, rotation and part placement, each a
// table of cases with the boundary rows (equal points, axes, the edge of the
// ±150,000,000 work area and of the 32-bit range).
#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>

#include "platform/qzt_geometry.h"

namespace {

struct DistanceCase {
    const char* name;
    int x1, y1, x2, y2;
    int expected;
};

// Test names show the row, not the bytes of the record.
void PrintTo(const DistanceCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const DistanceCase kDistanceCases[] = {
    {"coincident",        5, 5, 5, 5,                                     0},
    {"three four five",   0, 0, 300000, 400000,                           500000},
    {"vertical",          0, -7, 0, 13,                                   20},
    {"towards origin",    -3, -4, 0, 0,                                   5},
    {"rounds down",       0, 0, 1, 1,                                     1},
    {"rounds up",         0, 0, 2, 3,                                     4},
    {"across work area",  -150000000, 0, 150000000, 0,                    300000000},
    {"work area diagonal",-150000000, -150000000, 150000000, 150000000,  424264069},
    {"beyond 32 bits",    INT32_MIN, 0, INT32_MAX, 0,                     INT32_MAX},
};
// clang-format on

class Distance : public testing::TestWithParam<DistanceCase> {};

TEST_P(Distance, RoundedToTheNearestUnit)
{
    const DistanceCase& c = GetParam();
    EXPECT_EQ(Distance_Pnt_to_Pnt(c.x1, c.y1, c.x2, c.y2), c.expected);
    EXPECT_EQ(Distance_Pnt_to_Pnt(c.x2, c.y2, c.x1, c.y1), c.expected) << "either order";
}

INSTANTIATE_TEST_SUITE_P(Geometry, Distance, testing::ValuesIn(kDistanceCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct RotationCase {
    const char* name;
    int x, y, cx, cy;
    double degrees;
    int ex, ey;
};

void PrintTo(const RotationCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const RotationCase kRotationCases[] = {
    {"quarter turn",          100, 0, 0, 0,        90.0,    0, 100},
    {"half turn",             100, 0, 0, 0,        180.0,   -100, 0},
    {"negative quarter",      100, 0, 0, 0,        -90.0,   0, -100},
    {"whole turn",            123, -45, 0, 0,      360.0,   123, -45},
    {"about another centre",  100, 0, 50, 50,      90.0,    100, 100},
    {"eighth turn rounds",    100000, 0, 0, 0,     45.0,    70711, 70711},
    {"centre itself",         50, 50, 50, 50,      33.0,    50, 50},
    {"work area edge",        150000000, 0, 0, 0,  90.0,    0, 150000000},
};
// clang-format on

class Rotation : public testing::TestWithParam<RotationCase> {};

TEST_P(Rotation, TurnsCounterClockwiseAboutTheCentre)
{
    const RotationCase& c = GetParam();
    int64_t p = PointRotation(MakeFmtXY(c.x, c.y), MakeFmtXY(c.cx, c.cy), c.degrees);
    EXPECT_EQ(FMT_X(p), c.ex) << c.name;
    EXPECT_EQ(FMT_Y(p), c.ey) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, Rotation, testing::ValuesIn(kRotationCases),
                         [](const auto& info) { return std::to_string(info.index); });

int Placement(int thousandths, int flags) { return (int)((unsigned)thousandths << 8) | flags; }

struct PlacementCase {
    const char* name;
    int x, y;
    int placement;
    int ex, ey;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

const PlacementCase kPlacementCases[] = {
    {"none", 100, 50, 0, 100, 50},
    {"mirror", 100, 50, 1, -100, 50},
    {"flag 2 is not a mirror", 100, 50, 2, 100, 50},
    {"quarter turn", 100, 50, Placement(90000, 0), -50, 100},
    {"mirror then turn", 100, 50, Placement(90000, 1), -50, -100},
    {"negative angle", 100, 50, Placement(-90000, 0), 50, -100},
    {"eighth turn", 100000, 0, Placement(45000, 0), 70711, 70711},
    {"thousandths", 100000000, 0, Placement(1, 0), 100000000, 1745},
};

class PartPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(PartPlacement, MirrorsFirstThenTurnsAboutTheOrigin)
{
    const PlacementCase& c = GetParam();
    int64_t p = MrrAndRotAtGenten(c.x, c.y, c.placement);
    EXPECT_EQ(FMT_X(p), c.ex) << c.name;
    EXPECT_EQ(FMT_Y(p), c.ey) << c.name;

    // sym_mir_rot is the same placement with the offset added.
    int x = c.x, y = c.y;
    sym_mir_rot(c.placement & 1, c.placement >> 8, 1000, -2000, &x, &y);
    EXPECT_EQ(x, c.ex + 1000) << c.name;
    EXPECT_EQ(y, c.ey - 2000) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, PartPlacement, testing::ValuesIn(kPlacementCases),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace

TEST(GeometryPoints, PackingKeepsSignsAndExtremes)
{
    const int values[] = {0, 1, -1, 150000000, -150000000, INT32_MAX, INT32_MIN};
    for (int x : values)
        for (int y : values) {
            int64_t p = MakeFmtXY(x, y);
            EXPECT_EQ(FMT_X(p), x);
            EXPECT_EQ(FMT_Y(p), y);
            EXPECT_EQ((uint32_t)((uint64_t)p & 0xffffffffu), (uint32_t)x) << "x in the low word";
        }
}

TEST(GeometryPoints, EqualityAndOffsetsInAllThreeForms)
{
    EXPECT_EQ(IsEqualPoint(3, 4, 3, 4), 1);
    EXPECT_EQ(IsEqualPoint(3, 4, 4, 3), 0);
    EXPECT_EQ(IsEqualPoint(3, 4, 3, 5), 0);

    EXPECT_EQ(PointOffset(10, 20, -30, 5), MakeFmtXY(-20, 25));
    EXPECT_EQ(PointOffset(MakeFmtXY(10, 20), -30, 5), MakeFmtXY(-20, 25));
    EXPECT_EQ(PointOffset(MakeFmtXY(10, 20), MakeFmtXY(-30, 5)), MakeFmtXY(-20, 25));
    // Past the 32-bit range the point stays at its limit instead of wrapping
    // round into the work area.
    EXPECT_EQ(PointOffset(INT32_MAX, INT32_MIN, 1, -1), MakeFmtXY(INT32_MAX, INT32_MIN));
}
