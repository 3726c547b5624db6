// The measuring commands: distance and angle, the command frame they share
// (start with the option panel shown, points taken from answered requests,
// requests replaced step by step, the common end), and the rubber figures
// that join the picked points to the cursor.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/cmd.h"

// ---- State procedures ----------------------------------------------------------

// "距離": two points, their distance in millimetres in panel 23.
int MEAS_AppDistance(CommandRecord* record, int resumed, Request* request);
// "角度": start, middle and end point, the angle at the middle in panel 24.
int MEAS_AppAngle(CommandRecord* record, int resumed, Request* request);

// ---- Geometry ---------------------------------------------------------------------

// The direction from (x0, y0) to (x1, y1) in degrees, counter-clockwise from
// the positive x axis, 0 up to (not including) 360; equal points give 0.
double MEAS_DirectionAngle(int x0, int y0, int x1, int y1);
// The angle swept counter-clockwise at the middle point from the arm towards
// the start to the arm towards the end, 0 up to (not including) 360.
double MEAS_AngleAt(int xs, int ys, int xm, int ym, int xe, int ye);

// ---- Rubber figures (freed with the request that owns them) ----------------------

// A line from (x, y) to the cursor.
RubberFigure* PdlMakePlaceRubber(int x, int y);
// From the first point to the cursor and on to the second point.
RubberFigure* PdlMakeMakeUpRubber(int x1, int y1, int x2, int y2);
// The angle's arms: the `n` points (2 or 3) joined in order, then a line to
// the cursor.
RubberFigure* MEAS_MakeAngleRubber(const POINT* points, int n);

// ---- The command frame ----------------------------------------------------------

// A measuring command's part of the frame: its option panel, the panel's
// block and the prompt of its first request.
struct MeasFrame {
    int panel;            // option panel number
    double* panelValue;   // the panel's result, 0.0 at a start and a reset
    uint32_t* gridOn;     // the panel's "ｸﾞﾘｯﾄﾞON" flag
    int firstPrompt;
};

// Starts the command on `request` (already marked busy): refused silently
// when the command stack is full; otherwise pushes the record, shows the
// panel and the first request. 0 (wait) in every case.
int MEAS_FrameStart(CommandRecord* record, Request* request, const MeasFrame& frame);
// The point of the answered request as the command uses it: the snapped
// position with the panel's grid flag on or an end point caught, else the
// picked one. The point is dropped from the request.
POINT MEAS_FrameTakePoint(Request* request, const MeasFrame& frame);
// Replaces the command's request by a new one with this prompt and figure
// (may be null; owned by the new request). 1, or 0 when no request could be
// made: the old one is then left in place.
int MEAS_FrameReplace(CommandRecord* record, Request* request, int prompt, RubberFigure* figure);
// Asks for the next point: replaces the request as MEAS_FrameReplace does
// and waits (0); when no request could be made the command ends instead.
int MEAS_FrameAsk(CommandRecord* record, Request* request, int prompt, RubberFigure* figure);
// The reset answer: repaints the canvas, hides the panel and shows it again
// with a zero result.
void MEAS_FrameReset(const MeasFrame& frame);
// Ends the command: closes its request, shows the prompt of the request
// below, hides the panel and ends the record. 0.
int MEAS_FrameEnd(CommandRecord* record, Request* request);
// Keeps a result as the panel's value and writes it with "%9.4lf" into a
// control of the frame's panel.
void MEAS_FrameShowValue(const MeasFrame& frame, int controlId, double value);
// The answers every measuring command takes alike: finish and the right
// button end it (after switching off a coordinate mode that was on, which
// alone is all they do then), a cancel query is agreed to, end-now ends it,
// and anything else goes to the menu selection.
int MEAS_FrameOtherAnswer(CommandRecord* record, Request* request, int answer);
// Clears the busy mark of the request now on top; returns `state`.
int MEAS_FrameReturn(int state);
