// Design loading of a 1,000,000-element design through command 40140, the
// way the program runs it: the frame and the command thread of the viewer in
// this process, the command posted to the frame, the time taken until the
// load has ended with the view fitted and the canvas painted. Beside it the
// engine's file read: inside the command (the life of the load's progress
// window, which the loader shows around it), and alone (DDM_ReadDesignFile
// of the same design into the same work space), with their shares.
//
// Usage: load [elements [runs]]   (default 1000000 elements, 3 runs)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/app.h"
#include "engine/board_builder.h"
#include "platform/qzt_design_services.h"
#include "platform/qzt_file.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"
#include "view/cnv.h"

#include "load_viewer.h"

namespace {

// <chrono> cannot be built with the Shift-JIS execution character set.
using Tick = long long;
Tick Now()
{
    LARGE_INTEGER v;
    QueryPerformanceCounter(&v);
    return v.QuadPart;
}
double Seconds(Tick from, Tick to)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return (double)(to - from) / (double)f.QuadPart;
}

// The load's progress window is shown around the engine's file read; the
// pump below looks for it every millisecond.
Tick s_progressShown = 0, s_progressGone = 0;

void WatchProgress()
{
    bool shown = DOING_GetWindow() != nullptr;
    if (shown && !s_progressShown) s_progressShown = Now();
    if (!shown && s_progressShown && !s_progressGone) s_progressGone = Now();
}

void PumpUntilLoaded(int count)
{
    while (LV_LoadsEnded() < count) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        WatchProgress();
        if (LV_LoadsEnded() >= count) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// N elements over four layers, made tile by tile (10 mm tiles) as a routed
// board comes: lines, every tenth a VIA, every hundredth a text.
void BuildDesign(long n)
{
    int levels[4] = {BLD_AddLevel("TOP", 2, 1, 0x0000C0), BLD_AddLevel("GND", 2, 2, 0x00A000),
                     BLD_AddLevel("PWR", 2, 3, 0xA000A0), BLD_AddLevel("BOTTOM", 2, 4, 0xC00000)};
    int silk = BLD_AddLevel("SILK", 5, 0, 0xFFFFFF);
    int line = BLD_AddLine(15000);
    int textLine = BLD_AddTextLine(15000, 120000);
    int via = BLD_AddVia(45000, BLD_AddHole(20000));
    const int pitch = 50000, perTile = 20;  // 20 x 20 elements in each 10 mm tile
    const int tilesX = 30;
    for (long i = 0; i < n; ++i) {
        long tile = i / (perTile * perTile), k = i % (perTile * perTile);
        int x = (int)(tile % tilesX) * perTile * pitch + (int)(k % perTile) * pitch;
        int y = (int)(tile / tilesX) * perTile * pitch + (int)(k / perTile) * pitch;
        if (i % 100 == 99)
            BLD_Text(silk, textLine, "T", x, y, 40000);
        else if (i % 10 == 9)
            BLD_Via(via, x, y, (int)(i % 5000));
        else
            BLD_Line(levels[i % 4], line, x, y, x + pitch - 5000, y + (int)(i % 3) * 10000, (int)(i % 5000));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    long elements = argc > 1 ? std::atol(argv[1]) : 1000000;
    int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    // Scratch folders that earlier runs could not remove go first.
    std::string folder = LV_ScratchFolder("load_bench_");
    std::string design = folder + "large.tpw";

    // The design, written from a work space of its own.
    {
        std::string wps = folder + "build.wps";
        void* space = WPS_Open(wps.c_str());
        BuildDesign(elements);
        char what[256] = "";
        if (DDM_WriteDesignFile(design.c_str(), DESIGN_KIND_TPW, what) != DFE_OK) {
            std::fprintf(stderr, "load: cannot write the design: %s\n", what);
            return 1;
        }
        WPS_Close(space);
        WPS_Delete(wps.c_str());
    }
    WIN32_FILE_ATTRIBUTE_DATA fa = {};
    GetFileAttributesExA(design.c_str(), GetFileExInfoStandard, &fa);
    std::printf("design: %ld elements, %.1f MB\n", elements, fa.nFileSizeLow / 1e6);

    // The viewer: a fresh work space, the frame, the command thread, started
    // as the program starts with a design named on its command line.
    HANDLE thread = nullptr;
    DWORD threadId = 0;
    HWND frame = LV_StartViewer(folder, "large.tpw", 1280, 900, &thread, &threadId);
    if (!frame) {
        std::fprintf(stderr, "load: no frame\n");
        return 1;
    }

    // Run 1 is the frame's own start-up load (posted at its creation); the
    // others are posted as the start-up posts it.
    Tick posted = Now();
    ResumeThread(thread);
    double total = 0, totalRead = 0, totalProgress = 0;
    for (int run = 1; run <= runs; ++run) {
        if (run > 1) {
            s_progressShown = s_progressGone = 0;
            posted = Now();
            PostMessageA(frame, WM_COMMAND, MAKEWPARAM(40140, 1), (LPARAM)frame);
        }
        PumpUntilLoaded(run);
        Tick painted = Now();
        double command = Seconds(posted, painted);
        double inCommand = Seconds(LV_LoadStartTick(), LV_LoadEndTick());
        double progress = Seconds(s_progressShown, s_progressGone);

        // The engine's file read alone, into the same work space.
        Tick r0 = Now();
        uint32_t version = 0;
        char what[256] = "";
        DesignFileError e = DDM_ReadDesignFile(design.c_str(), DESIGN_KIND_TPW, &version, what);
        double read = Seconds(r0, Now());
        if (e != DFE_OK) std::fprintf(stderr, "load: read failed: %s\n", what);
        std::printf("run %d%s: command 40140 to painted view %.3f s (inside the command %.3f s)\n"
                    "       engine file read in the command (progress window shown) %.3f s = %.0f %%;"
                    " the same read alone %.3f s = %.0f %%\n",
                    run, run == 1 ? " (fresh work space)" : "", command, inCommand, progress,
                    100.0 * progress / command, read, 100.0 * read / command);
        if (run > 1) {
            total += command;
            totalRead += read;
            totalProgress += progress;
        }
        // The view as loaded: fitted to the data.
        if (CanvasState* cs = CNV_GetState())
            std::printf("       view %d..%d x %d..%d\n", cs->rcView.left, cs->rcView.right, cs->rcView.bottom,
                        cs->rcView.top);
    }
    if (runs > 1)
        std::printf("mean of runs 2..%d: command %.3f s; engine file read in the command %.3f s = %.0f %%,"
                    " alone %.3f s = %.0f %%\n",
                    runs, total / (runs - 1), totalProgress / (runs - 1), 100.0 * totalProgress / total,
                    totalRead / (runs - 1), 100.0 * totalRead / total);
    // The work space and the design go; the command thread never ends, so
    // the process is ended here.
    WPS_Close(g_hWorkSpace);
    LV_RemoveFolder(folder);
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}
