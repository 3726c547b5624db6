// Text output files: no buffering and no translation; each write is one seek
// to the end and one system write, so writes append in call order whatever
// happened to the file position in between.
#include "check/drc_outfile.h"

#include <cstring>

#include "platform/qzt_runtime.h"

HANDLE DRC_OutFileOpen(HWND hOwner, const char* path, DWORD creation)
{
    SECURITY_ATTRIBUTES sa = {};
    sa.nLength = 12;  // the record length the writers have always passed
    sa.lpSecurityDescriptor = nullptr;
    sa.bInheritHandle = FALSE;
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, &sa, creation, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        ErrMsgFormat(hOwner, GetLastError(), "ファイルオープンエラー");
        return nullptr;
    }
    return h;
}

int DRC_OutFileWrite(HWND hOwner, HANDLE hFile, const char* text)
{
    DWORD length = (DWORD)strlen(text);
    SetFilePointer(hFile, 0, nullptr, FILE_END);
    DWORD written = 0;
    BOOL ok = WriteFile(hFile, text, length, &written, nullptr);
    // A short write is a failure too: a full disk takes part of a line and
    // reports success for what it took.
    if (!ok || written != length) {
        MessageBeep(MB_ICONHAND);
        MessageBoxA(hOwner, "DRC File Write Error.", nullptr, MB_OK | MB_ICONHAND);
        return 0;
    }
    return 1;
}

int DRC_OutFileClose(HWND hOwner, HANDLE hFile)
{
    if (!hFile) return 1;
    if (!CloseHandle(hFile)) {
        ErrMsgFormat(hOwner, GetLastError(), "ＤＲＣエラー出力");
        return 0;
    }
    return 1;
}
