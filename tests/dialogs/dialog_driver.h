// Drives the dialog library's table editors as a person would: a list of
// steps run one per timer tick while the dialog's own message loop runs
// (select a row and a column, press a button, type into the entry window
// that opened, press OK or cancel). A step that finds nothing to act on yet
// is tried again on the next tick.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "kit/gui_kit.h"
#include "../src/res/dialogs_ids.h"

namespace drv {

using Step = std::function<bool()>;

struct Script {
    std::vector<Step> steps;
    size_t next = 0;
};
inline Script* s_script;

inline void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Script& s = *s_script;
    if (s.next < s.steps.size() && s.steps[s.next]()) ++s.next;
}

// Runs `call` (which opens dialogs) while the steps act; its result. The
// caller checks that every step ran with StepsDone.
inline int RunSteps(const std::function<int()>& call, std::vector<Step> steps, size_t* done = nullptr)
{
    Script s;
    s.steps = std::move(steps);
    Script* outer = s_script;
    s_script = &s;
    UINT_PTR timer = SetTimer(nullptr, 0, 15, Tick);
    int r = call();
    KillTimer(nullptr, timer);
    s_script = outer;
    if (done) *done = s.next;
    return r;
}

struct Found {
    HWND hWnd = nullptr;
    int control = 0;
};

inline BOOL CALLBACK FindEnabled(HWND hWnd, LPARAM lParam)
{
    Found* f = (Found*)lParam;
    char cls[16];
    GetClassNameA(hWnd, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(hWnd) && IsWindowEnabled(hWnd) && GetDlgItem(hWnd, f->control)) {
        f->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The innermost table editor on show (the one not disabled by a dialog over it).
inline HWND Editor()
{
    Found f;
    f.control = IDC_TED_LIST;
    EnumThreadWindows(GetCurrentThreadId(), FindEnabled, (LPARAM)&f);
    return f.hWnd;
}

// The field of the input library's entry window, once the window is on show.
// The keys are posted to the field itself, so the step does not wait for the
// focus: while the windows of other programs come and go the focus may be
// elsewhere for good, and a step waiting for it would wait for ever.
inline HWND EntryField()
{
    Found f;
    f.control = 101;
    EnumThreadWindows(GetCurrentThreadId(), FindEnabled, (LPARAM)&f);
    return f.hWnd ? GetDlgItem(f.hWnd, 101) : nullptr;
}

inline std::string Caption(HWND hWnd)
{
    char text[256] = "";
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

inline std::string CellText(HWND editor, int index, int column)
{
    char text[256] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(GetDlgItem(editor, IDC_TED_LIST), LVM_GETITEMTEXTA, (WPARAM)index, (LPARAM)&item);
    return text;
}

inline int RowCount(HWND editor) { return (int)SendMessageA(GetDlgItem(editor, IDC_TED_LIST), LVM_GETITEMCOUNT, 0, 0); }

// Selects list row `index` and the column titled `column` (Shift-JIS) in the
// editor whose caption starts with `caption` (any editor when empty).
inline Step Select(int index, const std::string& column, const std::string& caption = "")
{
    return [=] {
        HWND e = Editor();
        if (!e || (!caption.empty() && Caption(e).rfind(caption, 0) != 0)) return false;
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(GetDlgItem(e, IDC_TED_LIST), LVM_SETITEMSTATE, (WPARAM)index, (LPARAM)&item);
        HWND combo = GetDlgItem(e, IDC_TED_COLUMN);
        int i = (int)SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)column.c_str());
        if (i < 0) ADD_FAILURE() << "no column " << column;
        SendMessageA(combo, CB_SETCURSEL, (WPARAM)i, 0);
        return true;
    };
}

// Presses a button of the innermost editor.
inline Step Press(int id)
{
    return [=] {
        HWND e = Editor();
        if (!e) return false;
        PostMessageA(e, WM_COMMAND, (WPARAM)id, 0);
        return true;
    };
}

// Types a line into the entry window and confirms it; "\x1b" cancels it.
inline Step Type(const std::string& line)
{
    return [=] {
        HWND field = EntryField();
        if (!field) return false;
        if (line == "\x1b") {
            KIT_PostKey(field, VK_ESCAPE);
        } else {
            SendMessageA(field, WM_SETTEXT, 0, (LPARAM)"");
            KIT_PostChars(field, line);
            KIT_PostKey(field, VK_RETURN);
        }
        return true;
    };
}

// Runs a check on the innermost editor (once it is there).
inline Step Check(const std::function<void(HWND)>& check)
{
    return [=] {
        HWND e = Editor();
        if (!e) return false;
        check(e);
        return true;
    };
}

}  // namespace drv
