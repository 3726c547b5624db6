// Snapping of a clicked point: to a lead-in pin, to an end point (of the
// design, and of the work data when the request asks for it), to a lock
// direction from the lock base, or to the input grid; the first that
// succeeds ends the search.
#include "app/app.h"
#include "app/frame_state.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_pick.h"
#include "platform/qzt_wps.h"
#include "view/cnv_input.h"

namespace {

uint64_t Pack(POINT p) { return ((uint64_t)(uint32_t)p.y << 32) | (uint32_t)p.x; }
POINT Unpack(uint64_t p) { return {(LONG)(int32_t)(uint32_t)p, (LONG)(int32_t)(uint32_t)(p >> 32)}; }

}  // namespace

POINT CNV_SnapPoint(int* result, POINT point, POINT lockBase, int useLock, int workSnap)
{
    EnvRecord* env = ENV_GetENVClass();
    int invalid = ENV_GetEdgeLeadinInvalid(env);
    POINT caught;
    int code = SNAP_GRID;
    POINT out = point;
    bool done = false;
    if (!(invalid & 1) && ENV_GetLeadin(env) && PICK_LeadInPinCatch(point, &caught)) {
        MessageBeep(MB_ICONHAND);
        code = SNAP_LEADIN;
        out = caught;
        done = true;
    }
    if (!done && !(invalid & 2) && ENV_GetEdge(env)) {
        bool found = PICK_EndPointCatch(point, &caught) != 0;
        if (!found && workSnap) {
            DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
            found = WRK_Edge_Catch(ctx, point, &caught) != 0;
            DDM_Close(ctx);
        }
        if (found) {
            MessageBeep(MB_ICONHAND);
            code = SNAP_END;
            out = caught;
            done = true;
        }
    }
    if (!done && useLock) {
        int mode = ENV_GetLock(env);
        if (mode == 1 || ((mode == 2 || mode == 3) && !MP_IsAbleToAutoLock(Pack(lockBase), Pack(point)))) {
            code = SNAP_LOCK;
            out = Unpack(MP_RoundLock(Pack(lockBase), GRD_RoundInGrid(Pack(point))));
            done = true;
        }
    }
    if (!done) out = Unpack(GRD_RoundInGrid(Pack(point)));
    if (result) *result = code;
    return out;
}
