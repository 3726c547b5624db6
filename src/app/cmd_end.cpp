// The common end of every command, and the switch-off of the coordinate
// modes that a finish or cancel answer tries first.
//
// The work space is flushed before anything else: when that fails the
// command stays on the stack as it is, so nothing of the design's state is
// thrown away behind a failed save.
#include "app/cmd.h"

#include <cstdint>
#include <cstdio>

#include "app/cmd_private.h"
#include "app/frame_state.h"
#include "platform/qzt_env.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_wps.h"

static const char FLUSH_ERROR_TEXT[] =
    "この機能の中で、データ保存のエラーが発生しました Torvaを再起動してください\n";
static const char LEAK_TEXT[] =
    "この機能の中で、%dバイトのメモリーリークが発生しています．\n"
    "お手数をかけますが、行った操作をメモして至急販売店までご連絡下さい．";

// Setting-bar buttons of the three coordinate modes.
enum { BUTTON_ABS = 156, BUTTON_REL = 157, BUTTON_ASSIGN_IN = 173 };

int CMD_ClearCoordModes()
{
    EnvRecord* env = ENV_GetENVClass();
    int result = 0;
    if (ENV_GetAbsZahyou(env)) {
        ENV_SetAbsZahyou(env, 0);
        result = 1;
        CMD_ClearCoordMark(BUTTON_ABS);
    }
    if (ENV_GetRelZahyou(env)) {
        ENV_SetRelZahyou(env, 0);
        result = result == 1 ? 3 : 2;
        CMD_ClearCoordMark(BUTTON_REL);
    }
    if (ENV_GetAssInZahyou(env)) {
        ENV_SetAssInZahyou(env, 0);
        CMD_ClearCoordMark(BUTTON_ASSIGN_IN);
        result |= 4;
    }
    return result;
}

// Entry states after which the cursor is not jumped: one-shot commands,
// pan, area zoom, the pin-name toggle and the assignment pan.
static bool KeepsCursor(int stateId)
{
    return stateId == 4 || stateId == 10 || stateId == 11 || stateId == 15 || stateId == 119;
}

int CMD_End(CommandRecord* record)
{
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    HWND hWndCanvas = g_hWndCanvas;

    if (!DDM_FlushFileBuffers(ctx)) {
        ErrMsgFormat(nullptr, GetLastError(), "FlushViewOfFile");
        CMD_MessageBox(record->hWndCanvas, FLUSH_ERROR_TEXT, record->name, MB_ICONINFORMATION);
        DDM_Close(ctx);
        return 0;
    }

    if (record->leakBytes != 0) {
        char text[512];
        snprintf(text, sizeof text, LEAK_TEXT, (int)record->leakBytes);
        CMD_MessageBox(record->hWndCanvas, text, record->name, MB_ICONINFORMATION);
    }

    // The relative-base command ends by leaving the relative mode on: that
    // is what it was chosen for.
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetAbsZahyou(env, 0);
    CMD_ClearCoordMark(BUTTON_ABS);
    if (record->stateId != CMD_STATE_REL_BASE) {
        ENV_SetRelZahyou(env, 0);
        CMD_ClearCoordMark(BUTTON_REL);
    }
    ENV_SetAssInZahyou(env, 0);
    CMD_ClearCoordMark(BUTTON_ASSIGN_IN);

    // Whatever record was passed, the slot popped is the top.
    if (CMD_StackDepth() <= 0 || !CMD_PopTop()) {
        DDM_Close(ctx);
        return 0;
    }

    if (record->workBlock1) MemFree(hWndCanvas, record->workBlock1, nullptr);
    if (record->workBlock2) MemFree(hWndCanvas, record->workBlock2, nullptr);
    record->workBlock1 = nullptr;
    record->workBlock2 = nullptr;

    CMD_ResetFunctionBar();

    if (ENV_GetCursorJump(ctx) && !KeepsCursor(record->stateId)) {
        POINT pt;
        RECT rc;
        if (GetCursorPos(&pt) && hWndCanvas && GetWindowRect(hWndCanvas, &rc) && PtInRect(&rc, pt)) {
            CMD_ReleaseViewCursor(hWndCanvas);
            ENV_SetCsrJmpXY(ctx, (uint64_t)(uint32_t)pt.x | ((uint64_t)(uint32_t)pt.y << 32));
            CMD_SetCanvasCapture(1);
            CMD_ClearCanvasLeftDown();
        }
    }

    DDM_Close(ctx);

    if (record->level == CMD_LEVEL_MAIN) CMD_SendToFrame(CMD_MSG_MENU_RESET, 0);
    ENV_Env_bTantenEnkoOFF();
    return 1;
}
