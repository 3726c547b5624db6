// The report of a failed system call: the system's own text for the error
// code in a message box whose caption names the failed step. The code is
// shown too, so that a report in a language we cannot read still says what
// went wrong.
#include "platform/qzt_runtime.h"

#include <cstdio>
#include <cstring>

void ErrMsgFormat(HWND hOwner, DWORD errorCode, const char* caption)
{
    char system[1024] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             errorCode, 0, system, sizeof system, nullptr);
    // The system's texts end with a line break that would leave a blank line
    // above the code.
    while (n > 0 && (system[n - 1] == '\r' || system[n - 1] == '\n' || system[n - 1] == ' '))
        system[--n] = '\0';

    char text[1200];
    if (n > 0)
        snprintf(text, sizeof text, "%s\n(エラーコード %lu)", system, (unsigned long)errorCode);
    else
        snprintf(text, sizeof text, "エラーコード %lu", (unsigned long)errorCode);
    // An owner of another process or an already destroyed window would make
    // the box fail to appear at all.
    if (hOwner && !IsWindow(hOwner)) hOwner = nullptr;
    MessageBoxA(hOwner, text, caption ? caption : "", MB_OK | MB_ICONERROR);
}
