// The file-type dialog of the open command: a design file (optionally of an
// old version) or a predecessor board (optionally with common apertures).
// Each option belongs to its type; switching the type swaps which option is
// enabled but keeps both check marks, and OK reads only the chosen type's.
#include "app/file.h"

#include "res/app_ids.h"

static const char TYPE_EXPLANATION[] =
    "ＶｙｒｅⅡのＰＣＢファイルを読み込んだ後は、次の設定を確認してください。\r\n"
    "・レベル表とレベルの表示色\r\n"
    "・ライン表、ＶＩＡ表、基準サイズ表\r\n"
    "・グリッド設定\r\n"
    "読み込んだデータは新しいフォルダにＴＰＷとして保存されます。";

INT_PTR FILE_OpenTypeDlgInit(HWND hDlg)
{
    CheckDlgButton(hDlg, IDC_TYPE_TPW, BST_CHECKED);
    CheckDlgButton(hDlg, IDC_TYPE_PCB, BST_UNCHECKED);
    EnableWindow(GetDlgItem(hDlg, IDC_TYPE_APT_COMMON), FALSE);
    SetDlgItemTextA(hDlg, IDC_TYPE_EXPLAIN, TYPE_EXPLANATION);
    APP_CursorToButton(hDlg, IDOK);
    return TRUE;
}

INT_PTR FILE_OpenTypeDlgCommand(HWND hDlg, int id, int code)
{
    switch (id) {
    case IDC_TYPE_TPW:
        CheckDlgButton(hDlg, IDC_TYPE_TPW, BST_CHECKED);
        CheckDlgButton(hDlg, IDC_TYPE_PCB, BST_UNCHECKED);
        EnableWindow(GetDlgItem(hDlg, IDC_TYPE_OLD_TPW), TRUE);
        EnableWindow(GetDlgItem(hDlg, IDC_TYPE_APT_COMMON), FALSE);
        return TRUE;
    case IDC_TYPE_PCB:
        CheckDlgButton(hDlg, IDC_TYPE_TPW, BST_UNCHECKED);
        CheckDlgButton(hDlg, IDC_TYPE_PCB, BST_CHECKED);
        EnableWindow(GetDlgItem(hDlg, IDC_TYPE_OLD_TPW), FALSE);
        EnableWindow(GetDlgItem(hDlg, IDC_TYPE_APT_COMMON), TRUE);
        return TRUE;
    case IDOK:
        if (IsDlgButtonChecked(hDlg, IDC_TYPE_TPW))
            EndDialog(hDlg, IsDlgButtonChecked(hDlg, IDC_TYPE_OLD_TPW) ? APP_TYPE_OLD_TPW : APP_TYPE_TPW);
        else
            EndDialog(hDlg, IsDlgButtonChecked(hDlg, IDC_TYPE_APT_COMMON) ? APP_TYPE_PCB_APT_COMMON : APP_TYPE_PCB);
        return TRUE;
    case IDCANCEL:
        EndDialog(hDlg, APP_TYPE_CANCEL);
        return TRUE;
    }
    return FALSE;
}

// The warning line: red text on the dialog's face.
static INT_PTR DrawWarning(HWND hDlg, const DRAWITEMSTRUCT* item, WPARAM wParam, LPARAM lParam)
{
    RECT rc = item->rcItem;
    rc.left += 2;
    SetTextColor(item->hDC, RGB(255, 0, 0));
    SetBkMode(item->hDC, TRANSPARENT);
    DrawTextA(item->hDC, "（保存されていないデータは失われます）", -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (item->itemAction == ODA_FOCUS) DefWindowProcA(hDlg, WM_DRAWITEM, wParam, lParam);
    return TRUE;
}

INT_PTR CALLBACK FILE_OpenTypeDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return FILE_OpenTypeDlgInit(hDlg);
    case WM_COMMAND:
        return FILE_OpenTypeDlgCommand(hDlg, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
        if (wParam == IDC_TYPE_WARNING) return DrawWarning(hDlg, (const DRAWITEMSTRUCT*)lParam, wParam, lParam);
        return FALSE;
    }
    return FALSE;
}
