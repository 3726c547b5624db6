// Design files: the open and save dialogs that choose the file design
// loading or saving works on, and the file-type dialog of the open command.
#pragma once
#include <windows.h>

#include "app/app.h"

// Each returns 1 when a file was accepted (the pair rewritten: the folder
// with its trailing backslash and the file name) and 0 when the user
// cancelled (the pair unchanged).
int FILE_OpenTemplateDialog(HWND hOwner, DesignPathBuffer* pair);
int FILE_OpenBoardOnlyDialog(DesignPathBuffer* pair, HWND hOwner);
int FILE_OpenDesignOrBoardDialog(HWND hOwner, DesignPathBuffer* pair);
int FILE_OpenDesignDialog(DesignPathBuffer* pair, HWND hOwner);
int FILE_OpenBoardDialog(DesignPathBuffer* pair, HWND hOwner);
// The pair's folder is the program folder; the font must lie there.
int FILE_SelectFontFile(DesignPathBuffer* pair);
// Works on the last template written, which it rewrites on acceptance.
int FILE_SaveTemplateDialog(HWND hOwner);
int FILE_SaveDesignDialog(HWND hOwner, DesignPathBuffer* pair);
// The template pair FILE_SaveTemplateDialog works on.
DesignPathBuffer* FILE_LastTemplate();

// The acceptance rules of the dialogs, apart from the dialogs. A rule looks
// at the chosen full path and its extension (as the system reports it,
// without the dot) and answers:
enum FileVerdict {
    FILE_ACCEPT,      // take the file
    FILE_ASK_AGAIN,   // open the dialog again without a message
    FILE_REFUSE,      // show `message` (caption `caption`), then open the dialog again
    FILE_ADVISE,      // show the cleaning advice: OK takes the file, Cancel asks again
    FILE_GIVE_UP,     // return 0 at once
};
struct FileRule {
    FileVerdict verdict;
    const char* message;
    const char* caption;  // null: the dialog's title
    UINT icon;            // MB_ICONEXCLAMATION unless said
    bool noOwner;
};
enum FileDialogKind {
    FILE_KIND_TEMPLATE,
    FILE_KIND_BOARD_ONLY,
    FILE_KIND_DESIGN_OR_BOARD,
    FILE_KIND_DESIGN,
    FILE_KIND_BOARD,
    FILE_KIND_FONT,
    FILE_KIND_SAVE_TEMPLATE,
    FILE_KIND_SAVE_DESIGN,
};
// `folder` is the pair's folder (the program folder for the font file).
FileRule FILE_CheckChoice(FileDialogKind kind, const char* fullPath, const char* extension, const char* folder);

// The file-type dialog 381 and its parts.
INT_PTR CALLBACK FILE_OpenTypeDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR FILE_OpenTypeDlgInit(HWND hDlg);
INT_PTR FILE_OpenTypeDlgCommand(HWND hDlg, int id, int code);
