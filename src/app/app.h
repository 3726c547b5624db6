// The application shell: start-up and shut-down, the start dialog, the
// file-type, folder and hint dialogs, and the small operations other parts
// of the program share.
#pragma once
#include <windows.h>

#include <cstdint>

// ---- Design path of the open command ---------------------------------------

// The design's folder (ending in a backslash) and its file name.
struct DesignPathBuffer {
    char folder[260];
    char name[260];
};
static_assert(sizeof(DesignPathBuffer) == 520);

// What the design-read command (40140) is handed as its answer value.
struct OpenDesignParams {
    DesignPathBuffer* path;
    int32_t oldDesign;       // read a design file of an old version
    int32_t commonAperture;  // read a board's line apertures as flash apertures
};

// The design the start-up chose and the open command reads.
extern DesignPathBuffer g_DesignPathBuffer;
extern OpenDesignParams g_OpenDesignParams;

// ---- Start-up ---------------------------------------------------------------

// Start modes written by the start dialog.
enum : int32_t {
    APP_START_OPEN = 2,        // open a design through the file dialog
    APP_START_CANCEL = 3,      // end the program
    APP_START_OPEN_NAMED = 4,  // open the design named on the command line
};

// The start dialog's block, passed as its parameter.
struct StartChoice {
    int32_t startMode;
    int32_t oldDesign;
    int32_t commonAperture;
    int32_t namedFile;     // a design was named on the command line
    char namedPath[260];
    int32_t fontChoice;    // 0: the previous font
};

extern StartChoice g_StartChoice;
// 1 paints through the engine's renderer, 0 through GDI.
extern int g_UseDirect2D;
// The work-space handle of the process.
extern void* g_hWorkSpace;
// The stroke font's name, "TEXT" at every start that goes on.
extern char g_FontName[16];
extern HINSTANCE g_hInst;

// The whole program: returns the process exit code (the last message's word
// parameter, 1 after a work-space failure, 0 after any other failure).
int APP_Run(HINSTANCE hInst, const char* cmdLine, int nShow);
// Chooses the start mode: 1 to go on, 0 to end the program.
int APP_InitStartMode(HINSTANCE hInst, const char* cmdLine);
// 1 when the path ends in "TPW" or "tpw" (no other mix of cases).
int APP_IsTpwPath(const char* path);
// Other running copies of the program: 1 no conflict, -1 another copy runs
// (path null), -2 another copy runs in a work mode other than 0, 0 the user
// chose not to go on.
int APP_CheckOtherInstance(const char* designPath);
// Registers every window class of the program: 1, or 0 on the first failure.
int APP_RegisterClasses(HINSTANCE hInst);
// Hands the eight transparencies of the settings file to the renderer, each
// only when it lies in (0, 1]; returns how many were applied.
int APP_ApplyTransparencies();
// Restores the frame's saved placement and shows the frame.
void APP_RestorePlacement(HWND hWndFrame);
// The message loop; returns the WM_QUIT word parameter.
int APP_MessageLoop(HWND hWndFrame, HACCEL hAccel);

// ---- Start dialog --------------------------------------------------------------

INT_PTR CALLBACK APP_StartDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK APP_DisplayHintDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// The placement rectangle the start dialog centres itself in: the frame's
// saved normal position when it lies on the virtual screen (screen
// coordinates XV, YV, CXV, CYV given), else the primary screen.
RECT APP_StartDialogArea(const WINDOWPLACEMENT* saved, BOOL read, int xv, int yv, int cxv, int cyv);

// ---- File-type, folder and hint dialogs ------------------------------------------

// Results of the file-type dialog.
enum : int {
    APP_TYPE_CANCEL = 0,
    APP_TYPE_TPW = 1,
    APP_TYPE_PCB = 2,
    APP_TYPE_OLD_TPW = 3,
    APP_TYPE_PCB_APT_COMMON = 4,
};

// The folder dialog's parameter.
struct FolderDlgParam {
    int32_t mode;              // 3: an existing folder is accepted; else it must be new
    DesignPathBuffer* buffer;  // its folder half receives the result
};

// The folder proposed for a converted board: the buffer's folder followed by
// the file name without its extension and a backslash (mode 3: the folder
// alone). The extension is cut at the last dot of the name.
void APP_ProposeFolder(const FolderDlgParam* param, char* out, size_t outSize);

INT_PTR CALLBACK APP_FolderDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK APP_TemplateHintDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK APP_LayerCountHintDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK APP_AutoVoidHintDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Small shared operations ---------------------------------------------------

// Puts at most 1024 characters of `text` on the clipboard as CF_TEXT: 0, -1
// when the memory block cannot be allocated, -2 when the clipboard is busy.
int APP_CopyTextToClipboard(const char* text, HWND hOwner);
// 0 when a window of that size at (*x, *y) lies well enough on the virtual
// screen; otherwise moves the position to the canvas's top-left corner and
// returns 1 (0 and no change while there is no canvas).
int APP_KeepWindowOnScreen(int* x, int* y, int width, int height);
// Centres the dialog on the canvas window, keeping its size; 1.
int APP_CentreOnCanvas(HWND hDlg);
INT_PTR CALLBACK APP_NoteDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Puts the mouse cursor at a button's right - 15, bottom - 10.
void APP_CursorToButton(HWND hDlg, int buttonId);
