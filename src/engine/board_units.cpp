// Doubles to board units. Every typed or computed length becomes a board
// unit through here.
#include "platform/qzt_runtime.h"

#include <cmath>
#include <cstdint>

static_assert(sizeof(long) == 4, "board units are 32-bit LONG values");

long dtol(double value)
{
    if (std::isnan(value)) return INT32_MIN;
    double r = std::round(value);  // halves away from zero
    if (r >= 2147483647.0) return INT32_MAX;
    if (r <= -2147483648.0) return INT32_MIN;
    return (long)r;
}
