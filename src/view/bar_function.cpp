// The function bar "BtnFunc_CLASS" across the top of the frame: view and
// table buttons, which only forward their ids to the frame's dispatcher, and
// five drop-down lists: the active level, the active line table, the active
// VIA, the zoom factor and the scroll rate. The lists change the engine's
// settings themselves and tell a waiting command of a new line table
// (answer 11) or VIA (answer 14). They hold copies of the engine tables and
// are refilled, never edited in place.
#include <cstdio>
#include <cstring>

#include "app/din.h"
#include "app/frame_state.h"
#include "platform/qzt_env.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "view/bar.h"
#include "view/cnv.h"

int g_SignalLineFlag = 0;

enum : int {
    FB_LEVEL_LIST = 164,
    FB_LAYER_FIELD = 166,
    FB_LINE_BUTTON = 146,
    FB_LINE_LIST = 167,
    FB_VIA_LIST = 169,
    FB_MAP_BUTTON = 175,
    FB_ZOOM_LIST = 131,
    FB_RATE_LIST = 118,
};

enum : int { CT_BUTTON = 0, CT_LIST = 1, CT_EDIT = 2, CT_EDIT_RIGHT = 3, CT_OWNER = 4 };

struct FuncControl {
    int id;
    const char* text;
    int type;
    int width;  // characters
};

// clang-format off
static const FuncControl s_controls[20] = {
    {137,            "<->",              CT_BUTTON, 5},
    {FB_LEVEL_LIST,  "ﾚﾍﾞﾙ",             CT_LIST,   16},
    {FB_LAYER_FIELD, " ",                CT_EDIT,   4},
    {165,            "P",                CT_BUTTON, 3},
    {162,            "ﾚﾍﾞﾙ",             CT_BUTTON, 6},
    {FB_LINE_BUTTON, "ﾗｲﾝ",              CT_BUTTON, 4},
    {FB_LINE_LIST,   "1  0.100",         CT_LIST,   13},
    {176,            "V",                CT_BUTTON, 4},
    {FB_VIA_LIST,    "123412.34567.890", CT_LIST,   22},
    {203,            "←",               CT_BUTTON, 3},
    {204,            "→",               CT_BUTTON, 3},
    {127,            "全",               CT_BUTTON, 4},
    {130,            "再",               CT_BUTTON, 4},
    {FB_MAP_BUTTON,  "全体",             CT_OWNER,  4},
    {134,            "－",               CT_BUTTON, 3},
    {117,            "＋",               CT_BUTTON, 3},
    {137,            "<->",              CT_BUTTON, 5},
    {132,            "PAN",              CT_BUTTON, 4},
    {FB_ZOOM_LIST,   "ﾌﾘｰ",              CT_LIST,   8},
    {FB_RATE_LIST,   "50%",              CT_LIST,   8},
};

struct ListRow {
    const char* label;
    int value;
};
static const ListRow s_zoomRows[5] = {{"  ﾌﾘｰ", -1}, {" ×１", 1}, {" ×２", 2}, {" ×５", 5}, {" ×10", 10}};
static const ListRow s_rateRows[5] = {{" 10%", 10}, {" 25%", 25}, {" 50%", 50}, {" 75%", 75}, {"100%", 100}};
// clang-format on

static const int MAX_LISTED = 1023;
static const char MARK_SQUARE[] = "■";
static const char MARK_ROUND[] = "○";

// Rows in the high-use blocks of the line-table and VIA lists; the
// selection handlers turn a row back into a table number with them.
static int s_lineHighUseCount = 0;
static int s_viaHighUseCount = 0;

static HWND FuncBar()
{
    FrameState* fs = ROT_GetWindowData();
    return fs ? fs->hWndFuncBar : nullptr;
}

static HWND FuncItem(int id)
{
    HWND bar = FuncBar();
    return bar ? GetDlgItem(bar, id) : nullptr;
}

static int Clamp(int n) { return n < 0 ? 0 : n > MAX_LISTED ? MAX_LISTED : n; }

static int CanvasLineKind()
{
    CanvasState* state = CNV_GetState();
    return state ? state->lineKind : 0;
}

