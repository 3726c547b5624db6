// The grid object of the open design: eight groups A-H (each an origin and
// up to five input grids), sixteen input grids, sixteen display grids and
// the current group. Points are packed: x in the low 32 bits, y high.
#pragma once
#include <cstdint>

#include "platform/layout_env.h"

extern "C" {

// The grid object; the argument some callers pass is ignored.
GridObject* GRD_GetObject(int unused = 0);
// The origin of the current group (the design origin every shown
// coordinate is relative to).
uint64_t GRD_GetGenten(GridObject* grid);
// Sets the origin of group `index` (0-7).
void GRD_SetGenten(GridObject* grid, int index, int x, int y);
// The origin of the current group's absolute-origin group.
uint64_t GRD_GetCurrentAbsGenten(GridObject* grid);
int GRD_GetCurrentGridGroupNo(GridObject* grid);
void GRD_SetCurrentGridGroupNo(GridObject* grid, int group);
// 'A' + the current group.
char GRD_GetCurrentGridGroupChar(GridObject* grid);
// The name of the display grid of the current group's active input grid.
char* GRD_GetCurrentDspGridName(GridObject* grid);
// The engine's own records, written in place by the grid dialog; 0 for an
// index out of range (groups 0-7, grids 0-15).
GridGroupRec* GRD_GetInpGridGroup(int index);
InputGridRec* GRD_GetInpGrid(int index);
DisplayGridRec* GRD_GetDspGrid(int index);
// The point rounded to the current input grid, about the current origin.
uint64_t GRD_RoundInGrid(uint64_t point);
// The point relative to the current origin.
uint64_t GRD_Conv2LogicalPoint(uint64_t point);
// Grid hide values: below this many pixels between dots a grid is not drawn.
void SetDspMainGrdLimit(double value);
void SetDspSubGrdLimit(double value);
double GetDspMainGrdLimit(void);
double GetDspSubGrdLimit(void);

}
