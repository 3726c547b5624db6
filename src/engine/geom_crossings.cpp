// Crossings of segments and the edge codes of the point-in-polygon count.
// Decided exactly from 128-bit cross products: a point on an edge or a
// vertex on a ray must never depend on rounding.
#include "platform/qzt_geometry.h"

namespace {

// The sign of the cross product (b - a) x (p - a): 1 when p lies left of the
// direction a to b, -1 right of it, 0 on its line.
int Side(int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t px, int64_t py)
{
    __int128 cross = (__int128)(bx - ax) * (py - ay) - (__int128)(by - ay) * (px - ax);
    return cross > 0 ? 1 : cross < 0 ? -1 : 0;
}

// Whether p, known to lie on the line through a and b, lies within the
// segment's box.
bool Within(int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t px, int64_t py)
{
    return (ax <= bx ? ax <= px && px <= bx : bx <= px && px <= ax) &&
           (ay <= by ? ay <= py && py <= by : by <= py && py <= ay);
}

}  // namespace

int Kouten_Count_Check(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    int s1 = Side(x1, y1, x2, y2, x3, y3);
    int s2 = Side(x1, y1, x2, y2, x4, y4);
    int s3 = Side(x3, y3, x4, y4, x1, y1);
    int s4 = Side(x3, y3, x4, y4, x2, y2);
    if (s1 * s2 < 0 && s3 * s4 < 0) return 1;
    if ((s1 == 0 && Within(x1, y1, x2, y2, x3, y3)) || (s2 == 0 && Within(x1, y1, x2, y2, x4, y4)) ||
        (s3 == 0 && Within(x3, y3, x4, y4, x1, y1)) || (s4 == 0 && Within(x3, y3, x4, y4, x2, y2)))
        return 2;
    return 0;
}

int LineWindingNumber(int x, int y, int x1, int y1, int x2, int y2)
{
    if (Side(x1, y1, x2, y2, x, y) == 0 && Within(x1, y1, x2, y2, x, y)) return 30;
    if (y1 == y && y2 == y) return 10;
    if ((y1 > y && y2 > y) || (y1 < y && y2 < y)) return 0;
    bool up = y2 > y1;
    if (y1 == y) return x1 > x ? (up ? 1 : -1) : 0;
    if (y2 == y) return x2 > x ? (up ? 2 : -2) : 0;
    // The edge passes the ray's line between its ends; it crosses the ray
    // when the point lies left of the edge taken upwards.
    int side = up ? Side(x1, y1, x2, y2, x, y) : Side(x2, y2, x1, y1, x, y);
    if (side <= 0) return 0;
    return up ? 3 : -3;
}
