// Zoom up and down by the rate, zoom to the whole data, the zoom-by-factor
// switch, redisplay and the grid and origin display switches: one-shot view
// commands that change the view and return to the waiting request.
#include "app/app.h"
#include "app/cmd.h"
#include "app/cmd_procs.h"
#include "app/din.h"
#include "app/rot.h"
#include "platform/qzt_design_services.h"
#include "platform/qzt_env.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_wps.h"
#include "view/view.h"

namespace {

// Zooms by `factor` at the unchanged centre, unless the zoom already sits
// at the limit it moves towards.
int ZoomBy(Request* request, bool up)
{
    EnvRecord* env = ENV_GetENVClass();
    CanvasState* state = CNV_GetState();
    if (!state) return CMD_STATE_WAIT;
    double z = ENV_GetZoom(env);
    if (up ? z == g_ZoomMax : z == 0.02) return CMD_STATE_WAIT;
    int old = DIN_SetBusy(1, request);
    double rate = ENV_GetDefRate(env);
    VIEW_PushHistory(&state->rcView);
    double next = up ? (rate + 100) / 100 * z : 100 / (rate + 100) * z;
    if (up && next > g_ZoomMax) next = g_ZoomMax;
    if (!up && next < 0.02) next = 0.02;
    uint64_t c = ENV_GetCenter(env);
    VIEW_SetView(next, (int32_t)(uint32_t)c, (int32_t)(uint32_t)(c >> 32));
    VIEW_EraseCursorFigures();
    CNV_FullRepaint();
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}

}  // namespace

int VIEW_ZoomUp(CommandRecord* record, int resumed, Request* request) { return ZoomBy(request, true); }

int VIEW_ZoomDown(CommandRecord* record, int resumed, Request* request) { return ZoomBy(request, false); }

int VIEW_WholeData(CommandRecord* record, int resumed, Request* request)
{
    CanvasState* state = CNV_GetState();
    if (!state) return CMD_STATE_WAIT;
    int old = DIN_SetBusy(1, request);
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    int32_t lo[2] = {}, hi[2] = {};
    if (FIG_AllDataCount(ctx, lo, hi)) {
        VIEW_PushHistory(&state->rcView);
        double w = (double)dtol(((double)hi[0] - lo[0]) * 1.05), h = (double)dtol(((double)hi[1] - lo[1]) * 1.05);
        double z = CNV_FitZoom(state, w, h);
        VIEW_SetView(z, (int32_t)dtol(((double)lo[0] + hi[0]) * 0.5), (int32_t)dtol(((double)lo[1] + hi[1]) * 0.5));
        if (HWND hWnd = CNV_GetWindow()) InvalidateRect(hWnd, nullptr, TRUE);
    }
    DDM_Close(ctx);
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}

int VIEW_ZoomByFactor(CommandRecord* record, int resumed, Request* request)
{
    int old = DIN_SetBusy(1, request);
    ENV_SetScaleManualChange(ENV_GetENVClass(), 1);
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}

int VIEW_Redisplay(CommandRecord* record, int resumed, Request* request)
{
    int old = DIN_SetBusy(1, request);
    VIEW_EraseCursorFigures();
    CNV_FullRepaint();
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}

int VIEW_ToggleGrid(CommandRecord* record, int resumed, Request* request)
{
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetGridVisible(env, !ENV_GetGridVisible(env));
    VIEW_EraseCursorFigures();
    CNV_FullRepaint();
    return CMD_STATE_WAIT;
}

int VIEW_ToggleOrigin(CommandRecord* record, int resumed, Request* request)
{
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetGentenVisible(env, !ENV_GetGentenVisible(env));
    VIEW_EraseCursorFigures();
    CNV_FullRepaint();
    return CMD_STATE_WAIT;
}