static int CanvasViaMode()
{
    CanvasState* state = CNV_GetState();
    return state ? state->viaEntryMode : 0;
}

static void ListReset(HWND list) { SendMessageA(list, CB_RESETCONTENT, 0, 0); }
static void ListAdd(HWND list, const char* text) { SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)text); }
static void ListSelect(HWND list, int row) { SendMessageA(list, CB_SETCURSEL, row, 0); }

// The design is opened for every list operation that reads tables and
// closed again on every path.
struct DesignOpen {
    DdmContext* ctx;
    DesignOpen() : ctx(DDM_Open(ROT_GetDesignHandle())) {}
    ~DesignOpen() { DDM_Close(ctx); }
    DesignOpen(const DesignOpen&) = delete;
    DesignOpen& operator=(const DesignOpen&) = delete;
};

// ---- The engine-fed lists -----------------------------------------------------------------

static bool IsWiringLevel(LevelTable* lt, int level)
{
    int type = TLV_GetLevCode_DatType(lt, level);
    return type == 2 || type == 15;
}

static void AddLevelRow(HWND list, LevelTable* lt, int level)
{
    char row[64];
    snprintf(row, sizeof row, "%ld %s", (long)lt->entry[level].number, TLV_Get_LevelName(lt, level));
    ListAdd(list, row);
}

void BAR_FuncFillLevelList()
{
    HWND list = FuncItem(FB_LEVEL_LIST);
    if (!list) return;
    DesignOpen design;
    LevelTable* lt = TLV_Get_TlvClass();
    ListReset(list);
    int count = Clamp(TLV_Get_Level_DispNum(lt));
    int active = TLV_GetActiveLevel(lt);
    if (!g_SignalLineFlag) {
        for (int k = 1; k <= count; ++k) AddLevelRow(list, lt, k);
        ListSelect(list, active - 1);
    } else {
        int rows = 0, activeRow = -1, first = 0;
        for (int k = 1; k <= count; ++k) {
            if (!IsWiringLevel(lt, k)) continue;
            if (!first) first = k;
            if (k == active) activeRow = rows;
            AddLevelRow(list, lt, k);
            ++rows;
        }
        if (activeRow < 0) {
            // The active level is no wiring level: the first one takes its
            // place, or none when the design has no wiring level.
            active = first;
            TLV_SetActiveLevel(lt, (short)active);
            activeRow = 0;
        }
        ListSelect(list, activeRow);
    }
    char text[16];
    int layer = TLV_Get_Layer(lt, active);
    if (layer) snprintf(text, sizeof text, "%3ld", (long)layer);
    else snprintf(text, sizeof text, "  -");
    SetWindowTextA(FuncItem(FB_LAYER_FIELD), text);
}

// One line-table family as the list sees it: fill lines (kind 3), text lines
// (kind 4) or signal lines (any other kind).
struct LineFamily {
    int kind;
    LineTable* lines;
    TextLineTable* texts;
};

static LineFamily FamilyOf(int kind)
{
    if (kind == 3) return {3, TPL_Get_TplClass(), nullptr};
    if (kind == 4) return {4, nullptr, TTL_Get_TtlClass()};
    return {7, TLL_Get_TllClass(), nullptr};
}

static int FamilyCount(const LineFamily& f)
{
    if (f.kind == 3) return Clamp(TPL_Get_PlnTbl_DispNum(f.lines));
    if (f.kind == 4) return Clamp(TTL_Get_TLtbl_DispNum(f.texts));
    return Clamp(TLL_Get_ZLinTbl_DispNum(f.lines));
}

// The fill-line table keeps its high-use flags and its active number where
// the signal-line table does; the engine reads both straight from there.
static int FamilyHighUse(const LineFamily& f, int i)
{
    if (f.kind == 3) return i >= 0 && i <= TBL_MAX_LINE ? f.lines->entry[i].highUse : 0;
    if (f.kind == 4) return TTL_GetLevTypeHighUse(f.texts, i);
    return TLL_GetLevTypeHighUse(f.lines, i);
}

