// Reading a predecessor board of about 500,000 elements, against a plain read
// of the same file in the same run.
//   pcb_read [ELEMENTS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/mrg.h"
#include "pcb_gen.h"
#include "platform/qzt_wps.h"

// The standard clock header does not build with the Shift-JIS execution
// character set; the performance counter serves.
static LONGLONG Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}
static double Seconds(LONGLONG t0)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return (double)(Now() - t0) / (double)f.QuadPart;
}

int main(int argc, char** argv)
{
    int elements = argc > 1 ? atoi(argv[1]) : 500000;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = tmp, name = "pcb_read_bench.pcb", wps = dir + "pcb_read_bench.wps";
    pcbgen::Board board = pcbgen::LargeBoard(elements);
    pcbgen::Bytes file = pcbgen::BuildFile(pcbgen::BoardSections(board));
    if (!pcbgen::WriteFileBytes(dir + name, file)) return 1;
    size_t records = board.lines.size() + board.texts.size() + board.vias.size() + board.fills.size() +
                     board.parts.size() + board.flashes.size();
    for (const pcbgen::Part& p : board.parts) records += p.pins.size();

    LONGLONG t0 = Now();
    HANDLE h = CreateFileA((dir + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    std::vector<char> buf(file.size());
    DWORD got = 0;
    ReadFile(h, buf.data(), (DWORD)buf.size(), &got, nullptr);
    CloseHandle(h);
    double plain = Seconds(t0);

    DeleteFileA(wps.c_str());
    void* hDesign = WPS_Open(wps.c_str());
    PcbPathPair path{};
    snprintf(path.folder, sizeof path.folder, "%s", dir.c_str());
    snprintf(path.name, sizeof path.name, "%s", name.c_str());
    DdmContext* ctx = DDM_Open(hDesign);
    t0 = Now();
    int r = MRG_ReadOldPcbFile(&path, ctx, 0);
    double read = Seconds(t0);
    DDM_Close(ctx);
    WPS_Delete(wps.c_str());
    DeleteFileA((dir + name).c_str());
    printf("file %zu bytes, %zu element records (pins included), result %d\n", file.size(), records, r);
    printf("plain read %.3f s, board read %.3f s (%.1fx)\n", plain, read, plain > 0 ? read / plain : 0.0);
    return r ? 0 : 1;
}
