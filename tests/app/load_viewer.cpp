#include "load_viewer.h"

#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/cmd.h"
#include "app/rot.h"
#include "platform/qzt_display.h"
#include "platform/qzt_wps.h"

namespace {

WNDPROC s_frameProc = nullptr;
bool s_inLoad = false;
int s_ended = 0;
long long s_loadStart = 0, s_loadEnd = 0;

long long Tick()
{
    LARGE_INTEGER v;
    QueryPerformanceCounter(&v);
    return v.QuadPart;
}

LRESULT CALLBACK FrameSpy(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 8) {
        if (wParam == CMD_CURSOR_WAIT) {
            s_inLoad = true;
            s_loadStart = Tick();
        } else if (s_inLoad) {
            s_inLoad = false;
            s_loadEnd = Tick();
            ++s_ended;
        }
    }
    return CallWindowProcA(s_frameProc, hWnd, msg, wParam, lParam);
}

}  // namespace

void LV_RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + name).c_str());
            else if (name != "." && name != "..")
                LV_RemoveFolder(folder + name + "\\");
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string LV_ScratchFolder(const char* prefix)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((std::string(temp) + prefix + "*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) LV_RemoveFolder(std::string(temp) + fd.cFileName + "\\");
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%s%s%lu\\", temp, prefix, GetCurrentProcessId());
    CreateDirectoryA(folder, nullptr);
    return folder;
}

HWND LV_StartViewer(const std::string& folder, const char* firstDesign, int width, int height, HANDLE* thread,
                    DWORD* threadId)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    g_hInst = inst;
    std::strcpy(g_FontName, "TEXT");
    g_hWorkSpace = WPS_Open((folder + "QZtemp.wps").c_str());
    std::snprintf(g_DesignPathBuffer.folder, sizeof g_DesignPathBuffer.folder, "%s", folder.c_str());
    std::snprintf(g_DesignPathBuffer.name, sizeof g_DesignPathBuffer.name, "%s", firstDesign);
    g_OpenDesignParams = {&g_DesignPathBuffer, 0, 0};

    *thread = CreateThread(nullptr, 0, CMD_ThreadMain, nullptr, CREATE_SUSPENDED, threadId);
    APP_RegisterClasses(inst);
    HWND frame = CreateWindowExA(0, ROT_CLASS_NAME, "QZ-Torva", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width,
                                 height, nullptr, nullptr, inst, nullptr);
    if (!frame) return nullptr;
    s_frameProc = (WNDPROC)SetWindowLongPtrA(frame, GWLP_WNDPROC, (LONG_PTR)FrameSpy);
    D2D_Init(frame);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    return frame;
}

int LV_LoadsEnded()
{
    return s_ended;
}

long long LV_LoadStartTick()
{
    return s_loadStart;
}

long long LV_LoadEndTick()
{
    return s_loadEnd;
}
