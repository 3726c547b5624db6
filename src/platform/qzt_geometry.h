// The engine's plane geometry: distances, directions, arcs, lines given by
// their coefficients, crossings and boxes, in board units (signed 32-bit
// integers of 0.00001 mm) with angles as doubles in degrees.
//
// Conventions of every call here:
// - A packed point is one 64-bit value with x in the low and y in the high
//   32 bits (MakeFmtXY); FMT_X and FMT_Y take it apart.
// - Directions are counter-clockwise from the positive x axis, in [0, 360).
//   The direction between two equal points is 0, so every call that needs a
//   direction of a zero-length segment takes the positive x axis.
// - Arcs run counter-clockwise from their first angle or point to their
//   second; equal angles (or two points in the same direction from the
//   centre) make the full circle, which is how full circles are stored.
// - Computed points are rounded to the nearest unit (dtol): results outside
//   the 32-bit range are pinned to its limits.
// - Lines a·x + b·y + c = 0 made by Chokusen have (a, b) of length 1, so the
//   value a·x + b·y + c of a point is its signed distance from the line.
#pragma once
#include <windows.h>

#include <cstdint>

extern "C" {

// ---- Points --------------------------------------------------------------------

// The distance between two points, rounded to the nearest unit.
int Distance_Pnt_to_Pnt(int x1, int y1, int x2, int y2);
// 1 when the two points are the same, else 0 (no tolerance).
int IsEqualPoint(int x1, int y1, int x2, int y2);
int64_t MakeFmtXY(int x, int y);
// The point (x + dx, y + dy), packed. The other two forms follow below.
int64_t PointOffset(int x, int y, int dx, int dy);
// The packed point turned counter-clockwise by `degrees` about the packed
// centre.
int64_t PointRotation(int64_t point, int64_t centre, double degrees);
// A point of a part or block placed by a placement word (bit 0 mirror, bits
// 8-31 the angle in thousandths of a degree, read with an arithmetic shift):
// mirrored first (x becomes -x) when bit 0 is set, then turned about the
// origin. Packed; the part's position is added by the caller.
int64_t MrrAndRotAtGenten(int x, int y, int placement);
// The same placement in place, with the mirror flag and the angle (in
// thousandths of a degree) apart, then moved by (offsetX, offsetY).
void sym_mir_rot(int mirror, int angle, int offsetX, int offsetY, int* x, int* y);

// ---- Directions and arcs ---------------------------------------------------------

// The direction from the first point to the second, in degrees [0, 360).
double AngleDirection(int x1, int y1, int x2, int y2);
// The direction of (x, y) seen from the centre: the same as AngleDirection.
double GetAngle(int cx, int cy, int x, int y);
// The direction from the first point to the second as one of 16 codes:
// 0 for directions within 11.25 degrees of the positive x axis, counting
// counter-clockwise in steps of 22.5 degrees to 15.
int Get_AngleCode16(int x1, int y1, int x2, int y2);
// The point at `distance` from (x, y) in the direction `degrees`, packed.
int64_t XYDistAngle(int x, int y, double distance, double degrees);
// The point at distance d from (x1, y1) towards (x2, y2), packed; a
// negative d goes away from (x2, y2).
int64_t XYfromPoint(int x1, int y1, int x2, int y2, double d);
// The length of the arc of `radius` from angle a1 counter-clockwise to a2
// (degrees, any value), in the unit of the radius; equal angles give the
// whole circumference.
double GetArcDistance(double radius, double a1, double a2);
// The angle the arc from (x1, y1) to (x2, y2) about (cx, cy) sweeps, in
// radians (0, 2π]: counter-clockwise with direction 0, clockwise with 1.
double GetArcAngle(int x1, int y1, int x2, int y2, int cx, int cy, int direction);
// The bounding box of the arc of radius r about (cx, cy) from (fx, fy)
// counter-clockwise to (tx, ty): its two end points and the points of the
// circle on the axes that the arc passes.
void Arc_MinMaxPointGet(int fx, int fy, int tx, int ty, int cx, int cy, int r, POINT* min,
                        POINT* max);
// The middle point of that arc, packed.
int64_t Get_Circum_Center(int fx, int fy, int tx, int ty, int cx, int cy, int r);

// ---- Lines a·x + b·y + c = 0 -------------------------------------------------------

// The line through two points, (a, b) of length 1 (a, b and c all 0 for
// equal points).
void Chokusen(int x1, int y1, int x2, int y2, double* a, double* b, double* c);
// The line through (x, y) perpendicular (ChokkouSen) or parallel (HeikouSen)
// to the line (a, b, c).
void ChokkouSen(int x, int y, double a, double b, double c, double* pa, double* pb, double* pc);
void HeikouSen(int x, int y, double a, double b, double c, double* pa, double* pb, double* pc);
// Where two lines meet, packed, with *flag 1. Parallel lines, a line without
// direction (a = b = 0), or a meeting point beyond the 32-bit range give
// *flag 0 and the point of the second line nearest the origin.
int64_t KoutenEx(double a1, double b1, double c1, double a2, double b2, double c2, int* flag);
// The foot of the perpendicular from (x, y) on the line, packed; the point
// itself for a line without direction.
int64_t Kouten_ChokkouSen2(int x, int y, double a, double b, double c);
// The point of the segment from a to b nearest to `point` (all packed);
// *end is 1 when that is a, 2 when it is b, and 0 when it lies between.
int64_t NearestPoint(int64_t point, int64_t a, int64_t b, int* end);

// ---- Crossings ---------------------------------------------------------------------

// Whether the segment (x1, y1)-(x2, y2) and the segment (x3, y3)-(x4, y4)
// meet: 1 when they cross at one point inside both, 2 when they only touch
// (an end on the other segment) or overlap along one line, 0 when apart.
int Kouten_Count_Check(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
// How the edge (x1, y1)-(x2, y2) meets the ray from (x, y) towards +x, for
// the crossing count of a point in a polygon:
//   30 the point lies on the edge;
//   3 / -3 the edge crosses the ray upwards / downwards between its ends;
//   1 / -1 the edge starts on the ray and goes up / down;
//   2 / -2 the edge ends on the ray coming from below / above;
//   10 the edge lies along the ray's line; 0 the edge misses the ray.
// Counting A for ±3, B for -1 and -2, C for 1 and 2, the point is inside
// when A + 2·min(B, C) + |B - C| / 2 is odd.
int LineWindingNumber(int x, int y, int x1, int y1, int x2, int y2);

// ---- Boxes -------------------------------------------------------------------------
// A box is four words {x1, y1, x2, y2} (a RECT); its corners may come in
// either order.

// Non-zero when the two boxes have no point in common (boxes that touch at
// an edge or a corner are not separate).
int IsSeparateRect(const RECT* a, const RECT* b);
// The four corners of the box with the two opposite corners given, in the
// order (min x, min y), (max x, min y), (max x, max y), (min x, max y).
void OppositeAnglePnt2BoxPnt(int x1, int y1, int x2, int y2, POINT corners[4]);
// How many of the n points lie in the box, edges included.
int FigPointInBox(const RECT* box, const POINT* points, int n);
// Widens the extent {min x, min y, max x, max y} to hold the box given.
void AreaMinMaxPointMarge(RECT* extent, int minX, int minY, int maxX, int maxY);
}

// The other two forms of PointOffset: a packed point moved by (dx, dy), and
// by a packed offset.
int64_t PointOffset(int64_t point, int dx, int dy);
int64_t PointOffset(int64_t point, int64_t offset);

inline int FMT_X(int64_t point) { return (int)(uint32_t)((uint64_t)point & 0xffffffffu); }
inline int FMT_Y(int64_t point) { return (int)(uint32_t)((uint64_t)point >> 32); }
