// The working copy a table dialog edits: taken from the engine's table when
// the dialog opens, written back over it only at OK, freed on every path.
#pragma once
#include <windows.h>

#include <cstring>

#include "platform/qzt_mem.h"

struct TableCopy {
    void* engine = nullptr;
    void* copy = nullptr;
    size_t size = 0;
    const char* tag = "";

    // False (after telling the user) when the copy cannot be allocated.
    bool Take(HWND owner, void* engineTable, size_t bytes, const char* allocTag)
    {
        engine = engineTable;
        size = bytes;
        tag = allocTag;
        copy = MemAlloc(owner, bytes, allocTag);
        if (!copy) {
            MessageBoxA(owner, "表を編集するメモリーが確保できません。", "警告", MB_OK | MB_ICONWARNING);
            return false;
        }
        std::memcpy(copy, engineTable, bytes);
        return true;
    }
    void Commit() { std::memcpy(engine, copy, size); }
    template <class T> T* As() { return (T*)copy; }
    ~TableCopy() { MemFree(nullptr, copy, tag); }
};

// Whether `w` is a window of this process. A design handle is no window,
// but the window manager, asked whether it is one, answers for the handles
// of every process: a design handle may by chance name a window of another
// program, which must never own one of our dialogs.
inline bool DLG_IsOwnWindow(HWND w)
{
    DWORD pid = 0;
    return w && IsWindow(w) && GetWindowThreadProcessId(w, &pid) && pid == GetCurrentProcessId();
}

// The owner window of a call that names the design or an owner: the window
// named, else the thread's active window.
inline HWND DLG_OwnerOf(void* designOrOwner)
{
    HWND w = (HWND)designOrOwner;
    return DLG_IsOwnWindow(w) ? w : GetActiveWindow();
}
