// The rule table: one row per rule record, and for one record its clearance
// entries (between which two kinds of element, and how far apart).
#include <cstring>

#include "dialogs/table_editor_run.h"
#include "platform/ddm_scope.h"
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
// clang-format off
const TedColumn s_entryColumns[] = {
    {"番号",            44, TED_SHOWN,  -1, 0, 0, 0,              nullptr, nullptr,                GetNumber, nullptr},
    {"対象1",           90, TED_CHOICE, -1, 0, 0, KIND_COUNT - 1, s_kinds, nullptr,                GetFrom,   SetFrom},
    {"対象2",           90, TED_CHOICE, -1, 0, 0, KIND_COUNT - 1, s_kinds, nullptr,                GetTo,     SetTo},
    {"クリアランス(mm)", 96, TED_UNITS, (int)offsetof(RuleClearance, value), 4, 0, 0, nullptr, TED_SizeBoundsFromZero, nullptr, nullptr},
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
    TedTable ted = TED_Sheet(caption, s_entryColumns, rows, &last, 128);
    if (!TED_RunChanged(owner, &ted)) return 0;
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
    int maxRow = TED_TableMax(hDesign, 8368);
    auto open = [maxRow](TedTable* ted, RuleTable* t) {
        // Rule r is rule[r - 1]: row r lives one record before.
        *ted = TED_Sheet("ルール表", s_ruleColumns, t->rule - 1, &t->count, maxRow, AddRule, EntriesDetail);
        ted->user = t;
    };
    RuleTable* engine = DDM_Open_RuleTable(DdmScope(hDesign));
    TedTable ted{};
    return TED_EditCopy(DLG_OwnerOf(hDesign), engine, "DLG_Rule", &ted, open, TED_KeepAsEdited<RuleTable>);
}
