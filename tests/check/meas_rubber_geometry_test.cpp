// The offset line of a dimension-style rubber figure: its ends and the
// directions to them for the cursor level with, above, and off the middle
// of the two fixed points.
#include <gtest/gtest.h>

#include "check/meas_rubber_geometry.h"

namespace {

constexpr int MM = 100000;

TEST(MeasRubberGeometry, EndsAndDirectionsTable)
{
    struct Case {
        const char* name;
        POINT p1, p2, c;
        double d;
        POINT q1, q2;
        int angle1, angle2, code;
    };
    const Case cases[] = {
        // Level with the middle: both ends on the vertical through the cursor.
        {"level", {0, 0}, {0, 10 * MM}, {4 * MM, 5 * MM}, 2 * MM, {4 * MM, 3 * MM}, {4 * MM, 7 * MM}, 270000, 90000, 0},
        // Straight above the middle: both ends on the horizontal through it.
        {"above", {0, 0}, {10 * MM, 0}, {5 * MM, 3 * MM}, 2 * MM, {3 * MM, 3 * MM}, {7 * MM, 3 * MM}, 180000, 0, 4},
        // Off both axes: the feet of the perpendiculars from the cursor; the
        // directions 126.87 and 33.69 degrees come back as whole degrees.
        {"off", {0, 0}, {10 * MM, 0}, {6 * MM, 3 * MM}, 2 * MM, {480000, 460000}, {766410, 410940}, 127000, 34000, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        POINT q1{}, q2{};
        int a1 = -1, a2 = -1, code = -1;
        EXPECT_EQ(MEAS_RubberBandGeometry(c.d, &a1, &a2, &code, c.p1, c.p2, c.c, &q1, &q2), 1);
        EXPECT_NEAR(q1.x, c.q1.x, 2);
        EXPECT_NEAR(q1.y, c.q1.y, 2);
        EXPECT_NEAR(q2.x, c.q2.x, 2);
        EXPECT_NEAR(q2.y, c.q2.y, 2);
        EXPECT_EQ(a1, c.angle1);
        EXPECT_EQ(a2, c.angle2);
        EXPECT_EQ(code, c.code);
    }
}

TEST(MeasRubberGeometry, MeetingPoints)
{
    // The line through (0, 0) and (4, 2) meets y = 1 at x = 2 and x = 2 at y = 1.
    POINT h = MEAS_HorizontalMeet({0, 0}, {4 * MM, 2 * MM}, {9 * MM, MM});
    EXPECT_NEAR(h.x, 2 * MM, 1);
    EXPECT_NEAR(h.y, MM, 1);
    POINT v = MEAS_VerticalMeet({0, 0}, {4 * MM, 2 * MM}, {2 * MM, 9 * MM});
    EXPECT_NEAR(v.x, 2 * MM, 1);
    EXPECT_NEAR(v.y, MM, 1);
}

}  // namespace
