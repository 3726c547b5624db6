// The engine's geometric tests of one line or arc record (data code 82, the
// 60-byte LineRecord) against a point or a box, as the pickers run them.
//
// The line's own width counts: a point hits a line when it lies within half
// the line's width (from its line-width table row) plus the tolerance of the
// line's centre line. The tolerance is given per axis; the larger of the two
// is used, so a pick is never narrower than the pick square.
//
// Arcs: code 0x522 runs counter-clockwise from its first end to its second,
// 0x521 clockwise; two equal ends make the full circle. The radius is the
// record's radius word, or the distance of the first end when that is 0.
#pragma once
#include <windows.h>

extern "C" {

// A point on a straight segment / on an arc: 1 when hit, 0 when not (also
// for a null point or record). `context` is not read.
int pDL_PointOnLine(void* context, const POINT* point, int xTolerance, int yTolerance,
                    const void* record);
int pDL_PointOnArc(void* context, const POINT* point, int xTolerance, int yTolerance,
                   const void* record);
// A segment / an arc inside a box given as `count` corner points (4, as
// OppositeAnglePnt2BoxPnt writes them; any order of corners): 1 when the
// whole centre line lies within the corners' bounding box grown by the
// tolerance, else 0. A count other than 4 gives 0.
int pDL_LineInBox(void* context, int count, const POINT* corners, int xTolerance, int yTolerance,
                  const void* record);
int pDL_ArcInBox(void* context, int count, const POINT* corners, int xTolerance, int yTolerance,
                 const void* record);
}
