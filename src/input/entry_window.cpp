// The entry window: a small modal dialog with the bounds, one field, the
// history below it and OK / cancel. Enter confirms, Escape or closing
// cancels; a text the caller refuses beeps and stays for correcting. The
// template is built in memory so that the library needs no resources of the
// program it is linked into.
#include <cstring>
#include <string>
#include <vector>

#include "input/entry.h"
#include "platform/xwinput.h"

enum { IDC_XWI_PROMPT = 100, IDC_XWI_FIELD = 101, IDC_XWI_HISTORY = 102 };

struct EntryState {
    const XWI_Entry* entry;
    HWND hField;
};

// --- the template ---------------------------------------------------------

static void PutWord(std::vector<WORD>& t, WORD w) { t.push_back(w); }

static void PutDword(std::vector<WORD>& t, DWORD d)
{
    t.push_back(LOWORD(d));
    t.push_back(HIWORD(d));
}

static void PutText(std::vector<WORD>& t, const char* sjis)
{
    int n = MultiByteToWideChar(932, 0, sjis, -1, nullptr, 0);
    std::wstring w((size_t)(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(932, 0, sjis, -1, w.data(), n);
    for (wchar_t c : w) {
        t.push_back((WORD)c);
        if (c == 0) break;
    }
}

static void AlignDword(std::vector<WORD>& t)
{
    if (t.size() % 2) t.push_back(0);
}

static void PutItem(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy,
                    WORD id, WORD cls, const char* text)
{
    AlignDword(t);
    PutDword(t, style | WS_CHILD | WS_VISIBLE);
    PutDword(t, 0);
    PutWord(t, (WORD)x);
    PutWord(t, (WORD)y);
    PutWord(t, (WORD)cx);
    PutWord(t, (WORD)cy);
    PutWord(t, id);
    PutWord(t, 0xFFFF);
    PutWord(t, cls);
    PutText(t, text);
    PutWord(t, 0);  // no creation data
}

static std::vector<WORD> BuildTemplate(const char* caption)
{
    std::vector<WORD> t;
    PutDword(t, DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    PutDword(t, 0);
    PutWord(t, 5);  // items
    PutWord(t, 0);
    PutWord(t, 0);
    PutWord(t, 160);
    PutWord(t, 98);
    PutWord(t, 0);  // no menu
    PutWord(t, 0);  // standard class
    PutText(t, caption);
    PutWord(t, 9);
    PutText(t, "MS Shell Dlg");
    const WORD BUTTON = 0x80, EDIT = 0x81, STATIC = 0x82, LISTBOX = 0x83;
    PutItem(t, SS_LEFT, 6, 5, 148, 10, IDC_XWI_PROMPT, STATIC, "");
    PutItem(t, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 6, 17, 148, 13, IDC_XWI_FIELD, EDIT, "");
    PutItem(t, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 6, 34, 148,
            40, IDC_XWI_HISTORY, LISTBOX, "");
    PutItem(t, BS_DEFPUSHBUTTON | WS_TABSTOP, 46, 78, 50, 14, IDOK, BUTTON, "OK");
    PutItem(t, BS_PUSHBUTTON | WS_TABSTOP, 104, 78, 50, 14, IDCANCEL, BUTTON, "キャンセル");
    return t;
}

// --- placement ------------------------------------------------------------

// At the last saved position, or centred on the owner the first time; always
// kept wholly on the virtual screen.
static void PlaceWindow(HWND hDlg, HWND hOwner)
{
    RECT rc;
    GetWindowRect(hDlg, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    XWinputParam* p = XWinputGetParam();
    int x = p->windowX, y = p->windowY;
    if (x == 0 && y == 0) {
        RECT ro;
        if (!hOwner || !GetWindowRect(hOwner, &ro)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &ro, 0);
        x = (ro.left + ro.right - w) / 2;
        y = (ro.top + ro.bottom - h) / 2;
    }
    int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (x > vx + vw - w) x = vx + vw - w;
    if (y > vy + vh - h) y = vy + vh - h;
    if (x < vx) x = vx;
    if (y < vy) y = vy;
    SetWindowPos(hDlg, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static void SavePosition(HWND hDlg)
{
    RECT rc;
    if (!GetWindowRect(hDlg, &rc)) return;
    XWinputParam* p = XWinputGetParam();
    p->windowX = rc.left;
    p->windowY = rc.top;
}

// --- the dialog -----------------------------------------------------------

static void OnInit(HWND hDlg, EntryState* st)
{
    const XWI_Entry& e = *st->entry;
    st->hField = GetDlgItem(hDlg, IDC_XWI_FIELD);
    SetDlgItemTextA(hDlg, IDC_XWI_PROMPT, e.prompt);
    SendMessageA(st->hField, EM_LIMITTEXT, (WPARAM)e.maxLength, 0);
    XWI_History h = XWI_HistoryOf(e.kind);
    HWND hList = GetDlgItem(hDlg, IDC_XWI_HISTORY);
    for (int i = 0; const char* s = XWI_HistoryAt(h, i); ++i) SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)s);
    const char* first = e.initial ? e.initial : XWI_HistoryAt(h, 0);
    // A history text longer than this field takes would be cut by the edit
    // without a word; start empty instead.
    if (first && (int)strlen(first) <= e.maxLength) SetWindowTextA(st->hField, first);
    SendMessageA(st->hField, EM_SETSEL, 0, -1);
    SetFocus(st->hField);
}

static void Refuse(EntryState* st)
{
    MessageBeep(MB_OK);
    SendMessageA(st->hField, EM_SETSEL, 0, -1);
    SetFocus(st->hField);
}

static void OnOk(HWND hDlg, EntryState* st)
{
    const XWI_Entry& e = *st->entry;
    // Read all of it: the field counts characters, the caller's limit is in
    // bytes, and a Japanese text can pass the one and not the other.
    int n = GetWindowTextLengthA(st->hField);
    std::vector<char> text((size_t)(n > 0 ? n : 0) + 1, '\0');
    GetWindowTextA(st->hField, text.data(), (int)text.size());
    if (!e.accept(text.data(), e.context)) {
        Refuse(st);
        return;
    }
    if (e.keepHistory) XWI_HistoryPush(XWI_HistoryOf(e.kind), text.data());
    SavePosition(hDlg);
    EndDialog(hDlg, 1);
}

static void OnHistory(HWND hDlg, EntryState* st, WORD code)
{
    HWND hList = GetDlgItem(hDlg, IDC_XWI_HISTORY);
    LRESULT sel = SendMessageA(hList, LB_GETCURSEL, 0, 0);
    if (sel == LB_ERR) return;
    LRESULT n = SendMessageA(hList, LB_GETTEXTLEN, (WPARAM)sel, 0);
    if (n == LB_ERR || n > st->entry->maxLength) {
        MessageBeep(MB_OK);
        return;
    }
    std::vector<char> text((size_t)n + 1, '\0');
    SendMessageA(hList, LB_GETTEXT, (WPARAM)sel, (LPARAM)text.data());
    SetWindowTextA(st->hField, text.data());
    if (code == LBN_DBLCLK) OnOk(hDlg, st);
}

static INT_PTR CALLBACK EntryDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    EntryState* st = (EntryState*)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        OnInit(hDlg, (EntryState*)lParam);
        PlaceWindow(hDlg, GetWindow(hDlg, GW_OWNER));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        if (!st) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(hDlg, st);
            return TRUE;
        case IDCANCEL:
            SavePosition(hDlg);
            EndDialog(hDlg, 2);
            return TRUE;
        case IDC_XWI_HISTORY:
            if (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK) OnHistory(hDlg, st, HIWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

int XWI_RunEntry(HWND hOwner, const XWI_Entry& entry)
{
    EntryState st = {&entry, nullptr};
    std::vector<WORD> tmpl = BuildTemplate(entry.caption);
    INT_PTR r = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), (LPCDLGTEMPLATEA)tmpl.data(),
                                        hOwner && IsWindow(hOwner) ? hOwner : nullptr, EntryDlgProc,
                                        (LPARAM)&st);
    if (r == 1) return 1;
    if (r == 2) return 2;
    return 0;
}
