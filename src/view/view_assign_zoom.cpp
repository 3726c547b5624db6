// The assignment zoom of the menu dispatcher: a part-pin name typed in, the
// view fitted around its part.
#include "app/app.h"
#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_pick.h"
#include "platform/qzt_wps.h"
#include "view/bar.h"
#include "view/cnv_input.h"
#include "view/view.h"

void VIEW_ZoomToAssignPart()
{
    POINT p = {};
    CanvasState* state = CNV_GetState();
    if (CNV_AssignInPoint(&p) == 1 && state) {
        if (PartRecord* part = DDM_PanAssGetQzSymAdr()) {
            DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
            VIEW_CenterOnPart(state, part, p);
            DDM_Close(ctx);
        } else {
            VIEW_PushHistory(&state->rcView);
        }
    }
    BAR_StatusSetText(DIN_GetMessage(DIN_GetPromptIndex(DIN_TopRequest())));
    FrameState* fs = ROT_GetWindowData();
    if (fs && fs->hWndStatusBar) InvalidateRect(fs->hWndStatusBar, nullptr, TRUE);
}
