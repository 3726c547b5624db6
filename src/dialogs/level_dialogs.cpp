// The level table and the layer structure. The level table changes how each
// level is shown and checked; the layer structure changes what a level is
// (its data type, physical layer and polarity), after which the caller
// rebuilds the VIA layers.
#include <cstddef>
#include <cstring>

#include "dialogs/table_editor_run.h"
#include "platform/ddm_scope.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

namespace {

const char* const s_dataTypes[] = {
    "ＱＺ論理層", "図形層", "配線層", "レジスト層", "ペースト層", "シルク層", "寸法線層", "外形層",
    "エリア指定層", "シールド層", "部品層", "ワーク層", "システム層", "ポイント層", "ラッツ層", "配線層２",
};
const char* const s_shown[] = {"表示", "非表示"};
const char* const s_check[] = {"する", "しない"};
const char* const s_lock[] = {"なし", "あり"};
const char* const s_polarity[] = {"正", "負"};

LevelTable* Levels(TedTable* t) { return (LevelTable*)t->user; }
LevelExtra& Extra(TedTable* t, int k) { return Levels(t)->extra[k]; }

int64_t GetDataType(TedTable* t, int k) { return Levels(t)->entry[k].kind & 15; }
void SetDataType(TedTable* t, int k, int64_t v)
{
    int32_t kind = Levels(t)->entry[k].kind;
    Levels(t)->entry[k].kind = (kind & ~15) | (int32_t)(v & 15);
}
int64_t GetLayer(TedTable* t, int k) { return Extra(t, k).layer; }
void SetLayer(TedTable* t, int k, int64_t v) { Extra(t, k).layer = (int16_t)v; }
int64_t GetColour(TedTable* t, int k) { return Extra(t, k).color & 0xFF; }
void SetColour(TedTable* t, int k, int64_t v) { Extra(t, k).color = (uint32_t)v; }
int64_t GetHidden(TedTable* t, int k) { return Extra(t, k).dispSts < 0 ? 1 : 0; }
void SetHidden(TedTable* t, int k, int64_t v)
{
    uint16_t s = (uint16_t)Extra(t, k).dispSts;
    Extra(t, k).dispSts = (int16_t)(v ? (s | 0x8000) : (s & 0x7FFF));
}
int64_t GetDrcMode(TedTable* t, int k) { return Extra(t, k).drcMode ? 1 : 0; }
void SetDrcMode(TedTable* t, int k, int64_t v) { Extra(t, k).drcMode = (int32_t)v; }
int64_t GetDrcRule(TedTable* t, int k) { return Extra(t, k).drcRule; }
void SetDrcRule(TedTable* t, int k, int64_t v) { Extra(t, k).drcRule = (int32_t)v; }
int64_t GetLock(TedTable* t, int k) { return Extra(t, k).lock ? 1 : 0; }
void SetLock(TedTable* t, int k, int64_t v) { Extra(t, k).lock = (int32_t)v; }
int64_t GetNotPrinted(TedTable* t, int k) { return Levels(t)->entry[k].flags & LEVEL_NOT_PRINTED ? 1 : 0; }
void SetNotPrinted(TedTable* t, int k, int64_t v)
{
    uint16_t f = Levels(t)->entry[k].flags;
    Levels(t)->entry[k].flags = (uint16_t)(v ? (f | LEVEL_NOT_PRINTED) : (f & ~LEVEL_NOT_PRINTED));
}
int64_t GetPolarity(TedTable* t, int k) { return Extra(t, k).posiNega ? 1 : 0; }
void SetPolarity(TedTable* t, int k, int64_t v) { Extra(t, k).posiNega = (int16_t)v; }

#define NAME_FIELD (int)offsetof(LevelEntry, name), (int)sizeof(LevelEntry::name)
#define NUMBER_FIELD (int)offsetof(LevelEntry, number), (int)sizeof(LevelEntry::number)
// clang-format off
const TedColumn s_levelColumns[] = {
    {"番号",       44, TED_SHOWN,  NUMBER_FIELD, 0, 0,   nullptr,     nullptr,        nullptr,       nullptr},
    {"名称",      120, TED_TEXT,   NAME_FIELD,   0, 0,   nullptr,     nullptr,        nullptr,       nullptr},
    {"データ種別", 88, TED_SHOWN,  -1, 0,        0, 15,  nullptr,     nullptr,        GetDataType,   nullptr},
    {"層",         36, TED_SHOWN,  -1, 0,        0, 0,   nullptr,     nullptr,        GetLayer,      nullptr},
    {"色",         40, TED_INT,    -1, 0,        0, 255, nullptr,     nullptr,        GetColour,     SetColour},
    {"表示",       52, TED_CHOICE, -1, 0,        0, 1,   s_shown,     nullptr,        GetHidden,     SetHidden},
    {"ＤＲＣ",     48, TED_CHOICE, -1, 0,        0, 1,   s_check,     nullptr,        GetDrcMode,    SetDrcMode},
    {"ルール",     48, TED_INT,    -1, 0,        0, 0,   nullptr,     TED_RuleBounds, GetDrcRule,    SetDrcRule},
    {"ロック",     48, TED_CHOICE, -1, 0,        0, 1,   s_lock,      nullptr,        GetLock,       SetLock},
    {"印刷",       48, TED_CHOICE, -1, 0,        0, 1,   s_check,     nullptr,        GetNotPrinted, SetNotPrinted},
};
const TedColumn s_structColumns[] = {
    {"番号",       44, TED_SHOWN,  NUMBER_FIELD, 0, 0,   nullptr,      nullptr,        nullptr,     nullptr},
    {"名称",      120, TED_TEXT,   NAME_FIELD,   0, 0,   nullptr,      nullptr,        nullptr,     nullptr},
    {"データ種別", 96, TED_CHOICE, -1, 0,        0, 15,  s_dataTypes,  nullptr,        GetDataType, SetDataType},
    {"層",         40, TED_INT,    -1, 0,        0, 127, nullptr,      nullptr,        GetLayer,    SetLayer},
    {"正負",       40, TED_CHOICE, -1, 0,        0, 1,   s_polarity,   nullptr,        GetPolarity, SetPolarity},
};
// clang-format on

void AddLevelRow(TedTable* t, int k)
{
    LevelTable* lv = Levels(t);
    lv->entry[k] = LevelEntry{};
    lv->entry[k].number = (uint16_t)k;
    lv->entry[k].kind = 1;
    lv->entry[k].word28 = 1;
    lv->extra[k] = LevelExtra{};
    lv->extra[k].dispNo = k;
    lv->extra[k].color = (uint32_t)(1 + (k - 1) % 15);
}

// Both dialogs show one row per level of the copy `t`.
template <size_t N>
TedTable LevelSheet(const char* caption, const TedColumn (&columns)[N], LevelTable* t)
{
    TedTable ted = TED_Sheet(caption, columns, t->entry, &t->levelUseNum, TED_TableMax(nullptr, 8240));
    ted.user = t;
    return ted;
}

int EditLevels(void* designOrOwner, POINT* pos, int16_t* word)
{
    auto open = [word](TedTable* ted, LevelTable* t) {
        *ted = LevelSheet("レベル表", s_levelColumns, t);
        ted->addRow = AddLevelRow;
        ted->selected = word ? *word : 0;
    };
    auto settle = [](TedTable*, LevelTable* t) {
        if (t->levelDispNum < t->levelUseNum) t->levelDispNum = t->levelUseNum;
        return true;
    };
    TedTable ted{};
    int r = TED_EditCopy(DLG_OwnerOf(designOrOwner), TLV_Get_TlvClass(), "DLG_Level", &ted, open, settle, pos);
    if (word && ted.selected > 0) *word = (int16_t)ted.selected;
    return r;
}

}  // namespace

