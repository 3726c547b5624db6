#include "load_fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/app.h"
#include "app/cmd.h"
#include "app/rot.h"
#include "engine/board_builder.h"
#include "platform/layout_line.h"
#include "platform/qzt_design_services.h"
#include "platform/qzt_display.h"
#include "platform/qzt_file.h"
#include "platform/qzt_wps.h"
#include "platform/qzt_runtime.h"
#include "pcb_gen.h"

namespace {

WNDPROC s_frameProc = nullptr;
bool s_inLoad = false;
int s_ended = 0;

// A load sends the frame the busy cursor first and the cursor it replaced
// last; nothing else sends the busy cursor while the tests run.
LRESULT CALLBACK FrameSpy(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 8) {
        if (wParam == CMD_CURSOR_WAIT) {
            s_inLoad = true;
        } else if (s_inLoad) {
            s_inLoad = false;
            ++s_ended;
        }
    }
    return CallWindowProcA(s_frameProc, hWnd, msg, wParam, lParam);
}

// Removes a scratch folder with what it holds, as far as nothing holds it open.
void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + name).c_str());
            else if (name != "." && name != "..")
                RemoveFolder(folder + name + "\\");
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// The scratch folders of earlier runs are removed first: each holds a work
// space and the designs of its run.
std::string ScratchFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((std::string(temp) + "load_test_*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolder(std::string(temp) + fd.cFileName + "\\");
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%sload_test_%lu\\", temp, GetCurrentProcessId());
    CreateDirectoryA(folder, nullptr);
    return folder;
}

void Copy(const std::string& from, const std::string& to) { CopyFileA(from.c_str(), to.c_str(), FALSE); }

// Each test design in a work space of its own, so that it holds nothing else.
template <class Build> void WriteDesign(const std::string& folder, const char* name, Build build)
{
    std::string wps = folder + "build.wps";
    void* space = WPS_Open(wps.c_str());
    build();
    char what[256] = "";
    DDM_WriteDesignFile((folder + name).c_str(), DESIGN_KIND_TPW, what);
    WPS_Close(space);
    WPS_Delete(wps.c_str());
}

void WriteDesigns(const std::string& folder)
{
    // The demo board of the build, under the names the tests give it.
    std::string demo = std::string("Z:") + DEMO_BOARD;
    for (char& c : demo)
        if (c == '/') c = '\\';
    for (const char* name : {"demo.tpw", "plain.TPW", "my.board.tpw"}) Copy(demo, folder + name);

    // A damaged copy: one byte of the page heap changed.
    std::string bytes = LF_ReadFile(demo);
    if (bytes.size() > 1000) bytes[bytes.size() - 500] ^= 0x5A;
    std::ofstream(folder + "broken.tpw", std::ios::binary) << bytes;

    // A predecessor board, and the template of the build in the program
    // folder, where loading looks for it.
    pcbgen::Board sample = pcbgen::SampleBoard();
    pcbgen::Bytes board = pcbgen::BuildFile(pcbgen::BoardSections(sample));
    std::ofstream(folder + "sample.pcb", std::ios::binary).write((const char*)board.data(), (long)board.size());
    std::string shipped = std::string("Z:") + PCB_TEMPLATE;
    for (char& c : shipped)
        if (c == '/') c = '\\';
    Copy(shipped, ENV_GetBinPath("VyrePCB.ttp"));

    // A line whose line number lies outside the line table.
    WriteDesign(folder, "badline.tpw", [] {
        int level = BLD_AddLevel("TOP", 2, 1, 0x0000C0);
        int line = BLD_AddLine(25000);
        BLD_Line(level, line, 0, 0, 2000000, 0);
        LineRecord* bad = BLD_Line(level, line, 0, 500000, 2000000, 500000);
        bad->lineNo = 99;
    });
    // Two arcs: one at the radius limit, one a unit beyond it.
    WriteDesign(folder, "bigarc.tpw", [] {
        int level = BLD_AddLevel("TOP", 2, 1, 0x0000C0);
        BLD_AddLine(25000);
        int line = BLD_AddLine(30000);
        LineRecord* limit = BLD_Arc(level, line, false, {0, 0}, {1000000, 0}, {500000, -1000000});
        limit->radius = 300000000;
        LineRecord* beyond = BLD_Arc(level, line, false, {0, 2000000}, {1000000, 2000000}, {500000, 1000000});
        beyond->radius = 300000001;
    });
}

}  // namespace

std::string LF_ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

LoadFixture* LF_Start(const char* firstDesign, KIT_DialogWatch** commandWatch,
                      const std::vector<std::pair<int, std::string>>& answers)
{
    LoadFixture* f = new LoadFixture;
    f->folder = ScratchFolder();
    WriteDesigns(f->folder);

    HINSTANCE inst = GetModuleHandleA(nullptr);
    g_hInst = inst;
    std::strcpy(g_FontName, "TEXT");
    g_hWorkSpace = WPS_Open((f->folder + "QZtemp.wps").c_str());
    std::snprintf(g_DesignPathBuffer.folder, sizeof g_DesignPathBuffer.folder, "%s", f->folder.c_str());
    std::snprintf(g_DesignPathBuffer.name, sizeof g_DesignPathBuffer.name, "%s", firstDesign);
    g_OpenDesignParams = {&g_DesignPathBuffer, 0, 0};

    HANDLE thread = CreateThread(nullptr, 0, CMD_ThreadMain, nullptr, CREATE_SUSPENDED, &f->commandThreadId);
    *commandWatch = new KIT_DialogWatch(f->commandThreadId);
    for (const auto& a : answers) (*commandWatch)->Answer(a.first, a.second);
    for (int i = 0; i < 20; ++i) (*commandWatch)->Answer(IDOK);
    APP_RegisterClasses(inst);
    f->frame = CreateWindowExA(0, ROT_CLASS_NAME, "QZ-Torva", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1000, 720,
                               nullptr, nullptr, inst, nullptr);
    if (!f->frame) return f;
    s_frameProc = (WNDPROC)SetWindowLongPtrA(f->frame, GWLP_WNDPROC, (LONG_PTR)FrameSpy);
    D2D_Init(f->frame);
    ShowWindow(f->frame, SW_SHOWNORMAL);
    UpdateWindow(f->frame);
    ResumeThread(thread);
    CloseHandle(thread);
    return f;
}

int LF_LoadsEnded()
{
    return s_ended;
}

bool LF_WaitLoad(LoadFixture* f, DWORD limitMs)
{
    int before = s_ended;
    return KIT_PumpUntil([&] { return s_ended > before; }, limitMs);
}

bool LF_Load(LoadFixture* f, const char* name, int oldDesign)
{
    std::snprintf(g_DesignPathBuffer.folder, sizeof g_DesignPathBuffer.folder, "%s", f->folder.c_str());
    std::snprintf(g_DesignPathBuffer.name, sizeof g_DesignPathBuffer.name, "%s", name);
    g_OpenDesignParams = {&g_DesignPathBuffer, oldDesign, 0};
    int before = s_ended;
    PostMessageA(f->frame, WM_COMMAND, MAKEWPARAM(40140, 1), (LPARAM)f->frame);
    return KIT_PumpUntil([&] { return s_ended > before; }, 60000);
}

bool LF_Extent(int32_t box[4])
{
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    int32_t c1[2], c2[2];
    int n = FIG_AllDataCount(ctx, c1, c2);
    DDM_Close(ctx);
    if (!n) return false;
    box[0] = c1[0], box[1] = c1[1], box[2] = c2[0], box[3] = c2[1];
    return true;
}
