#include "load_fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/app.h"
#include "app/rot.h"
#include "engine/board_builder.h"
#include "load_viewer.h"
#include "platform/layout_line.h"
#include "platform/qzt_design_services.h"
#include "platform/qzt_file.h"
#include "platform/qzt_wps.h"
#include "platform/qzt_runtime.h"
#include "pcb_gen.h"

namespace {

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
    // The scratch folders of earlier runs go first: each holds a work space
    // and the designs of its run.
    f->folder = LV_ScratchFolder("load_test_");
    WriteDesigns(f->folder);

    // The command thread is still suspended: the watch is in place before it
    // can show anything.
    HANDLE thread = nullptr;
    f->frame = LV_StartViewer(f->folder, firstDesign, 1000, 720, &thread, &f->commandThreadId);
    *commandWatch = new KIT_DialogWatch(f->commandThreadId);
    for (const auto& a : answers) (*commandWatch)->Answer(a.first, a.second);
    for (int i = 0; i < 20; ++i) (*commandWatch)->Answer(IDOK);
    if (!f->frame) return f;
    ResumeThread(thread);
    CloseHandle(thread);
    return f;
}

int LF_LoadsEnded()
{
    return LV_LoadsEnded();
}

bool LF_WaitLoad(LoadFixture* f, DWORD limitMs)
{
    int before = LV_LoadsEnded();
    return KIT_PumpUntil([&] { return LV_LoadsEnded() > before; }, limitMs);
}

bool LF_Load(LoadFixture* f, const char* name, int oldDesign)
{
    std::snprintf(g_DesignPathBuffer.folder, sizeof g_DesignPathBuffer.folder, "%s", f->folder.c_str());
    std::snprintf(g_DesignPathBuffer.name, sizeof g_DesignPathBuffer.name, "%s", name);
    g_OpenDesignParams = {&g_DesignPathBuffer, oldDesign, 0};
    int before = LV_LoadsEnded();
    PostMessageA(f->frame, WM_COMMAND, MAKEWPARAM(40140, 1), (LPARAM)f->frame);
    return KIT_PumpUntil([&] { return LV_LoadsEnded() > before; }, 60000);
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