static int FamilyTableNo(const LineFamily& f, int i)
{
    if (f.kind == 3) return TPL_Get_PlnTblPlnLineNo(f.lines, i);
    if (f.kind == 4) return TTL_Get_TLtblTxtTblNo(f.texts, i);
    return TLL_Get_ZLinTbl_LineTblNo(f.lines, i);
}

static int FamilyActive(const LineFamily& f)
{
    if (f.kind == 3) return f.lines->activeNo;
    if (f.kind == 4) return TTL_GetActiveLTblNo(f.texts);
    return TLL_GetActiveLTblNo(f.lines);
}

static int FamilyWidth(const LineFamily& f, int i)
{
    if (f.kind == 3) return TPL_GetLineWidth(f.lines, i);
    if (f.kind == 4) return TTL_Get_TextLinWidth(f.texts, i);
    return TLL_Get_ZLinWidth(f.lines, i);
}

static const char* FamilyMark(const LineFamily& f, int i)
{
    if (f.kind == 3) return TPL_GetTantenKeijyou(f.lines, i) ? MARK_SQUARE : MARK_ROUND;
    if (f.kind == 4) {
        int apt = TTL_Get_AptNo(f.texts, i);
        SizeEntry* size = apt > 0 ? TSZ_Get_TszTblRec(TSZ_Get_TszClass(), apt) : nullptr;
        return size && TSZ_Get_ShpCode(size) == 1 ? MARK_SQUARE : MARK_ROUND;
    }
    return TLL_GetTantenKeijyou(f.lines, i) ? MARK_SQUARE : MARK_ROUND;
}

static void AddLineRow(HWND list, const LineFamily& f, int i)
{
    char row[64];
    snprintf(row, sizeof row, "%s%3ld %2.3lf", FamilyMark(f, i), (long)i, FamilyWidth(f, i) / 100000.0);
    ListAdd(list, row);
}

void BAR_FuncFillLineTableList()
{
    HWND list = FuncItem(FB_LINE_LIST);
    if (!list) return;
    DesignOpen design;
    LineFamily f = FamilyOf(CanvasLineKind());
    ListReset(list);
    s_lineHighUseCount = 0;
    int count = FamilyCount(f);
    int active = FamilyActive(f);
    int activeRow = -1;
    for (int i = 1; i <= count; ++i) {
        if (!FamilyHighUse(f, i)) continue;
        if (activeRow < 0 && FamilyTableNo(f, i) == active) activeRow = s_lineHighUseCount;
        AddLineRow(list, f, i);
        ++s_lineHighUseCount;
    }
    if (s_lineHighUseCount) ListAdd(list, "---------");
    for (int i = 1; i <= count; ++i) AddLineRow(list, f, i);
    if (activeRow < 0) activeRow = s_lineHighUseCount ? s_lineHighUseCount + active : active - 1;
    ListSelect(list, activeRow);
}

// VIAs of the kinds the list offers (the kind in the high byte of the kind
// word: 2, 3 or 4).
static bool IsListedVia(const ViaDef* def, bool highUseOnly)
{
    if (!def || def->kind < 2 || def->kind > 4) return false;
    return !highUseOnly || def->highUse;
}

static const char* SizeMark(int aptNo, int width, int hole)
{
    if (!width && !hole) return "   ";
    SizeEntry* size = aptNo > 0 ? TSZ_Get_TszTblRec(TSZ_Get_TszClass(), aptNo) : nullptr;
    int shape = size ? TSZ_Get_ShpCode(size) : 0;
    return shape == 1 || shape == 3 || shape == 5 || shape == 7 || shape == 8 ? MARK_SQUARE : MARK_ROUND;
}

static int OuterWidth(int aptNo)
{
    SizeEntry* size = aptNo > 0 ? TSZ_Get_TszTblRec(TSZ_Get_TszClass(), aptNo) : nullptr;
    return size ? (int32_t)(TSZ_Get_OutWidthXY(size) & 0xFFFFFFFFu) : 0;
}

static int HoleSize(DdmContext* ctx, int drill)
{
    HoleEntry* hole = drill >= 1 ? THL_Get_HoleTblRec(ctx, drill) : nullptr;
    return hole ? (int32_t)(THL_GetHoleSize(ctx, hole) & 0xFFFFFFFFu) : 0;
}

