// The pre-command dialogs: for the table editors, the settings dialogs, the
// layer structure, the information lists and the output dialogs the modal
// dialog is the whole command. The dispatcher runs it here on the
// user-interface thread; nothing goes to the command thread afterwards
// except the answers 11 and 14, which tell a waiting command that the line
// or VIA tables changed. Around every dialog the routine keeps a database
// context open and the pre-command flag set (the shortcut panel issues no
// command meanwhile); both are undone on every way out of a dialog.
#include <windows.h>

#include <cstring>
#include <iterator>

#include "app/cmd.h"
#include "app/din.h"
#include "app/frame_state.h"
#include "app/pre_command.h"
#include "app/rot_dispatch.h"
#include "platform/qzt_env.h"
#include "platform/qzt_file.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_table_update.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"
#include "platform/trvdlg_map.h"
#include "view/bar.h"
#include "view/cnv.h"

namespace {

LevelDialogPlace s_levelPlace = {};

// Ids whose dialog shows the on-screen menu again when no command runs.
const int kMenuRefreshIds[] = {162, 40042, 40133, 40135, 40136, 40138, 40153, 40169, 40243, 40256};

constexpr int IDD_GRID_SETTINGS = 130;
constexpr int IDD_PCB_INFO = 157;
constexpr int IDD_PART_LIST_PARAM = 170;
constexpr int IDD_TRANSPARENCY = 472;
constexpr int IDC_CURSOR_UPDATING = 207;
constexpr int ATR_VIEW_MODE = 464;
constexpr int ATR_EQUAL_LENGTH = 199;
constexpr int SET_GRID_NAME = 222;

constexpr size_t LEVEL_RECORD_BYTES = sizeof(LevelEntry);
constexpr size_t SNAPSHOT_BYTES = LEVEL_RECORD_BYTES * DLG_LEVEL_SNAPSHOT_RECORDS;
static_assert(LEVEL_RECORD_BYTES == 66 && SNAPSHOT_BYTES == 66066);

// What every case works with.
struct Case {
    HWND frame;
    HINSTANCE inst;
    FrameState* fs;
    void* hDesign;
    DdmContext* ctx;
    EnvRecord* env;
    CanvasState* cs;
    HWND canvas;
};

// The database context of one dialog and the pre-command flag: the context
// is flushed and closed when the case ends, however it ends; the flag goes
// back to 0 when the routine is left, however it is left.
class ContextScope {
public:
    explicit ContextScope(void* hDesign) : ctx_(DDM_Open(hDesign)) {}
    ~ContextScope()
    {
        DDM_FlushFileBuffers(ctx_);
        DDM_Close(ctx_);
    }
    DdmContext* Get() const { return ctx_; }
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    DdmContext* ctx_;
};

class ActiveFlag {
public:
    ActiveFlag() { g_PreCommandActive = 1; }
    ~ActiveFlag() { g_PreCommandActive = 0; }
    ActiveFlag(const ActiveFlag&) = delete;
    ActiveFlag& operator=(const ActiveFlag&) = delete;
};

// A dialog that could not be made counts as cancelled.
int DialogResult(INT_PTR r) { return r == -1 ? 0 : (int)r; }

void Invalidate() { CNV_InvalidateLogicalRect(nullptr, 1, 0); }

bool MapOpen(const Case& c) { return c.fs && c.fs->hWndMap && IsWindow(c.fs->hWndMap); }

HWND OpenMap(const Case& c)
{
    if (!c.cs) return nullptr;
    return MAP_ButtonClick(c.frame, c.ctx, c.cs, c.cs->cxClient, c.cs->cyClient, c.env->own.mapWord);
}

// The screen position of the canvas window's top-left corner.
POINT CanvasCorner(const Case& c)
{
    RECT rc = {};
    if (c.canvas) GetWindowRect(c.canvas, &rc);
    return {rc.left, rc.top};
}

// ---- The table editors -------------------------------------------------------------

int EditLevels(const Case& c)
{
    LevelDialogPlace& place = s_levelPlace;
    if (place.pos.x == 0 && place.pos.y == 0) place.pos = CanvasCorner(c);
    int r = DLG_Level(c.hDesign, &place.pos, &place.word, 1, 0);
    PNL_DistanceLevelSync();
    if (!r) return 0;
    DDM_drcCheck_SetClearanceMax(c.ctx);
    BAR_FuncFillLevelList();
    BAR_FuncFillViaList();
    Invalidate();
    if (MapOpen(c)) {
        DestroyWindow(c.fs->hWndMap);
        c.fs->hWndMap = OpenMap(c);
    }
    return r;
}

int EditSizes(const Case& c)
{
    int r = DLG_Size(c.hDesign);
    if (!r) return 0;
    BAR_FuncFillLineTableList();
    BAR_FuncFillViaList();
    Invalidate();
    return r;
}

// The fill-line, text-line and line tables; the line table also tells a
// waiting command (answer 11).
int EditLines(const Case& c, int (*editor)(void*), bool answer)
{
    int r = editor(c.hDesign);
    if (!r) return 0;
    if (c.cs) BAR_FuncSetLineKind(c.cs->lineKind);
    BAR_FuncFillViaList();
    Invalidate();
    if (answer) DIN_CompleteRequest(ANS_LINE_TABLE, 0, 0);
    return r;
}

int EditVias(const Case& c)
{
    int r = DLG_QZVia(c.hDesign);
    if (!r) return 0;
    BAR_FuncFillViaList();
    Invalidate();
    DIN_CompleteRequest(ANS_VIA_TABLE, 0, 0);
    return r;
}

int EditDefinedVias(const Case& c)
{
    if (!DDM_GetDefViaUse(c.ctx)) return 0;
    int r = DLG_DFVia(c.hDesign);
    if (!r) return 0;
    if (!DDM_DefViaUpdate_ViaTblUpdate(c.ctx))
        MessageBoxA(c.frame, "定義ＶＩＡ表の設定が不十分な為、更新できないＶＩＡ表データがありました。", "警　告",
                    MB_OK);
    BAR_FuncFillViaList();
    Invalidate();
    return r;
}

int EditHoles(const Case& c)
{
    int r = DLG_Hole(c.hDesign);
    if (!r) return 0;
    DDM_TDV_FlashUpdate_Hole(c.ctx);
    BAR_FuncFillViaList();
    Invalidate();
    return r;
}

int EditInnerLayers(const Case& c)
{
    int r = DDM_GetDefViaUse(c.ctx);
    if (!r) r = INN_ModifayDlg(c.hDesign, c.frame);
    if (r) Invalidate();
    return r;
}

// The signal-line settings and the rule table change the largest clearance
// the design-rule check searches with.
int AfterClearanceEdit(const Case& c, int r)
{
    if (!r) return 0;
    DDM_drcCheck_SetClearanceMax(c.ctx);
    Invalidate();
    return r;
}

int EditPalette(const Case& c)
{
    int r = DLG_Palette(c.hDesign);
    Invalidate();
    return r;
}

// ---- Settings dialogs ----------------------------------------------------------------

int GridSettings(const Case& c)
{
    MDMC_EnterDialog(1, IDD_GRID_SETTINGS);
    int r = DialogResult(
        DialogBoxParamA(c.inst, MAKEINTRESOURCEA(IDD_GRID_SETTINGS), c.frame, GRID_SettingsDlgProc, 0));
    if (r) {
        BAR_SettingShowGridName();
        BAR_SettingRefresh();
        Invalidate();
    }
    MDMC_EnterDialog(0, IDD_GRID_SETTINGS);
    return r;
}

// A changed view mode is shown on the attribute bar's view-mode button and
// in an open map window; the dispatcher redraws the canvas.
int PcbInformation(const Case& c)
{
    MDMC_EnterDialog(1, IDD_PCB_INFO);
    int r = DialogResult(DialogBoxParamA(c.inst, MAKEINTRESOURCEA(IDD_PCB_INFO), c.frame, APP_PcbInfoDlgProc, 0));
    int mode = ENV_GetViewMode(c.env);
    if (r && c.cs && mode != c.cs->viewMode) {
        c.cs->viewMode = (int16_t)mode;
        if (c.fs && c.fs->hWndAttrBar) {
            SetDlgItemTextA(c.fs->hWndAttrBar, ATR_VIEW_MODE, ROT_ViewModeText(mode));
            SendDlgItemMessageA(c.fs->hWndAttrBar, ATR_VIEW_MODE, BM_SETCHECK, 0, 0);
        }
        if (MapOpen(c)) c.fs->hWndMap = OpenMap(c);
    }
    MDMC_EnterDialog(0, IDD_PCB_INFO);
    if (c.fs && c.fs->hWndSettingBar) {
        if (HWND name = GetDlgItem(c.fs->hWndSettingBar, SET_GRID_NAME)) InvalidateRect(name, nullptr, FALSE);
    }
    return r;
}

int Transparency(const Case& c)
{
    return DialogResult(DialogBoxParamA(c.inst, MAKEINTRESOURCEA(IDD_TRANSPARENCY), c.frame, ALPHA_DlgProc, 0));
}

// ---- The layer structure -------------------------------------------------------------

// The level records as they were before the layer structure changed them:
// the first (used count + 1) records, at most as many as the snapshot holds.
void TakeLevelSnapshot(DdmContext* ctx, uint8_t* snapshot)
{
    LevelTable* levels = DDM_Open_LevelTable(ctx);
    int used = TLV_Get_Level_UseNum(levels);
    if (used < 0) used = 0;
    size_t records = (size_t)used + 1;
    if (records > DLG_LEVEL_SNAPSHOT_RECORDS) records = DLG_LEVEL_SNAPSHOT_RECORDS;
    std::memcpy(snapshot, levels->entry, records * LEVEL_RECORD_BYTES);
}

int LayerStructure(const Case& c)
{
    int levelsChanged = 0, layersChanged = 0;
    uint8_t* snapshot = (uint8_t*)MemAlloc(c.frame, SNAPSHOT_BYTES, "ROT_LayerStructure");
    if (!snapshot) {
        MessageBoxA(c.frame, "層構成を編集するメモリーが確保できません。", "層構成（構成図）", MB_OK | MB_ICONWARNING);
        return 0;
    }
    TakeLevelSnapshot(c.ctx, snapshot);
    int r = LevStructInfoDLG(c.hDesign, &levelsChanged, &layersChanged, 1, 0);
    UpdateWindow(c.frame);
    if (levelsChanged == 1 || layersChanged == 1) {
        BAR_StatusPrintf("%s", "データを更新中です");
        HCURSOR busy = LoadCursorA(c.inst, MAKEINTRESOURCEA(IDC_CURSOR_UPDATING));
        HCURSOR old = SetCursor(busy ? busy : LoadCursorA(nullptr, IDC_WAIT));
        if (levelsChanged == 1) BAR_FuncFillLevelList();
        if (layersChanged == 1) {
            BAR_FuncFillLevelList();
            DDM_ViaLayerTblReCreate(c.ctx, snapshot);
            TLV_ViaLayerNoInit(c.ctx);
            DDM_ViaNoUpdate_Lgnet(c.ctx, 0, 1, 1);
        }
        BAR_FuncFillViaList();
        Invalidate();
        SetCursor(old);
        BAR_StatusPrintf("%s", "メニューを選択して下さい");
    }
    MemFree(c.frame, snapshot, "ROT_LayerStructure");
    return r;
}

// ---- Lists and outputs -----------------------------------------------------------------

// The part-list parameters come back until the output dialog confirms or
// the parameters are cancelled.
int PartList(const Case& c)
{
    int32_t selection = 0;
    for (;;) {
        int r = DialogResult(DialogBoxParamA(c.inst, MAKEINTRESOURCEA(IDD_PART_LIST_PARAM), c.frame,
                                             PLB_PartListParamDlgProc, (LPARAM)&selection));
        if (!r) return 0;
        if (c.canvas) UpdateWindow(c.canvas);
        if (!selection) return 0;
        int out = PLB_PartListOutputDialog(c.frame, selection);
        if (c.canvas) UpdateWindow(c.canvas);
        if (out) return out;
    }
}

int ViaDataInfo(const Case& c)
{
    int r = LST_ViaDataInfoOpen(c.frame);
    if (r) BAR_FuncFillViaList();
    return r;
}

// Closes the shortcut panel when it is open (keeping its place), else opens it.
int ShortcutToggle(const Case& c)
{
    FrameState* fs = c.fs;
    if (!fs) return 0;
    if (fs->hWndShortcut && IsWindow(fs->hWndShortcut)) {
        RECT rc;
        GetWindowRect(fs->hWndShortcut, &rc);
        fs->ptShortcut = {rc.left, rc.top};
        CT_WriteSetup(fs);
        DestroyWindow(fs->hWndShortcut);
        fs->hWndShortcut = nullptr;
        return 0;
    }
    fs->hWndShortcut = SCP_CreatePanel(c.frame, 0);
    if (fs->hWndShortcut) ShowWindow(fs->hWndShortcut, SW_SHOW);
    return 0;
}

int BulletinBoard(const Case& c)
{
    int32_t* rect = c.env->own.bbsRect;
    if (rect[0] == 0 && rect[1] == 0) {
        POINT corner = CanvasCorner(c);
        rect[0] = corner.x;
        rect[1] = corner.y;
    }
    return BBS_Open();
}

int RunCase(const Case& c, int id)
{
    switch (id) {
    case 40133:
    case 162: return EditLevels(c);
    case 40042: return EditSizes(c);
    case 40135: return EditLines(c, DLG_PlaneLine, false);
    case 40153: return EditLines(c, DLG_TextLine, false);
    case 40138: return EditLines(c, DLG_LineLine, true);
    case 40169: return EditVias(c);
    case 40243: return EditDefinedVias(c);
    case 40237: return EditHoles(c);
    case 40044: return EditInnerLayers(c);
    case 40185: return AfterClearanceEdit(c, SLN_ModifayDlg(c.hDesign, c.frame));
    case 40242: return AfterClearanceEdit(c, DLG_Rule(c.hDesign));
    case 40081: return EditPalette(c);
    case 40136: return GridSettings(c);
    case 40401: return LayerStructure(c);
    case 40037: return PcbInformation(c);
    case 40495: return Transparency(c);
    case 40127: return PartList(c);
    case 40180: return ViaDataInfo(c);
    case 40181: return LST_LineDataInfoOpen(c.frame);
    case 40182: return LST_TextDataInfoOpen(c.frame);
    case 40183: return LST_PlaneDataInfoOpen(c.frame);
    case 40184: return LST_PartDataInfoOpen(c.frame, c.ctx);
    case 40317: return LST_RatsDataInfoOpen();
    case 40306: return TBL_TableOutputOpen(c.frame);
    case 40132: return LIST_TextListCommand(c.frame);
    case 191: return LST_PlacedPartsListOpen();
    case 198: return ShortcutToggle(c);
    case 199:
        if (c.fs && c.fs->hWndAttrBar) SendDlgItemMessageA(c.fs->hWndAttrBar, ATR_EQUAL_LENGTH, BM_SETCHECK, 0, 0);
        return 0;
    case 200: return BulletinBoard(c);
    }
    return 0;
}

bool RefreshesMenu(int id)
{
    for (int k : kMenuRefreshIds)
        if (k == id) return true;
    return false;
}

}  // namespace

