// Dialogs that explain: choosing a template, layer numbers, automatic voids.
// Each puts the cursor on its confirming button and ends with 1 (OK or
// close) or 0 (Cancel or Escape, where the dialog has one).
#include "app/app.h"

#include "res/app_ids.h"

static const char TEMPLATE_TEXT1[] =
    "新しいデータは必ずテンプレート（拡張子ＴＴＰ）から作成します。テンプレートにはレベル表、基準サイズ表、"
    "ＶＩＡ表などデータの環境設定が入っています。";
static const char TEMPLATE_TEXT2[] =
    "定義ＶＩＡとペア層はテンプレートで決まり、後から変更できません。";
static const char TEMPLATE_TEXT3[] =
    "ＶｙｒｅⅡのＰＣＢを読み込むときのテンプレートは「VyrePCB.TTP」です。ルールとグリッドの設定を一度保存"
    "しておくと、次から使われます。";
static const char AUTOVOID_TEXT[] =
    "自動ボイドは、同じレベルで交差または近接する要素の周りを、設定したクリアランスで既存の塗り込みから"
    "切り抜きます。\r\n\r\n"
    "クリアランスに－１を指定した要素の種類はボイドの対象外になり、０を指定すると接する形状になります。\r\n\r\n"
    "基準ネットに指定したネットの要素はボイドしません。\r\n\r\n"
    "１つの塗り込みの最大構成数は２０４７です（従来は２５５）。";

void APP_CursorToButton(HWND hDlg, int buttonId)
{
    RECT rc;
    if (GetWindowRect(GetDlgItem(hDlg, buttonId), &rc)) SetCursorPos(rc.right - 15, rc.bottom - 10);
}

static INT_PTR EndOnButtons(HWND hDlg, WPARAM wParam, bool cancelToo)
{
    if (LOWORD(wParam) == IDOK) {
        EndDialog(hDlg, 1);
        return TRUE;
    }
    if (cancelToo && LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK APP_TemplateHintDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetDlgItemTextA(hDlg, IDC_HINT_TEXT1, TEMPLATE_TEXT1);
        SetDlgItemTextA(hDlg, IDC_HINT_TEXT2, TEMPLATE_TEXT2);
        SetDlgItemTextA(hDlg, IDC_HINT_TEXT3, TEMPLATE_TEXT3);
        APP_CursorToButton(hDlg, IDOK);
        return TRUE;
    }
    if (msg == WM_COMMAND) return EndOnButtons(hDlg, wParam, true);
    return FALSE;
}

INT_PTR CALLBACK APP_LayerCountHintDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        APP_CursorToButton(hDlg, IDOK);
        return TRUE;
    }
    if (msg == WM_COMMAND) return EndOnButtons(hDlg, wParam, false);
    return FALSE;
}

INT_PTR CALLBACK APP_AutoVoidHintDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetDlgItemTextA(hDlg, IDC_HINT_TEXT1, AUTOVOID_TEXT);
        APP_CursorToButton(hDlg, IDOK);
        return TRUE;
    }
    if (msg == WM_COMMAND) return EndOnButtons(hDlg, wParam, true);
    return FALSE;
}
