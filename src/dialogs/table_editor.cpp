// The table editor (table_editor.h): the list, the cell values and the
// entry windows that change them.
#include "dialogs/table_editor.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "../res/dialogs_ids.h"
#include "platform/ddm_scope.h"
#include "platform/qzt_env.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/xwinput.h"

namespace {

constexpr double UNITS_PER_MM = 100000.0;

uint8_t* RowAt(TedTable* t, int row) { return t->base + (size_t)t->stride * (size_t)row; }

int64_t ReadField(const uint8_t* p, int size)
{
    switch (size) {
    case 1: { int8_t v; std::memcpy(&v, p, 1); return v; }
    case 2: { int16_t v; std::memcpy(&v, p, 2); return v; }
    default: { int32_t v; std::memcpy(&v, p, 4); return v; }
    }
}

void WriteField(uint8_t* p, int size, int64_t value)
{
    switch (size) {
    case 1: { int8_t v = (int8_t)value; std::memcpy(p, &v, 1); break; }
    case 2: { int16_t v = (int16_t)value; std::memcpy(p, &v, 2); break; }
    default: { int32_t v = (int32_t)value; std::memcpy(p, &v, 4); break; }
    }
}

// Millimetres with as many decimals as the value needs (at most five).
void FormatMm(int64_t units, char* out, int outSize)
{
    std::snprintf(out, (size_t)outSize, "%.5f", (double)units / UNITS_PER_MM);
    char* dot = std::strchr(out, '.');
    if (!dot) return;
    char* end = out + std::strlen(out) - 1;
    while (end > dot + 3 && *end == '0') *end-- = 0;
}

bool Editable(const TedColumn& c) { return c.kind != TED_SHOWN; }

int SelectedRowIndex(HWND list) { return (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED); }

void SetCellTexts(HWND list, TedTable* t, int index)
{
    int row = t->firstRow + index;
    char text[256];
    for (int c = 0; c < t->columnCount; ++c) {
        TED_CellText(t, row, c, text, sizeof text);
        LVITEMA item{};
        item.iSubItem = c;
        item.pszText = text;
        SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)index, (LPARAM)&item);
    }
}

void AddListRow(HWND list, TedTable* t, int index)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = (char*)"";
    SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    SetCellTexts(list, t, index);
}

void SelectListRow(HWND list, int index)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)index, (LPARAM)&item);
    SendMessageA(list, LVM_ENSUREVISIBLE, (WPARAM)index, FALSE);
}

// What the chosen column takes, under the buttons.
void ShowNote(HWND hDlg, TedTable* t)
{
    HWND combo = GetDlgItem(hDlg, IDC_TED_COLUMN);
    int sel = (int)SendMessageA(combo, CB_GETCURSEL, 0, 0);
    int row = t->firstRow + SelectedRowIndex(GetDlgItem(hDlg, IDC_TED_LIST));
    char note[512] = "";
    if (sel >= 0) {
        int col = (int)SendMessageA(combo, CB_GETITEMDATA, (WPARAM)sel, 0);
        const TedColumn& c = t->columns[col];
        int32_t lo, hi;
        TED_Bounds(t, row, col, &lo, &hi);
        char a[32], b[32];
        switch (c.kind) {
        case TED_UNITS:
            FormatMm(lo, a, sizeof a);
            FormatMm(hi, b, sizeof b);
            std::snprintf(note, sizeof note, "%s: %s～%s mm", c.title, a, b);
            break;
        case TED_REAL:
            std::snprintf(note, sizeof note, "%s: %g～%g", c.title, lo / 1000.0, hi / 1000.0);
            break;
        case TED_TEXT: std::snprintf(note, sizeof note, "%s: %d バイトまで", c.title, c.size - 1); break;
        case TED_CHOICE: {
            int n = std::snprintf(note, sizeof note, "%s:", c.title);
            for (int v = c.min; v <= c.max && n < (int)sizeof note - 40; ++v)
                n += std::snprintf(note + n, sizeof note - (size_t)n, " %d=%s", v, c.choices[v - c.min]);
            break;
        }
        default: std::snprintf(note, sizeof note, "%s: %d～%d", c.title, lo, hi); break;
        }
    }
    SetDlgItemTextA(hDlg, IDC_TED_NOTE, note);
}

