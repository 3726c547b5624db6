// dtol: doubles to board units, rounding to nearest with halves away from
// zero, and out-of-range values pinned to the 32-bit limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/qzt_runtime.h"

namespace {

struct DtolCase {
    const char* name;
    double value;
    long expected;
};

// clang-format off
const DtolCase kDtolCases[] = {
    {"zero",                 0.0,              0},
    {"negative zero",       -0.0,              0},
    {"just below half",      0.4999999,        0},
    {"half up",              0.5,              1},
    {"half down",           -0.5,             -1},
    {"two and a half",       2.5,              3},
    {"minus two and a half",-2.5,             -3},
    {"typed 1.23456 mm",     1.23456 * 100000.0, 123456},
    {"typed -0.00001 mm",   -0.00001 * 100000.0, -1},
    {"work area edge",       150000000.0,      150000000},
    {"work area edge neg",  -150000000.0,     -150000000},
    {"largest int32",        2147483647.0,     INT32_MAX},
    {"rounds onto max",      2147483646.6,     INT32_MAX},
    {"past int32",           2147483648.0,     INT32_MAX},
    {"far past int32",       1e15,             INT32_MAX},
    {"smallest int32",      -2147483648.0,     INT32_MIN},
    {"below int32",         -2147483649.0,     INT32_MIN},
    {"infinity",             INFINITY,         INT32_MAX},
    {"minus infinity",      -INFINITY,         INT32_MIN},
    {"not a number",         NAN,              INT32_MIN},
};
// clang-format on

}  // namespace

TEST(Dtol, TableOfValues)
{
    for (const DtolCase& c : kDtolCases)
        EXPECT_EQ(dtol(c.value), c.expected) << c.name;
}
