// Text to the clipboard, as the chain-length display and the element dialogs
// copy a value. Texts longer than 1024 characters are cut there.
#include "app/app.h"

#include <cstring>

int APP_CopyTextToClipboard(const char* text, HWND hOwner)
{
    size_t n = std::strlen(text);
    if (n > 1024) n = 1024;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n + 1);
    if (!block) return -1;
    char* p = (char*)GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return -1;
    }
    std::memcpy(p, text, n);  // the zero fill gives the terminating NUL
    GlobalUnlock(block);
    if (!OpenClipboard(hOwner)) {
        GlobalFree(block);
        return -2;
    }
    EmptyClipboard();
    // From here the clipboard owns the block.
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
    return 0;
}