static void FormatMm(char* out, size_t size, int units, bool present)
{
    if (present && units) snprintf(out, size, "%6.3lf", units / 100000.0);
    else snprintf(out, size, "  ---");
}

// A VIA row: the shape mark of its land, its name, the land's outer width
// and the hole size in millimetres.
static void AddViaSizeRow(HWND list, DdmContext* ctx, const char* name, int aptNo, int drill)
{
    int width = OuterWidth(aptNo), hole = HoleSize(ctx, drill);
    char w[16], h[16], row[96];
    FormatMm(w, sizeof w, width, true);
    FormatMm(h, sizeof h, hole, drill >= 1);
    snprintf(row, sizeof row, "%s%s %s %s", SizeMark(aptNo, width, hole), name, w, h);
    ListAdd(list, row);
}

static void FillDefinedVias(HWND list, DdmContext* ctx)
{
    DefViaTable* dv = DDM_Open_DefViaTable(ctx);
    if (!dv) return;
    LevelTable* lt = TLV_Get_TlvClass();
    // A negative level takes the land of the other side.
    int side = TLV_GetPosiNega(lt, TLV_GetActiveLevel(lt)) ? 3 : 1;
    int count = Clamp(TDV_Get_DefViaTbl_DispNum(dv));
    for (int n = 1; n <= count; ++n) {
        DefViaEntry* e = TDV_Get_DefViaTblRec(dv, n);
        char name[16];
        snprintf(name, sizeof name, " A%ld", (long)n);
        AddViaSizeRow(list, ctx, name, TDV_GetAptNo(e, 1, side - 1), TDV_GetDrillNo(e));
    }
    ListSelect(list, TDV_GetActiveDefViaNo(dv) - 1);
    DDM_CloseDefViaTable(ctx, dv);
}

static void AddViaRow(HWND list, DdmContext* ctx, ViaTable* vt, int v)
{
    ViaDef* def = TVT_Get_QZViaTblRec(vt, v);
    LevelTable* lt = TLV_Get_TlvClass();
    int apt = TVT_Get_AptNo_Level(TVT_Get_TvtViaLayerTbl(vt), def, TLV_GetActiveLevel(lt));
    char name[16];
    snprintf(name, sizeof name, "%4ld", (long)v);
    AddViaSizeRow(list, ctx, name, apt, TVT_Get_DrlNo(def));
}

static void FillViaTable(HWND list, DdmContext* ctx)
{
    ViaTable* vt = TVT_Get_TvtClass();
    int count = Clamp(TVT_Get_ViaTbl_DispNum(vt));
    int active = TVT_Get_ActiveQZViaNo(vt);
    int activeRow = -1;
    s_viaHighUseCount = 0;
    for (int v = 1; v <= count; ++v) {
        if (!IsListedVia(TVT_Get_QZViaTblRec(vt, v), true)) continue;
        if (activeRow < 0 && v == active) activeRow = s_viaHighUseCount;
        AddViaRow(list, ctx, vt, v);
        ++s_viaHighUseCount;
    }
    if (s_viaHighUseCount) ListAdd(list, "----------------");
    int row = s_viaHighUseCount ? s_viaHighUseCount + 1 : 0;
    for (int v = 1; v <= count; ++v) {
        if (!IsListedVia(TVT_Get_QZViaTblRec(vt, v), false)) continue;
        if (activeRow < 0 && v == active) activeRow = row;
        AddViaRow(list, ctx, vt, v);
        ++row;
    }
    ListSelect(list, activeRow);
}

void BAR_FuncFillViaList()
{
    HWND list = FuncItem(FB_VIA_LIST);
    if (!list) return;
    DesignOpen design;
    ListReset(list);
    if (CanvasViaMode() == 2) FillDefinedVias(list, design.ctx);
    else FillViaTable(list, design.ctx);
}

// ---- Zoom, rate and line kind --------------------------------------------------------------

