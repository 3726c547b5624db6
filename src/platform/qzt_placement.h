// The main frame's saved window placement: the profile "QzTorva.ini" in the
// program folder, section "WINDOW", key "PLACEMENT", a 44-byte placement
// record as the system's private-profile structures store it.
#pragma once
#include <windows.h>

extern "C" {
// Reads the saved placement into `placement` (its length set); TRUE when a
// whole record was read. `hWnd` is the window it is meant for.
BOOL ENV_GetTorvaWindowPlacement(HWND hWnd, WINDOWPLACEMENT* placement);
// Saves the placement of `hWnd`; TRUE when written.
BOOL ENV_SetTorvaWindowPlacement(HWND hWnd);
}

// The profile's path (program folder + "QzTorva.ini").
const char* ENV_GetPlacementProfile();