// Opens the entry window for one cell; true when the cell changed.
bool EditCell(HWND hDlg, TedTable* t, int row, int col)
{
    if (row < t->firstRow || row > *t->lastRow || col < 0 || col >= t->columnCount) return false;
    const TedColumn& c = t->columns[col];
    if (!Editable(c)) {
        MessageBeep(0);
        return false;
    }
    int32_t lo, hi;
    TED_Bounds(t, row, col, &lo, &hi);
    int ok = 0;
    switch (c.kind) {
    case TED_INT:
    case TED_CHOICE: {
        int32_t v = (int32_t)TED_GetValue(t, row, col);
        if (XWinputInteger(hDlg, &v, lo, hi, 1, 0) == 1) ok = TED_SetValue(t, row, col, v);
        break;
    }
    case TED_UNITS: {
        double mm = (double)TED_GetValue(t, row, col) / UNITS_PER_MM;
        if (XWinputFloat(hDlg, &mm, lo / UNITS_PER_MM, hi / UNITS_PER_MM, 1, 0) == 1)
            ok = TED_SetValue(t, row, col, std::llround(mm * UNITS_PER_MM));
        break;
    }
    case TED_REAL: {
        double v;
        std::memcpy(&v, RowAt(t, row) + c.offset, sizeof v);
        if (XWinputFloat(hDlg, &v, lo / 1000.0, hi / 1000.0, 1, 0) == 1 && v >= lo / 1000.0 && v <= hi / 1000.0) {
            std::memcpy(RowAt(t, row) + c.offset, &v, sizeof v);
            ok = 1;
        }
        break;
    }
    case TED_TEXT: {
        char buf[256] = "";
        TED_CellText(t, row, col, buf, sizeof buf);
        int room = c.size - 1 < (int)sizeof buf - 1 ? c.size - 1 : (int)sizeof buf - 1;
        if (XWinputString(hDlg, buf, room, 1, 0) == 1) ok = TED_SetText(t, row, col, buf);
        break;
    }
    case TED_SHOWN: break;
    }
    if (!ok) return false;
    t->changed = 1;
    return true;
}

struct EditorState {
    TedTable* t;
    POINT* pos;
};

void SavePosition(HWND hDlg, EditorState* s)
{
    if (!s->pos) return;
    RECT r;
    GetWindowRect(hDlg, &r);
    s->pos->x = r.left;
    s->pos->y = r.top;
}

