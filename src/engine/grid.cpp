// The grid object: origins, input grids and display grids of the design.
#include <cmath>

#include "engine/store.h"
#include "platform/qzt_grid.h"

using namespace store;

namespace {

double s_mainLimit = 1.0;
double s_subLimit = 1.0;

GridObject* Grid(GridObject* g) { return g ? g : Region_<GridObject>(RG_GRID); }
int Current(GridObject* g) { return Grid(g)->currentGroup & 7; }
uint64_t Pack(int32_t x, int32_t y) { return (uint32_t)x | ((uint64_t)(uint32_t)y << 32); }
int32_t Xof(uint64_t p) { return (int32_t)(uint32_t)p; }
int32_t Yof(uint64_t p) { return (int32_t)(uint32_t)(p >> 32); }

int32_t RoundTo(int64_t v, int64_t origin, int64_t pitch)
{
    if (pitch <= 0) return (int32_t)v;
    double k = std::floor(((double)(v - origin) / pitch) + 0.5);
    int64_t r = origin + (int64_t)k * pitch;
    return (int32_t)(r < INT32_MIN ? INT32_MIN : r > INT32_MAX ? INT32_MAX : r);
}

}  // namespace

extern "C" {

GridObject* GRD_GetObject(int) { return Grid(nullptr); }

uint64_t GRD_GetGenten(GridObject* g)
{
    const GridGroupRec& r = Grid(g)->group[Current(g)];
    return Pack(r.ox, r.oy);
}

void GRD_SetGenten(GridObject* g, int index, int x, int y)
{
    if (index < 0 || index > 7) return;
    Grid(g)->group[index].ox = x;
    Grid(g)->group[index].oy = y;
    Grid(g)->origin[index][0] = x;
    Grid(g)->origin[index][1] = y;
}

uint64_t GRD_GetCurrentAbsGenten(GridObject* g)
{
    int abs = Grid(g)->group[Current(g)].absGroup & 7;
    const GridGroupRec& r = Grid(g)->group[abs];
    return Pack(r.ox, r.oy);
}

int GRD_GetCurrentGridGroupNo(GridObject* g) { return Current(g); }
void GRD_SetCurrentGridGroupNo(GridObject* g, int group)
{
    if (group >= 0 && group <= 7) Grid(g)->currentGroup = group;
}
char GRD_GetCurrentGridGroupChar(GridObject* g) { return (char)('A' + Current(g)); }

static InputGridRec* ActiveInput(GridObject* g)
{
    const GridGroupRec& r = Grid(g)->group[Current(g)];
    int slot = r.activeSlot < 5 ? r.activeSlot : 0;
    int input = r.slot[slot];
    return input >= 0 && input < 16 ? &Grid(g)->input[input] : nullptr;
}

char* GRD_GetCurrentDspGridName(GridObject* g)
{
    static char none[1];
    InputGridRec* in = ActiveInput(g);
    return in && in->dspGrid < 16 ? Grid(g)->display[in->dspGrid].name : none;
}

GridGroupRec* GRD_GetInpGridGroup(int i) { return i >= 0 && i < 8 ? &Grid(nullptr)->group[i] : nullptr; }
InputGridRec* GRD_GetInpGrid(int i) { return i >= 0 && i < 16 ? &Grid(nullptr)->input[i] : nullptr; }
DisplayGridRec* GRD_GetDspGrid(int i) { return i >= 0 && i < 16 ? &Grid(nullptr)->display[i] : nullptr; }

uint64_t GRD_RoundInGrid(uint64_t point)
{
    InputGridRec* in = ActiveInput(nullptr);
    if (!in) return point;
    uint64_t o = GRD_GetGenten(nullptr);
    return Pack(RoundTo(Xof(point), Xof(o), in->px), RoundTo(Yof(point), Yof(o), in->py));
}

uint64_t GRD_Conv2LogicalPoint(uint64_t point)
{
    uint64_t o = GRD_GetGenten(nullptr);
    return Pack((int32_t)((int64_t)Xof(point) - Xof(o)), (int32_t)((int64_t)Yof(point) - Yof(o)));
}

void SetDspMainGrdLimit(double v) { s_mainLimit = v; }
void SetDspSubGrdLimit(double v) { s_subLimit = v; }
double GetDspMainGrdLimit(void) { return s_mainLimit; }
double GetDspSubGrdLimit(void) { return s_subLimit; }

}
