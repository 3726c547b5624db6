// The rule table: one row per rule record, and for one record its clearance
// entries (between which two kinds of element, and how far apart).
#include <cstring>

#include "dialogs/table_copy.h"
#include "dialogs/table_editor.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

namespace {

constexpr int CLEARANCE_BASE = 0x2000000;
const int s_kindCodes[] = {0, 0x11, 0x13, 0x50, 0x90};
const char* const s_kinds[] = {"－", "ライン", "ＶＩＡ・ピン", "塗り込み", "文字"};
constexpr int KIND_COUNT = (int)(sizeof s_kindCodes / sizeof s_kindCodes[0]);

int KindIndex(int code)
{
    for (int i = 1; i < KIND_COUNT; ++i)
        if (s_kindCodes[i] == code) return i;
    return 0;
}

RuleClearance& Entry(TedTable* t, int i) { return ((RuleClearance*)t->base)[i]; }
int64_t GetFrom(TedTable* t, int i) { return Entry(t, i).code ? KindIndex((Entry(t, i).code >> 12) & 0xFFF) : 0; }
int64_t GetTo(TedTable* t, int i) { return Entry(t, i).code ? KindIndex(Entry(t, i).code & 0xFFF) : 0; }
// An entry holds a clearance only while both kinds are chosen; choosing "－"
// for either empties it.
void SetKinds(TedTable* t, int i, int64_t from, int64_t to)
{
    RuleClearance& e = Entry(t, i);
    if (from == 0 || to == 0) {
        e.code = 0;
        return;
    }
    e.code = TRL_MakeClearanceCode(CLEARANCE_BASE, s_kindCodes[from], s_kindCodes[to]);
}
// An empty entry remembers the kind chosen first in its word until the second comes.
void SetFrom(TedTable* t, int i, int64_t v)
{
    int64_t to = Entry(t, i).code ? GetTo(t, i) : Entry(t, i).word;
    Entry(t, i).word = (int32_t)v;
    SetKinds(t, i, v, to);
}
void SetTo(TedTable* t, int i, int64_t v)
{
    int64_t from = Entry(t, i).code ? GetFrom(t, i) : Entry(t, i).word;
    Entry(t, i).word = (int32_t)v;
    SetKinds(t, i, from, v);
}
int64_t GetNumber(TedTable*, int i) { return i; }
void ClearanceBounds(TedTable* t, int i, int32_t* min, int32_t* max)
{
    TED_SizeBounds(t, i, min, max);
    *min = 0;
}

// clang-format off
const TedColumn s_entryColumns[] = {
    {"番号",            44, TED_SHOWN,  -1, 0, 0, 0,              nullptr, nullptr,         GetNumber, nullptr},
    {"対象1",           90, TED_CHOICE, -1, 0, 0, KIND_COUNT - 1, s_kinds, nullptr,         GetFrom,   SetFrom},
    {"対象2",           90, TED_CHOICE, -1, 0, 0, KIND_COUNT - 1, s_kinds, nullptr,         GetTo,     SetTo},
    {"クリアランス(mm)", 96, TED_UNITS, (int)offsetof(RuleClearance, value), 4, 0, 0, nullptr, ClearanceBounds, nullptr, nullptr},
};
// clang-format on

RuleTable* Rules(TedTable* t) { return (RuleTable*)t->user; }
int64_t GetRuleNumber(TedTable*, int r) { return r; }
int64_t GetEntryCount(TedTable* t, int r)
{
    int n = 0;
    for (const RuleClearance& c : Rules(t)->rule[r - 1].entry) n += c.code != 0;
    return n;
}

int EntriesDetail(HWND owner, TedTable* outer, int r)
{
    RuleRecord& rec = Rules(outer)->rule[r - 1];
    RuleClearance rows[128 + 1] = {};
    std::memcpy(&rows[1], rec.entry, sizeof rec.entry);
    for (int i = 1; i <= 128; ++i) rows[i].word = 0;
    int32_t last = 128;
    char caption[64];
    wsprintfA(caption, "ルール %d のクリアランス", r);
    TedTable ted{};
    ted.caption = caption;
    ted.columns = s_entryColumns;
    ted.columnCount = (int)(sizeof s_entryColumns / sizeof s_entryColumns[0]);
    ted.base = (uint8_t*)rows;
    ted.stride = sizeof(RuleClearance);
    ted.firstRow = 1;
    ted.lastRow = &last;
    ted.maxRow = 128;
    if (!TED_Run(owner, &ted) || !ted.changed) return 0;
    for (int i = 1; i <= 128; ++i) {
        rows[i].word = 0;
        if (!rows[i].code) rows[i].value = 0;
    }
    std::memcpy(rec.entry, &rows[1], sizeof rec.entry);
    return 1;
}

// clang-format off
const TedColumn s_ruleColumns[] = {
    {"番号",         44, TED_SHOWN, -1, 0, 0, 0, nullptr, nullptr, GetRuleNumber, nullptr},
    {"クリアランス数", 96, TED_SHOWN, -1, 0, 0, 0, nullptr, nullptr, GetEntryCount, nullptr},
};
// clang-format on

void AddRule(TedTable* t, int r) { std::memset(&Rules(t)->rule[r - 1], 0, sizeof(RuleRecord)); }

}  // namespace

extern "C" int DLG_Rule(void* hDesign)
{
    HWND owner = DLG_OwnerOf(hDesign);
    TableCopy copy;
    if (!copy.Take(owner, DDM_Open_RuleTable(DDM_Open(hDesign)), sizeof(RuleTable), "DLG_Rule")) return 0;
    RuleTable* t = copy.As<RuleTable>();
    TedTable ted{};
    ted.caption = "ルール表";
    ted.columns = s_ruleColumns;
    ted.columnCount = (int)(sizeof s_ruleColumns / sizeof s_ruleColumns[0]);
    // Rule r is rule[r - 1]: row r lives one record before.
    ted.base = (uint8_t*)t->rule - sizeof(RuleRecord);
    ted.stride = sizeof(RuleRecord);
    ted.firstRow = 1;
    ted.lastRow = &t->count;
    ted.maxRow = SYS_GetTblMax(DDM_Open(hDesign), 8368);
    ted.addRow = AddRule;
    ted.detail = EntriesDetail;
    ted.user = t;
    if (!TED_Run(owner, &ted) || !ted.changed) return 0;
    copy.Commit();
    return 1;
}
