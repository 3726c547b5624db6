// Process start-up and shut-down, in a fixed order: the program folder, the
// start mode (command line, other running copies, start dialog, design
// dialog), the work space, the command thread (suspended until the frame
// exists), the window classes, OLE, the frame with its children, the
// renderer, the transparencies, the saved placement, the accelerators and
// the message loop.
#include "app/app.h"

#include <ole2.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/cmd_private.h"
#include "app/file.h"
#include "app/file_load.h"
#include "app/ini.h"
#include "app/rot.h"
#include "panels/pnl.h"
#include "platform/qzt_display.h"
#include "platform/qzt_env.h"
#include "platform/qzt_file.h"
#include "platform/qzt_placement.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "res/app_ids.h"
#include "view/bar.h"
#include "view/cnv.h"
#include "view/prn.h"

DesignPathBuffer g_DesignPathBuffer;
OpenDesignParams g_OpenDesignParams = {&g_DesignPathBuffer, 0, 0};
StartChoice g_StartChoice;
void* g_hWorkSpace = nullptr;
char g_FontName[16] = "";
HINSTANCE g_hInst = nullptr;

static const char WORK_SPACE_NAME[] = "QZtemp.wps";

int APP_IsTpwPath(const char* path)
{
    size_t n = std::strlen(path);
    if (n < 3) return 0;
    const char* ext = path + n - 3;
    return std::strcmp(ext, "TPW") == 0 || std::strcmp(ext, "tpw") == 0 ? 1 : 0;
}

static std::string FolderOf(const char* path)
{
    const char* slash = std::strrchr(path, '\\');
    return slash ? std::string(path, (size_t)(slash - path + 1)) : std::string();
}

static void CopyText(char* dst, size_t size, const std::string& src)
{
    std::snprintf(dst, size, "%s", src.c_str());
}

int APP_CheckOtherInstance(const char* designPath)
{
    int result = 1;
    HANDLE own = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (own == INVALID_HANDLE_VALUE) return 0;
    MODULEENTRY32 me = {};
    me.dwSize = sizeof(me);
    BOOL found = Module32First(own, &me);
    DWORD ownId = me.th32ProcessID;
    CloseHandle(own);
    if (!found || ownId == 0) return 0;

    HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (all == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof(pe);
    for (BOOL more = Process32First(all, &pe); more; more = Process32Next(all, &pe)) {
        // The listed name keeps the spelling the program was started with, so
        // the comparison ignores case.
        if (lstrcmpiA(pe.szExeFile, "Torva.exe") != 0 || pe.th32ProcessID == ownId) continue;
        if (!designPath) {
            MessageBoxA(g_hWndCanvas, "別のTorvaが起動中です", "起動チェック", MB_OK);
            CloseHandle(all);
            return -1;
        }
        HANDLE mods = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pe.th32ProcessID);
        if (mods == INVALID_HANDLE_VALUE) break;
        MODULEENTRY32 first = {};
        first.dwSize = sizeof(first);
        BOOL ok = Module32First(mods, &first);
        CloseHandle(mods);
        if (!ok || lstrcmpiA(first.szModule, "Torva.exe") != 0) continue;
        std::string folder = FolderOf(first.szExePath);
        if (INI_ReadTvMode(folder.c_str()) != 0) {
            result = -2;
            break;
        }
        char last[INI_PATH_LINE_MAX + 8];
        if (!INI_ReadLastDesignPath(last, sizeof(last), folder.c_str())) continue;
        std::string other = std::string(last) + ".tpw";
        if (other == designPath &&
            MessageBoxA(nullptr, "同名のファイルが起動中です。継続してよろしいですか？", "Torva複数起動中",
                        MB_OKCANCEL | MB_ICONWARNING) == IDCANCEL) {
            result = 0;
            break;
        }
    }
    CloseHandle(all);
    return result;
}

// The work space of an earlier run is dropped: the design is read anew.
static void DropOldWorkSpace()
{
    WPS_Close(g_hWorkSpace);
    WPS_Delete(ENV_GetBinPath(WORK_SPACE_NAME));
}

// Mode 2: the design dialog, starting where the last design was.
// The chosen design becomes the environment's design path, its name without
// the extension; the read command takes it from the path buffer.
static void StoreDesignPath()
{
    DesignPathBuffer pair = g_DesignPathBuffer;
    pair.folder[259] = pair.name[259] = '\0';
    FILE_CutExtension(pair.name);
    ENV_SetPCBpathfile(ENV_GetENVClass(), pair.folder);
}

