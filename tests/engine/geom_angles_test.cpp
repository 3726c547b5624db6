// Directions and arcs: exact on the axes and diagonals, arcs counter-
// clockwise from their first angle to their second, equal angles making the
// full circle, arcs crossing 0 degrees.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstdint>

#include "platform/qzt_geometry.h"

namespace {

constexpr double PI = 3.14159265358979323846;

struct DirectionCase {
    const char* name;
    int x1, y1, x2, y2;
    double degrees;  // compared exactly when `exact`
    bool exact;
    int code16;
};

// Test names show the row, not the bytes of the record.
void PrintTo(const DirectionCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const DirectionCase kDirectionCases[] = {
    {"east",              0, 0, 10, 0,         0.0,   true,  0},
    {"north",             0, 0, 0, 10,         90.0,  true,  4},
    {"west",              0, 0, -10, 0,        180.0, true,  8},
    {"south",             0, 0, 0, -10,        270.0, true,  12},
    {"north-east",        0, 0, 5, 5,          45.0,  true,  2},
    {"north-west",        0, 0, -5, 5,         135.0, true,  6},
    {"south-west",        0, 0, -5, -5,        225.0, true,  10},
    {"south-east",        0, 0, 5, -5,         315.0, true,  14},
    {"coincident",        7, 7, 7, 7,          0.0,   true,  0},
    {"three four",        0, 0, 3, 4,          53.13010235415598, false, 2},
    {"below the axis",    0, 0, 3, -4,         306.86989764584405, false, 14},
    {"just under 360",    0, 0, 300000000, -1, 359.99999980901406, false, 0},
    {"code 15",           0, 0, 10, -4,        338.19859051364818, false, 15},
    {"work area diagonal",-150000000, -150000000, 150000000, 150000000, 45.0, true, 2},
    {"work area vertical",150000000, -150000000, 150000000, 150000000,  90.0, true, 4},
};
// clang-format on

class Direction : public testing::TestWithParam<DirectionCase> {};

TEST_P(Direction, CounterClockwiseFromPositiveX)
{
    const DirectionCase& c = GetParam();
    double a = AngleDirection(c.x1, c.y1, c.x2, c.y2);
    double g = GetAngle(c.x1, c.y1, c.x2, c.y2);
    if (c.exact) {
        EXPECT_EQ(a, c.degrees) << c.name;
    } else {
        EXPECT_NEAR(a, c.degrees, 1e-9) << c.name;
    }
    EXPECT_GE(a, 0.0) << c.name;
    EXPECT_LT(a, 360.0) << c.name;
    EXPECT_EQ(g, a) << c.name;
    EXPECT_EQ(Get_AngleCode16(c.x1, c.y1, c.x2, c.y2), c.code16) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, Direction, testing::ValuesIn(kDirectionCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct DistAngleCase {
    const char* name;
    int x, y;
    double distance, degrees;
    int ex, ey;
};

void PrintTo(const DistAngleCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const DistAngleCase kDistAngleCases[] = {
    {"east",             0, 0, 100000, 0.0,     100000, 0},
    {"north exact",      0, 0, 100000, 90.0,    0, 100000},
    {"west exact",       0, 0, 100000, 180.0,   -100000, 0},
    {"south exact",      0, 0, 100000, 270.0,   0, -100000},
    {"minus ninety",     0, 0, 100000, -90.0,   0, -100000},
    {"beyond a turn",    0, 0, 100000, 450.0,   0, 100000},
    {"diagonal rounds",  0, 0, 100000, 45.0,    70711, 70711},
    {"thirty degrees",   0, 0, 100000, 30.0,    86603, 50000},
    {"negative length",  0, 0, -100, 0.0,       -100, 0},
    {"zero length",      12, -34, 0, 77.0,      12, -34},
    {"across work area", -150000000, 0, 300000000, 0.0, 150000000, 0},
    {"past 32 bits",     INT32_MAX, 0, 10, 0.0, INT32_MAX, 0},
};
// clang-format on

class DistAngle : public testing::TestWithParam<DistAngleCase> {};

TEST_P(DistAngle, PointAtDistanceInDirection)
{
    const DistAngleCase& c = GetParam();
    int64_t p = XYDistAngle(c.x, c.y, c.distance, c.degrees);
    EXPECT_EQ(FMT_X(p), c.ex) << c.name;
    EXPECT_EQ(FMT_Y(p), c.ey) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, DistAngle, testing::ValuesIn(kDistAngleCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct FromPointCase {
    const char* name;
    int x1, y1, x2, y2;
    double d;
    int ex, ey;
};

void PrintTo(const FromPointCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const FromPointCase kFromPointCases[] = {
    {"towards",          0, 0, 300, 400, 5,      3, 4},
    {"away",             0, 0, 300, 400, -5,     -3, -4},
    {"vertical",         0, 0, 0, -50, 20,       0, -20},
    {"beyond the end",   0, 0, 10, 0, 25,        25, 0},
    {"coincident",       7, 7, 7, 7, 10,         17, 7},
    {"work area diagonal", -150000000, -150000000, 150000000, 150000000, 424264069,
                                                 150000000, 150000000},
};
// clang-format on

class FromPoint : public testing::TestWithParam<FromPointCase> {};

TEST_P(FromPoint, PointAlongTheSegment)
{
    const FromPointCase& c = GetParam();
    int64_t p = XYfromPoint(c.x1, c.y1, c.x2, c.y2, c.d);
    EXPECT_EQ(FMT_X(p), c.ex) << c.name;
    EXPECT_EQ(FMT_Y(p), c.ey) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, FromPoint, testing::ValuesIn(kFromPointCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct ArcLengthCase {
    const char* name;
    double radius, a1, a2;
    double degreesSwept;
};

void PrintTo(const ArcLengthCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const ArcLengthCase kArcLengthCases[] = {
    {"quarter",               100, 0, 90,        90},
    {"three quarters back",   100, 90, 0,        270},
    {"across zero",           100, 350, 10,      20},
    {"the long way round",    100, 10, 350,      340},
    {"equal angles: circle",  100, 0, 0,         360},
    {"360 is 0: circle",      100, 0, 360,       360},
    {"negative start",        100, -90, 90,      180},
    {"beyond a turn",         100, 720.5, 0.5,   360},
    {"work area radius",      150000000, 0, 180, 180},
};
// clang-format on

class ArcLength : public testing::TestWithParam<ArcLengthCase> {};

TEST_P(ArcLength, CounterClockwiseFromFirstToSecond)
{
    const ArcLengthCase& c = GetParam();
    double expected = c.radius * c.degreesSwept * PI / 180.0;
    EXPECT_NEAR(GetArcDistance(c.radius, c.a1, c.a2), expected, 1e-9 * expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, ArcLength, testing::ValuesIn(kArcLengthCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct ArcBoxCase {
    const char* name;
    int fx, fy, tx, ty, cx, cy, r;
    int minX, minY, maxX, maxY;
    int midX, midY;  // Get_Circum_Center
};

void PrintTo(const ArcBoxCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const ArcBoxCase kArcBoxCases[] = {
    {"quarter",          100, 0, 0, 100,     0, 0, 100,   0, 0, 100, 100,        71, 71},
    {"across zero",      0, -100, 0, 100,    0, 0, 100,   0, -100, 100, 100,     100, 0},
    {"other half",       0, 100, 0, -100,    0, 0, 100,   -100, -100, 0, 100,    -100, 0},
    {"clockwise quarter given backwards",
                         0, 100, 100, 0,     0, 0, 100,   -100, -100, 100, 100,  -71, -71},
    {"full circle",      100, 0, 100, 0,     0, 0, 100,   -100, -100, 100, 100,  -100, 0},
    {"no axis passed",   99, 14, 14, 99,     0, 0, 100,   14, 14, 99, 99,        71, 71},
    {"starts on an axis",0, 100, -100, 0,    0, 0, 100,   -100, 0, 0, 100,       -71, 71},
    {"work area edge",   149999900, -100, 149999900, 100, 149999900, 0, 100,
                                             149999900, -100, 150000000, 100,    150000000, 0},
};
// clang-format on

class ArcBox : public testing::TestWithParam<ArcBoxCase> {};

TEST_P(ArcBox, EndsAndTheAxisPointsPassed)
{
    const ArcBoxCase& c = GetParam();
    POINT mn = {-1, -1}, mx = {-1, -1};
    Arc_MinMaxPointGet(c.fx, c.fy, c.tx, c.ty, c.cx, c.cy, c.r, &mn, &mx);
    EXPECT_EQ(mn.x, c.minX) << c.name;
    EXPECT_EQ(mn.y, c.minY) << c.name;
    EXPECT_EQ(mx.x, c.maxX) << c.name;
    EXPECT_EQ(mx.y, c.maxY) << c.name;
    int64_t mid = Get_Circum_Center(c.fx, c.fy, c.tx, c.ty, c.cx, c.cy, c.r);
    EXPECT_EQ(FMT_X(mid), c.midX) << c.name;
    EXPECT_EQ(FMT_Y(mid), c.midY) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, ArcBox, testing::ValuesIn(kArcBoxCases),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace

TEST(GeometryArcs, ArcAngleInRadiansBothWays)
{
    EXPECT_NEAR(GetArcAngle(100, 0, 0, 100, 0, 0, 0), PI / 2, 1e-12);
    EXPECT_NEAR(GetArcAngle(100, 0, 0, 100, 0, 0, 1), 3 * PI / 2, 1e-12);
    EXPECT_NEAR(GetArcAngle(0, -100, 0, 100, 0, 0, 0), PI, 1e-12);
    EXPECT_NEAR(GetArcAngle(100, 100, 0, 100, 0, 0, 0), PI / 4, 1e-12) << "across 0 from 315";
    EXPECT_NEAR(GetArcAngle(100, 0, 100, 0, 0, 0, 0), 2 * PI, 1e-12) << "full circle";
    EXPECT_NEAR(GetArcAngle(100, 0, 100, 0, 0, 0, 1), 2 * PI, 1e-12) << "full circle";
}
