// The size (aperture) table: shapes, outer and inner widths, D-codes, use.
#include <cstddef>

#include "dialogs/table_editor_run.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

namespace {

const char* const s_shapes[] = {"丸", "角", "丸穴付", "角穴付", "丸ｻｰﾏﾙ90", "角ｻｰﾏﾙ90", "丸ｻｰﾏﾙ45", "角ｻｰﾏﾙ45", "特殊"};
const char* const s_uses[] = {"描画", "ﾌﾗｯｼｭ", "両方"};
const char* const s_classes[] = {"なし", "ランド", "サーマル", "クリア"};

SizeEntry& Row(TedTable* t, int n) { return ((SizeEntry*)t->base)[n]; }
int64_t GetUse(TedTable* t, int n) { return Row(t, n).flags & 3; }
void SetUse(TedTable* t, int n, int64_t v) { Row(t, n).flags = (Row(t, n).flags & ~3u) | (uint32_t)v; }
int64_t GetClass(TedTable* t, int n) { return (Row(t, n).flags >> 2) & 7; }
void SetClass(TedTable* t, int n, int64_t v) { Row(t, n).flags = (Row(t, n).flags & ~(7u << 2)) | ((uint32_t)v << 2); }

#define F(f) (int)offsetof(SizeEntry, f), (int)sizeof(SizeEntry::f)
// clang-format off
const TedColumn s_columns[] = {
    {"番号",       44, TED_SHOWN,  F(number), 0,  0,    nullptr,   nullptr,                nullptr,  nullptr},
    {"形状",       72, TED_CHOICE, F(shape),  0,  8,    s_shapes,  nullptr,                nullptr,  nullptr},
    {"外形X(mm)",  70, TED_UNITS,  F(outX),   0,  0,    nullptr,   TED_SizeBounds,         nullptr,  nullptr},
    {"外形Y(mm)",  70, TED_UNITS,  F(outY),   0,  0,    nullptr,   TED_SizeBounds,         nullptr,  nullptr},
    {"内径X(mm)",  70, TED_UNITS,  F(inX),    0,  0,    nullptr,   TED_SizeBoundsFromZero, nullptr,  nullptr},
    {"内径Y(mm)",  70, TED_UNITS,  F(inY),    0,  0,    nullptr,   TED_SizeBoundsFromZero, nullptr,  nullptr},
    {"Ｄコード",   60, TED_INT,    F(dcode),  -1, 9999, nullptr,   nullptr,                nullptr,  nullptr},
    {"用途",       52, TED_CHOICE, -1, 0,     0,  2,    s_uses,    nullptr,                GetUse,   SetUse},
    {"種類",       60, TED_CHOICE, -1, 0,     0,  3,    s_classes, nullptr,                GetClass, SetClass},
    {"名称",      100, TED_TEXT,   F(name),   0,  0,    nullptr,   nullptr,                nullptr,  nullptr},
};
// clang-format on

void AddRow(TedTable* t, int n)
{
    SizeEntry& e = Row(t, n);
    e = SizeEntry{};
    e.number = (uint32_t)n;
    int32_t lo, hi;
    TED_SizeBounds(t, n, &lo, &hi);
    e.outX = e.outY = lo;
}

}  // namespace

extern "C" int DLG_Size(void* hDesign)
{
    int maxRow = TED_TableMax(hDesign, 8256);
    auto open = [maxRow](TedTable* ted, SizeTable* t) {
        *ted = TED_Sheet("基準サイズ表", s_columns, t->entry, &t->useNum, maxRow, AddRow);
    };
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), TSZ_Get_TszClass(), "DLG_Size", &ted, open,
                        TED_ShowAddedRows<SizeTable>);
}
