// engine_files: saves and loads a board of 1,000,000 elements (or N given
// as the first argument) and compares both with copying the same file in
// the same run. Prints the figures and the memory the process used.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/board_builder.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_file.h"
#include "platform/qzt_wps.h"

namespace {

// <chrono> does not build with the Shift-JIS execution character set.
LONGLONG Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Seconds(LONGLONG since)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return (double)(Now() - since) / (double)f.QuadPart;
}

long CountElements()
{
    long n = 0;
    for (int code : {DCODE_LINE, DCODE_VIA, DCODE_TEXT})
        for (void* p = dam_NextPage(nullptr, code, 0, 0); p; p = dam_NextPage(p, code, 0, 0))
            n += dam_Get_cnt_of_DataPH(p);
    return n;
}

}  // namespace

int main(int argc, char** argv)
{
    long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    std::string base = std::string(dir) + "engine_files_" + std::to_string(GetCurrentProcessId());
    std::string wps = base + ".wps", file = base + ".tpw", copy = base + "_copy.tpw";
    if (!WPS_Open(wps.c_str())) return 1;

    LONGLONG t = Now();
    int levels[4] = {BLD_AddLevel("TOP", 2, 1, 0xFF), BLD_AddLevel("IN1", 2, 2, 0xFF00),
                     BLD_AddLevel("IN2", 2, 3, 0xFF0000), BLD_AddLevel("BOTTOM", 2, 4, 0xFFFF)};
    int silk = BLD_AddLevel("SILK", 5, 0, 0xFFFFFF);
    int line = BLD_AddLine(15000), textLine = BLD_AddTextLine(10000, 40000);
    int via = BLD_AddVia(45000, BLD_AddHole(20000));
    for (long i = 0; i < n; ++i) {
        int x = (int)(i % 2000) * 50000, y = (int)(i / 2000) * 50000;
        if (i % 100 == 99)
            BLD_Text(silk, textLine, "T", x, y, 40000);
        else if (i % 10 == 9)
            BLD_Via(via, x, y, (int)(i % 5000));
        else
            BLD_Line(levels[i % 4], line, x, y, x + 45000, y + (i % 3) * 10000, (int)(i % 5000));
    }
    double build = Seconds(t);
    char what[256];

    t = Now();
    if (DDM_WriteDesignFile(file.c_str(), DESIGN_KIND_TPW, what) != DFE_OK) {
        std::printf("save failed: %s\n", what);
        return 1;
    }
    double save = Seconds(t);

    t = Now();
    CopyFileA(file.c_str(), copy.c_str(), FALSE);
    double copyTime = Seconds(t);

    t = Now();
    uint32_t version = 0;
    if (DDM_ReadDesignFile(file.c_str(), DESIGN_KIND_TPW, &version, what) != DFE_OK) {
        std::printf("load failed: %s\n", what);
        return 1;
    }
    double load = Seconds(t);

    t = Now();
    long walked = CountElements();
    double walk = Seconds(t);

    // The same load into a fresh work space: every page is touched for the
    // first time (the cost of a load right after start-up).
    WPS_Delete(wps.c_str());
    WPS_Open(wps.c_str());
    t = Now();
    DesignFileError cold = DDM_ReadDesignFile(file.c_str(), DESIGN_KIND_TPW, &version, what);
    double coldLoad = Seconds(t);
    long coldWalked = cold == DFE_OK ? CountElements() : 0;

    WIN32_FILE_ATTRIBUTE_DATA attr{};
    GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &attr);
    double mb = (((uint64_t)attr.nFileSizeHigh << 32) | attr.nFileSizeLow) / 1048576.0;
    PROCESS_MEMORY_COUNTERS mem{};
    mem.cb = sizeof(mem);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &mem, sizeof(mem));
    uint64_t capacity = 0, used = 0;
    WPS_GetSize(&capacity, &used);

    std::printf("elements %ld (walked back %ld), file %.1f MB\n", n, walked, mb);
    std::printf("build %.3f s, save %.3f s, copy %.3f s, load %.3f s, walk %.3f s\n", build, save,
                copyTime, load, walk);
    std::printf("save / copy = %.2f, load / copy = %.2f (limit 3.00)\n", save / copyTime, load / copyTime);
    std::printf("load into a fresh work space %.3f s (%s, walked back %ld), / copy = %.2f\n", coldLoad,
                cold == DFE_OK ? "ok" : what, coldWalked, coldLoad / copyTime);
    std::printf("work space %.1f MB used of %.0f MB; peak working set %.1f MB\n", used / 1048576.0,
                capacity / 1048576.0, mem.PeakWorkingSetSize / 1048576.0);

    WPS_Delete(wps.c_str());
    DeleteFileA(file.c_str());
    DeleteFileA(copy.c_str());
    return walked == n && coldWalked == n && save <= 3 * copyTime && load <= 3 * copyTime ? 0 : 3;
}
