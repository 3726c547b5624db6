// The text output files that every report, log and exchange file goes
// through: create for writing, append one string, close. They hold the only
// wording of the file errors the writers share.
#pragma once
#include <windows.h>

// Creates (or, with CREATE_ALWAYS, empties) the file for writing only, with
// no other opener while it is open. The file's handle, or null after the
// system's message with the caption "ファイルオープンエラー".
HANDLE DRC_OutFileOpen(HWND hOwner, const char* path, DWORD creation);
// Appends the NUL-terminated text at the end of the file: 1 when every byte
// was written, else 0 after a beep and "DRC File Write Error.".
int DRC_OutFileWrite(HWND hOwner, HANDLE hFile, const char* text);
// Closes the file: 1, or 1 at once for a null handle; 0 after the system's
// message with the caption "ＤＲＣエラー出力" when closing failed.
int DRC_OutFileClose(HWND hOwner, HANDLE hFile);
