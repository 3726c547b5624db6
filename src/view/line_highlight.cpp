// One line or arc repainted on the canvas at once.
#include "view/line_highlight.h"

#include <algorithm>

#include "app/app.h"
#include "app/frame_state.h"
#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/qztdll.h"
#include "view/cnv.h"

static void RepaintArea(const LineRecord* r)
{
    int32_t min[2], max[2];
    if (r->code == FC_LINE) PDL_Lin_MinMaxPointGet(r, min, max);
    else PDL_Arc_MinMaxPointGet(r, min, max);
    int half = std::max(PDL_GetLineWidth(r), 0) / 2 + 1;
    RECT box = {min[0] - half, max[1] + half, max[0] + half, min[1] - half};
    CNV_InvalidateLogicalRect(&box, 1, 1);
}

void MEAS_PaintLineHighlight(void* page, const void* record, int level, int flag)
{
    HWND canvas = CNV_GetWindow();
    CanvasState* state = CNV_GetState();
    if (!canvas || !state || !record) return;
    const LineRecord* r = (const LineRecord*)record;
    if (!flag) {
        RepaintArea(r);
        return;
    }
    if (g_UseDirect2D) {
        // The realtime paint draws the record as its status says when the
        // flag bits of the word are clear, in the colour of the level of the
        // page that holds it.
        // Waiting for: the engine's display block of one line with a level
        // of its own, for line copies that lie on no page (the signal-line
        // change dialogs); until then such a copy is drawn in the colour of
        // no level.
        SendMessageA(canvas, WM_REALTIME_PAINT, PC_LINE, (LPARAM)record);
        return;
    }
    if (!page) return;
    FrameState* fs = ROT_GetWindowData();
    DdmContext* ctx = DDM_Open(fs ? fs->hDesign : nullptr);
    if (DisplaySC* sc = DSP_GetDisplaySC(canvas, nullptr, state)) {
        int lv = page ? dam_Get_key_of_DataPH(page, 1) : level;
        state->bRepainting = 1;
        EnvRecord* env = ENV_GetENVClass();
        if (env && env->own.linePainting) DDM_PaintLine2(canvas, ctx, sc, lv, record, 0);
        else DDM_PaintLine(canvas, ctx, sc, lv, record, 0);
        state->bRepainting = 0;
        DSP_ReleaseSC(canvas, sc);
    }
    DDM_Close(ctx);
}
