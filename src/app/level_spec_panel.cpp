// The level-designation option panel (template 226): two radio buttons,
// "ﾚｲﾔｰ" (0) and "DB変換" (1), and the wiring-protect reading switch
// "読み込む". The panel keeps its block in step with its buttons and reports
// nothing to the running command.
#include "panels/panel_area.h"
#include "panels/panel_procs.h"

enum : int { SPEC_PROTECT_READ = 1465, SPEC_LAYER = 1463, SPEC_DB_CONVERT = 1464 };

PNL_PROC(PNL_LevelSpecProc)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
        if (LevelSpecOptions* block = (LevelSpecOptions*)lParam) block->protectRead = 0;
        CheckDlgButton(hDlg, SPEC_LAYER, BST_CHECKED);
        return 0;
    }
    LevelSpecOptions* block = (LevelSpecOptions*)GetWindowLongPtrA(hDlg, GWLP_USERDATA);
    if (!block) return 0;
    switch (msg) {
    case WM_SHOWWINDOW:
        CheckDlgButton(hDlg, SPEC_PROTECT_READ, block->protectRead ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return 0;
        switch (LOWORD(wParam)) {
        case SPEC_LAYER: block->designation = 0; break;
        case SPEC_DB_CONVERT: block->designation = 1; break;
        case SPEC_PROTECT_READ: block->protectRead = block->protectRead == 0 ? 1 : 0; break;
        }
        return 0;
    }
    return 0;
}
