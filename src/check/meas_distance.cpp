// "距離": the straight distance between two picked points, shown in
// millimetres in the distance panel, measured again and again until the user
// ends the command. After each measurement the measured segment stays on the
// canvas as the rubber figure of the next request.
#include "app/cmd_procs.h"
#include "app/frame_state.h"
#include "check/meas.h"
#include "platform/qzt_geometry.h"

enum { DISTANCE_PANEL = 23, DISTANCE_EDIT = 1382 };
enum { PROMPT_FIRST = 40, PROMPT_SECOND = 41 };

// Touched by the command thread only; reset at every start.
static struct {
    int step;  // 0 waiting for the first point, 1 for the second
    POINT first, second;
} s_distance;

static MeasFrame DistanceFrame()
{
    static GridValueOptions noPanels;
    FrameState* fs = ROT_GetWindowData();
    GridValueOptions* block = fs ? &fs->panels.gridDistance : &noPanels;
    return {DISTANCE_PANEL, &block->value, &block->gridOn, PROMPT_FIRST};
}

// Asks for the first point again, without a figure.
static int Restart(CommandRecord* record, Request* request)
{
    s_distance.step = 0;
    return MEAS_FrameAsk(record, request, PROMPT_FIRST, nullptr);
}

int MEAS_AppDistance(CommandRecord* record, int resumed, Request* request)
{
    DIN_SetBusy(1, request);
    MeasFrame frame = DistanceFrame();
    if (!resumed) {
        s_distance = {};
        return MEAS_FrameStart(record, request, frame);
    }

    int answer = DIN_GetAnswer(request);
    switch (answer) {
    case ANS_INPUT: {
        if (s_distance.step == 0) {
            s_distance.first = MEAS_FrameTakePoint(request, frame);
            s_distance.step = 1;
            RubberFigure* figure = PdlMakePlaceRubber(s_distance.first.x, s_distance.first.y);
            return MEAS_FrameAsk(record, request, PROMPT_SECOND, figure);
        }
        s_distance.step = 2;
        s_distance.second = MEAS_FrameTakePoint(request, frame);
        const POINT& a = s_distance.first;
        const POINT& b = s_distance.second;
        MEAS_FrameShowValue(frame, DISTANCE_EDIT, Distance_Pnt_to_Pnt(a.x, a.y, b.x, b.y) / 100000.0);
        s_distance.step = 0;
        return MEAS_FrameAsk(record, request, PROMPT_FIRST, PdlMakeMakeUpRubber(a.x, a.y, b.x, b.y));
    }
    case ANS_LEFT_CLICK:  // reset
        MEAS_FrameReset(frame);
        return Restart(record, request);
    case ANS_CANCEL:
        if (CMD_ClearCoordModes()) return MEAS_FrameReturn(0);
        // After the first point a cancel gives that point up.
        if (s_distance.step == 1) return Restart(record, request);
        return MEAS_FrameEnd(record, request);
    default:
        return MEAS_FrameOtherAnswer(record, request, answer);
    }
}

// The command table's name for the distance command.
int MEAS_DistanceCommand(CommandRecord* record, int resumed, Request* request)
{
    return MEAS_AppDistance(record, resumed, request);
}
