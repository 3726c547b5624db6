// Point and box tests of single line and arc records for the pickers.
#include "platform/qzt_figure_hits.h"

#include <algorithm>
#include <cmath>

#include "engine/geom_internal.h"
#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/qzt_geometry.h"
#include "platform/qzt_records.h"

namespace {

// How far from the centre line a point may lie and still hit the record.
double Reach(const LineRecord* r, int xTolerance, int yTolerance)
{
    int width = PDL_GetLineWidth(r);
    int tolerance = std::max(std::abs(xTolerance), std::abs(yTolerance));
    return (width > 0 ? width / 2.0 : 0.0) + tolerance;
}

double SegmentDistance(double px, double py, double x1, double y1, double x2, double y2)
{
    double dx = x2 - x1, dy = y2 - y1;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - x1) * dx + (py - y1) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (x1 + t * dx), py - (y1 + t * dy));
}

double ArcRadius(const LineRecord* r)
{
    if (r->radius) return std::fabs((double)r->radius);
    return std::hypot((double)r->x1 - r->cx, (double)r->y1 - r->cy);
}

// The counter-clockwise start and end of the arc, as points.
void ArcCcwEnds(const LineRecord* r, int* sx, int* sy, int* ex, int* ey)
{
    bool clockwise = r->code == FC_ARC_CW;
    *sx = clockwise ? r->x2 : r->x1;
    *sy = clockwise ? r->y2 : r->y1;
    *ex = clockwise ? r->x1 : r->x2;
    *ey = clockwise ? r->y1 : r->y2;
}

double ArcDistance(double px, double py, const LineRecord* r)
{
    int sx, sy, ex, ey;
    ArcCcwEnds(r, &sx, &sy, &ex, &ey);
    double radius = ArcRadius(r);
    double fromCentre = std::hypot(px - r->cx, py - r->cy);
    double a1 = GetAngle(r->cx, r->cy, sx, sy);
    double sweep = geom::Sweep(a1, GetAngle(r->cx, r->cy, ex, ey));
    double at = geom::Sweep(a1, geom::Direction((int64_t)std::llround(px) - r->cx,
                                                (int64_t)std::llround(py) - r->cy));
    // A point in the arc's sector is as far as it is from the circle; any
    // other is as far as the nearer end. The centre itself lies in every
    // sector at the distance of the radius.
    if (sweep >= 360.0 || at >= 360.0 || at <= sweep || fromCentre == 0.0)
        return std::fabs(fromCentre - radius);
    return std::min(std::hypot(px - sx, py - sy), std::hypot(px - ex, py - ey));
}

bool BoxOf(int count, const POINT* corners, int xTolerance, int yTolerance, double box[4])
{
    if (count != 4 || !corners) return false;
    double minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, (double)corners[i].x);
        maxX = std::max(maxX, (double)corners[i].x);
        minY = std::min(minY, (double)corners[i].y);
        maxY = std::max(maxY, (double)corners[i].y);
    }
    double tx = std::abs(xTolerance), ty = std::abs(yTolerance);
    box[0] = minX - tx;
    box[1] = minY - ty;
    box[2] = maxX + tx;
    box[3] = maxY + ty;
    return true;
}

bool Inside(const double box[4], double x, double y)
{
    return x >= box[0] && x <= box[2] && y >= box[1] && y <= box[3];
}

}  // namespace

int pDL_PointOnLine(void*, const POINT* point, int xTolerance, int yTolerance, const void* record)
{
    if (!point || !record) return 0;
    const LineRecord* r = (const LineRecord*)record;
    double d = SegmentDistance(point->x, point->y, r->x1, r->y1, r->x2, r->y2);
    return d <= Reach(r, xTolerance, yTolerance) ? 1 : 0;
}

int pDL_PointOnArc(void*, const POINT* point, int xTolerance, int yTolerance, const void* record)
{
    if (!point || !record) return 0;
    const LineRecord* r = (const LineRecord*)record;
    return ArcDistance(point->x, point->y, r) <= Reach(r, xTolerance, yTolerance) ? 1 : 0;
}

int pDL_LineInBox(void*, int count, const POINT* corners, int xTolerance, int yTolerance,
                  const void* record)
{
    double box[4];
    if (!record || !BoxOf(count, corners, xTolerance, yTolerance, box)) return 0;
    const LineRecord* r = (const LineRecord*)record;
    return Inside(box, r->x1, r->y1) && Inside(box, r->x2, r->y2) ? 1 : 0;
}

int pDL_ArcInBox(void*, int count, const POINT* corners, int xTolerance, int yTolerance,
                 const void* record)
{
    double box[4];
    if (!record || !BoxOf(count, corners, xTolerance, yTolerance, box)) return 0;
    const LineRecord* r = (const LineRecord*)record;
    int sx, sy, ex, ey;
    ArcCcwEnds(r, &sx, &sy, &ex, &ey);
    POINT lo, hi;
    if (sx == ex && sy == ey) {
        int radius = (int)std::lround(ArcRadius(r));
        lo = {r->cx - radius, r->cy - radius};
        hi = {r->cx + radius, r->cy + radius};
    } else {
        Arc_MinMaxPointGet(sx, sy, ex, ey, r->cx, r->cy, (int)std::lround(ArcRadius(r)), &lo, &hi);
    }
    return Inside(box, lo.x, lo.y) && Inside(box, hi.x, hi.y) ? 1 : 0;
}
