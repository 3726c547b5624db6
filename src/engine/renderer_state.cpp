// The renderer's state: the frame it draws for and its eight opacities. The
// user-interface thread sets them (start-up, the transparency dialog) and
// the painting reads them on the same thread, so no lock is needed.
#include "platform/qzt_display.h"

namespace {

HWND s_hWndFrame = nullptr;

struct Opacities {
    float lineSolid = 1.0f;
    float string = 1.0f;
    float lineOutline = 1.0f;
    float fillOutline = 1.0f;
    float fillSolid = 1.0f;
    float via = 1.0f;
    float hole = 1.0f;
    float thermal = 1.0f;
};
Opacities s_alpha;

}  // namespace

int D2D_Init(HWND hWndFrame)
{
    if (!hWndFrame || !IsWindow(hWndFrame)) return -1;
    s_hWndFrame = hWndFrame;
    return 0;
}

void D2D_Cleanup(void)
{
    s_hWndFrame = nullptr;
}

HWND D2D_GetFrame()
{
    return s_hWndFrame;
}

void D2D_SetALPHA_LINE_SOLID(float alpha) { s_alpha.lineSolid = alpha; }
void D2D_SetALPHA_STRING(float alpha) { s_alpha.string = alpha; }
void D2D_SetALPHA_LINE_OUTLINE(float alpha) { s_alpha.lineOutline = alpha; }
void D2D_SetALPHA_NURIKOMI_OUTLINE(float alpha) { s_alpha.fillOutline = alpha; }
void D2D_SetALPHA_NURIKOMI_SOLID(float alpha) { s_alpha.fillSolid = alpha; }
void D2D_SetALPHA_VIA(float alpha) { s_alpha.via = alpha; }
void D2D_SetALPHA_HOLE(float alpha) { s_alpha.hole = alpha; }
void D2D_SetALPHA_THERMAL(float alpha) { s_alpha.thermal = alpha; }
float D2D_GetALPHA_LINE_SOLID(void) { return s_alpha.lineSolid; }
float D2D_GetALPHA_STRING(void) { return s_alpha.string; }
float D2D_GetALPHA_LINE_OUTLINE(void) { return s_alpha.lineOutline; }
float D2D_GetALPHA_NURIKOMI_OUTLINE(void) { return s_alpha.fillOutline; }
float D2D_GetALPHA_NURIKOMI_SOLID(void) { return s_alpha.fillSolid; }
float D2D_GetALPHA_VIA(void) { return s_alpha.via; }
float D2D_GetALPHA_HOLE(void) { return s_alpha.hole; }
float D2D_GetALPHA_THERMAL(void) { return s_alpha.thermal; }
