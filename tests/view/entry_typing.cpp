#include "entry_typing.h"

#include <windows.h>

#include "kit/gui_kit.h"

namespace {

struct Typist {
    KIT_DialogWatch* watch;
    std::string line;
    bool typed = false;
};
Typist* s_typist;

void CALLBACK TypeLine(HWND, UINT, UINT_PTR, DWORD)
{
    Typist& t = *s_typist;
    HWND dlg = t.watch->LastWindow();
    HWND field = dlg && IsWindow(dlg) ? GetDlgItem(dlg, 101) : nullptr;
    if (t.typed || !field || GetFocus() != field) return;
    t.typed = true;
    if (t.line == "\x1b") {
        KIT_PostKey(field, VK_ESCAPE);
        return;
    }
    KIT_PostChars(field, t.line);
    KIT_PostKey(field, VK_RETURN);
}

}  // namespace

bool ET_TypeWhile(const std::string& line, const std::function<void()>& open)
{
    KIT_DialogWatch watch;
    Typist t{&watch, line};
    s_typist = &t;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, TypeLine);
    open();
    KillTimer(nullptr, timer);
    s_typist = nullptr;
    return t.typed;
}
