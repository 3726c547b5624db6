// Inside the engine: the exact building blocks the geometry calls share.
#pragma once
#include <cstdint>

namespace geom {

// The direction of (dx, dy) in degrees [0, 360); 0 for (0, 0). Axis and
// diagonal directions come out exact.
double Direction(int64_t dx, int64_t dy);
// Cosine and sine of an angle in degrees, exact at multiples of 90.
void CosSin(double degrees, double* c, double* s);
// An angle brought into [0, 360).
double Normalize(double degrees);
// The counter-clockwise sweep from a1 to a2 in (0, 360]: equal angles make
// the full turn.
double Sweep(double a1, double a2);
int64_t Pack(long x, long y);

}  // namespace geom
