// The main frame's saved placement in the profile "QzTorva.ini" beside the
// program. The record is the system's 44-byte WINDOWPLACEMENT; the profile
// functions add a checksum, so a damaged entry reads as none.
#include "platform/qzt_placement.h"

#include "platform/qzt_runtime.h"

static_assert(sizeof(WINDOWPLACEMENT) == 44);

const char* ENV_GetPlacementProfile()
{
    return ENV_GetBinPath("QzTorva.ini");
}

BOOL ENV_GetTorvaWindowPlacement(HWND hWnd, WINDOWPLACEMENT* placement)
{
    WINDOWPLACEMENT read = {};
    if (!GetPrivateProfileStructA("WINDOW", "PLACEMENT", &read, sizeof(read), ENV_GetPlacementProfile()))
        return FALSE;
    *placement = read;
    placement->length = sizeof(WINDOWPLACEMENT);
    return TRUE;
}

BOOL ENV_SetTorvaWindowPlacement(HWND hWnd)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (!GetWindowPlacement(hWnd, &wp)) return FALSE;
    return WritePrivateProfileStructA("WINDOW", "PLACEMENT", &wp, sizeof(wp), ENV_GetPlacementProfile());
}
