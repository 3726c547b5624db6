// Stand-ins for what the pre-command dialogs call of parts that are not
// built yet. Each does the least the dialogs need; the part that builds the
// real one deletes its lines here.
#include <windows.h>

#include "app/frame_state.h"
#include "app/pre_command.h"

// A dialog procedure that only closes its dialog: OK with 1, cancel with 0.
static INT_PTR ClosingOnly(HWND hDlg, UINT msg, WPARAM wParam)
{
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam) == IDOK ? 1 : 0);
        return TRUE;
    }
    return FALSE;
}

// Waiting for: the grid dialogs. Until they exist there is no template 130
// and the grid settings open nothing.
INT_PTR CALLBACK GRID_SettingsDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) { return ClosingOnly(hDlg, msg, wParam); }

// Waiting for: the PCB information dialog. Until it exists there is no
// template 157 and nothing is changed.
INT_PTR CALLBACK APP_PcbInfoDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) { return ClosingOnly(hDlg, msg, wParam); }

// Waiting for: the transparency settings dialog. Until it exists there is
// no template 472 and the transparencies stay as they are.
INT_PTR CALLBACK ALPHA_DlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) { return ClosingOnly(hDlg, msg, wParam); }

// Waiting for: the part-list output. Until it exists there is no template
// 170, nothing is chosen and nothing is written.
INT_PTR CALLBACK PLB_PartListParamDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM)
{
    return ClosingOnly(hDlg, msg, wParam);
}
int PLB_PartListOutputDialog(HWND, int32_t) { return 0; }

// Waiting for: the data information lists, the table output, the text list
// and the placed-parts list. Until they exist they show nothing and report
// nothing changed.
int LST_ViaDataInfoOpen(HWND) { return 0; }
int LST_LineDataInfoOpen(HWND) { return 0; }
int LST_TextDataInfoOpen(HWND) { return 0; }
int LST_PlaneDataInfoOpen(HWND) { return 0; }
int LST_PartDataInfoOpen(HWND, void*) { return 0; }
int LST_RatsDataInfoOpen() { return 0; }
int LST_PlacedPartsListOpen() { return 0; }
int TBL_TableOutputOpen(HWND) { return 0; }
int LIST_TextListCommand(HWND) { return 1; }

// Waiting for: the shortcut panel. Until it exists no setup file is written.
int CT_WriteSetup(FrameState* fs)
{
    if (fs) fs->bShortcutAtStart = 0;
    return 1;
}

// Waiting for: the bulletin board. Until it exists no board opens.
int BBS_Open() { return 1; }
