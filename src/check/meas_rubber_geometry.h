// Where the offset line of a dimension-style rubber figure lies: given two
// fixed points, the cursor and a length, the two ends of the line at that
// length from the cursor towards the lines from the fixed points, with the
// directions from the cursor to them.
#pragma once
#include <windows.h>

// Fills q1 and q2 (the ends of the offset line), angle1 and angle2 (the
// whole-degree directions from the cursor to them, times 1000) and
// angleCode (the 16-way direction code of the cursor seen from the midpoint
// of p1 and p2). Returns 1.
int MEAS_RubberBandGeometry(double d, int* angle1, int* angle2, int* angleCode, POINT p1, POINT p2, POINT c,
                            POINT* q1, POINT* q2);
// Where the straight line through p1 and p2 meets the horizontal (vertical)
// line through p.
POINT MEAS_HorizontalMeet(POINT p1, POINT p2, POINT p);
POINT MEAS_VerticalMeet(POINT p1, POINT p2, POINT p);
