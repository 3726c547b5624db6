// The view commands' shared operations: setting the view to a zoom at a
// centre, centring on a box, and the history of the areas shown.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_canvas.h"
#include "platform/layout_part.h"
#include "view/cnv.h"

// Stores z through the function bar and rebuilds rcView at zoom z around
// (cx, cy); sets the engine's centre.
void VIEW_SetView(double z, int32_t cx, int32_t cy);
// Makes the board point `p` the centre of the view. While the zoom is the
// one set by rule the view keeps its size and `scroll` gets the pixels the
// picture moves by (true: the canvas `hWnd`, which may be null, can scroll
// them); after a zoom chosen by hand the window zoom is taken back up and
// the whole canvas wants painting (false).
bool VIEW_MoveCentre(CanvasState* state, HWND hWnd, POINT p, POINT* scroll);
// Pushes rcView, fits the box (x1, y1)-(x2, y2) enlarged by `factor` into
// the canvas around the box's centre and repaints.
void VIEW_CenterOnPoint(CanvasState* state, int32_t x1, int32_t y1, int32_t x2, int32_t y2, double factor);
// The box around `centre` as large as the four corner points span.
void VIEW_BoxAroundCenter(POINT centre, const int32_t corners[4][2], POINT* low, POINT* high);
// Erases the crosshair and the rubber figure of the waiting request before a
// repaint (it is drawn again at the next mouse move).
void VIEW_EraseCursorFigures();
// Fits the view around a part centred at `centre` (factor 2.0), the part
// shown highlighted meanwhile, and forgets the part the engine remembers.
void VIEW_CenterOnPart(CanvasState* state, PartRecord* part, POINT centre);
// The assignment zoom of the dispatcher: asks for a part-pin name and
// centres the view on it.
void VIEW_ZoomToAssignPart();
