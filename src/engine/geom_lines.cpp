// Lines given by a·x + b·y + c = 0: through two points, perpendicular and
// parallel through a point, where two meet, and feet of perpendiculars.
// The meeting point is solved in extended precision: near-parallel lines
// through points far out in the work area lose their last units otherwise.
#include "platform/qzt_geometry.h"
#include "platform/qzt_runtime.h"
#include "engine/geom_internal.h"

#include <cmath>

void Chokusen(int x1, int y1, int x2, int y2, double* a, double* b, double* c)
{
    long double dx = (long double)((int64_t)x2 - x1);
    long double dy = (long double)((int64_t)y2 - y1);
    long double len = std::sqrt(dx * dx + dy * dy);
    long double la = 0, lb = 0, lc = 0;
    if (len != 0) {
        // A unit normal makes a point's line value its distance from the
        // line, and keeps c near the size of a coordinate.
        la = dy / len;
        lb = -dx / len;
        lc = -(la * x1 + lb * y1);
    }
    if (a) *a = (double)la;
    if (b) *b = (double)lb;
    if (c) *c = (double)lc;
}

void ChokkouSen(int x, int y, double a, double b, double c, double* pa, double* pb, double* pc)
{
    // The perpendicular's normal is the line's direction (-b, a).
    long double na = -(long double)b;
    long double nb = a;
    if (pa) *pa = (double)na;
    if (pb) *pb = (double)nb;
    if (pc) *pc = (double)-(na * x + nb * y);
}

void HeikouSen(int x, int y, double a, double b, double c, double* pa, double* pb, double* pc)
{
    if (pa) *pa = a;
    if (pb) *pb = b;
    if (pc) *pc = (double)-((long double)a * x + (long double)b * y);
}

int64_t Kouten_ChokkouSen2(int x, int y, double a, double b, double c)
{
    long double la = a, lb = b;
    long double n2 = la * la + lb * lb;
    if (n2 == 0) return MakeFmtXY(x, y);
    long double t = (la * x + lb * y + c) / n2;
    return geom::Pack(dtol((double)(x - la * t)), dtol((double)(y - lb * t)));
}

int64_t KoutenEx(double a1, double b1, double c1, double a2, double b2, double c2, int* flag)
{
    long double det = (long double)a1 * b2 - (long double)a2 * b1;
    if (det != 0) {
        long double x = ((long double)b1 * c2 - (long double)b2 * c1) / det;
        long double y = ((long double)a2 * c1 - (long double)a1 * c2) / det;
        // Lines that are parallel up to rounding meet far outside the board;
        // such a point is no answer anyone can draw.
        if (std::fabs(x) <= 2147483647.0L && std::fabs(y) <= 2147483647.0L) {
            if (flag) *flag = 1;
            return geom::Pack(dtol((double)x), dtol((double)y));
        }
    }
    if (flag) *flag = 0;
    return Kouten_ChokkouSen2(0, 0, a2, b2, c2);
}

int64_t NearestPoint(int64_t point, int64_t a, int64_t b, int* end)
{
    int64_t ax = FMT_X(a), ay = FMT_Y(a);
    int64_t dx = (int64_t)FMT_X(b) - ax;
    int64_t dy = (int64_t)FMT_Y(b) - ay;
    int64_t px = (int64_t)FMT_X(point) - ax;
    int64_t py = (int64_t)FMT_Y(point) - ay;
    // Which part of the segment is nearest is decided exactly; only a point
    // between the ends is rounded.
    __int128 dot = (__int128)px * dx + (__int128)py * dy;
    __int128 len2 = (__int128)dx * dx + (__int128)dy * dy;
    int which;
    int64_t result;
    if (len2 == 0 || dot <= 0) {
        which = 1;
        result = a;
    } else if (dot >= len2) {
        which = 2;
        result = b;
    } else {
        long double t = (long double)dot / (long double)len2;
        result = geom::Pack(dtol((double)(ax + t * dx)), dtol((double)(ay + t * dy)));
        which = 0;
    }
    if (end) *end = which;
    return result;
}
