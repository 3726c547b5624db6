// The three line tables: figure and signal lines, fill lines, text lines.
#include <cstddef>

#include "dialogs/table_editor_run.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

namespace {

const char* const s_ends[] = {"丸", "角"};
const char* const s_dispModes[] = {"なし", "中心線", "外形", "塗り"};
const char* const s_lineTypes[] = {"実線", "実線", "破線", "破線"};

#define LINE_FIELD(f) (int)offsetof(LineEntry, f), (int)sizeof(LineEntry::f)
// clang-format off
const TedColumn s_lineColumns[] = {
    {"番号",       44, TED_SHOWN,  LINE_FIELD(number),   0, 0,   nullptr,      nullptr,              nullptr, nullptr},
    {"線幅(mm)",   72, TED_UNITS,  LINE_FIELD(width),    0, 0,   nullptr,      TED_SizeBounds,       nullptr, nullptr},
    {"サイズ番号", 70, TED_INT,    LINE_FIELD(aptNo),    0, 0,   nullptr,      TED_SizeNumberBounds, nullptr, nullptr},
    {"端点",       44, TED_CHOICE, LINE_FIELD(tanten),   0, 1,   s_ends,       nullptr,              nullptr, nullptr},
    {"色",         40, TED_INT,    LINE_FIELD(color),    0, 255, nullptr,      nullptr,              nullptr, nullptr},
    {"表示",       56, TED_CHOICE, LINE_FIELD(dispMode), 0, 3,   s_dispModes,  nullptr,              nullptr, nullptr},
    {"線種",       44, TED_CHOICE, LINE_FIELD(lineType), 0, 3,   s_lineTypes,  nullptr,              nullptr, nullptr},
    {"名称",      120, TED_TEXT,   LINE_FIELD(name),     0, 0,   nullptr,      nullptr,              nullptr, nullptr},
};
// clang-format on

#define TEXT_FIELD(f) (int)offsetof(TextLineEntry, f), (int)sizeof(TextLineEntry::f)
// clang-format off
const TedColumn s_textColumns[] = {
    {"番号",       44, TED_SHOWN, TEXT_FIELD(number),     0,   0,     nullptr, nullptr,              nullptr, nullptr},
    {"線幅(mm)",   72, TED_UNITS, TEXT_FIELD(width),      0,   0,     nullptr, TED_SizeBounds,       nullptr, nullptr},
    {"文字高(mm)", 72, TED_UNITS, TEXT_FIELD(height),     0,   0,     nullptr, TED_SizeBounds,       nullptr, nullptr},
    {"文字幅(mm)", 72, TED_UNITS, TEXT_FIELD(charWidth),  0,   0,     nullptr, TED_SizeBounds,       nullptr, nullptr},
    {"間隔(mm)",   64, TED_UNITS, TEXT_FIELD(fontGap),    0,   0,     nullptr, TED_SizeBounds,       nullptr, nullptr},
    {"幅率",       48, TED_REAL,  TEXT_FIELD(widthScale), 100, 10000, nullptr, nullptr,              nullptr, nullptr},
    {"サイズ番号", 70, TED_INT,   TEXT_FIELD(aptNo),      0,   0,     nullptr, TED_SizeNumberBounds, nullptr, nullptr},
    {"色",         40, TED_INT,   TEXT_FIELD(color),      0,   255,   nullptr, nullptr,              nullptr, nullptr},
    {"名称",      100, TED_TEXT,  TEXT_FIELD(name),       0,   0,     nullptr, nullptr,              nullptr, nullptr},
};
// clang-format on

void AddLineRow(TedTable* t, int n)
{
    LineEntry& e = ((LineEntry*)t->base)[n];
    e = LineEntry{};
    e.number = (uint32_t)n;
    int32_t lo, hi;
    TED_SizeBounds(t, n, &lo, &hi);
    e.width = lo;
    e.dispMode = 3;
    e.tblNo = n;
}

void AddTextLineRow(TedTable* t, int n)
{
    TextLineEntry& e = ((TextLineEntry*)t->base)[n];
    e = TextLineEntry{};
    e.number = (uint32_t)n;
    int32_t lo, hi;
    TED_SizeBounds(t, n, &lo, &hi);
    e.width = lo;
    e.height = e.charWidth = 100 * lo > hi ? hi : 100 * lo;
    e.widthScale = 1.0;
    e.dispMode = 1;
    e.tblNo = n;
}

// Both line tables share their layout; `code` is the table's capacity code.
int EditLineTable(void* hDesign, LineTable* engine, const char* caption, int code, const char* tag)
{
    int maxRow = TED_TableMax(hDesign, code);
    auto open = [caption, maxRow](TedTable* ted, LineTable* t) {
        *ted = TED_Sheet(caption, s_lineColumns, t->entry, &t->useNum, maxRow, AddLineRow);
        ted->selected = t->activeNo;
    };
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), engine, tag, &ted, open, TED_ShowAddedRows<LineTable>);
}

}  // namespace

extern "C" int DLG_LineLine(void* hDesign)
{
    return EditLineTable(hDesign, TLL_Get_TllClass(), "ライン設定表", 8320, "DLG_LineLine");
}

extern "C" int DLG_PlaneLine(void* hDesign)
{
    return EditLineTable(hDesign, TPL_Get_TplClass(), "塗り込み設定表", 8336, "DLG_PlaneLine");
}

extern "C" int DLG_TextLine(void* hDesign)
{
    int maxRow = TED_TableMax(hDesign, 8352);
    auto open = [maxRow](TedTable* ted, TextLineTable* t) {
        *ted = TED_Sheet("文字ライン設定表", s_textColumns, t->entry, &t->useNum, maxRow, AddTextLineRow);
        ted->selected = t->activeNo;
    };
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), TTL_Get_TtlClass(), "DLG_TextLine", &ted, open,
                        TED_ShowAddedRows<TextLineTable>);
}
