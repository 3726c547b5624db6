// The rubber figures of the measuring commands: lines from the picked points
// to the cursor, drawn by the canvas in white XOR while the request waits.
#include "check/meas.h"

#include "platform/qzt_mem.h"

enum : uint16_t {
    FIG_MOVE = 0x111,          // move to (x, y)
    FIG_LINE = 0x112,          // line to (x, y)
    FIG_LINE_TO_CURSOR = 0x192,  // line to the cursor plus (x, y)
};

static RubberFigure* NewFigure(int count, const char* tag)
{
    RubberFigure* f = (RubberFigure*)MemAlloc(nullptr, RubberFigureSize(count), tag);
    if (!f) return nullptr;
    f->colour = 0xFFFFFF;
    f->count = count;
    return f;
}

static void SetItem(RubberFigure* f, int i, uint16_t code, int x, int y)
{
    f->items[i].code = code;
    f->items[i].x = x;
    f->items[i].y = y;
}

RubberFigure* PdlMakePlaceRubber(int x, int y)
{
    RubberFigure* f = NewFigure(2, "PdlMakePlaceRubber");
    if (!f) return nullptr;
    SetItem(f, 0, FIG_MOVE, x, y);
    SetItem(f, 1, FIG_LINE_TO_CURSOR, 0, 0);
    return f;
}

RubberFigure* PdlMakeMakeUpRubber(int x1, int y1, int x2, int y2)
{
    RubberFigure* f = NewFigure(3, "PdlMakeMakeUpRubber");
    if (!f) return nullptr;
    SetItem(f, 0, FIG_MOVE, x1, y1);
    SetItem(f, 1, FIG_LINE_TO_CURSOR, 0, 0);
    SetItem(f, 2, FIG_LINE, x2, y2);
    return f;
}

RubberFigure* MEAS_MakeAngleRubber(const POINT* points, int n)
{
    RubberFigure* f = NewFigure(n + 1, "PdlMakeMakeUpRubber");
    if (!f) return nullptr;
    for (int i = 0; i < n; i++) SetItem(f, i, i == 0 ? FIG_MOVE : FIG_LINE, points[i].x, points[i].y);
    SetItem(f, n, FIG_LINE_TO_CURSOR, 0, 0);
    return f;
}