int BAR_FuncSelectZoomItem(double zoom)
{
    int row = 0;
    for (int i = 1; i < 5; ++i)
        if ((double)s_zoomRows[i].value == zoom) row = i;
    if (HWND list = FuncItem(FB_ZOOM_LIST)) ListSelect(list, row);
    EnvRecord* env = ENV_GetENVClass();
    ENV_SetZoom(env, zoom);
    ENV_SetScaleManualChange(env, 0);
    return row ? 1 : 0;
}

static int RowOf(int value, int v1, int v2, int v3, int v4)
{
    return value == v1 ? 1 : value == v2 ? 2 : value == v3 ? 3 : value == v4 ? 4 : 0;
}

void BAR_FuncSelectRateItem()
{
    if (HWND list = FuncItem(FB_RATE_LIST)) ListSelect(list, RowOf(ENV_GetDefRate(ENV_GetENVClass()), 25, 50, 75, 100));
}

void BAR_FuncSelectStepItem()
{
    if (HWND list = FuncItem(FB_ZOOM_LIST)) ListSelect(list, RowOf(ENV_GetWinZoom(ENV_GetENVClass()), 1, 2, 5, 10));
}

void BAR_FuncSetLineKind(int kind)
{
    if (CanvasState* state = CNV_GetState()) state->lineKind = kind;
    if (HWND button = FuncItem(FB_LINE_BUTTON))
        SetWindowTextA(button, kind == 3 ? "塗込" : kind == 4 ? "文字" : "ﾗｲﾝ");
    g_SignalLineFlag = kind == 7 ? 1 : 0;
    BAR_FuncFillLineTableList();
    BAR_FuncFillLevelList();
}

// ---- Creation -----------------------------------------------------------------------------

static HWND CreateControl(HWND hWnd, HINSTANCE inst, const FuncControl& k, int x, int width, int barHeight,
                          int lineHeight)
{
    const char* cls = "BUTTON";
    const char* text = k.text;
    int id = k.id, height = barHeight - 2;
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (k.type) {
    case CT_BUTTON: break;
    case CT_LIST:
        cls = "COMBOBOX";
        style |= WS_VSCROLL | CBS_DROPDOWNLIST;
        height = 30 * lineHeight;
        break;
    case CT_EDIT:
        cls = "EDIT";
        style |= WS_BORDER;
        height = lineHeight + 3;
        break;
    case CT_EDIT_RIGHT:
        cls = "EDIT";
        style |= WS_BORDER | ES_RIGHT | ES_MULTILINE;
        height = lineHeight + 3;
        break;
    case CT_OWNER:
        style |= BS_OWNERDRAW;
        id = FB_MAP_BUTTON;
        text = "全体";
        height = lineHeight + 7;
        break;
    default: return (HWND)1;  // takes its width, makes nothing
    }
    return CreateWindowExA(0, cls, text, style, x, 1, width, height, hWnd, (HMENU)(INT_PTR)id, inst, nullptr);
}

static void FillFixedList(HWND list, const ListRow* rows, int value)
{
    for (int i = 0; i < 5; ++i) ListAdd(list, rows[i].label);
    ListSelect(list, 0);
    for (int i = 0; i < 5; ++i)
        if (rows[i].value == value) ListSelect(list, i);
}

int BAR_FuncOnCreate(HWND hWnd)
{
    FrameState* fs = ROT_GetWindowData();
    RECT client;
    GetClientRect(hWnd, &client);
    int c = fs ? fs->charWidth : 8;
    int l = fs ? fs->lineHeight : 16;
    int barHeight = fs ? fs->rcFuncBar.height : client.bottom;
    HINSTANCE inst = (HINSTANCE)GetWindowLongPtrA(hWnd, GWLP_HINSTANCE);
    int x = -1;
    for (const FuncControl& k : s_controls) {
        int width = k.width * c;
        if (!CreateControl(hWnd, inst, k, x, width, barHeight, l)) return 0;
        x += 1 + width;
    }
    EnvRecord* env = ENV_GetENVClass();
    FillFixedList(GetDlgItem(hWnd, FB_RATE_LIST), s_rateRows, ENV_GetDefRate(env));
    HWND zoom = GetDlgItem(hWnd, FB_ZOOM_LIST);
    for (int i = 0; i < 5; ++i) ListAdd(zoom, s_zoomRows[i].label);
    ListSelect(zoom, 0);
    for (int i = 0; i < 5; ++i)
        if ((double)s_zoomRows[i].value == ENV_GetZoom(env)) ListSelect(zoom, i);
    return 1;
}

