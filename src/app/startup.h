// Process start-up and shut-down.
#pragma once
#include <windows.h>

// Runs the program: returns the process exit code.
int STA_Main(HINSTANCE hInst, LPSTR lpCmdLine, int nShow);
