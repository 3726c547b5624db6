// Points: distances, packing, offsets, rotation and part placement. Sums are
// formed in 64 bits and rounded once, so no step wraps around at the edge of
// the 32-bit range.
#include "platform/qzt_geometry.h"
#include "platform/qzt_runtime.h"
#include "engine/geom_internal.h"

#include <cmath>

int64_t geom::Pack(long x, long y)
{
    return (int64_t)(((uint64_t)(uint32_t)y << 32) | (uint32_t)x);
}

int Distance_Pnt_to_Pnt(int x1, int y1, int x2, int y2)
{
    double dx = (double)((int64_t)x2 - x1);
    double dy = (double)((int64_t)y2 - y1);
    return (int)dtol(std::hypot(dx, dy));
}

int IsEqualPoint(int x1, int y1, int x2, int y2)
{
    return x1 == x2 && y1 == y2 ? 1 : 0;
}

int64_t MakeFmtXY(int x, int y)
{
    return geom::Pack(x, y);
}

int64_t PointOffset(int x, int y, int dx, int dy)
{
    return geom::Pack(dtol((double)x + dx), dtol((double)y + dy));
}

int64_t PointOffset(int64_t point, int dx, int dy)
{
    return PointOffset(FMT_X(point), FMT_Y(point), dx, dy);
}

int64_t PointOffset(int64_t point, int64_t offset)
{
    return PointOffset(FMT_X(point), FMT_Y(point), FMT_X(offset), FMT_Y(offset));
}

int64_t PointRotation(int64_t point, int64_t centre, double degrees)
{
    double c, s;
    geom::CosSin(degrees, &c, &s);
    double dx = (double)((int64_t)FMT_X(point) - FMT_X(centre));
    double dy = (double)((int64_t)FMT_Y(point) - FMT_Y(centre));
    return geom::Pack(dtol(FMT_X(centre) + dx * c - dy * s), dtol(FMT_Y(centre) + dx * s + dy * c));
}

int64_t MrrAndRotAtGenten(int x, int y, int placement)
{
    int px = x;
    int py = y;
    sym_mir_rot(placement & 1, placement >> 8, 0, 0, &px, &py);
    return geom::Pack(px, py);
}

void sym_mir_rot(int mirror, int angle, int offsetX, int offsetY, int* x, int* y)
{
    if (!x || !y) return;
    double px = mirror ? -(double)*x : (double)*x;
    double py = (double)*y;
    double c, s;
    geom::CosSin(angle / 1000.0, &c, &s);
    *x = (int)dtol(px * c - py * s + offsetX);
    *y = (int)dtol(px * s + py * c + offsetY);
}
