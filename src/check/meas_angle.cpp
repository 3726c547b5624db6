// "角度": the angle at a middle point between the arm towards a start point
// and the arm towards an end point, swept counter-clockwise, shown in degrees
// in the angle panel. Cancel steps back one point at a time; a cancel while
// the start point is asked for ends the command.
#include <cmath>

#include "app/cmd_procs.h"
#include "app/frame_state.h"
#include "check/meas.h"

enum { ANGLE_PANEL = 24, ANGLE_EDIT = 1378 };
enum { PROMPT_START = 72, PROMPT_MIDDLE = 83, PROMPT_END = 74 };

double MEAS_DirectionAngle(int x0, int y0, int x1, int y1)
{
    // The differences are taken in 32 bits, as board coordinates are.
    double dx = (int32_t)((uint32_t)x1 - (uint32_t)x0) / 100000.0;
    double dy = (int32_t)((uint32_t)y1 - (uint32_t)y0) / 100000.0;
    double a = atan2(dy, dx);
    if (a < 0) a += 6.283185307179586;
    return a * 180.0 / 3.141592653589793;
}

double MEAS_AngleAt(int xs, int ys, int xm, int ym, int xe, int ye)
{
    double a1 = MEAS_DirectionAngle(xm, ym, xs, ys);
    double a2 = MEAS_DirectionAngle(xm, ym, xe, ye);
    if (a1 > a2) a2 += 360.0;
    return a2 - a1;
}

// Touched by the command thread only; reset at every start.
static struct {
    int step;  // 0 start point, 1 middle point, 2 end point
    POINT points[3];  // start, middle, end
} s_angle;

static MeasFrame AngleFrame()
{
    static GridValueOptions noPanels;
    FrameState* fs = ROT_GetWindowData();
    GridValueOptions* block = fs ? &fs->panels.gridAngle : &noPanels;
    return {ANGLE_PANEL, &block->value, &block->gridOn, PROMPT_START};
}

// Moves to `step` with a new request asking for its point; the figure joins
// the points held so far to the cursor.
static int AskFor(CommandRecord* record, Request* request, int step)
{
    static const int prompts[3] = {PROMPT_START, PROMPT_MIDDLE, PROMPT_END};
    s_angle.step = step;
    RubberFigure* figure = nullptr;
    if (step == 1) figure = PdlMakePlaceRubber(s_angle.points[0].x, s_angle.points[0].y);
    if (step == 2) figure = MEAS_MakeAngleRubber(s_angle.points, 2);
    return MEAS_FrameAsk(record, request, prompts[step], figure);
}

int MEAS_AppAngle(CommandRecord* record, int resumed, Request* request)
{
    DIN_SetBusy(1, request);
    MeasFrame frame = AngleFrame();
    if (!resumed) {
        s_angle = {};
        return MEAS_FrameStart(record, request, frame);
    }

    int answer = DIN_GetAnswer(request);
    switch (answer) {
    case ANS_INPUT: {
        s_angle.points[s_angle.step] = MEAS_FrameTakePoint(request, frame);
        if (s_angle.step < 2) return AskFor(record, request, s_angle.step + 1);
        const POINT* p = s_angle.points;
        MEAS_FrameShowValue(frame, ANGLE_EDIT, MEAS_AngleAt(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y));
        // The result keeps the three points joined to the cursor.
        s_angle.step = 0;
        return MEAS_FrameAsk(record, request, PROMPT_START, MEAS_MakeAngleRubber(p, 3));
    }
    case ANS_LEFT_CLICK:  // reset
        MEAS_FrameReset(frame);
        return AskFor(record, request, 0);
    case ANS_CANCEL:
        if (CMD_ClearCoordModes()) return MEAS_FrameReturn(0);
        if (s_angle.step == 0) return MEAS_FrameEnd(record, request);
        return AskFor(record, request, s_angle.step - 1);
    default:
        return MEAS_FrameOtherAnswer(record, request, answer);
    }
}

// The command table's name for the angle command.
int MEAS_AngleCommand(CommandRecord* record, int resumed, Request* request)
{
    return MEAS_AppAngle(record, resumed, request);
}
