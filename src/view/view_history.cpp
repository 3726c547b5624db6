// The area history: the previous area, and stepping back and forth through
// the eight areas shown last. The position word keeps a signed index in its
// upper 30 bits, bit 0 set after a step forward and bit 1 after a step back.
#include "app/cmd.h"
#include "app/cmd_procs.h"
#include "app/din.h"
#include "platform/qzt_env.h"
#include "platform/qzt_runtime.h"
#include "view/bar.h"
#include "view/view.h"

namespace {

bool Same(const BoardRect& a, const BoardRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Empty(const BoardRect& r) { return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0; }

// Shows a rectangle of the history exactly, at the zoom that fits it.
void ShowArea(CanvasState* state, const BoardRect& r)
{
    state->rcView = r;
    double z = CNV_FitZoom(state, (double)r.right - r.left, (double)r.top - r.bottom);
    BAR_FuncSelectZoomItem(z);
    int32_t cx = (int32_t)dtol(((double)r.left + r.right) * 0.5), cy = (int32_t)dtol(((double)r.top + r.bottom) * 0.5);
    ENV_SetCenter(ENV_GetENVClass(), ((uint64_t)(uint32_t)cy << 32) | (uint32_t)cx);
    VIEW_EraseCursorFigures();
    CNV_FullRepaint();
}

int Index(int32_t word) { return word >> 2; }
int32_t Word(int index, int flags) { return (int32_t)((uint32_t)index << 2) | flags; }

// One step of the walk: back (-1 forward).
void Walk(CanvasState* state, bool back)
{
    int i = Index(state->iHistory);
    int f = state->iHistory & 1, b = (state->iHistory >> 1) & 1;
    if (!f && !b && i <= 0) {
        for (int k = 7; k > 0; --k) state->rcHistory[k] = state->rcHistory[k - 1];
        state->rcHistory[0] = state->rcView;
        i = back ? 1 : -1;
    }
    if (back) {
        if (f) {
            i += 2;
            f = 0;
        }
        if (i >= 8) i = 7;
    } else {
        if (b) {
            i -= 2;
            b = 0;
        }
        if (i == -1) i = 0;
    }
    if (i < 0) i = 0;
    if (Empty(state->rcHistory[i])) {
        if (!back && i == 0) i = -1;
        state->iHistory = Word(i, f | (b << 1));
        return;
    }
    ShowArea(state, state->rcHistory[i]);
    if (back) {
        if (i < 8) ++i;
        state->iHistory = Word(i, 2);
    } else {
        if (i >= 0) --i;
        state->iHistory = Word(i, 1);
    }
}

}  // namespace

int VIEW_PreviousArea(CommandRecord* record, int resumed, Request* request)
{
    CanvasState* state = CNV_GetState();
    if (!state || Same(state->rcHistory[0], state->rcView)) return CMD_STATE_WAIT;
    int old = DIN_SetBusy(1, request);
    ShowArea(state, state->rcHistory[0]);
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}

int VIEW_AreaBack(CommandRecord* record, int resumed, Request* request)
{
    CanvasState* state = CNV_GetState();
    if (!state) return CMD_STATE_WAIT;
    int old = DIN_SetBusy(1, request);
    Walk(state, true);
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}

int VIEW_AreaForward(CommandRecord* record, int resumed, Request* request)
{
    CanvasState* state = CNV_GetState();
    if (!state) return CMD_STATE_WAIT;
    int old = DIN_SetBusy(1, request);
    Walk(state, false);
    DIN_SetBusy(old, request);
    return CMD_STATE_WAIT;
}
