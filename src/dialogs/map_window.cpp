// The map window's state. The frame sets the map up for each design; the
// window itself opens from the menu.
//
// Waiting for the map window (MAP_ButtonClick, MAP_GetWindow): until it is
// built no map window is ever open, and setting the map up only records the
// module and design it will show.
#include "platform/trvdlg_map.h"

namespace {

HINSTANCE s_hInst = nullptr;
void* s_hDesign = nullptr;
HWND s_hWndMap = nullptr;
int s_initCount = 0;

}  // namespace

void MAP_DlgInitialize(HINSTANCE hInst, void* hDesign)
{
    if (s_hWndMap && IsWindow(s_hWndMap)) DestroyWindow(s_hWndMap);
    s_hWndMap = nullptr;
    s_hInst = hInst;
    s_hDesign = hDesign;
    s_initCount++;
}

void* MAP_GetDesign()
{
    return s_hDesign;
}

int MAP_GetInitCount()
{
    return s_initCount;
}
