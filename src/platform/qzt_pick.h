// Engine services of the canvas's pointer input: lock directions, the
// part remembered by the assign-in entry, the part-pin lookup and the
// on-screen markers.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_part.h"

extern "C" {

// ---- Lock directions (angle from ENV_GetLockAngle: 45 or 90 degrees) -------------

// The point moved onto the nearest lock direction from `base`: its
// perpendicular foot on that ray. Packed points: x low, y high.
uint64_t MP_RoundLock(uint64_t base, uint64_t point);
// The auto-locked point: on the lock direction nearest the direction from
// `base` to `point`, at the distance of the point along that direction;
// the point itself when it lies at the base.
uint64_t MP_RoundAutoLock(uint64_t base, uint64_t point);
// Non-zero when auto-lock applies to the point: its direction from the
// base lies within a quarter of the lock angle of a lock direction, and it
// is not at the base.
int MP_IsAbleToAutoLock(uint64_t base, uint64_t point);

// ---- Assign-in --------------------------------------------------------------------

// Looks up "PART-PIN" (or a part's reference alone) among the placed parts of
// the open design: 1 with the pin's (or part's) point and the part record,
// 0 when not found.
int DDM_GetPoint_AssignPin(void* ctx, const char* name, POINT* point, PartRecord** part);
// The part the pan and the assignment zoom centre on; null forgets it.
void DDM_PanAssSetQzSymAdr(PartRecord* part);
PartRecord* DDM_PanAssGetQzSymAdr(void);

}

// ---- Markers ---------------------------------------------------------------------------

// One XOR marker on the canvas: a cross of `size` pixels at a board point.
struct MarkingRec {
    int32_t kind;  // 0: cross
    int32_t x, y;
    int32_t size;
    uint32_t colour;  // COLORREF
};

extern "C" {
// Draws the marker on the canvas (its state block gives the view); drawing
// it again at the same place takes it away.
void DSP_Marking(HWND hWndCanvas, const MarkingRec* mark, int flag);
}