LevelDialogPlace* ROT_LevelDialogPlace() { return &s_levelPlace; }

const char* ROT_ViewModeText(int mode)
{
    static const char* const names[3] = {"標準", "左右", "上下"};
    return mode >= 0 && mode <= 2 ? names[mode] : "";
}

int ROT_PreCommandDialog(HWND hWnd, int id)
{
    FrameState* fs = ROT_GetWindowData();
    Case c = {};
    c.frame = hWnd;
    c.inst = (HINSTANCE)GetWindowLongPtrA(hWnd, GWLP_HINSTANCE);
    c.fs = fs;
    c.hDesign = fs ? fs->hDesign : nullptr;
    c.env = ENV_GetENVClass();
    c.cs = CNV_GetState();
    c.canvas = fs ? fs->hWndCanvas : nullptr;
    CommandRecord* top = CMD_StackTop();
    int entryState = top ? top->stateId : CMD_STATE_ROOT;
    if (entryState == CMD_STATE_ROOT) CNV_MenuShowForCommand(id);

    int result = 0;
    ActiveFlag active;
    {
        ContextScope scope(c.hDesign);
        c.ctx = scope.Get();
        result = RunCase(c, id);
    }
    if (RefreshesMenu(id) && entryState == CMD_STATE_ROOT && fs && fs->hWndMenuList)
        SendMessageA(fs->hWndMenuList, WM_USER + 5, 0, 0);

    if (c.canvas) UpdateWindow(c.canvas);
    DdmContext* ctx = DDM_Open(c.hDesign);
    if (ENV_GetCursorJump(ctx) && entryState != CMD_STATE_ROOT) CMD_ReleaseViewCursor(c.canvas);
    g_PreCommandActive = 0;
    DDM_Close(ctx);
    SetFocus(hWnd);
    return result;
}
