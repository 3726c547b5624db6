// The inner-layer connection table (how each land slot of a VIA meets each
// inner plane) and the signal-line settings table (each signal class's line
// and clearances).
#include <cstddef>
#include <cstring>

#include "dialogs/table_editor_run.h"
#include "platform/ddm_scope.h"
#include "platform/qzt_table_update.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

namespace {

const char* const s_connections[] = {"なし", "サーマル", "直結", "クリア"};

void LevelBounds(TedTable*, int, int32_t* min, int32_t* max)
{
    *min = 0;
    *max = TLV_Get_Level_UseNum(TLV_Get_TlvClass());
}
void LineNumberBounds(TedTable*, int, int32_t* min, int32_t* max)
{
    *min = 0;
    *max = TLL_Get_ZLinTbl_UseNum(TLL_Get_TllClass());
}
// ---- Inner layers: entry i (from 0) is row i + 1 -----------------------------------------

#define INF(f) (int)offsetof(InnerEntry, f), (int)sizeof(InnerEntry::f)
#define SLOT(j) {"接続" #j, 56, TED_CHOICE, (int)offsetof(InnerEntry, value) + 4 * ((j) - 1), 4, 0, 3, s_connections, nullptr, nullptr, nullptr}
// clang-format off
const TedColumn s_innerColumns[] = {
    {"層",         40, TED_INT,  INF(word0),  0, 127, nullptr, nullptr,              nullptr, nullptr},
    {"レベル",     48, TED_INT,  INF(word4),  0, 0,   nullptr, LevelBounds,          nullptr, nullptr},
    {"名称",       96, TED_TEXT, INF(name),   0, 0,   nullptr, nullptr,              nullptr, nullptr},
    {"サーマル",   60, TED_INT,  INF(word42), 0, 0,   nullptr, TED_SizeNumberBounds, nullptr, nullptr},
    SLOT(1), SLOT(2), SLOT(3), SLOT(4), SLOT(5), SLOT(6), SLOT(7), SLOT(8),
    SLOT(9), SLOT(10), SLOT(11), SLOT(12), SLOT(13), SLOT(14), SLOT(15), SLOT(16),
};
// clang-format on

bool InnerInUse(const InnerEntry& e) { return e.word0 != 0 || e.word4 != 0 || e.name[0] != 0; }

void AddInner(TedTable* t, int row) { ((InnerEntry*)t->base)[row] = InnerEntry{}; }

// ---- Signal-line settings: entries 1 to 64 -----------------------------------------------

#define SG(f) (int)offsetof(SignalEntry, f), (int)sizeof(SignalEntry::f)
#define SV(k) (int)offsetof(SignalEntry, value) + 4 * (k), 4
// clang-format off
const TedColumn s_signalColumns[] = {
    {"番号",           44, TED_SHOWN, SG(word0),                0, 0, nullptr, nullptr,                nullptr, nullptr},
    {"名称",          120, TED_TEXT,  SG(name),                 0, 0, nullptr, nullptr,                nullptr, nullptr},
    {"ライン番号",     70, TED_INT,   SG(word2),                0, 0, nullptr, LineNumberBounds,       nullptr, nullptr},
    {"ライン間(mm)",   80, TED_UNITS, SV(SLN_LINE_CLEARANCE),   0, 0, nullptr, TED_SizeBoundsFromZero, nullptr, nullptr},
    {"パッド間(mm)",   80, TED_UNITS, SV(SLN_PAD_CLEARANCE),    0, 0, nullptr, TED_SizeBoundsFromZero, nullptr, nullptr},
    {"ＶＩＡ間(mm)",   80, TED_UNITS, SV(SLN_VIA_CLEARANCE),    0, 0, nullptr, TED_SizeBoundsFromZero, nullptr, nullptr},
    {"ルール",         48, TED_INT,   SV(SLN_DRC_RULE),         0, 0, nullptr, TED_RuleBounds,         nullptr, nullptr},
};
// clang-format on

bool SignalInUse(const SignalEntry& e) { return e.word0 != 0 || e.name[0] != 0; }

void AddSignal(TedTable* t, int n)
{
    SignalEntry& e = ((SignalEntry*)t->base)[n];
    e = SignalEntry{};
    e.word0 = (uint16_t)n;
}

// Both tables keep the number of the last entry in use as their count.
template <class Table>
bool CountRowsInUse(TedTable* ted, Table* t)
{
    t->count = *ted->lastRow;
    return true;
}

}  // namespace

extern "C" {

int INN_ModifayDlg(void* hDesign, HWND hOwner)
{
    int32_t last = 0;
    auto open = [&last](TedTable* ted, InnerTable* t) {
        // The rows in use run from the first entry to the last one that holds anything.
        for (int i = 0; i < INN_ENTRIES; ++i)
            if (InnerInUse(t->entry[i])) last = i + 1;
        // Entry i is row i + 1.
        *ted = TED_Sheet("内層導通表", s_innerColumns, t->entry - 1, &last, INN_ENTRIES, AddInner);
    };
    InnerTable* engine = DDM_Open_InnerTable(DdmScope(hDesign));
    TedTable ted{};
    return TED_EditCopy(hOwner ? hOwner : DLG_OwnerOf(hDesign), engine, "INN_ModifayDlg", &ted, open,
                        CountRowsInUse<InnerTable>);
}

int SLN_ModifayDlg(void* hDesign, HWND hOwner)
{
    int32_t last = 0;
    auto open = [&last](TedTable* ted, SignalTable* t) {
        for (int n = 1; n <= SLN_ENTRIES; ++n)
            if (SignalInUse(t->entry[n])) last = n;
        // Rows shown keep their numbers: an entry in use shows its own.
        for (int n = 1; n <= last; ++n) t->entry[n].word0 = (uint16_t)n;
        *ted = TED_Sheet("信号線設定表", s_signalColumns, t->entry, &last, SLN_ENTRIES, AddSignal);
    };
    SignalTable* engine = DDM_Open_SignalTable(DdmScope(hDesign));
    TedTable ted{};
    return TED_EditCopy(hOwner ? hOwner : DLG_OwnerOf(hDesign), engine, "SLN_ModifayDlg", &ted, open,
                        CountRowsInUse<SignalTable>);
}
}