// ---- Commands -----------------------------------------------------------------------------

static int ListRowOf(HWND list) { return (int)SendMessageA(list, CB_GETCURSEL, 0, 0); }

static bool RowIsSeparator(HWND list, int row)
{
    char text[128] = "";
    LRESULT len = SendMessageA(list, CB_GETLBTEXTLEN, row, 0);
    if (len < 0 || len >= (LRESULT)sizeof text) return false;
    SendMessageA(list, CB_GETLBTEXT, row, (LPARAM)text);
    return text[0] == '-';
}

static void OnLevelChosen(HWND list)
{
    int row = ListRowOf(list);
    if (row < 0) return;
    LevelTable* lt = TLV_Get_TlvClass();
    int level = row + 1;
    if (g_SignalLineFlag) {
        level = 0;
        int count = Clamp(TLV_Get_Level_DispNum(lt)), seen = 0;
        for (int k = 1; k <= count && !level; ++k)
            if (IsWiringLevel(lt, k) && seen++ == row) level = k;
        if (!level) return;
    }
    TLV_SetActiveLevel(lt, (short)level);
    BAR_FuncFillLevelList();
    // The VIA sizes shown are those of the active level.
    BAR_FuncFillViaList();
    FrameState* fs = ROT_GetWindowData();
    if (ENV_GetENVClass()->contrast && fs && fs->hWndCanvas) {
        InvalidateRect(fs->hWndCanvas, nullptr, TRUE);
        UpdateWindow(fs->hWndCanvas);
    }
}

static void OnLineTableChosen(HWND list)
{
    int row = ListRowOf(list);
    if (row < 0) return;
    LineFamily f;
    int number = 0;
    {
        DesignOpen design;
        f = FamilyOf(CanvasLineKind());
        int n = s_lineHighUseCount;
        if (n == 0) {
            number = row + 1;
        } else if (RowIsSeparator(list, row)) {
            MessageBeep(MB_ICONHAND);
        } else if (row > n) {
            number = row - n;
        } else {
            int count = FamilyCount(f), seen = 0;
            for (int i = 1; i <= count && !number; ++i)
                if (FamilyHighUse(f, i) && seen++ == row) number = FamilyTableNo(f, i);
        }
    }
    if (!number) {
        BAR_FuncFillLineTableList();
        return;
    }
    if (f.kind == 3) {
        tPL_SetActiveLTblNo(f.lines, number);
    } else if (f.kind == 4) {
        tTL_SetActiveLTblNo(f.texts, number);
    } else {
        tLL_SetActiveLTblNo(f.lines, number);
        DIN_CompleteRequest(ANS_LINE_TABLE, 0, 0);
    }
}

// The VIA a row of the via-table list shows: the k-th listed VIA of its
// block, so that VIAs of other kinds left out of the list cannot shift it.
static int ViaOfRow(int row)
{
    ViaTable* vt = TVT_Get_TvtClass();
    int count = Clamp(TVT_Get_ViaTbl_DispNum(vt));
    int n = s_viaHighUseCount;
    bool highUse = n && row < n;
    int k = highUse ? row : n ? row - n - 1 : row;
    for (int v = 1, seen = 0; v <= count; ++v)
        if (IsListedVia(TVT_Get_QZViaTblRec(vt, v), highUse) && seen++ == k) return v;
    return 0;
}

static void OnViaChosen(HWND list)
{
    int row = ListRowOf(list);
    if (row < 0) return;
    {
        DesignOpen design;
        if (CanvasViaMode() == 2) {
            DefViaTable* dv = DDM_Open_DefViaTable(design.ctx);
            if (dv) {
                TDV_SetActiveDefViaNo(dv, row + 1);
                DDM_CloseDefViaTable(design.ctx, dv);
            }
        } else if (s_viaHighUseCount && RowIsSeparator(list, row)) {
            MessageBeep(MB_ICONHAND);
            BAR_FuncFillViaList();
            return;
        } else if (int v = ViaOfRow(row)) {
            TVT_Set_ActiveQZViaNo(TVT_Get_TvtClass(), v);
        }
    }
    BAR_FuncFillViaList();
    DIN_CompleteRequest(ANS_VIA_TABLE, 0, 0);
}

