// The placement-pitch option panel (template 234): one pitch in an edit
// field, typed through the input library's real-number entry. The pitch
// starts again at 1.27 each time the panel is shown; nothing is reported to
// the running command.
#include <cstdio>

#include "panels/panel_area.h"
#include "panels/panel_procs.h"
#include "platform/xwinput.h"

enum : int { PITCH_EDIT = 1501 };

static const double PITCH_DEFAULT = 1.27;
static const double PITCH_MIN = 0.0;
static const double PITCH_MAX = 50.0;

static void ShowPitch(HWND hDlg, double pitch)
{
    char text[32];
    snprintf(text, sizeof text, "%7.2lf", pitch);
    SetDlgItemTextA(hDlg, PITCH_EDIT, text);
}

PNL_PROC(PNL_PlacePitchProc)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
        return 0;
    }
    PlacePitchOptions* block = (PlacePitchOptions*)GetWindowLongPtrA(hDlg, GWLP_USERDATA);
    if (!block) return 0;
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) {
            block->pitch = PITCH_DEFAULT;
            ShowPitch(hDlg, block->pitch);
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == PITCH_EDIT && HIWORD(wParam) == EN_SETFOCUS) {
            double value = block->pitch;
            if (XWinputFloat(hDlg, &value, PITCH_MIN, PITCH_MAX, 1, 0) == 1) {
                block->pitch = value;
                ShowPitch(hDlg, value);
            }
        }
        return 0;
    }
    return 0;
}
