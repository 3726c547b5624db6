// The dialog library's map window: a small overview of the whole design that
// the frame opens beside the canvas. Its state is set up for each design.
#pragma once
#include <windows.h>

extern "C" {
// Sets the map up for the design of `hDesign` (at the frame's creation and
// after every load): the module its templates come from and the design it
// shows. An open map window is closed, since it shows the old design.
void MAP_DlgInitialize(HINSTANCE hInst, void* hDesign);
}

// What MAP_DlgInitialize last set: the design (null before the first call)
// and how many times the map was set up.
void* MAP_GetDesign();
int MAP_GetInitCount();
