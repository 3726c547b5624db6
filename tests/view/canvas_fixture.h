// A small board for the canvas tests, in a scratch work space, and a canvas
// window showing it. Everything is placed in millimetres (MM = 100000 board
// units):
//   level 1 (layer 1, red):    a 0.5 mm line from (-4, 3) to (4, 3)
//   level 2 (layer 2, green):  a 1.6 mm round VIA pad at (-3, -1) with a
//                              0.6 mm hole; a fill (-1, -4)..(3, -1.5)
//   level 3 (no layer, white): the text "I", 2 mm high, at (5, -3)
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "kit/gui_kit.h"
#include "platform/layout_canvas.h"

constexpr int32_t MM = 100000;

struct CanvasFixture {
    std::string path;
    void* hDesign = nullptr;
    HWND hWnd = nullptr;

    // Opens the work space, builds the board, centres the view on (cx, cy)
    // at zoom `zoom` and opens a canvas of `width` x `height` pixels.
    CanvasFixture(int32_t cx = 0, int32_t cy = 0, double zoom = 8.0, int width = 640, int height = 480);
    ~CanvasFixture();

    // Repaints the canvas in the given mode and captures it.
    KIT_Image Capture(int direct2d);
    // The canvas pixel of a board point, as the canvas's own display context
    // converts it.
    POINT Pixel(int32_t x, int32_t y);
};

// Adds a line of line-table entry lineNo on a level, as the board's own
// lines are added.
void CF_AddLine(int level, int lineNo, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// A 1 mm input grid about the origin (0, 0) in the current group.
void OneMillimetreGrid();

// Colour tests: a pixel near the expected colour (each channel within `tol`).
bool Near(uint32_t pixel, uint32_t rgb, int tol = 8);
