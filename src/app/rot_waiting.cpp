// Stand-ins for what the dispatcher and design loading call of parts that are
// not built yet. Each does the least its callers need; the part that builds
// the real one deletes its lines here.
#include <windows.h>

#include "app/frame_state.h"
#include "app/rot_dispatch.h"

// Waiting for printing: until it exists the print command prints nothing.
void PRN_Command(HWND hWnd) {}

// Waiting for the part-list output: until it exists nothing is written.
void PLB_PartListOutput(HWND hWnd) {}

// Waiting for the shortcut panel: until it exists no setup file is read and
// no panel is made.
void SCP_ReadSetup(FrameState* fs) {}
HWND SCP_CreatePanel(HWND hWndFrame, int show) { return nullptr; }

// Waiting for the bulletin board: until it exists none is ever open.
void BBS_DialogClose(HWND hWndCanvas) {}
