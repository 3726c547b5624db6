// The engine's renderer state: the renderer is bound to the main frame at
// start-up and released when the frame is destroyed; eight opacities, one
// per element class, shape how it draws. The drawing calls join this header
// with the canvas.
#pragma once
#include <windows.h>

extern "C" {

// Binds the renderer to the frame window. 0 on success, negative when the
// window is not a window.
int D2D_Init(HWND hWndFrame);
// Releases the renderer; the opacities keep their values.
void D2D_Cleanup(void);

// Opacities from 0 (invisible) to 1 (opaque), 1 until set. The caller
// decides which values it accepts; the renderer keeps what it is given.
void D2D_SetALPHA_LINE_SOLID(float alpha);
void D2D_SetALPHA_STRING(float alpha);
void D2D_SetALPHA_LINE_OUTLINE(float alpha);
void D2D_SetALPHA_NURIKOMI_OUTLINE(float alpha);
void D2D_SetALPHA_NURIKOMI_SOLID(float alpha);
void D2D_SetALPHA_VIA(float alpha);
void D2D_SetALPHA_HOLE(float alpha);
void D2D_SetALPHA_THERMAL(float alpha);
float D2D_GetALPHA_LINE_SOLID(void);
float D2D_GetALPHA_STRING(void);
float D2D_GetALPHA_LINE_OUTLINE(void);
float D2D_GetALPHA_NURIKOMI_OUTLINE(void);
float D2D_GetALPHA_NURIKOMI_SOLID(void);
float D2D_GetALPHA_VIA(void);
float D2D_GetALPHA_HOLE(void);
float D2D_GetALPHA_THERMAL(void);
}

// The frame the renderer is bound to, null before D2D_Init and after
// D2D_Cleanup.
HWND D2D_GetFrame();
