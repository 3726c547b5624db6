// Showing and hiding the option panel on show. The panel sits directly under
// the command list box, which gives up the panel's height less one pixel so
// that the two borders overlap; at most one panel is on show, and its number
// is kept in the frame state until it is hidden again.
#include "app/frame_state.h"
#include "panels/pnl.h"

static bool NamesNoPanel(int n)
{
    return n < 1 || n > PNL_MAX_NUMBER || n == 55 || n == 56 || n == 91 || n == 94;
}

HWND PNL_PanelWindow(const FrameState* fs, int n)
{
    if (!fs || NamesNoPanel(n)) return nullptr;
    return fs->panels.hPanel[n];
}

static int PanelHeight(HWND hPanel)
{
    RECT rc;
    if (!GetWindowRect(hPanel, &rc)) return 0;
    return rc.bottom - rc.top;
}

// Puts the panel under the list box whose rectangle the frame state holds.
static void MovePanelUnderList(FrameState* fs, HWND hPanel, int h, BOOL repaint)
{
    const auto& lb = fs->rcMenuList;
    MoveWindow(hPanel, lb.x, lb.y + lb.height - 1, lb.width, h, repaint);
}

int PNL_HideCommandPanel(FrameState* fs)
{
    if (!fs) return 0;
    HWND hPanel = PNL_PanelWindow(fs, fs->iActivePanel);
    if (!hPanel) return 0;  // nothing on show, or a number that names no panel
    ShowWindow(hPanel, SW_HIDE);
    auto& lb = fs->rcMenuList;
    lb.height += PanelHeight(hPanel) - 1;
    if (fs->hWndMenuList) MoveWindow(fs->hWndMenuList, lb.x, lb.y, lb.width, lb.height, TRUE);
    fs->iActivePanel = 0;
    return 1;
}

int PNL_ShowCommandPanel(FrameState* fs, int n)
{
    if (!fs) return 0;
    HWND hPanel = PNL_PanelWindow(fs, n);
    if (!hPanel) return 0;
    // The list box gets the first panel's height back before the next one
    // takes room, so it never shrinks twice.
    PNL_HideCommandPanel(fs);
    fs->iActivePanel = n;
    int h = PanelHeight(hPanel);
    auto& lb = fs->rcMenuList;
    lb.height -= h - 1;
    if (fs->hWndMenuList) MoveWindow(fs->hWndMenuList, lb.x, lb.y, lb.width, lb.height, TRUE);
    MovePanelUnderList(fs, hPanel, h, FALSE);
    ShowWindow(hPanel, SW_SHOW);
    return 1;
}

int PNL_PlaceCommandPanel(FrameState* fs)
{
    if (!fs) return 0;
    HWND hPanel = PNL_PanelWindow(fs, fs->iActivePanel);
    if (!hPanel) return 0;
    int h = PanelHeight(hPanel);
    fs->rcMenuList.height += 1 - h;
    MovePanelUnderList(fs, hPanel, h, TRUE);
    return 1;
}
