// The dialog library's map window: a small overview of the whole design that
// the frame opens beside the canvas. Its state is set up for each design.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_canvas.h"
#include "platform/layout_design.h"

extern "C" {
// Sets the map up for the design of `hDesign` (at the frame's creation and
// after every load): the module its templates come from and the design it
// shows. An open map window is closed, since it shows the old design.
void MAP_DlgInitialize(HINSTANCE hInst, void* hDesign);
// Opens the map window over `hOwner` (or brings the open one forward): the
// whole design's data with the canvas's view rectangle, followed as the view
// changes. The window, or null when it cannot be made. `mapWord` is the
// environment's map setting (kept, not read).
HWND MAP_ButtonClick(HWND hOwner, DdmContext* ctx, CanvasState* canvas, int cxClient, int cyClient, int mapWord);
// The open map window, or null.
HWND MAP_GetWindow(void);
}

// What MAP_DlgInitialize last set: the design (null before the first call)
// and how many times the map was set up.
void* MAP_GetDesign();
int MAP_GetInitCount();
