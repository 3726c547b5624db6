// The placement-angle option panel (template 158): an angle in an edit field
// with the two arrows of a scroll bar beside it. An arrow steps the angle
// from the number in the field to the next quarter turn above or below,
// wrapping once into 0 to 359, and tells the running command (answer 7).
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/din.h"
#include "panels/panel_area.h"
#include "panels/panel_procs.h"

enum : int { ANGLE_EDIT = 1106, ANGLE_ARROWS = 1088 };

static void ShowAngle(HWND hDlg, int32_t angle)
{
    char text[32];
    snprintf(text, sizeof text, "%3ld", (long)angle);
    SetDlgItemTextA(hDlg, ANGLE_EDIT, text);
}

// The number at the start of the field, read as atol reads it (blanks and a
// sign allowed, up to the first non-digit, 0 for none), held to 32 bits so
// that a long run of digits cannot overflow the steps below.
static int64_t FieldNumber(HWND hDlg)
{
    char text[64] = "";
    GetDlgItemTextA(hDlg, ANGLE_EDIT, text, sizeof text);
    long long n = strtoll(text, nullptr, 10);
    if (n > INT32_MAX) n = INT32_MAX;
    if (n < INT32_MIN) n = INT32_MIN;
    return n;
}

static void StepAngle(HWND hDlg, PlaceAngleOptions* block, int scrollCode)
{
    int64_t q = FieldNumber(hDlg) / 90;
    int64_t angle;
    if (scrollCode == SB_LINEUP) {
        angle = (q + 1) * 90;
        if (angle >= 360) angle -= 360;
    } else if (scrollCode == SB_LINEDOWN) {
        angle = q * 90 - 90;
        if (angle < 0) angle += 360;
    } else {
        return;
    }
    block->angle = (int32_t)angle;
    ShowAngle(hDlg, block->angle);
    DIN_CompleteRequest(ANS_OPTION, 0, 0);
}

PNL_PROC(PNL_PlaceAngleProc)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
        return 0;
    }
    PlaceAngleOptions* block = (PlaceAngleOptions*)GetWindowLongPtrA(hDlg, GWLP_USERDATA);
    if (!block) return 0;
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) ShowAngle(hDlg, block->angle);
        return 0;
    case WM_VSCROLL:
        if ((HWND)lParam && (HWND)lParam == GetDlgItem(hDlg, ANGLE_ARROWS)) StepAngle(hDlg, block, LOWORD(wParam));
        return 0;
    }
    return 0;
}