static void FocusCanvas()
{
    FrameState* fs = ROT_GetWindowData();
    if (fs && fs->hWndCanvas) SetFocus(fs->hWndCanvas);
}

// The canvas draws its cursor again where the mouse is now, which the open
// list had covered.
static void NudgeCanvasCursor()
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs || !fs->hWndCanvas) return;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(fs->hWndCanvas, &p);
    SendMessageA(fs->hWndCanvas, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

static bool IsList(int id)
{
    return id == FB_LEVEL_LIST || id == FB_LINE_LIST || id == FB_VIA_LIST || id == FB_ZOOM_LIST || id == FB_RATE_LIST;
}

void BAR_FuncOnCommand(HWND hWnd, int id, HWND hWndCtl, int code)
{
    if (IsList(id)) {
        // Only a changed choice or a closed list means anything; the lists'
        // focus and drop-down notices are not commands (131 would zoom).
        if (code != CBN_SELCHANGE && code != CBN_CLOSEUP) return;
        FocusCanvas();
        if (code == CBN_CLOSEUP) {
            if (id == FB_ZOOM_LIST) NudgeCanvasCursor();
            return;
        }
        int row = ListRowOf(hWndCtl);
        switch (id) {
        case FB_RATE_LIST:
            if (row >= 0 && row < 5) ENV_SetDefRate(ENV_GetENVClass(), s_rateRows[row].value);
            return;
        case FB_ZOOM_LIST:
            if (row <= 0 || row >= 5) return;
            ENV_SetWinZoom(ENV_GetENVClass(), s_zoomRows[row].value);
            PostMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(FB_ZOOM_LIST, 1), (LPARAM)hWndCtl);
            return;
        case FB_LEVEL_LIST: OnLevelChosen(hWndCtl); return;
        case FB_LINE_LIST: OnLineTableChosen(hWndCtl); return;
        case FB_VIA_LIST: OnViaChosen(hWndCtl); return;
        }
        return;
    }
    PostMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)hWndCtl);
}

// ---- The map-window button ----------------------------------------------------------------

void BAR_FuncDrawButton(const DRAWITEMSTRUCT* item, HWND hWnd)
{
    bool pressed = (item->itemState & ODS_SELECTED) != 0;
    BAR_DrawButtonFrame(item->hDC, item->rcItem, pressed);
    if (item->itemAction & ODA_FOCUS) DefWindowProcA(hWnd, WM_DRAWITEM, item->CtlID, (LPARAM)item);
    HINSTANCE inst = (HINSTANCE)GetWindowLongPtrA(GetParent(hWnd), GWLP_HINSTANCE);
    HICON icon = (HICON)LoadImageA(inst, MAKEINTRESOURCEA(140), IMAGE_ICON, 0, 0, LR_SHARED);
    int offset = pressed ? 2 : 1;
    if (icon) DrawIconEx(item->hDC, item->rcItem.left + offset, item->rcItem.top + offset, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

LRESULT CALLBACK BAR_FuncWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return BAR_FuncOnCreate(hWnd) ? 0 : -1;
    case WM_SETCURSOR: SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_ARROW)); return TRUE;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = (const DRAWITEMSTRUCT*)lParam;
        if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS)) BAR_FuncDrawButton(item, hWnd);
        return TRUE;
    }
    case WM_COMMAND: BAR_FuncOnCommand(hWnd, LOWORD(wParam), (HWND)lParam, HIWORD(wParam)); return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int BAR_FuncRegisterClass(HINSTANCE hInst)
{
    return BAR_RegisterBarClass(hInst, "BtnFunc_CLASS", BAR_FuncWndProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                (HBRUSH)GetStockObject(LTGRAY_BRUSH));
}
