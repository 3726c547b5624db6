// Loading a design: a ".tpw" through the engine, or a predecessor board read
// onto a template, then the engine's upgrades and checks in their order. Each
// check that finds something is reported once, pointing to "read_err.log" in
// the design's folder.
#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/cmd_private.h"
#include "app/din.h"
#include "app/file.h"
#include "app/file_load.h"
#include "app/frame_state.h"
#include "app/rot_dispatch.h"
#include "exchange/mrg.h"
#include "platform/qzt_display.h"
#include "platform/qzt_env.h"
#include "platform/qzt_file.h"
#include "platform/qzt_font.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"
#include "platform/trvdlg_map.h"
#include "res/app_ids.h"
#include "view/cnv.h"

// The upgrades a design of an older version needs.
constexpr uint32_t V_SLIB_CHECK = 2080030;
constexpr uint32_t V_PIN_REPAIRS = 2050021;
constexpr uint32_t V_PIN_DEF_NET = 2060008;
constexpr uint32_t V_FIG_TD_LINK = 2080027;
constexpr uint32_t V_STROKE_FONT = 19000000;
constexpr uint32_t V_DIRECT2D = 20000000;
constexpr uint32_t V_WRITER_CHECK_K = 26000;  // thousands
constexpr uint32_t V_PREDECESSOR = 27000000;

// The product family's own programs: a design last written by one of them
// needs no warning. Any other writer is an outside program.
static const char* const kFamilyWriters[17] = {
    "Torva.exe",   "TorvaViewer.exe", "QzTorva.exe", "QZ-Torva.exe", "Vyre.exe",   "Vyre2.exe",
    "VyrePCB.exe", "QzDesign.exe",    "QzCAD.exe",   "QzRoute.exe",  "QzPlot.exe", "QzGerber.exe",
    "QzPart.exe",  "QzNet.exe",       "QzCheck.exe", "QzConv.exe",   "QzPanel.exe",
};

const char* FILE_Extension(const char* name)
{
    // The last dot: a name such as "my.board.tpw" is a design file whose
    // name is "my.board".
    const char* dot = strrchr(name, '.');
    return dot ? dot + 1 : nullptr;
}

void FILE_CutExtension(char* name)
{
    if (char* dot = strrchr(name, '.')) *dot = '\0';
}

int FILE_NormaliseDesignName(char* name, size_t size)
{
    const char* ext = FILE_Extension(name);
    if (!ext) {
        if (strlen(name) + 5 < size) strcat(name, ".TPW");
        return 0;
    }
    if (_stricmp(ext, "PCB") == 0) return 1;
    if (_stricmp(ext, "TPW") != 0) {
        size_t at = (size_t)(ext - name);
        if (at + 4 <= size) strcpy(name + at, "TPW");
    }
    return 0;
}

FittedView FILE_FitView(const int32_t box[4], int32_t cxView, int32_t cyView, double zoomMax)
{
    FittedView v;
    double w = (double)dtol(((double)box[2] - box[0]) * 1.05);
    double h = (double)dtol(((double)box[3] - box[1]) * 1.05);
    double zx = w > 0 ? cxView / w : zoomMax;
    double zy = h > 0 ? cyView / h : zoomMax;
    v.zoom = zx < zy ? zx : zy;
    if (v.zoom < 0.02) v.zoom = 0.02;
    if (v.zoom > zoomMax) v.zoom = zoomMax;
    v.cx = dtol(((double)box[0] + box[2]) / 2);
    v.cy = dtol(((double)box[1] + box[3]) / 2);
    v.width = dtol(cxView / v.zoom);
    v.height = dtol(cyView / v.zoom);
    return v;
}

static void CheckWriter(EnvRecord* env, PcbInfData* inf, uint32_t version, HWND owner)
{
    inf->writer[sizeof inf->writer - 1] = '\0';
    if (!inf->writer[0]) return;
    for (const char* name : kFamilyWriters) {
        if (_stricmp(inf->writer, name) == 0) {
            inf->writer[0] = '\0';
            return;
        }
    }
    if (version / 1000 >= V_WRITER_CHECK_K) {
        MessageBoxA(owner, "このＴＰＷはデータ欠損のおそれがあります。開発元へご確認ください。", "読み込み",
                    MB_ICONEXCLAMATION);
        return;
    }
    env->outsideWriter = 1;
    inf->writer[0] = '\0';
}