// Mode 2: the design dialog, starting where the last design was: the
// environment's design path, or, as long as no work space is open and the
// environment knows none, the last design of the settings file.
static int ChooseDesign()
{
    const char* env = ENV_GetPCBpathfile(ENV_GetENVClass());
    char last[INI_PATH_LINE_MAX + 8];
    if (env && env[0]) {
        CopyText(g_DesignPathBuffer.folder, sizeof(g_DesignPathBuffer.folder), std::string(env, strnlen(env, 259)));
        CopyText(g_DesignPathBuffer.name, sizeof(g_DesignPathBuffer.name),
                 std::string(env + 260, strnlen(env + 260, 255)) + ".tpw");
    } else if (INI_ReadLastDesignPath(last, sizeof(last), ENV_GetBinPath("")) && std::strcmp(last, " no name ") != 0) {
        std::string path = last;
        CopyText(g_DesignPathBuffer.folder, sizeof(g_DesignPathBuffer.folder), FolderOf(path.c_str()));
        CopyText(g_DesignPathBuffer.name, sizeof(g_DesignPathBuffer.name),
                 path.substr(std::strlen(g_DesignPathBuffer.folder)) + ".tpw");
    }
    if (!FILE_OpenDesignDialog(&g_DesignPathBuffer, nullptr)) return 0;
    StoreDesignPath();
    return 1;
}

// Mode 4: the named design, by its full path. The path as typed would depend
// on the current folder, which the file dialogs change.
static int TakeNamedDesign()
{
    char full[260];
    char* filePart = nullptr;
    DWORD n = GetFullPathNameA(g_StartChoice.namedPath, sizeof(full), full, &filePart);
    if (n == 0 || n >= sizeof(full) || !filePart) return 0;
    CopyText(g_DesignPathBuffer.name, sizeof(g_DesignPathBuffer.name), filePart);
    *filePart = 0;
    CopyText(g_DesignPathBuffer.folder, sizeof(g_DesignPathBuffer.folder), full);
    StoreDesignPath();
    return 1;
}

int APP_InitStartMode(HINSTANCE hInst, const char* cmdLine)
{
    g_StartChoice = StartChoice{};
    if (cmdLine && *cmdLine) {
        char path[MAX_PATH];
        std::snprintf(path, sizeof(path), "%s", cmdLine);
        PathUnquoteSpacesA(path);
        if (!APP_IsTpwPath(path)) return 0;
        g_StartChoice.namedFile = 1;
        std::snprintf(g_StartChoice.namedPath, sizeof(g_StartChoice.namedPath), "%s", path);
    }
    for (;;) {
        if (g_StartChoice.namedFile && APP_CheckOtherInstance(g_StartChoice.namedPath) == 0) return 0;
        DialogBoxParamA(hInst, MAKEINTRESOURCEA(IDD_START), nullptr, APP_StartDlgProc, (LPARAM)&g_StartChoice);
        if (g_StartChoice.startMode != APP_START_CANCEL) std::strcpy(g_FontName, "TEXT");
        g_OpenDesignParams = {&g_DesignPathBuffer, g_StartChoice.oldDesign, g_StartChoice.commonAperture};
        switch (g_StartChoice.startMode) {
        case APP_START_OPEN:
            if (!ChooseDesign()) continue;
            DropOldWorkSpace();
            return 1;
        case APP_START_CANCEL:
            return 0;
        case APP_START_OPEN_NAMED:
            if (!TakeNamedDesign()) continue;
            DropOldWorkSpace();
            return 1;
        }
    }
}

int APP_RegisterClasses(HINSTANCE hInst)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ROT_WndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = hInst;
    wc.hIcon = LoadIconA(hInst, MAKEINTRESOURCEA(IDI_APP));
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(LTGRAY_BRUSH);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
    wc.lpszClassName = ROT_CLASS_NAME;
    if (!RegisterClassA(&wc)) return 0;
    if (!CNV_RegisterClass(hInst)) return 0;
    if (!BAR_RegisterClasses(hInst)) return 0;
    if (!PRN_RegisterPreviewClasses(hInst)) return 0;
    return PNL_RegisterHeaderClass(hInst) ? 1 : 0;
}

int APP_ApplyTransparencies()
{
    struct Key {
        const char* key;
        void (*set)(float);
    };
    static const Key keys[] = {
        {"%ALPHA_SOLIDLINE:", D2D_SetALPHA_LINE_SOLID},
        {"%ALPHA_STRING:", D2D_SetALPHA_STRING},
        {"%ALPHA_LINE_OUTLINE:", D2D_SetALPHA_LINE_OUTLINE},
        {"%ALPHA_NURIKOMI_OUTLINE:", D2D_SetALPHA_NURIKOMI_OUTLINE},
        {"%ALPHA_NURIKOMI:", D2D_SetALPHA_NURIKOMI_SOLID},
        {"%ALPHA_SOLIDVIA:", D2D_SetALPHA_VIA},
        {"%ALPHA_HOLE:", D2D_SetALPHA_HOLE},
        {"%ALPHA_THERMAL:", D2D_SetALPHA_THERMAL},
    };
    int applied = 0;
    for (const Key& k : keys) {
        char value[256];
        if (!ReadTorvaInitFile(k.key, value)) continue;
        float alpha = (float)std::atof(value);
        if (alpha > 0.0f && alpha <= 1.0f) {
            k.set(alpha);
            applied++;
        }
    }
    return applied;
}

