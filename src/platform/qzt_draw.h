// The engine's drawing of a design on the canvas: display contexts, the
// coordinate conversions between board units and canvas pixels, the GDI
// painter (`DDM_Draw`, the mixing display) and the composing painter of the
// standard display (`D2D_Draw` on a render target).
//
// Both displays draw with GDI into an off-screen bitmap that is then copied
// to the window. The standard display composes every element class of a
// level with its own opacity (the renderer's transparency values); the
// mixing display ORs the colours of overlapping data and draws fills as
// outlines only.
//
// Colours: a colour word with bit 24 set (0x01000000 + index) is an entry of
// the design's palette; any other word is a COLORREF.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_canvas.h"

// The display context of the canvas: a device context with the view it
// shows. "Device" coordinates below are the context's logical coordinates,
// which are canvas client pixels (the context keeps MM_TEXT).
struct DisplaySC {
    HWND hWnd;
    HDC hdc;
    int bOwnDC;             // the context was taken with GetDC and goes back with DSP_ReleaseSC
    BoardRect rcVisible;    // what DDM_Draw paints: left = min x, top = max y, right = max x, bottom = min y
    int bPaletteColours;    // colour switch: work data colours are palette entries
    // The view, copied from the canvas state when the context was made.
    BoardRect rcView;
    int cxClient, cyClient;
    int viewMode;           // 0 normal, 1 mirrored left-right, 2 mirrored top-bottom
    double unitsPerPixel;   // board units per canvas pixel at the current zoom
    POINT ptCurrent;        // pen position of DSP_MoveToEx / DSP_LineTo, in pixels
};

// A floating board rectangle (the renderer's clip in board units).
struct D2DRectF {
    float left, top, right, bottom;
};

// The render target of the standard display: the canvas-sized back buffer
// the design is composed in, and the window it is shown in.
struct D2DRenderTarget {
    DisplaySC* sc;          // the view and the window's device context
    BoardRect rcClip;       // what D2D_Draw paints; all zero = the whole view
    int bPaletteColours;    // colour switch, as in DisplaySC
    int bDrawing;           // between D2D_BeginDraw and D2D_EndDraw
    RECT rcDirty;           // pixels drawn since D2D_BeginDraw, copied by D2D_EndDraw
};

extern "C" {

// ---- Display contexts and conversions -----------------------------------------

// A display context for the canvas `hWnd` showing the view of `state`: on
// `hdcPaint` when given, else on the window's own device context. The
// visible rectangle starts as the whole view. 0 when there is no state or
// no memory.
DisplaySC* DSP_GetDisplaySC(HWND hWnd, HDC hdcPaint, const CanvasState* state);
void DSP_ReleaseSC(HWND hWnd, DisplaySC* sc);

// Board rectangle to pixel rectangle and back, in place. The result of
// DSP_LRtoDRz is ordered (left <= right, top <= bottom in pixels) and covers
// every pixel the board rectangle touches; DSP_DRtoLRz gives the board
// rectangle of the pixel rectangle's corners in the view's orientation.
void DSP_LRtoDRz(const DisplaySC* sc, RECT* rect);
void DSP_DRtoLRz(const DisplaySC* sc, RECT* rect);
// One point, in place: pixel to board units and back.
void DSP_DPtoLPz(const DisplaySC* sc, POINT* point);
void DSP_LPtoDPz(const DisplaySC* sc, POINT* point);
// Distances (always positive): pixels to board units (DSP_DDtoLDz,
// DSP_DWtoLWz) and board units to pixels (DSP_LWtoDWz). Packed result:
// x in the low 32 bits, y in the high 32 bits.
int64_t DSP_DDtoLDz(const DisplaySC* sc, int dx, int dy);
int64_t DSP_DWtoLWz(const DisplaySC* sc, int dx, int dy);
int64_t DSP_LWtoDWz(const DisplaySC* sc, int dx, int dy);

// Pen moves and arcs in board units on the context's device context, with
// whatever pen and raster operation the caller selected. DSP_Arc follows
// GDI's Arc: the bounding box, then the start and the end point, drawn
// counter-clockwise in the picture.
void DSP_MoveToEx(DisplaySC* sc, int x, int y);
void DSP_LineTo(DisplaySC* sc, int x, int y);
void DSP_Arc(DisplaySC* sc, int left, int top, int right, int bottom,
             int xStart, int yStart, int xEnd, int yEnd);

// ---- The mixing display (GDI) ------------------------------------------------

// Paints the design opened as `ctx` inside the context's visible rectangle:
// the levels in order with their colours, overlapping data mixed (OR).
void DDM_Draw(void* ctx, HWND hWnd, DisplaySC* sc);
// Paints one element at once; `flag` 1 highlighted, 0 plain. `classCode`
// 0x14000 VIA, 0x24010 line or arc, 0x34020 text, 0x44030 fill, 0x64090
// part, 0x740A0 pin; `record` the element's record (a fill: its page's data
// address; a part: its page's data address).
void DDM_RealtimePaint(void* ctx, HWND hWnd, DisplaySC* sc, int flag, int classCode,
                       const void* record);
// Paints one line or arc record of `level`, highlighted when `flag` is
// non-zero (highlight: white). DDM_PaintLine2 also draws the end marks.
void DDM_PaintLine(HWND hWnd, void* ctx, DisplaySC* sc, int level, const void* record, int flag);
void DDM_PaintLine2(HWND hWnd, void* ctx, DisplaySC* sc, int level, const void* record, int flag);

// ---- The standard display ----------------------------------------------------

// The render target of the canvas with the view of `state`, or 0 when the
// back buffer cannot be made. Release it with D2D_ReleaseRT.
D2DRenderTarget* D2D_GetRenderTarget(HWND hWnd, const CanvasState* state);
void D2D_ReleaseRT(D2DRenderTarget* rt);
// The canvas's client size changed: the back buffer follows at the next draw.
void D2D_OnResize(int width, int height);
void D2D_BeginDraw(D2DRenderTarget* rt);
// Copies what was drawn since D2D_BeginDraw to the window.
void D2D_EndDraw(D2DRenderTarget* rt);
// Pixel rectangle to a floating board rectangle (corners in the view's
// orientation, like DSP_DRtoLRz).
void D2D_DRtoLRz(const D2DRenderTarget* rt, const RECT* device, D2DRectF* board);
// Composes the design inside the target's clip rectangle.
void D2D_Draw(void* ctx, HWND hWnd, D2DRenderTarget* rt);
// Composes one element at once; arguments as DDM_RealtimePaint.
void D2D_RealtimePaint(void* ctx, HWND hWnd, D2DRenderTarget* rt, int flag, int classCode,
                       const void* record);
}
