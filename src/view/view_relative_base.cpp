// The relative base point: switches relative coordinate entry off when it
// is on; otherwise the picked (snapped) point becomes the base that typed
// relative coordinates start from, and relative entry is switched on.
#include "app/cmd.h"
#include "app/cmd_procs.h"
#include "app/din.h"
#include "platform/qzt_env.h"
#include "platform/qzt_pick.h"
#include "view/bar.h"
#include "view/view.h"
#include "view/view_pick_frame.h"

namespace {

int s_savedEdgeCatch = 0;

void End(CommandRecord* record, Request* request)
{
    ENV_SetEdgeCatchMode(ENV_GetENVClass(), s_savedEdgeCatch);
    VIEW_PickEnd(record, request);
}

}  // namespace

int VIEW_RelativeBase(CommandRecord* record, int resumed, Request* request)
{
    EnvRecord* env = ENV_GetENVClass();
    if (!resumed) {
        if (ENV_GetRelZahyou(env)) {
            ENV_SetRelZahyou(env, 0);
            BAR_SettingSetRelMark(0);
            return CMD_STATE_WAIT;
        }
        BAR_SettingSetRelMark(1);
        s_savedEdgeCatch = ENV_GetEdgeCatchMode(env);
        ENV_SetEdgeCatchMode(env, 0);
        if (!VIEW_PickStart(record, request, REQ_POINT1, 63)) {
            ENV_SetEdgeCatchMode(env, s_savedEdgeCatch);
            BAR_SettingSetRelMark(0);
            return CMD_STATE_WAIT;
        }
        // The base snaps to the work data too.
        DIN_TopRequest()->flags |= 1;
        return CMD_STATE_WAIT;
    }
    DIN_SetBusy(1, request);
    int answer = DIN_GetAnswer(request);
    switch (answer) {
    case ANS_INPUT: {
        ENV_SetRelZahyou(env, 1);
        uint64_t base = DIN_GetFirstPoint(request);
        MarkingRec mark = {0, (int32_t)(uint32_t)base, (int32_t)(uint32_t)(base >> 32), 12, 0xFFFFFF};
        DSP_Marking(CNV_GetWindow(), &mark, 1);
        DIN_DropPoint(request);
        ENV_SetRelBasePnt(env, base);
        BAR_SettingSetRelMark(0);
        End(record, request);
        return CMD_STATE_WAIT;
    }
    case ANS_FINISH:
    case ANS_CANCEL:
    case ANS_END_NOW:
        ENV_SetRelZahyou(env, 0);
        BAR_SettingSetRelMark(0);
        End(record, request);
        return CMD_STATE_WAIT;
    default:
        return VIEW_PickOtherAnswer(request, answer);
    }
}
