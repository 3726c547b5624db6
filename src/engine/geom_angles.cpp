// Directions and arcs. Directions between integer points are exact on the
// axes and the diagonals, where measurements and dimension texts most often
// land, so that a vertical line reads 90 and never 89.99999999999999.
#include "platform/qzt_geometry.h"
#include "platform/qzt_runtime.h"
#include "engine/geom_internal.h"

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double DEG = PI / 180.0;

}  // namespace

double geom::Normalize(double degrees)
{
    if (!std::isfinite(degrees)) return 0.0;
    double a = std::fmod(degrees, 360.0);
    if (a < 0.0) a += 360.0;
    // fmod of a tiny negative value lifted by 360 can round up to 360.
    if (a >= 360.0) a = 0.0;
    return a;
}

double geom::Sweep(double a1, double a2)
{
    double s = Normalize(a2) - Normalize(a1);
    if (s <= 0.0) s += 360.0;
    return s;
}

double geom::Direction(int64_t dx, int64_t dy)
{
    if (dy == 0) return dx >= 0 ? 0.0 : 180.0;
    if (dx == 0) return dy > 0 ? 90.0 : 270.0;
    if (dx == dy) return dx > 0 ? 45.0 : 225.0;
    if (dx == -dy) return dx > 0 ? 315.0 : 135.0;
    return Normalize(std::atan2((double)dy, (double)dx) / DEG);
}

void geom::CosSin(double degrees, double* c, double* s)
{
    double a = Normalize(degrees);
    if (a == 0.0) { *c = 1.0; *s = 0.0; return; }
    if (a == 90.0) { *c = 0.0; *s = 1.0; return; }
    if (a == 180.0) { *c = -1.0; *s = 0.0; return; }
    if (a == 270.0) { *c = 0.0; *s = -1.0; return; }
    *c = std::cos(a * DEG);
    *s = std::sin(a * DEG);
}

double AngleDirection(int x1, int y1, int x2, int y2)
{
    return geom::Direction((int64_t)x2 - x1, (int64_t)y2 - y1);
}

double GetAngle(int cx, int cy, int x, int y)
{
    return geom::Direction((int64_t)x - cx, (int64_t)y - cy);
}

int Get_AngleCode16(int x1, int y1, int x2, int y2)
{
    double a = AngleDirection(x1, y1, x2, y2);
    return (int)std::floor((a + 11.25) / 22.5) % 16;
}

int64_t XYDistAngle(int x, int y, double distance, double degrees)
{
    double c, s;
    geom::CosSin(degrees, &c, &s);
    return geom::Pack(dtol(x + distance * c), dtol(y + distance * s));
}

int64_t XYfromPoint(int x1, int y1, int x2, int y2, double d)
{
    double dx = (double)((int64_t)x2 - x1);
    double dy = (double)((int64_t)y2 - y1);
    double len = std::hypot(dx, dy);
    if (len == 0.0) return geom::Pack(dtol(x1 + d), y1);
    // Along the unit vector rather than through the angle: a point on a
    // slanted line lands on the nearest unit of that line.
    return geom::Pack(dtol(x1 + d * dx / len), dtol(y1 + d * dy / len));
}

double GetArcDistance(double radius, double a1, double a2)
{
    return radius * geom::Sweep(a1, a2) * DEG;
}

double GetArcAngle(int x1, int y1, int x2, int y2, int cx, int cy, int direction)
{
    double a1 = GetAngle(cx, cy, x1, y1);
    double a2 = GetAngle(cx, cy, x2, y2);
    return (direction == 1 ? geom::Sweep(a2, a1) : geom::Sweep(a1, a2)) * DEG;
}

void Arc_MinMaxPointGet(int fx, int fy, int tx, int ty, int cx, int cy, int r, POINT* min,
                        POINT* max)
{
    long minX = fx < tx ? fx : tx;
    long maxX = fx < tx ? tx : fx;
    long minY = fy < ty ? fy : ty;
    long maxY = fy < ty ? ty : fy;
    double a1 = GetAngle(cx, cy, fx, fy);
    double sweep = geom::Sweep(a1, GetAngle(cx, cy, tx, ty));
    // The circle's extreme points on the axes through the centre, at 0, 90,
    // 180 and 270 degrees, count when the arc passes them.
    for (int k = 0; k < 4; ++k) {
        double offset = geom::Sweep(a1, 90.0 * k);
        if (offset != 360.0 && offset > sweep) continue;
        long px = k == 0 ? dtol((double)cx + r) : k == 2 ? dtol((double)cx - r) : cx;
        long py = k == 1 ? dtol((double)cy + r) : k == 3 ? dtol((double)cy - r) : cy;
        if (px < minX) minX = px;
        if (px > maxX) maxX = px;
        if (py < minY) minY = py;
        if (py > maxY) maxY = py;
    }
    if (min) { min->x = minX; min->y = minY; }
    if (max) { max->x = maxX; max->y = maxY; }
}

int64_t Get_Circum_Center(int fx, int fy, int tx, int ty, int cx, int cy, int r)
{
    double a1 = GetAngle(cx, cy, fx, fy);
    double middle = a1 + geom::Sweep(a1, GetAngle(cx, cy, tx, ty)) * 0.5;
    return XYDistAngle(cx, cy, r, middle);
}
