// The start dialog: before the frame exists it offers the display mode and
// how to begin (open a design, open the design named on the command line,
// or cancel), and writes the choice into the start-up's StartChoice block.
// Only its three buttons end it; Escape and the system menu do not.
#include "app/app.h"

#include <cstdio>
#include <cstring>

#include "app/ini.h"
#include "platform/qzt_placement.h"
#include "platform/qzt_runtime.h"
#include "res/app_ids.h"

int g_UseDirect2D = 1;

static const char START_VERSION[] = "27.00";

RECT APP_StartDialogArea(const WINDOWPLACEMENT* saved, BOOL read, int xv, int yv, int cxv, int cyv)
{
    if (read && saved && saved->flags != 0) {
        const RECT& r = saved->rcNormalPosition;
        int l = r.left, t = r.top;
        if (xv <= l + 100 && yv <= t + 20 && cyv >= t + 100 && cxv >= l + 33 && xv <= l && xv + cxv >= l)
            return r;
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Keeps the last design's name as the user's recent file when the last run
// left its work file behind and the settings file names a design.
static void RememberLastDesign()
{
    const char* folder = ENV_GetBinPath("");
    if (INI_ReadTvMode(folder) == 2) return;
    HANDLE work = CreateFileA(ENV_GetBinPath("qztemp.wps"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (work == INVALID_HANDLE_VALUE) return;
    char name[INI_LINE_MAX + 1];
    if (INI_ReadWpsName(folder, name, sizeof(name)))
        SetUserRegistry(name, (DWORD)std::strlen(name) + 1, 1, "Recent Filename");
    CloseHandle(work);
}

static void CentreOnSavedPlacement(HWND hDlg)
{
    WINDOWPLACEMENT wp = {};
    BOOL read = GetPrivateProfileStructA("WINDOW", "PLACEMENT", &wp, sizeof(wp), ENV_GetPlacementProfile());
    RECT area = APP_StartDialogArea(&wp, read, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                    GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    RECT rc;
    GetWindowRect(hDlg, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = area.left + (area.right - area.left - w) / 2;
    int y = area.top + (area.bottom - area.top - h) / 2;
    SetWindowPos(hDlg, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hDlg, nullptr, TRUE);
}

static void ShowDisplayMode(HWND hDlg)
{
    CheckDlgButton(hDlg, IDC_START_D2D, g_UseDirect2D ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hDlg, IDC_START_GDI, g_UseDirect2D ? BST_UNCHECKED : BST_CHECKED);
}

static INT_PTR StartDlgInit(HWND hDlg, StartChoice* choice)
{
    SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)choice);
    RememberLastDesign();
    CentreOnSavedPlacement(hDlg);
    char version[64];
    std::snprintf(version, sizeof(version), "Viewer Version %s", START_VERSION);
    SetDlgItemTextA(hDlg, IDC_START_VERSION, version);
    if (choice->namedFile) {
        SetDlgItemTextA(hDlg, IDC_START_FILE, choice->namedPath);
    } else {
        EnableWindow(GetDlgItem(hDlg, IDC_START_OPEN_NAMED), FALSE);
        EnableWindow(GetDlgItem(hDlg, IDC_START_FILE), FALSE);
        EnableWindow(GetDlgItem(hDlg, IDC_START_FILE_LABEL), FALSE);
    }
    char value[256];
    if (ReadTorvaInitFile("%Direct2D:", value)) g_UseDirect2D = lstrcmpiA(value, "Enable") == 0 ? 1 : 0;
    ShowDisplayMode(hDlg);
    choice->fontChoice = 0;
    RECT rc;
    GetWindowRect(GetDlgItem(hDlg, IDC_START_OPEN_NAMED), &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    return TRUE;
}

static void EndWithMode(HWND hDlg, int mode)
{
    StartChoice* choice = (StartChoice*)GetWindowLongPtrA(hDlg, DWLP_USER);
    choice->startMode = mode;
    EndDialog(hDlg, 1);
}

static INT_PTR StartDlgCommand(HWND hDlg, int id, int code)
{
    switch (id) {
    case IDC_START_OPEN:
        if (code == BN_CLICKED) EndWithMode(hDlg, APP_START_OPEN);
        return TRUE;
    case IDC_START_CANCEL:
        if (code == BN_CLICKED) EndWithMode(hDlg, APP_START_CANCEL);
        return TRUE;
    case IDC_START_OPEN_NAMED:
        if (code == BN_CLICKED) EndWithMode(hDlg, APP_START_OPEN_NAMED);
        return TRUE;
    case IDC_START_D2D:
        if (IsDlgButtonChecked(hDlg, IDC_START_D2D)) CheckDlgButton(hDlg, IDC_START_GDI, BST_UNCHECKED);
        g_UseDirect2D = 1;
        return TRUE;
    case IDC_START_GDI:
        if (IsDlgButtonChecked(hDlg, IDC_START_GDI)) CheckDlgButton(hDlg, IDC_START_D2D, BST_UNCHECKED);
        g_UseDirect2D = 0;
        return TRUE;
    case IDC_START_HINT:
        DialogBoxParamA((HINSTANCE)GetWindowLongPtrA(hDlg, GWLP_HINSTANCE), MAKEINTRESOURCEA(IDD_DISPLAY_HINT),
                        hDlg, APP_DisplayHintDlgProc, 0);
        return TRUE;
    }
    return FALSE;
}

// The hint button: a raised (or, pressed, sunken) frame around icon 470.
static INT_PTR DrawHintButton(HWND hDlg, const DRAWITEMSTRUCT* item, WPARAM wParam, LPARAM lParam)
{
    HDC dc = item->hDC;
    RECT rc = item->rcItem;
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    bool pressed = (item->itemState & ODS_SELECTED) != 0;
    int off = pressed ? 1 : 0;
    auto frame = [dc](RECT r, int topLeft, int bottomRight) {
        HPEN a = CreatePen(PS_SOLID, 1, GetSysColor(topLeft));
        HPEN b = CreatePen(PS_SOLID, 1, GetSysColor(bottomRight));
        HGDIOBJ old = SelectObject(dc, a);
        MoveToEx(dc, r.left, r.bottom - 1, nullptr);
        LineTo(dc, r.left, r.top);
        LineTo(dc, r.right - 1, r.top);
        SelectObject(dc, b);
        LineTo(dc, r.right - 1, r.bottom - 1);
        LineTo(dc, r.left - 1, r.bottom - 1);
        SelectObject(dc, old);
        DeleteObject(a);
        DeleteObject(b);
    };
    RECT inner = {rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
    if (pressed) {
        frame(rc, COLOR_WINDOWFRAME, COLOR_3DHILIGHT);
        frame(inner, COLOR_BTNSHADOW, COLOR_BTNFACE);
    } else {
        frame(rc, COLOR_3DHILIGHT, COLOR_WINDOWFRAME);
        frame(inner, COLOR_BTNFACE, COLOR_BTNSHADOW);
    }
    SetBkMode(dc, TRANSPARENT);
    HICON icon = (HICON)LoadImageA((HINSTANCE)GetWindowLongPtrA(hDlg, GWLP_HINSTANCE), MAKEINTRESOURCEA(IDI_HINT),
                                   IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    if (icon) DrawIcon(dc, rc.left - 2 + off, rc.top - 6 + off, icon);
    if (item->itemAction == ODA_FOCUS) DefWindowProcA(hDlg, WM_DRAWITEM, wParam, lParam);
    return TRUE;
}

INT_PTR CALLBACK APP_StartDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return StartDlgInit(hDlg, (StartChoice*)lParam);
    case WM_COMMAND:
        return StartDlgCommand(hDlg, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
        if (wParam == IDC_START_HINT) return DrawHintButton(hDlg, (const DRAWITEMSTRUCT*)lParam, wParam, lParam);
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK APP_DisplayHintDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) EndDialog(hDlg, 1);
    return FALSE;
}