extern "C" {

int DLG_Level(void* designOrOwner, POINT* pos, int16_t* word, int, int) { return EditLevels(designOrOwner, pos, word); }

int DLG_Edtlevel(void* designOrOwner, POINT* pos, int16_t* word, int, int)
{
    return EditLevels(designOrOwner, pos, word);
}

int LevStructInfoDLG(void* hDesign, int* levelsChanged, int* layersChanged, int, int)
{
    if (levelsChanged) *levelsChanged = 0;
    if (layersChanged) *layersChanged = 0;
    LevelTable* engine = TLV_Get_TlvClass();
    auto open = [](TedTable* ted, LevelTable* t) {
        *ted = LevelSheet("層構成", s_structColumns, t);
    };
    // The copy is kept only when a level or a layer changed; the caller is told which.
    auto settle = [&](TedTable*, LevelTable* t) {
        int levels = 0, layers = 0;
        for (int k = 1; k <= t->levelUseNum && k <= TBL_MAX_LEVEL; ++k) {
            if (std::memcmp(t->entry[k].name, engine->entry[k].name, sizeof t->entry[k].name) != 0 ||
                t->entry[k].kind != engine->entry[k].kind)
                levels = 1;
            if (t->extra[k].layer != engine->extra[k].layer || t->extra[k].posiNega != engine->extra[k].posiNega)
                layers = 1;
        }
        if (!levels && !layers) return false;
        int top = 0;
        for (int k = 1; k <= t->levelUseNum && k <= TBL_MAX_LEVEL; ++k)
            top = t->extra[k].layer > top ? t->extra[k].layer : top;
        t->layerUseNum = top;
        if (levelsChanged) *levelsChanged = levels;
        if (layersChanged) *layersChanged = layers;
        return true;
    };
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), engine, "LevStructInfoDLG", &ted, open, settle);
}
}
