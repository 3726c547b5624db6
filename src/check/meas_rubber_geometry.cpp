// The geometry of a dimension-style rubber figure (see the header).
#include "check/meas_rubber_geometry.h"

#include <cstdint>

#include "platform/qzt_geometry.h"
#include "platform/qzt_runtime.h"

namespace {

POINT Unpack(int64_t packed)
{
    return {(LONG)(int32_t)(uint32_t)(uint64_t)packed, (LONG)(int32_t)(uint32_t)((uint64_t)packed >> 32)};
}

POINT Meet(POINT p1, POINT p2, double a2, double b2, double c2)
{
    double a1, b1, c1;
    Chokusen(p1.x, p1.y, p2.x, p2.y, &a1, &b1, &c1);
    int flag = 0;
    return Unpack(KoutenEx(a1, b1, c1, a2, b2, c2, &flag));
}

// The foot of the perpendicular from c to the line through p and q.
POINT Foot(POINT p, POINT q, POINT c)
{
    double a, b, k;
    Chokusen(p.x, p.y, q.x, q.y, &a, &b, &k);
    return Unpack(Kouten_ChokkouSen2(c.x, c.y, a, b, k));
}

}  // namespace

POINT MEAS_HorizontalMeet(POINT p1, POINT p2, POINT p) { return Meet(p1, p2, 0, 1, -(double)p.y); }

POINT MEAS_VerticalMeet(POINT p1, POINT p2, POINT p) { return Meet(p1, p2, 1, 0, -(double)p.x); }

int MEAS_RubberBandGeometry(double d, int* angle1, int* angle2, int* angleCode, POINT p1, POINT p2, POINT c,
                            POINT* q1, POINT* q2)
{
    POINT m = {(LONG)dtol(((double)p1.x + p2.x) * 0.5), (LONG)dtol(((double)p1.y + p2.y) * 0.5)};
    double a1 = GetAngle(m.x, m.y, p1.x, p1.y), a2 = GetAngle(m.x, m.y, p2.x, p2.y);
    POINT r1 = Unpack(XYDistAngle(c.x, c.y, d, a1)), r2 = Unpack(XYDistAngle(c.x, c.y, d, a2));
    long dx = (long)c.x - m.x, dy = (long)c.y - m.y;
    if (dy == 0 && dx != 0) {
        r1 = MEAS_VerticalMeet(p1, r1, c);
        r2 = MEAS_VerticalMeet(p2, r2, c);
    } else if (dx == 0 && dy != 0) {
        r1 = MEAS_HorizontalMeet(p1, r1, c);
        r2 = MEAS_HorizontalMeet(p2, r2, c);
    } else {
        r1 = Foot(p1, r1, c);
        r2 = Foot(p2, r2, c);
    }
    double b1 = GetAngle(c.x, c.y, r1.x, r1.y), b2 = GetAngle(c.x, c.y, r2.x, r2.y);
    *q1 = Unpack(XYDistAngle(c.x, c.y, d, b1));
    *q2 = Unpack(XYDistAngle(c.x, c.y, d, b2));
    *angle1 = (int)dtol(b1) * 1000;
    *angle2 = (int)dtol(b2) * 1000;
    *angleCode = Get_AngleCode16(m.x, m.y, c.x, c.y);
    return 1;
}