static void ChooseFont(EnvRecord* env, uint32_t version)
{
    if (g_StartChoice.fontChoice == 0) {
        if (version < V_STROKE_FONT) strcpy(env->fontName, "TEXT");
    } else {
        snprintf(env->fontName, sizeof env->fontName, "%s", g_FontName);
    }
    FNT_Initialize(env->fontName);
}

// The design-file road: 1 with the version, 0 when the engine refused the
// file (it has said why).
static int LoadTpw(char* pair, int oldDesign, const char* caption, uint32_t* version)
{
    HWND frame = g_hWndFrame;
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    DoingProgress* progress = DOING_Start(frame, "読み込み");
    if (!DDM_LoadTPW(frame, ctx, pair, 1, version, caption, progress)) {
        DOING_End();
        DDM_Close(ctx);
        return 0;
    }
    EnvRecord* env = (EnvRecord*)ENV_GetENVClass();
    ENV_SetPCBpathfile(env, pair);
    env->designVersion = *version;
    if (oldDesign) {
        DDM_DataVerify(ctx);
        if (DDM_RepairMargeStringData(ctx))
            MessageBoxA(frame, "異常な信号線ラインテーパーを検出しました。\n問題のテーパーは図形線に変換します。\n",
                        "読み込み", MB_OK);
    }
    FILE_UpgradeRuleTable(*version);
    FilLoad_SymRotCorrect(ctx, *version);
    FilLoad_SigLineACTaperFlgCorrect(ctx);
    CheckWriter(env, DDM_Open_PCBInfData(ctx), *version, frame);
    FILE_DropNonLineFigures();
    RuleTable* rules = DDM_Open_RuleTable(ctx);
    if (ctx->formatDrcCount < rules->count) DDM_ReSize_FmtDrcTable(ctx);
    DOING_End();
    MAP_DlgInitialize(g_hInst, ROT_GetDesignHandle());
    ChooseFont(env, *version);
    if (*version < V_DIRECT2D) {
        env->own.direct2d = 1;
        float alpha[8] = {D2D_GetALPHA_STRING(),         D2D_GetALPHA_LINE_SOLID(),    D2D_GetALPHA_LINE_OUTLINE(),
                          D2D_GetALPHA_NURIKOMI_OUTLINE(), D2D_GetALPHA_NURIKOMI_SOLID(), D2D_GetALPHA_VIA(),
                          D2D_GetALPHA_HOLE(),            D2D_GetALPHA_THERMAL()};
        memcpy(env->own.alpha, alpha, sizeof alpha);
    }
    DDM_Close(ctx);
    return 1;
}

// The predecessor-board road: the board is read onto a template.
static int LoadPcb(char* pair, int commonAperture, const char* caption, uint32_t* version)
{
    HWND canvas = CNV_GetWindow();
    DesignPathBuffer tpl = {};
    snprintf(tpl.folder, sizeof tpl.folder, "%s", ENV_GetBinPath(""));
    snprintf(tpl.name, sizeof tpl.name, "VyrePCB.ttp");
    DIN_ShowPrompt("テンプレートファイルを選択してください");
    DialogBoxParamA(g_hInst, MAKEINTRESOURCEA(IDD_TEMPLATE_HINT), g_hWndFrame, APP_TemplateHintDlgProc, 0);
    DesignPathBuffer chosen = tpl;
    if (FILE_OpenTemplateDialog(g_hWndFrame, &chosen)) tpl = chosen;
    DIN_ShowPrompt("メニューを選択してください");

    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    if (!DDM_LoadTTP(canvas, ctx, tpl.folder, caption)) {
        DDM_Close(ctx);
        MessageBoxA(canvas, "ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙの読み込みに失敗しました\nTorvaを再起動してください", "警　告", MB_OK);
        return 0;
    }
    SYS_SetPlaneDrc_OnOff(ctx, 1);
    SYS_SetPlaneDrc_ShortLineCheck(ctx, 1);
    GRD_SetCurrentGridGroupNo(GRD_GetObject(), 0);
    DDM_Initialize(ctx, g_hInst);
    DDM_InitMDMData(ctx);
    MAP_DlgInitialize(g_hInst, ROT_GetDesignHandle());
    CCC_Initialize(ctx, g_hInst);
    int result = MRG_ReadOldPcbFile((const PcbPathPair*)pair, ctx, commonAperture);
    DDM_Close(ctx);
    *version = V_PREDECESSOR;
    EnvRecord* env = (EnvRecord*)ENV_GetENVClass();
    env->designVersion = V_PREDECESSOR;
    strcpy(env->fontName, "TEXT");
    return result;
}

