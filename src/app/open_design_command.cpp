// The open command (40140) on the user-interface thread: the file type and
// the file are chosen here, the work space is made afresh, and the command
// thread is handed the path to load. Cancelling any dialog leaves the open
// design as it was: the work space is only re-created after a file was chosen.
#include <cstring>

#include "app/app.h"
#include "app/file.h"
#include "app/ini.h"
#include "app/rot.h"
#include "app/rot_dispatch.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_design_services.h"
#include "platform/qzt_env.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_wps.h"
#include "res/app_ids.h"
#include "view/cnv.h"

// The buffer's file-name half gets ".tpw", or "*.tpw" when it is empty, so
// the file dialog proposes the current design or lists every design.
static void ProposeDesignName(DesignPathBuffer* buf)
{
    size_t n = strnlen(buf->name, sizeof buf->name);
    const char* tail = n ? ".tpw" : "*.tpw";
    if (n + strlen(tail) < sizeof buf->name) strcpy(buf->name + n, tail);
}

// Chooses the file: 1 with the buffer filled, 0 when the type was cancelled.
static int ChooseFile(HWND hWnd, FrameState* fs)
{
    for (;;) {
        INT_PTR type = DialogBoxParamA(g_hInst, MAKEINTRESOURCEA(IDD_FILE_TYPE), hWnd, FILE_OpenTypeDlgProc, 0);
        if (type <= 0) {
            SendMessageA(fs->hWndMenuList, WM_USER + 5, 0, 0);
            return 0;
        }
        CMD_CentreCursor();
        if (fs->hWndMap) {
            DestroyWindow(fs->hWndMap);
            fs->hWndMap = nullptr;
            UpdateWindow(fs->hWndCanvas);
        }
        if (fs->hWndBbs) BBS_DialogClose(fs->hWndCanvas);
        if (type == APP_TYPE_OLD_TPW) g_OpenDesignParams.oldDesign = 1;
        if (type == APP_TYPE_PCB_APT_COMMON) g_OpenDesignParams.commonAperture = 1;
        int chosen = (type == APP_TYPE_TPW || type == APP_TYPE_OLD_TPW)
                         ? FILE_OpenDesignDialog(&g_DesignPathBuffer, hWnd)
                         : FILE_OpenBoardDialog(&g_DesignPathBuffer, hWnd);
        if (chosen) return 1;
        g_OpenDesignParams.oldDesign = 0;
        g_OpenDesignParams.commonAperture = 0;
    }
}

// A fresh work space for the design to come. Without one the program cannot
// go on, so its failure ends the process as it does at start-up.
static void RenewWorkSpace(FrameState* fs)
{
    WPS_Close(fs->hDesign);
    WPS_Delete(ENV_GetBinPath(""), "QZtemp.wps");
    void* h = WPS_Open(ENV_GetBinPath(""), "QZtemp.wps");
    g_hWorkSpace = h;
    fs->hDesign = h;
    if (!h) {
        MessageBoxA(nullptr, "WPS が確保できませんでした．", "QZ-Torva", MB_ICONHAND);
        ExitProcess(1);
    }
}

void ROT_OpenDesignCommand(HWND hWnd, int notifyCode)
{
    FrameState* fs = ROT_GetWindowData();
    if (!fs) return;
    if (notifyCode == 0) {
        CMD_CentreCursor();
        memcpy(&g_DesignPathBuffer, ENV_GetPCBpathfile(ENV_GetENVClass()), sizeof g_DesignPathBuffer);
        g_DesignPathBuffer.folder[259] = g_DesignPathBuffer.name[259] = '\0';
        ProposeDesignName(&g_DesignPathBuffer);
        g_OpenDesignParams.oldDesign = 0;
        g_OpenDesignParams.commonAperture = 0;
        if (!ChooseFile(hWnd, fs)) return;
        ENV_SetPCBpathfile(ENV_GetENVClass(), g_DesignPathBuffer.folder);
        ENV_SetRecentFile(g_DesignPathBuffer.folder);
        INI_WriteWpsName(g_DesignPathBuffer.name);
        INI_WritePcbPath(g_DesignPathBuffer.folder);
        RenewWorkSpace(fs);
    }
    dam_Clear2(hWnd);
    g_OpenDesignParams.path = &g_DesignPathBuffer;
    SCP_ReadSetup(fs);
    if (fs->bShortcutAtStart && !fs->hWndShortcut) {
        fs->hWndShortcut = SCP_CreatePanel(hWnd, 1);
        if (fs->hWndShortcut) ShowWindow(fs->hWndShortcut, SW_SHOW);
    }
    DIN_CompleteRequest(ANS_COMMAND, 40140, (intptr_t)&g_OpenDesignParams);
}