void APP_RestorePlacement(HWND hWndFrame)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (ENV_GetTorvaWindowPlacement(hWndFrame, &wp)) {
        if (wp.showCmd == 1) {
            wp.showCmd = SW_SHOWMAXIMIZED;
            SetWindowPlacement(hWndFrame, &wp);
        } else if (wp.showCmd == 0 || wp.showCmd == 2 || wp.showCmd == 3) {
            wp.showCmd = SW_SHOW;
            SetWindowPlacement(hWndFrame, &wp);
        }
    }
    ShowWindow(hWndFrame, SW_SHOW);
    UpdateWindow(hWndFrame);
}

// Where the element information dialogs open: beside the frame's normal
// position, or at a third of the screen when that would be off it.
// The input library's entry window opens where it was last, unless a
// 200 x 200 window there would lie off the screen.
static void KeepEntryWindowOnScreen(DdmContext* ctx)
{
    XWinputParam* xw = DDM_Open_XWinputParam(ctx);
    if (!xw) return;
    int x = xw->windowX, y = xw->windowY;
    if (APP_KeepWindowOnScreen(&x, &y, 200, 200)) {
        xw->windowX = GetSystemMetrics(SM_CXVIRTUALSCREEN) / 3;
        xw->windowY = GetSystemMetrics(SM_CYVIRTUALSCREEN) / 3;
    }
}

static void PlaceInfoDialogs(HWND hWndFrame)
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs) return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    POINT pt = {300, 300};
    if (ENV_GetTorvaWindowPlacement(hWndFrame, &wp))
        pt = POINT{wp.rcNormalPosition.left + 100, wp.rcNormalPosition.top + 100};
    int x = pt.x, y = pt.y;
    if (APP_KeepWindowOnScreen(&x, &y, 200, 200))
        pt = POINT{GetSystemMetrics(SM_CXVIRTUALSCREEN) / 3, GetSystemMetrics(SM_CYVIRTUALSCREEN) / 3};
    fs->panels.ptInfoDialog = pt;
}

int APP_MessageLoop(HWND hWndFrame, HACCEL hAccel)
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        int suspended = 0;
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP ||
            msg.message == WM_INITMENU || msg.message == WM_INITMENUPOPUP)
            suspended = CNV_CancelDrag();
        if (!TranslateAcceleratorA(hWndFrame, hAccel, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (suspended && g_hWndCanvas) {
            SetCapture(g_hWndCanvas);
            CNV_SetCapture(1);
            SendMessageA(g_hWndCanvas, WM_SETCURSOR, (WPARAM)g_hWndCanvas, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        }
    }
    return (int)msg.wParam;
}

int APP_Run(HINSTANCE hInst, const char* cmdLine, int nShow)
{
    g_TvMode = 0;
    g_bCoordEntry = 0;
    std::string folder = ENV_GetBinPath("");
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    SetMachineRegistry(folder.c_str(), (DWORD)folder.size() + 1, 1, "BIN Path");

    if (!APP_InitStartMode(hInst, cmdLine)) return 0;
    g_hWorkSpace = WPS_Open(ENV_GetBinPath(WORK_SPACE_NAME));
    if (!g_hWorkSpace) {
        MessageBoxA(nullptr, "WPS が確保できませんでした．", "QZ-Torva", MB_OK | MB_ICONSTOP);
        return 1;
    }
    HANDLE thread = CreateThread(nullptr, 0, CMD_ThreadMain, nullptr, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        ErrMsgFormat(nullptr, GetLastError(), "Pebla.exe - CreateThread()");
        return 0;
    }
    g_hInst = hInst;
    if (!APP_RegisterClasses(hInst)) return 0;
    HRESULT ole = OleInitialize(nullptr);
    if (ole == S_FALSE)
        OleUninitialize();
    else if (FAILED(ole))
        return 0;
    HWND frame = CreateWindowExA(0, ROT_CLASS_NAME, "QZ-Torva", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, hInst, nullptr);
    if (!frame) return 0;
    if (D2D_Init(frame) < 0) return 0;
    ResumeThread(thread);
    APP_ApplyTransparencies();
    APP_RestorePlacement(frame);
    HACCEL accel = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(IDA_MAIN));
    CNV_ClearViewHistory();
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    ENV_SetBinPath(ctx, ENV_GetBinPath(""));
    KeepEntryWindowOnScreen(ctx);
    PlaceInfoDialogs(frame);
    DDM_drcCheck_SetClearanceMax(ctx);
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    std::memcpy(ENV_GetENVClass()->own.startTime, &now, sizeof now);
    DDM_Close(ctx);
    return APP_MessageLoop(frame, accel);
}