static void Warn(HWND canvas, const char* format, const char* logPath)
{
    char text[600];
    snprintf(text, sizeof text, format, logPath);
    MessageBeep(MB_ICONASTERISK);
    MessageBoxA(canvas, text, "警　告", MB_OK | MB_ICONASTERISK);
}

static int RunChecks(const char* pair, int oldDesign, uint32_t version)
{
    HWND canvas = CNV_GetWindow();
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    if (version < V_SLIB_CHECK) DDM_Load_SLIBCheck(ctx);
    TLV_ViaLayerNoInit(ctx);
    if (version < V_PIN_REPAIRS) {
        DDM_TVT_AptNo0_Clear(ctx);
        DDM_PinRefDupDataPack(ctx);
        DDM_NotPinNoPinDef_Delete(ctx, canvas);
        DDM_PinLgnetUpdate_PinRef(ctx);
        DDM_UpdateAllSymPinPnt_QzPin(ctx);
        DDM_AllShpPinNameCheck(ctx, canvas);
        DDM_PinName_SpaceCut(ctx);
        if (!oldDesign) DDM_AllSymInfDataUpdate(ctx, canvas);
    }
    if (version < V_FIG_TD_LINK) DDM_ErrFigTDLinkClear(ctx);
    if (oldDesign) {
        if (version < V_PIN_DEF_NET) DDM_PinDefNetPageUpdate(ctx, canvas);
        DDM_AllSymInfDataUpdate(ctx, canvas);
    }

    char log[MAX_PATH + 16];
    snprintf(log, sizeof log, "%.260sread_err.log", pair);
    if (!DDM_TabalNoCheck(ctx, canvas, log))
        Warn(canvas, "設定範囲外のデータが存在します。ログファイル（%s）を参照してください。", log);
    if (!DDM_SignalTD_HiddenFlagClear(ctx, canvas, log))
        Warn(canvas, "不正なテーパーを削除しました。ログファイル（%s）を参照してください。", log);
    if (oldDesign && !DDM_AllDataAreaCheck(ctx, canvas, log))
        Warn(canvas, "エリア外データ有り。ログファイル（%s）を参照してください。", log);
    if (FILE_ConvertOverRadiusArcs(log) > 1)
        Warn(canvas, "半径が制限を超えた円弧をラインに変換しました。\n\r\n\rログファイル（%s）を参照してください。", log);

    FILE_NumberElements(ctx);
    void* env = ENV_GetENVClass();
    ENV_SetSizeLimit(env, 5, 150000000, 1000);
    ENV_SetSizeLimit(env, 6, 200000000, 1000);
    // Waiting for the engine's limit values: which four further limits take
    // 1000, 100, 1000 and 1000 is the engine's; until it names them they keep
    // what the design holds.
    DDM_ViaTbl_AptNoCheck(ctx, canvas);
    SendMessageA(g_hWndFrame, WM_USER + 13, 0, 0);
    if (FrameState* fs = ROT_GetWindowData()) SCP_ReadSetup(fs);
    int result = DDM_SlinTblDataConv(ctx);
    if (version < V_SLIB_CHECK) {
        DDM_Load_0LgnetCheck(ctx);
        DDM_PinLgnetUpdate_PinRef(ctx);
    }
    if (ENV_GetCsrJmpXY(ctx) == 0) ENV_SetCsrJmpXY(ctx, ((uint64_t)100 << 32) | 900);
    DDM_Close(ctx);
    return result;
}

int FILE_LoadDesign(char* pathPair, int oldDesign, int commonAperture, const char* caption)
{
    char* name = pathPair + 260;
    int board = FILE_NormaliseDesignName(name, 260);
    uint32_t version = 0;
    int result = board ? LoadPcb(pathPair, commonAperture, caption, &version)
                       : LoadTpw(pathPair, oldDesign, caption, &version);
    if (!result) return 0;
    return RunChecks(pathPair, oldDesign, version);
}