void OnInit(HWND hDlg, EditorState* s)
{
    TedTable* t = s->t;
    SetWindowTextA(hDlg, t->caption);
    HWND list = GetDlgItem(hDlg, IDC_TED_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    HWND combo = GetDlgItem(hDlg, IDC_TED_COLUMN);
    for (int c = 0; c < t->columnCount; ++c) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = (char*)t->columns[c].title;
        col.cx = t->columns[c].width;
        col.iSubItem = c;
        SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)c, (LPARAM)&col);
        if (!Editable(t->columns[c])) continue;
        int i = (int)SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)t->columns[c].title);
        SendMessageA(combo, CB_SETITEMDATA, (WPARAM)i, (LPARAM)c);
    }
    if (t->swatch) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = (char*)"見本";
        col.cx = 60;
        col.iSubItem = t->columnCount;
        SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)t->columnCount, (LPARAM)&col);
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    for (int row = t->firstRow; row <= *t->lastRow; ++row) AddListRow(list, t, row - t->firstRow);
    int sel = t->selected >= t->firstRow && t->selected <= *t->lastRow ? t->selected : t->firstRow;
    if (*t->lastRow >= t->firstRow) SelectListRow(list, sel - t->firstRow);
    EnableWindow(GetDlgItem(hDlg, IDC_TED_ADD), t->addRow != nullptr);
    EnableWindow(GetDlgItem(hDlg, IDC_TED_DETAIL), t->detail != nullptr);
    ShowNote(hDlg, t);
    if (s->pos && (s->pos->x || s->pos->y))
        SetWindowPos(hDlg, nullptr, s->pos->x, s->pos->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void OnCommand(HWND hDlg, EditorState* s, int id)
{
    TedTable* t = s->t;
    HWND list = GetDlgItem(hDlg, IDC_TED_LIST);
    int index = SelectedRowIndex(list);
    int row = t->firstRow + index;
    switch (id) {
    case IDC_TED_CHANGE: {
        HWND combo = GetDlgItem(hDlg, IDC_TED_COLUMN);
        int sel = (int)SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (index < 0 || sel < 0) {
            MessageBeep(0);
            return;
        }
        if (EditCell(hDlg, t, row, (int)SendMessageA(combo, CB_GETITEMDATA, (WPARAM)sel, 0)))
            SetCellTexts(list, t, index);
        return;
    }
    case IDC_TED_ADD: {
        if (!t->addRow || *t->lastRow >= t->maxRow) {
            MessageBeep(0);
            return;
        }
        int n = *t->lastRow + 1;
        *t->lastRow = n;
        t->addRow(t, n);
        t->changed = 1;
        AddListRow(list, t, n - t->firstRow);
        SelectListRow(list, n - t->firstRow);
        return;
    }
    case IDC_TED_DETAIL:
        if (!t->detail || index < 0) {
            MessageBeep(0);
            return;
        }
        if (t->detail(hDlg, t, row) == 1) {
            t->changed = 1;
            SetCellTexts(list, t, index);
        }
        return;
    case IDOK:
    case IDCANCEL:
        t->selected = index >= 0 ? row : 0;
        SavePosition(hDlg, s);
        EndDialog(hDlg, id == IDOK ? 1 : 0);
        return;
    }
}

// The sample column of a table with colours is painted in the row's colour.
LRESULT OnCustomDraw(TedTable* t, NMLVCUSTOMDRAW* d)
{
    switch (d->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        d->clrTextBk = d->iSubItem == t->columnCount
                           ? (COLORREF)t->swatch(t, t->firstRow + (int)d->nmcd.dwItemSpec)
                           : GetSysColor(COLOR_WINDOW);
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

void OnNotify(HWND hDlg, EditorState* s, NMHDR* h)
{
    if (h->idFrom != IDC_TED_LIST) return;
    if (h->code == NM_CUSTOMDRAW && s->t->swatch) {
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, OnCustomDraw(s->t, (NMLVCUSTOMDRAW*)h));
        return;
    }
    if (h->code == LVN_ITEMCHANGED) {
        ShowNote(hDlg, s->t);
        return;
    }
    if (h->code != NM_DBLCLK) return;
    NMITEMACTIVATE* a = (NMITEMACTIVATE*)h;
    LVHITTESTINFO hit{};
    hit.pt = a->ptAction;
    if (SendMessageA(h->hwndFrom, LVM_SUBITEMHITTEST, 0, (LPARAM)&hit) < 0 || hit.iItem < 0) return;
    if (EditCell(hDlg, s->t, s->t->firstRow + hit.iItem, hit.iSubItem)) SetCellTexts(h->hwndFrom, s->t, hit.iItem);
}

INT_PTR CALLBACK EditorProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    EditorState* s = (EditorState*)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        OnInit(hDlg, (EditorState*)lParam);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELCHANGE) ShowNote(hDlg, s->t);
        else OnCommand(hDlg, s, LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        OnNotify(hDlg, s, (NMHDR*)lParam);
        return TRUE;
    case WM_CLOSE:
        OnCommand(hDlg, s, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int64_t TED_GetValue(TedTable* t, int row, int col)
{
    const TedColumn& c = t->columns[col];
    if (c.get) return c.get(t, row);
    if (c.offset < 0 || c.kind == TED_TEXT || c.kind == TED_REAL) return 0;
    return ReadField(RowAt(t, row) + c.offset, c.size);
}

void TED_Bounds(TedTable* t, int row, int col, int32_t* min, int32_t* max)
{
    const TedColumn& c = t->columns[col];
    *min = c.min;
    *max = c.max;
    if (c.bounds) c.bounds(t, row, min, max);
}

void TED_CellText(TedTable* t, int row, int col, char* out, int outSize)
{
    const TedColumn& c = t->columns[col];
    if (c.kind == TED_TEXT) {
        const char* p = (const char*)RowAt(t, row) + c.offset;
        int n = (int)strnlen(p, (size_t)c.size);
        if (n > outSize - 1) n = outSize - 1;
        std::memcpy(out, p, (size_t)n);
        out[n] = 0;
        return;
    }
    if (c.kind == TED_REAL) {
        double v;
        std::memcpy(&v, RowAt(t, row) + c.offset, sizeof v);
        std::snprintf(out, (size_t)outSize, "%g", v);
        return;
    }
    int64_t v = TED_GetValue(t, row, col);
    if (c.kind == TED_UNITS) {
        FormatMm(v, out, outSize);
    } else if (c.kind == TED_CHOICE && v >= c.min && v <= c.max) {
        std::snprintf(out, (size_t)outSize, "%s", c.choices[v - c.min]);
    } else {
        std::snprintf(out, (size_t)outSize, "%lld", (long long)v);
    }
}

int TED_SetValue(TedTable* t, int row, int col, int64_t value)
{
    if (row < t->firstRow || row > *t->lastRow || col < 0 || col >= t->columnCount) return 0;
    const TedColumn& c = t->columns[col];
    if (!Editable(c) || c.kind == TED_TEXT || c.kind == TED_REAL) return 0;
    int32_t lo, hi;
    TED_Bounds(t, row, col, &lo, &hi);
    if (value < lo || value > hi) return 0;
    if (c.set) c.set(t, row, value);
    else if (c.offset >= 0) WriteField(RowAt(t, row) + c.offset, c.size, value);
    else return 0;
    t->changed = 1;
    return 1;
}

int TED_SetText(TedTable* t, int row, int col, const char* text)
{
    if (row < t->firstRow || row > *t->lastRow || col < 0 || col >= t->columnCount) return 0;
    const TedColumn& c = t->columns[col];
    if (c.kind != TED_TEXT || (int)std::strlen(text) > c.size - 1) return 0;
    char* p = (char*)RowAt(t, row) + c.offset;
    std::memset(p, 0, (size_t)c.size);
    std::memcpy(p, text, std::strlen(text));
    t->changed = 1;
    return 1;
}

void TED_SizeBounds(TedTable*, int, int32_t* min, int32_t* max)
{
    // The environment's size limits (kind 0: the sizes of lines and pads):
    // the upper bound in the low half, the lower in the high half.
    uint64_t packed = ENV_GetSizeLimit(ENV_GetENVClass(), 0);
    int32_t upper = (int32_t)(uint32_t)packed, lower = (int32_t)(uint32_t)(packed >> 32);
    if (lower < 1) lower = 1;
    if (upper < lower) upper = lower;
    *min = lower;
    *max = upper;
}

void TED_SizeBoundsFromZero(TedTable* t, int row, int32_t* min, int32_t* max)
{
    TED_SizeBounds(t, row, min, max);
    *min = 0;
}

void TED_SizeNumberBounds(TedTable*, int, int32_t* min, int32_t* max)
{
    *min = 0;
    *max = TSZ_Get_LinTbl_UseNum(TSZ_Get_TszClass());
}

void TED_RuleBounds(TedTable*, int, int32_t* min, int32_t* max)
{
    *min = 0;
    *max = DDM_Open_RuleTable(DdmScope(nullptr))->count;
}

void TED_OwnerOrActive(HWND* owner)
{
    DWORD pid = 0;
    if (!*owner || !IsWindow(*owner) || !GetWindowThreadProcessId(*owner, &pid) || pid != GetCurrentProcessId())
        *owner = GetActiveWindow();
}

int TED_Run(HWND owner, TedTable* t, POINT* pos)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    TED_OwnerOrActive(&owner);
    EditorState s = {t, pos};
    INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TABLE_EDITOR), owner,
                                EditorProc, (LPARAM)&s);
    return r == 1 ? 1 : 0;
}
