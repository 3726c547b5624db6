// Reading a predecessor board of about 500,000 elements, against a plain read
// of the same file in the same run.
//   pcb_read [ELEMENTS]
//
// Besides the whole read it shows the time of each section (from the reader's
// progress calls: a section runs from its first call to the next section's)
// and the engine's share: the same records stored once more by the engine's
// allocators alone, into a fresh work space, with no file behind them.
//
// Figures (Test build under Wine, 500,137 element records with pins, 27.7 MB
// file; the plain read took 0.02-0.04 s each time; the machine was shared, so
// the times vary by up to half from run to run):
//   before  board read 10.4-15.7 s: parts 11.2 s, fills 4.1 s, the rest
//           0.3 s. Each new part's key came from a walk of every part page
//           (14,000 parts: 100 million page steps), every new page was
//           cleared whole, so the 11,400 fill pages of 57,968 bytes each
//           touched 660 MB of the sparse work space, and each part page took
//           8 KiB of its own before its pin page's 8 KiB boundary
//           (955 MB of the 1024 MB work space in use).
//   after   board read 1.4-2.5 s into the run's first work space, 1.1-1.3 s
//           into the next ones: fills 0.5-1.6 s, parts 0.45-0.6 s, the rest
//           0.25 s; 847 MB of the work space in use. The engine's inserts
//           alone take 0.85-1.0 s, about 75 % of the read, nearly all of it
//           the first touch of the mapped work space's pages (20-40 us a 4 KiB
//           page under Wine here), one or two per fill and pin page; the file
//           parse and the conversions take the other 25 %.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "exchange/mrg.h"
#include "pcb_gen.h"
#include "platform/layout_fill.h"
#include "platform/layout_page.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_records.h"
#include "platform/qzt_wps.h"

// The standard clock header does not build with the Shift-JIS execution
// character set; the performance counter serves.
static LONGLONG Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}
static double Between(LONGLONG t0, LONGLONG t1)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return (double)(t1 - t0) / (double)f.QuadPart;
}
static double Seconds(LONGLONG t0) { return Between(t0, Now()); }

// Section times from the progress calls.
struct Phase {
    std::string caption;
    LONGLONG start;
};
static std::vector<Phase> s_phases;
static void Spy(const char* caption, int)
{
    if (s_phases.empty() || s_phases.back().caption != caption) s_phases.push_back(Phase{caption, Now()});
}

// A caption for the terminal, which shows UTF-8.
static std::string Utf8(const std::string& sjis)
{
    wchar_t wide[128];
    int n = MultiByteToWideChar(932, 0, sjis.c_str(), -1, wide, 128);
    char out[384];
    if (n <= 0 || WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, sizeof out, nullptr, nullptr) <= 0) return sjis;
    return out;
}

// The engine's part of the read: every record the reader stores, stored by
// the same allocators with its bytes written, without reading or converting.
static double EngineInserts(const pcbgen::Board& board)
{
    LONGLONG t0 = Now();
    uint8_t bytes[200];
    memset(bytes, 0x11, sizeof bytes);
    auto fill = [&](void* rec, size_t n) {
        if (rec) memcpy(rec, bytes, n);
    };
    void* page = nullptr;
    for (const pcbgen::Line& l : board.lines) fill(PDL_AllocNewDataArea((short)l.level, &page), 56);
    for (const pcbgen::Text& t : board.texts) fill(PDT_AllocNewDataArea((short)t.level, &page), 196);
    for (size_t i = 0; i < board.vias.size(); i++) fill(PDV_AllocNewDataArea(&page), 56);
    for (const pcbgen::Fill& f : board.fills) {
        std::vector<int> points;
        int n = 0;
        for (const pcbgen::Outline& o : f.outline) {
            n += (o.flags & 0x80) ? 2 : 1;
            if (o.flags & 0x200) points.push_back(n + 1), n = 0;
        }
        if (points.empty()) continue;
        int entries = 0;
        for (int p : points) entries += 1 + p;
        void* fp = PZB_AllocNewDataArea(f.level, -1, points[0], (int)points.size() - 1, points.data() + 1);
        if (!fp) continue;
        memset((uint8_t*)fp + 112, 0x11, (size_t)entries * FILL_ENTRY_SIZE);
        dam_Set_cnt_of_DataPH(fp, entries);
    }
    for (const pcbgen::Part& p : board.parts) {
        void* partPage = PDP_AllocNewDataArea_Sym();
        if (!partPage || p.pins.empty()) continue;
        void* pins = PDP_AllocNewDataArea_Pin(dam_Get_key_of_DataPH(partPage, 4), (int)p.pins.size());
        if (!pins) continue;
        memset((uint8_t*)pins + 112, 0x11, 60 * p.pins.size());
        dam_Set_cnt_of_DataPH(pins, (int)p.pins.size());
    }
    for (const pcbgen::Flash& f : board.flashes) {
        // Free flashes fill pages of their level; a pin flash is counted
        // as one small page of its own, the reader's first for a part.
        void* fp = f.owner == 1 ? dam_PrevPage(nullptr, DCODE_FLASH, DAM_SEL_LEVEL, f.level) : nullptr;
        if (!fp || dam_Get_cnt_of_DataPH(fp) >= dam_Get_max_of_DataPH(fp)) {
            uint32_t no = 0;
            fp = f.owner == 1 ? dam_AppendPage(DCODE_FLASH, 8192, f.level, 0, 0, 0, &no)
                              : dam_AppendPage(DCODE_PART_FLASH, 256, f.level, 0, 0, 1, &no);
            if (!fp) continue;
        }
        int n = dam_Get_cnt_of_DataPH(fp);
        memset((uint8_t*)fp + 112 + 60 * (size_t)n, 0x11, 60);
        dam_Set_cnt_of_DataPH(fp, n + 1);
    }
    return Seconds(t0);
}

