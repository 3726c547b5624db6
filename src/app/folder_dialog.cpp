// The folder dialog: where a design converted from a predecessor board will
// live. It proposes a folder named after the board, lets the user type or
// browse another, and ends only with a folder that exists (mode 3) or that
// it has just created (any other mode: the folder must be new).
#include "app/app.h"

#include <commdlg.h>
#include <direct.h>
#include <mbstring.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/xwinput.h"
#include "res/app_ids.h"

static const char FOLDER_CAPTION[] = "フォルダの指定";

void APP_ProposeFolder(const FolderDlgParam* param, char* out, size_t outSize)
{
    std::string folder(param->buffer->folder, strnlen(param->buffer->folder, sizeof(param->buffer->folder)));
    if (param->mode != 3) {
        std::string name(param->buffer->name, strnlen(param->buffer->name, sizeof(param->buffer->name)));
        // The extension is what follows the last dot: "my.board.pcb" proposes
        // the folder "my.board".
        size_t dot = name.find_last_of('.');
        if (dot != std::string::npos) name.resize(dot);
        folder += name;
        if (folder.size() > 259) folder.resize(259);
        folder += '\\';
    }
    std::snprintf(out, outSize, "%s", folder.c_str());
}

static bool FolderExists(const char* path)
{
    DWORD attr = GetFileAttributesA(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

static void Say(HWND hDlg, const char* format, const char* path, UINT type)
{
    char text[400];
    std::snprintf(text, sizeof(text), format, path);
    MessageBoxA(hDlg, text, FOLDER_CAPTION, type);
}

// The path up to its last backslash, counting a two-byte character as one.
static void CutAtLastBackslash(char* path)
{
    unsigned char* last = _mbsrchr((unsigned char*)path, '\\');
    if (last) *last = 0;
}

static void Browse(HWND hDlg)
{
    char current[260] = "";
    GetDlgItemTextA(hDlg, IDC_FOLDER_PATH, current, sizeof(current));
    char file[260] = "dummy.dmy";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hDlg;
    ofn.hInstance = (HINSTANCE)GetWindowLongPtrA(hDlg, GWLP_HINSTANCE);
    ofn.lpstrFilter = "すべてのﾌｧｲﾙ (*.*)\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrInitialDir = current;
    ofn.lpstrTitle = "ディレクトリ変更";
    // The added template is a child of the system's dialog, which needs the
    // explorer style to take one.
    ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLETEMPLATE | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NONETWORKBUTTON;
    ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_FOLDER_BROWSE);
    if (!GetOpenFileNameA(&ofn)) return;
    CutAtLastBackslash(file);
    SetDlgItemTextA(hDlg, IDC_FOLDER_PATH, file);
}

static void TypePath(HWND hDlg)
{
    SetFocus(GetDlgItem(hDlg, IDOK));
    char text[260] = "";
    GetDlgItemTextA(hDlg, IDC_FOLDER_PATH, text, sizeof(text));
    if (XWinputString(hDlg, text, 259, 0, 0) == 1) SetDlgItemTextA(hDlg, IDC_FOLDER_PATH, text);
}

static void Accept(HWND hDlg)
{
    FolderDlgParam* param = (FolderDlgParam*)GetWindowLongPtrA(hDlg, DWLP_USER);
    char path[260] = "";
    GetDlgItemTextA(hDlg, IDC_FOLDER_PATH, path, sizeof(path));
    bool exists = FolderExists(path);
    if (exists && param->mode != 3) {
        Say(hDlg, "フォルダが既に存在します。\n%s", path, MB_OK);
        return;
    }
    if (exists) {
        SetCurrentDirectoryA(path);
    } else {
        char text[400];
        std::snprintf(text, sizeof(text), "フォルダを新規作成しますか？\n%s", path);
        if (MessageBoxA(hDlg, text, FOLDER_CAPTION, MB_OKCANCEL) != IDOK) return;
        if (!CreateDirectoryA(path, nullptr)) {
            MessageBoxA(hDlg, "フォルダの作成に失敗しました。", FOLDER_CAPTION, MB_OK);
            return;
        }
        SetCurrentDirectoryA(path);
        Say(hDlg, "フォルダを作成しました。\n%s", path, MB_OK);
    }
    std::memcpy(param->buffer->folder, path, sizeof(param->buffer->folder));
    EndDialog(hDlg, 1);
}

static INT_PTR FolderDlgInit(HWND hDlg, FolderDlgParam* param)
{
    RECT rc;
    GetWindowRect(GetDlgItem(hDlg, IDCANCEL), &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)param);
    char proposal[262];
    APP_ProposeFolder(param, proposal, sizeof(proposal));
    SetDlgItemTextA(hDlg, IDC_FOLDER_PATH, proposal);
    // Focus on Cancel, never on the path: the path's focus opens the entry.
    SetFocus(GetDlgItem(hDlg, IDCANCEL));
    return FALSE;
}

INT_PTR CALLBACK APP_FolderDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return FolderDlgInit(hDlg, (FolderDlgParam*)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FOLDER_BROWSE:
            if (HIWORD(wParam) == BN_CLICKED) Browse(hDlg);
            return TRUE;
        case IDC_FOLDER_PATH:
            if (HIWORD(wParam) == EN_SETFOCUS) TypePath(hDlg);
            return TRUE;
        case IDOK:
            Accept(hDlg);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
