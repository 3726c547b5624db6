// The drawing canvas's state block, kept at window long 0 of the canvas.
// It lives here rather than with the canvas because the engine's display
// context reads the view out of it (DSP_GetDisplaySC): the block is shared
// by the program and the engine, so its field order is fixed in one place.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// A rectangle in board units: y grows upwards, so top > bottom.
struct BoardRect {
    int32_t left, top, right, bottom;
};

struct BoardPoint {
    int32_t x, y;
};

// An in-memory block: natural alignment (two bytes of padding after viewMode).
struct CanvasState {
    int32_t cxViewUnits;     // client width in board units at zoom 1.0
    int32_t cyViewUnits;
    int32_t cxClient;        // client size in pixels
    int32_t cyClient;
    BoardRect rcView;        // the visible board rectangle
    int32_t iHistory;        // history position: index in bits 2-31, direction flags in bits 0-1
    BoardRect rcHistory[8];  // area history, newest first
    int32_t unitsPerPixelX;  // board units per screen pixel at zoom 1.0
    int32_t unitsPerPixelY;
    int16_t viewMode;        // 0 normal, 1 mirrored left-right, 2 mirrored top-bottom
    int32_t bCursorInside;
    int32_t bCapture;
    int32_t bCrossHairShown;
    int32_t bBothButtons;
    POINT ptLastCursor;
    int32_t bRubberShown;
    int32_t bLeftDown;
    int32_t bRightDown;
    POINT ptPressClient;
    BoardPoint ptPressBoard;
    int32_t bPressOutside;
    int32_t bRepainting;
    int32_t lineKind;        // 3 fill line, 4 text line, 7 signal line; 1 lines, 5 parts
    int32_t viaEntryMode;    // 2 defined VIAs
};

static_assert(sizeof(BoardRect) == 16);
static_assert(offsetof(CanvasState, rcView) == 16);
static_assert(offsetof(CanvasState, iHistory) == 32);
static_assert(offsetof(CanvasState, rcHistory) == 36);
static_assert(offsetof(CanvasState, unitsPerPixelX) == 164);
static_assert(offsetof(CanvasState, viewMode) == 172);
static_assert(offsetof(CanvasState, bCursorInside) == 176);

// The work area: every coordinate of a design lies within ±WORK_AREA_LIMIT.
constexpr int32_t WORK_AREA_LIMIT = 150000000;