static LONGLONG s_end;

// One board read into a fresh work space; the section times go to s_phases.
static double Read(const std::string& wps, const std::string& dir, const std::string& name, int* result,
                   uint64_t* used)
{
    s_phases.clear();
    void* hDesign = WPS_Open(wps.c_str());
    PcbPathPair path{};
    snprintf(path.folder, sizeof path.folder, "%s", dir.c_str());
    snprintf(path.name, sizeof path.name, "%s", name.c_str());
    DdmContext* ctx = DDM_Open(hDesign);
    MRG_SetProgressSpy(Spy);
    LONGLONG t0 = Now();
    *result = MRG_ReadOldPcbFile(&path, ctx, 0);
    s_end = Now();
    MRG_SetProgressSpy(nullptr);
    uint64_t capacity = 0;
    WPS_GetSize(&capacity, used);
    DDM_Close(ctx);
    WPS_Delete(wps.c_str());
    return Between(t0, s_end);
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

    // The first work space of a run pays more for its first touches than the
    // next ones, and the machine's other load varies: after the first read,
    // three rounds of the read and of the engine-only replay, each into a
    // fresh work space, and the shortest of each is taken.
    DeleteFileA(wps.c_str());
    uint64_t used = 0;
    int r = 0;
    double firstRead = Read(wps, dir, name, &r, &used);
    std::vector<Phase> firstPhases = s_phases, bestPhases;
    LONGLONG firstEnd = s_end, bestEnd = s_end;
    double read = 1e9, engine = 1e9;
    for (int round = 0; round < 3; round++) {
        WPS_Open(wps.c_str());
        double e = EngineInserts(board);
        WPS_Delete(wps.c_str());
        if (e < engine) engine = e;
        double t = Read(wps, dir, name, &r, &used);
        if (t < read) read = t, bestPhases = s_phases, bestEnd = s_end;
    }
    DeleteFileA((dir + name).c_str());

    printf("file %zu bytes, %zu element records (pins included), result %d\n", file.size(), records, r);
    printf("plain read %.3f s; board read %.3f s into the run's first work space (%.1fx), %.3f s at best of three more (%.1fx); "
           "work space used %.1f MB\n",
           plain, firstRead, plain > 0 ? firstRead / plain : 0.0, read, plain > 0 ? read / plain : 0.0,
           used / 1048576.0);
    printf("sections, first read / best read (from the progress calls; the last one runs to the end of the read):\n");
    for (size_t i = 0; i < bestPhases.size() && i < firstPhases.size(); i++) {
        double a = Between(firstPhases[i].start, i + 1 < firstPhases.size() ? firstPhases[i + 1].start : firstEnd);
        double b = Between(bestPhases[i].start, i + 1 < bestPhases.size() ? bestPhases[i + 1].start : bestEnd);
        if (a >= 0.0005 || b >= 0.0005) printf("  %-16s %.3f s / %.3f s\n", Utf8(bestPhases[i].caption).c_str(), a, b);
    }
    double share = read > 0 ? engine / read : 0.0;
    if (share > 1) share = 1;
    printf("engine inserts alone %.3f s: about %.0f %% of the best board read, file parse and conversion the other %.0f %%\n",
           engine, 100.0 * share, 100.0 * (1 - share));
    return r ? 0 : 1;
}
