// The VIA table (with the pads of one VIA on each VIA layer), the defined-VIA
// table (with the land slots of one defined VIA) and the hole table.
#include <cstddef>
#include <cstring>

#include "dialogs/table_editor_run.h"
#include "platform/ddm_scope.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

namespace {

const char* const s_viaKinds[] = {"通常", "ダミー"};
const char* const s_holeKinds[] = {"スルー", "ノンスルー", "ダミー"};
const char* const s_holeShapes[] = {"丸", "角", "長穴"};

void HoleNumberBounds(TedTable*, int, int32_t* min, int32_t* max)
{
    *min = 0;
    *max = DDM_Open_HoleTable(DdmScope(nullptr))->count;
}
void DefViaNumberBounds(TedTable*, int, int32_t* min, int32_t* max)
{
    *min = 0;
    *max = DDM_Open_DefViaTable(DdmScope(nullptr))->useNum;
}

// ---- The pads of one VIA: one row per VIA layer in use ---------------------------------

#pragma pack(push, 1)
struct PadRow {
    int32_t layer;     // VIA layer index 1-128
    char name[32];
    int32_t size;      // size number, 0 = no pad
};
#pragma pack(pop)

#define PAD(f) (int)offsetof(PadRow, f), (int)sizeof(PadRow::f)
// clang-format off
const TedColumn s_padColumns[] = {
    {"層",         40, TED_SHOWN, PAD(layer), 0, 0, nullptr, nullptr,              nullptr, nullptr},
    {"レベル",    120, TED_SHOWN, PAD(name),  0, 0, nullptr, nullptr,              nullptr, nullptr},
    {"サイズ番号", 72, TED_INT,   PAD(size),  0, 0, nullptr, TED_SizeNumberBounds, nullptr, nullptr},
};
// clang-format on

ViaTable* Vias(TedTable* t) { return (ViaTable*)t->user; }
ViaDef& Def(TedTable* t, int v) { return Vias(t)->def[v]; }

int ViaPadsDetail(HWND owner, TedTable* outer, int v)
{
    ViaTable* t = Vias(outer);
    PadRow rows[VIA_LAYERS + 1] = {};
    int32_t n = 0;
    for (int j = 1; j <= VIA_LAYERS; ++j) {
        const ViaLayerEntry& l = t->layers.entry[j - 1];
        if (l.useCount < 1) continue;
        PadRow& r = rows[++n];
        r.layer = j;
        std::memcpy(r.name, l.name, sizeof r.name);
        r.name[sizeof r.name - 1] = 0;
        r.size = TVT_Get_AptNo(&Def(outer, v), j);
    }
    char caption[64];
    wsprintfA(caption, "ＶＩＡ %d のパッド", v);
    TedTable ted = TED_Sheet(caption, s_padColumns, rows, &n, n);
    if (!TED_RunChanged(owner, &ted)) return 0;
    ViaDef& d = Def(outer, v);
    for (int i = 1; i <= n; ++i) {
        int j = rows[i].layer;
        uint32_t old = d.apt[j];
        d.apt[j] = rows[i].size > 0 ? ((old ? old & 0xF0000000u : TVT_MakeAptNo(0, 1, 0)) | (uint32_t)rows[i].size) : 0;
    }
    return 1;
}

int64_t GetViaKind(TedTable* t, int v) { return Def(t, v).setMode & 0x400 ? 1 : 0; }
void SetViaKind(TedTable* t, int v, int64_t k)
{
    uint16_t m = Def(t, v).setMode;
    Def(t, v).setMode = (uint16_t)(k ? (m | 0x400) : (m & ~0x400));
}
int64_t GetViaColour(TedTable* t, int v) { return Vias(t)->color[v] & 0xFF; }
void SetViaColour(TedTable* t, int v, int64_t c) { Vias(t)->color[v] = (uint32_t)c; }
int64_t GetPadCount(TedTable* t, int v)
{
    int n = 0;
    for (int j = 1; j <= VIA_LAYERS; ++j)
        if (TVT_Get_AptNo(&Def(t, v), j) > 0) ++n;
    return n;
}

#define VIA(f) (int)offsetof(ViaDef, f), (int)sizeof(ViaDef::f)
// clang-format off
const TedColumn s_viaColumns[] = {
    {"番号",       44, TED_SHOWN,  VIA(number),   0, 0,   nullptr,    nullptr,            nullptr,      nullptr},
    {"穴番号",     56, TED_INT,    VIA(drillNo),  0, 0,   nullptr,    HoleNumberBounds,   nullptr,      nullptr},
    {"種別",       48, TED_CHOICE, -1, 0,         0, 1,   s_viaKinds, nullptr,            GetViaKind,   SetViaKind},
    {"定義ＶＩＡ", 70, TED_INT,    VIA(defViaNo), 0, 0,   nullptr,    DefViaNumberBounds, nullptr,      nullptr},
    {"色",         40, TED_INT,    -1, 0,         0, 255, nullptr,    nullptr,            GetViaColour, SetViaColour},
    {"パッド数",   60, TED_SHOWN,  -1, 0,         0, 0,   nullptr,    nullptr,            GetPadCount,  nullptr},
};
// clang-format on

void AddVia(TedTable* t, int v)
{
    ViaDef& d = Def(t, v);
    d = ViaDef{};
    d.number = d.viaNo = (uint32_t)v;
    d.setMode = 0x100;
    d.used = 1;
    d.kind = 2;
}

// ---- Defined VIAs: the 16 land slots of one, four variants each ------------------------

// clang-format off
const TedColumn s_landColumns[] = {
    {"種別1", 60, TED_INT, 0,  4, 0, 0, nullptr, TED_SizeNumberBounds, nullptr, nullptr},
    {"種別2", 60, TED_INT, 4,  4, 0, 0, nullptr, TED_SizeNumberBounds, nullptr, nullptr},
    {"種別3", 60, TED_INT, 8,  4, 0, 0, nullptr, TED_SizeNumberBounds, nullptr, nullptr},
    {"種別4", 60, TED_INT, 12, 4, 0, 0, nullptr, TED_SizeNumberBounds, nullptr, nullptr},
};
// clang-format on

DefViaTable* DefVias(TedTable* t) { return (DefViaTable*)t->user; }

int LandDetail(HWND owner, TedTable* outer, int n)
{
    DefViaEntry& e = DefVias(outer)->entry[n];
    int32_t land[16 + 1][4] = {};
    std::memcpy(land[1], e.land, sizeof e.land);
    int32_t last = 16;
    char caption[64];
    wsprintfA(caption, "定義ＶＩＡ %d のランド", n);
    TedTable ted = TED_Sheet(caption, s_landColumns, land, &last, 16);
    if (!TED_RunChanged(owner, &ted)) return 0;
    std::memcpy(e.land, land[1], sizeof e.land);
    return 1;
}

#define DV(f) (int)offsetof(DefViaEntry, f), (int)sizeof(DefViaEntry::f)
// clang-format off
const TedColumn s_defViaColumns[] = {
    {"番号",     44, TED_SHOWN, DV(number),                    0, 0,    nullptr, nullptr,          nullptr, nullptr},
    {"名称",    120, TED_TEXT,  DV(name),                      0, 0,    nullptr, nullptr,          nullptr, nullptr},
    {"穴番号",   56, TED_INT,   (int)offsetof(DefViaEntry, drill), 4, 0, 0, nullptr, HoleNumberBounds, nullptr, nullptr},
    {"ＤＢ番号", 60, TED_INT,   DV(dbcNo),                     0, 9999, nullptr, nullptr,          nullptr, nullptr},
    {"色",       40, TED_INT,   DV(color),                     0, 255,  nullptr, nullptr,          nullptr, nullptr},
};
// clang-format on

void AddDefVia(TedTable* t, int n)
{
    DefViaEntry& e = DefVias(t)->entry[n];
    e = DefViaEntry{};
    e.number = n;
}

// ---- Holes -------------------------------------------------------------------------------

HoleEntry& Hole(TedTable* t, int k) { return ((HoleEntry*)t->base)[k]; }
int64_t GetHoleKind(TedTable* t, int k) { return Hole(t, k).kindShape & 0xFF; }
void SetHoleKind(TedTable* t, int k, int64_t v) { Hole(t, k).kindShape = (Hole(t, k).kindShape & ~0xFFu) | (uint32_t)v; }
int64_t GetHoleShape(TedTable* t, int k) { return (Hole(t, k).kindShape >> 8) & 0xF; }
void SetHoleShape(TedTable* t, int k, int64_t v)
{
    Hole(t, k).kindShape = (Hole(t, k).kindShape & ~0xF00u) | ((uint32_t)v << 8);
}

// A Y diameter of 0 makes the hole as wide as it is long (a round hole).
#define HL(f) (int)offsetof(HoleEntry, f), (int)sizeof(HoleEntry::f)
// clang-format off
const TedColumn s_holeColumns[] = {
    {"番号",      44, TED_SHOWN,  HL(number),   0, 0,    nullptr,      nullptr,                nullptr,      nullptr},
    {"種類",      64, TED_CHOICE, -1, 0,        1, 3,    s_holeKinds,  nullptr,                GetHoleKind,  SetHoleKind},
    {"形状",      44, TED_CHOICE, -1, 0,        0, 2,    s_holeShapes, nullptr,                GetHoleShape, SetHoleShape},
    {"径X(mm)",   64, TED_UNITS,  HL(sizeX),    0, 0,    nullptr,      TED_SizeBounds,         nullptr,      nullptr},
    {"径Y(mm)",   64, TED_UNITS,  HL(sizeY),    0, 0,    nullptr,      TED_SizeBoundsFromZero, nullptr,      nullptr},
    {"開始層",    52, TED_INT,    HL(fromLayer),0, 127,  nullptr,      nullptr,                nullptr,      nullptr},
    {"終了層",    52, TED_INT,    HL(toLayer),  0, 127,  nullptr,      nullptr,                nullptr,      nullptr},
    {"工具番号",  60, TED_INT,    HL(toolNo),   0, 9999, nullptr,      nullptr,                nullptr,      nullptr},
    {"色",        40, TED_INT,    HL(color),    0, 255,  nullptr,      nullptr,                nullptr,      nullptr},
    {"名称",      80, TED_TEXT,   HL(name),     0, 0,    nullptr,      nullptr,                nullptr,      nullptr},
};
// clang-format on

void AddHole(TedTable* t, int k)
{
    HoleEntry& e = Hole(t, k);
    e = HoleEntry{};
    e.number = (uint32_t)k;
    e.kindShape = 1;
    int32_t lo, hi;
    TED_SizeBounds(t, k, &lo, &hi);
    e.sizeX = lo;
}

}  // namespace

