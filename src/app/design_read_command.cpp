// Command 40140 "ＰＣＢ読み込み": the whole load runs in the call that starts
// it, on the command thread, with the busy cursor and the request marked busy
// so no cancel query reaches it; then the view is fitted to the data and the
// frame, bars and canvas are refreshed for the new design.
#include <cstring>

#include "app/app.h"
#include "app/cmd_private.h"
#include "app/file_load.h"
#include "app/ini.h"
#include "app/rot.h"
#include "app/rot_dispatch.h"
#include "edit/font_miss_log.h"
#include "platform/qzt_design_services.h"
#include "platform/qzt_env.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "res/app_ids.h"
#include "view/bar.h"
#include "view/cnv.h"

// Designs before this version had no backup interval of their own.
constexpr uint32_t V_BACKUP_INTERVAL = 17000000;

static void FitViewToData(HWND canvas)
{
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    CanvasState* cs = CNV_GetState();
    int32_t c1[2], c2[2];
    if (cs && FIG_AllDataCount(ctx, c1, c2)) {
        int32_t box[4] = {c1[0], c1[1], c2[0], c2[1]};
        FittedView v = FILE_FitView(box, cs->cxViewUnits, cs->cyViewUnits, g_ZoomMax);
        cs->rcView = CNV_ViewRectAround(v.cx, v.cy, v.width, v.height);
        VIEW_PushHistory(&cs->rcView);
        ENV_SetZoom(ctx->env, v.zoom);
        BAR_FuncSelectZoomItem(v.zoom);
        ENV_SetCenter(ctx->env, ((uint64_t)(uint32_t)v.cy << 32) | (uint32_t)v.cx);
    }
    FILE_RecalcPartAreas();
    EnvRecord* env = (EnvRecord*)ctx->env;
    SYSTEMTIME now;
    GetLocalTime(&now);
    memcpy(env->own.startTime, &now, sizeof env->own.startTime);
    if (cs) cs->viewMode = (int16_t)ENV_GetViewMode(ctx->env);
    DDM_Close(ctx);
}

static void RefreshFrame(FrameState* fs)
{
    ROT_ReadGridHideValues(fs);
    ROT_ShowDesignInBars();
    int move = INI_ReadMove(ENV_GetBinPath(""));
    if (move >= 0) ((EnvRecord*)ENV_GetENVClass())->own.moveStep = move;
    BAR_FuncSelectRateItem();
    BAR_FuncSelectStepItem();
    DIN_ShowPrompt(DIN_GetMessage(DIN_GetPromptIndex(DIN_TopRequest())));
    BAR_AttrRefresh();

    CNV_FullRepaint();
    if (fs->hWndAttrBar) {
        SendDlgItemMessageA(fs->hWndAttrBar, 199, BM_SETCHECK, 0, 0);
        SendDlgItemMessageA(fs->hWndAttrBar, 200, BM_SETCHECK, 0, 0);
    }
    memset(&fs->panels.autoVoid, 0, sizeof fs->panels.autoVoid);
}

// After a failed load the frame shows the design the work space holds now
// (empty when the open command made it afresh): nothing of the design shown
// before stays on the canvas or in the bars.
static void ShowWhatIsLoaded()
{
    ROT_ShowDesignInBars();
    BAR_AttrRefresh();
    CNV_FullRepaint();
}

// A converted board is saved in a folder of its own: the folder dialog
// proposes one, and the design keeps that folder and the board's name.
static void ChooseBoardFolder(HWND frame, char* pair)
{
    DesignPathBuffer copy;
    memcpy(&copy, pair, sizeof copy);
    FolderDlgParam param = {2, &copy};
    DialogBoxParamA(g_hInst, MAKEINTRESOURCEA(IDD_FOLDER), frame, APP_FolderDlgProc, (LPARAM)&param);
    FILE_CutExtension(copy.name);
    ENV_SetPCBpathfile(ENV_GetENVClass(), copy.folder);
}

static void KeepEntryWindowOnScreen()
{
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    XWinputParam* xw = DDM_Open_XWinputParam(ctx);
    int x = xw->windowX, y = xw->windowY;
    if (APP_KeepWindowOnScreen(&x, &y, 200, 200)) {
        xw->windowX = GetSystemMetrics(SM_CXVIRTUALSCREEN) / 3;
        xw->windowY = GetSystemMetrics(SM_CYVIRTUALSCREEN) / 3;
    }
    ENV_SetDispLevelIgnoreMode(ctx, 0, 0);
    DDM_Close(ctx);
}

int FILE_PcbReadCommand(CommandRecord* record, int resumed, Request* request)
{
    if (CMD_StackDepth() >= CMD_STACK_SIZE) return 0;
    CMD_Push(record);
    OpenDesignParams* params = (OpenDesignParams*)DIN_GetAnswerValue(request);
    char pair[520] = {};
    if (params && params->path) memcpy(pair, params->path, sizeof pair);
    pair[259] = pair[519] = '\0';

    int previousCursor = (int)CMD_SendToFrame(WM_USER + 8, CMD_CURSOR_WAIT);
    DIN_SetBusy(1, request);
    KillTimer(g_hWndFrame, 2);
    ENV_SetRecentFile(pair);
    INI_WriteWpsName(pair + 260);
    INI_WritePcbPath(pair);

    if (params && FILE_LoadDesign(pair, params->oldDesign, params->commonAperture, record->name)) {
        size_t n = strlen(pair + 260);
        bool board = n >= 4 && strcmp(pair + 260 + n - 4, ".pcb") == 0;
        char named[520];
        memcpy(named, pair, sizeof named);
        FILE_CutExtension(named + 260);
        ENV_SetPCBpathfile(ENV_GetENVClass(), named);
        FitViewToData(CNV_GetWindow());
        if (FrameState* fs = ROT_GetWindowData()) RefreshFrame(fs);
        if (board) ChooseBoardFolder(g_hWndFrame, pair);
        params->oldDesign = 0;
        DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
        ENV_SetBinPath(ctx, ENV_GetBinPath(""));
        DDM_Close(ctx);
        KeepEntryWindowOnScreen();
        EnvRecord* env = (EnvRecord*)ENV_GetENVClass();
        if (env->own.backupCompanion == 0 && env->designVersion < V_BACKUP_INTERVAL) env->own.backupInterval = 30;
        FILE_FontMissLog();
    } else {
        ShowWhatIsLoaded();
    }
    CMD_End(record);
    DIN_SetBusy(0, request);
    CMD_SendToFrame(WM_USER + 8, (WPARAM)previousCursor);
    return 0;
}
