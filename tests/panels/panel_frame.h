// A stand-in for the main frame as the option panels see it: a visible
// top-level window with the frame's state block at window long 0 and the
// command list box 135, under which the panels are shown.
#pragma once
#include <windows.h>

#include "app/frame_state.h"

// Creates the frame at (x, y), `width` x `height`, with `fs` at window long 0
// and the list box at fs->rcMenuList, which the caller sets first. The frame,
// or null when it could not be made.
HWND PF_CreateFrame(FrameState* fs, int x, int y, int width, int height);