extern "C" {

int DLG_QZVia(void* hDesign)
{
    int maxRow = TED_TableMax(hDesign, 8304);
    auto open = [maxRow](TedTable* ted, ViaTable* t) {
        *ted = TED_Sheet("ＱＺＶＩＡ表", s_viaColumns, t->def, &t->useNum, maxRow, AddVia, ViaPadsDetail);
        ted->user = t;
        ted->selected = t->activeNo;
    };
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), TVT_Get_TvtClass(), "DLG_QZVia", &ted, open,
                        TED_ShowAddedRows<ViaTable>);
}

int DLG_DFVia(void* hDesign)
{
    int maxRow = TED_TableMax(hDesign, 8288);
    auto open = [maxRow](TedTable* ted, DefViaTable* t) {
        *ted = TED_Sheet("定義ＶＩＡ表", s_defViaColumns, t->entry, &t->useNum, maxRow, AddDefVia, LandDetail);
        ted->user = t;
        ted->selected = t->activeNo;
    };
    DefViaTable* engine = DDM_Open_DefViaTable(DdmScope(hDesign));
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), engine, "DLG_DFVia", &ted, open, TED_ShowAddedRows<DefViaTable>);
}

int DLG_Hole(void* hDesign)
{
    int maxRow = TED_TableMax(hDesign, 8272);
    auto open = [maxRow](TedTable* ted, HoleTable* t) {
        *ted = TED_Sheet("ホール表", s_holeColumns, t->entry, &t->count, maxRow, AddHole);
    };
    HoleTable* engine = DDM_Open_HoleTable(DdmScope(hDesign));
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), engine, "DLG_Hole", &ted, open, TED_ShowAddedRows<HoleTable>);
}
}
