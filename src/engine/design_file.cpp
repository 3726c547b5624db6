// Design files (.tpw) and templates (.ttp): writing the open design through
// a temporary file, and reading one back with every count, length and CRC
// checked before the open design is replaced.
//
// Layout, little-endian:
//   FileHead (128 bytes)
//   per section: SectionHead (32 bytes), then `length` bytes
//     - one section per fixed region, in region order, its length the
//       region's size;
//     - "STATE": page count, next element number, heap bytes;
//     - "PAGEDIR": the directory entries of pages 1 to the page count;
//     - "HEAP": the page heap as it lies in the work space.
// The whole file is checked before the open design is touched, so a refused
// file leaves it as it was.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/store.h"
#include "platform/layout_fill.h"
#include "platform/qzt_file.h"
#include "platform/qzt_wps.h"
#include "platform/trvdlg.h"

using namespace store;

namespace {

constexpr char FILE_MAGIC[8] = {'T', 'O', 'R', 'V', 'A', 'D', 'S', 'N'};
constexpr uint32_t FORMAT_VERSION = 1;
constexpr char WRITER[] = "Torva.exe";
constexpr uint32_t IO_CHUNK = 8u << 20;

#pragma pack(push, 1)
struct FileHead {
    char magic[8];
    uint32_t formatVersion;
    uint32_t kind;
    uint32_t designVersion;
    uint32_t sectionCount;
    char writer[32];
    uint64_t fileSize;
    uint8_t reserved[60];
    uint32_t headCrc;     // of the bytes before it
};
struct SectionHead {
    char name[8];
    uint32_t id;
    uint32_t reserved;
    uint64_t length;
    uint32_t crc;
    uint32_t headCrc;     // of the bytes before it
};
struct StateSection {
    uint32_t pageCount;
    uint32_t nextElementNo;
    uint64_t heapUsed;
    uint8_t reserved[48];
};
#pragma pack(pop)
static_assert(sizeof(FileHead) == 128);
static_assert(sizeof(SectionHead) == 32);
static_assert(sizeof(StateSection) == 64);

enum { SEC_STATE = RG_COUNT, SEC_DIR, SEC_HEAP, SEC_COUNT };

const char* SectionName(int id)
{
    switch (id) {
    case SEC_STATE: return "STATE";
    case SEC_DIR: return "PAGEDIR";
    case SEC_HEAP: return "HEAP";
    default: return RegionInfo(id).name;
    }
}

struct FileCloser {
    HANDLE h;
    ~FileCloser()
    {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

void Say(char* what, const char* format, ...)
{
    if (!what) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(what, 256, format, args);
    va_end(args);
}

// ---- Writing -------------------------------------------------------------------------

// Measured under Wine: 62 MB written in 64 KB pieces took 25-31 ms, in 1 MB
// or 8 MB pieces 90-130 ms.
constexpr uint32_t WRITE_CHUNK = 64u << 10;

bool WriteAll(HANDLE f, const void* data, uint64_t size)
{
    const uint8_t* p = (const uint8_t*)data;
    while (size) {
        DWORD n = (DWORD)std::min<uint64_t>(size, WRITE_CHUNK), done = 0;
        if (!WriteFile(f, p, n, &done, nullptr) || done != n) return false;
        p += n;
        size -= n;
    }
    return true;
}

bool WriteSection(HANDLE f, int id, const void* data, uint64_t length)
{
    SectionHead s{};
    std::strncpy(s.name, SectionName(id), sizeof(s.name));
    s.id = (uint32_t)id;
    s.length = length;
    s.crc = DDM_Crc32c(0, data, length);
    s.headCrc = DDM_Crc32c(0, &s, offsetof(SectionHead, headCrc));
    return WriteAll(f, &s, sizeof(s)) && WriteAll(f, data, length);
}

}  // namespace

DesignFileError DDM_WriteDesignFile(const char* path, int kind, char* what)
{
    WorkSpace* ws = Current();
    if (!ws) {
        Say(what, "作業領域が開かれていません");
        return DFE_NO_SPACE;
    }
    // The process id keeps two programs saving the same file apart.
    std::string tmp = std::string(path) + ".$" + std::to_string(GetCurrentProcessId()) + "$";
    HANDLE f = CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        Say(what, "%s を作成できません (エラー %lu)", tmp.c_str(), GetLastError());
        return DFE_WRITE;
    }
    WpsHeader* h = ws->head;
    AcquireSRWLockShared(&ws->lock);
    uint64_t dirBytes = (uint64_t)h->pageCount * sizeof(DirEntry);
    uint64_t total = sizeof(FileHead) + SEC_COUNT * sizeof(SectionHead) +
                     sizeof(StateSection) + dirBytes + h->heapUsed;
    for (int i = 0; i < RG_COUNT; ++i) total += RegionInfo(i).size;

    FileHead head{};
    std::memcpy(head.magic, FILE_MAGIC, 8);
    head.formatVersion = FORMAT_VERSION;
    head.kind = (uint32_t)kind;
    head.designVersion = DESIGN_VERSION;
    head.sectionCount = SEC_COUNT;
    std::strcpy(head.writer, WRITER);
    head.fileSize = total;
    head.headCrc = DDM_Crc32c(0, &head, offsetof(FileHead, headCrc));

    // The design says which program wrote it last; the loader's writer check
    // knows this name and empties it without a warning.
    PcbInfData* inf = Region_<PcbInfData>(RG_PCBINF);
    std::memset(inf->writer, 0, sizeof(inf->writer));
    std::strcpy(inf->writer, WRITER);

    StateSection state{};
    state.pageCount = h->pageCount;
    state.nextElementNo = h->nextElementNo;
    state.heapUsed = h->heapUsed;

    bool ok = WriteAll(f, &head, sizeof(head));
    for (int i = 0; ok && i < RG_COUNT; ++i) ok = WriteSection(f, i, RegionPtr(i), RegionInfo(i).size);
    ok = ok && WriteSection(f, SEC_STATE, &state, sizeof(state));
    ok = ok && WriteSection(f, SEC_DIR, ws->dir + 1, dirBytes);
    ok = ok && WriteSection(f, SEC_HEAP, ws->base + h->heapBase, h->heapUsed);
    ReleaseSRWLockShared(&ws->lock);
    DWORD err = GetLastError();
    ok = CloseHandle(f) && ok;
    if (ok) ok = MoveFileExA(tmp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        err = GetLastError() ? GetLastError() : err;
        DeleteFileA(tmp.c_str());
        Say(what, "%s を書き込めません (エラー %lu)", path, err);
        return DFE_WRITE;
    }
    return DFE_OK;
}

// ---- Reading -------------------------------------------------------------------------

namespace {

struct Reader {
    HANDLE f;
    uint64_t size;
    uint64_t pos = 0;
    DoingProgress* progress = nullptr;
    uint64_t done = 0, total = 0;  // for the progress: the file and the heap again
    bool Read(void* to, uint64_t n)
    {
        if (n > size - pos) return false;
        uint8_t* p = (uint8_t*)to;
        uint64_t left = n;
        while (left) {
            DWORD chunk = (DWORD)std::min<uint64_t>(left, IO_CHUNK), got = 0;
            if (!ReadFile(f, p, chunk, &got, nullptr) || got != chunk) return false;
            p += chunk;
            left -= chunk;
            done += chunk;
            if (progress && progress->report) progress->report(progress, done, total);
        }
        pos += n;
        return true;
    }
};

DesignFileError ReadSectionHead(Reader& r, int id, uint64_t expected, SectionHead* s, char* what)
{
    if (!r.Read(s, sizeof(*s))) {
        Say(what, "%s の見出しの途中でファイルが終わっています", SectionName(id));
        return DFE_TRUNCATED;
    }
    if (DDM_Crc32c(0, s, offsetof(SectionHead, headCrc)) != s->headCrc || s->id != (uint32_t)id ||
        std::strncmp(s->name, SectionName(id), sizeof(s->name)) != 0) {
        Say(what, "%s の見出しが壊れています (位置 %llu)", SectionName(id),
            (unsigned long long)(r.pos - sizeof(*s)));
        return DFE_DAMAGED;
    }
    if (expected != UINT64_MAX && s->length != expected) {
        Say(what, "%s の長さ %llu が %llu と違います", SectionName(id),
            (unsigned long long)s->length, (unsigned long long)expected);
        return DFE_DAMAGED;
    }
    if (s->length > r.size - r.pos) {
        Say(what, "%s の途中でファイルが終わっています", SectionName(id));
        return DFE_TRUNCATED;
    }
    return DFE_OK;
}

DesignFileError ReadSection(Reader& r, int id, uint64_t expected, void* to, uint64_t* length,
                            char* what)
{
    SectionHead s;
    if (DesignFileError e = ReadSectionHead(r, id, expected, &s, what)) return e;
    if (!r.Read(to, s.length)) {
        Say(what, "%s を読めません", SectionName(id));
        return DFE_OPEN;
    }
    if (DDM_Crc32c(0, to, s.length) != s.crc) {
        Say(what, "%s のデータが壊れています (CRC)", SectionName(id));
        return DFE_DAMAGED;
    }
    if (length) *length = s.length;
    return DFE_OK;
}

// Every page of the directory lies inside the heap, and its header (taken
// out of the heap while it streamed past) agrees with the directory.
DesignFileError CheckPages(const std::vector<DirEntry>& dir,
                           const std::vector<DataPageHeader>& headers, uint64_t heapUsed,
                           char* what)
{
    for (size_t i = 0; i < dir.size(); ++i) {
        const DirEntry& e = dir[i];
        uint32_t pageNo = (uint32_t)i + 1;
        if (!(e.flags & DIR_LIVE)) continue;
        const DataPageHeader* h = &headers[i];
        bool sane = h->pageNo == pageNo && h->byteSize == e.size && h->dataCode > 0 &&
                    h->count >= 0 && h->max >= 0 && h->recordSize >= 0 && h->count <= h->max &&
                    (uint64_t)h->max * (uint64_t)h->recordSize <= e.size - PAGE_HEADER_SIZE;
        if (!sane) {
            Say(what, "ページ %u (データコード %u) の見出しが不正です", pageNo, h->dataCode);
            return DFE_DAMAGED;
        }
    }
    return DFE_OK;
}

DesignFileError CheckDirectory(const std::vector<DirEntry>& dir, uint64_t heapUsed, char* what)
{
    for (size_t i = 0; i < dir.size(); ++i) {
        const DirEntry& e = dir[i];
        if (e.flags & ~DIR_LIVE || (e.flags && e.size < PAGE_HEADER_SIZE) ||
            e.offset > heapUsed || e.size > heapUsed - e.offset || e.offset % PAGE_ALIGN) {
            Say(what, "ページ %u の位置が不正です", (unsigned)i + 1);
            return DFE_DAMAGED;
        }
    }
    return DFE_OK;
}

// First pass over the heap: its CRC, and the header of every live page,
// read through one buffer so that nothing of the work space is touched.
DesignFileError ScanHeap(Reader& r, const SectionHead& s, const std::vector<DirEntry>& dir,
                         std::vector<DataPageHeader>& headers, char* what)
{
    std::vector<uint32_t> order;  // live pages by offset
    for (uint32_t i = 0; i < dir.size(); ++i)
        if (dir[i].flags & DIR_LIVE) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return dir[a].offset < dir[b].offset; });
    headers.assign(dir.size(), DataPageHeader{});

    std::vector<uint8_t> buffer(IO_CHUNK);
    uint32_t crc = 0;
    size_t next = 0;
    for (uint64_t at = 0; at < s.length;) {
        uint64_t n = std::min<uint64_t>(IO_CHUNK, s.length - at);
        if (!r.Read(buffer.data(), n)) {
            Say(what, "HEAP を読めません");
            return DFE_OPEN;
        }
        crc = DDM_Crc32c(crc, buffer.data(), n);
        // Copy each header's bytes that lie in this chunk (a header may
        // straddle two chunks).
        while (next < order.size() && dir[order[next]].offset < at + n) {
            uint32_t i = order[next];
            uint64_t from = std::max<uint64_t>(dir[i].offset, at);
            uint64_t to = std::min<uint64_t>(dir[i].offset + PAGE_HEADER_SIZE, at + n);
            std::memcpy((uint8_t*)&headers[i] + (from - dir[i].offset), buffer.data() + (from - at), to - from);
            if (dir[i].offset + PAGE_HEADER_SIZE > at + n) break;  // the rest comes with the next chunk
            ++next;
        }
        at += n;
    }
    if (crc != s.crc) {
        Say(what, "HEAP のデータが壊れています (CRC)");
        return DFE_DAMAGED;
    }
    return DFE_OK;
}

}  // namespace

// Copies `n` bytes of the file at the reader's place into the work space at
// `heap`, with their CRC; false on a read or write error. The bytes go in
// through the work-space file rather than through its mapping: a file write
// fills the pages the mapping shares without a fault on each fresh page of
// the sparse file, which costs several times the read.
static bool CopyHeapIntoSpace(Reader& r, WorkSpace* ws, uint8_t* heap, uint64_t n, uint32_t* crc)
{
    std::vector<uint8_t> buffer(IO_CHUNK);
    uint64_t fileAt = (uint64_t)(heap - ws->base);
    *crc = 0;
    for (uint64_t at = 0; at < n;) {
        DWORD chunk = (DWORD)std::min<uint64_t>(IO_CHUNK, n - at), wrote = 0;
        if (!r.Read(buffer.data(), chunk)) return false;
        OVERLAPPED where{};
        where.Offset = (DWORD)(fileAt + at);
        where.OffsetHigh = (DWORD)((fileAt + at) >> 32);
        if (!WriteFile(ws->file, buffer.data(), chunk, &wrote, &where) || wrote != chunk) return false;
        *crc = DDM_Crc32c(*crc, buffer.data(), chunk);
        at += chunk;
    }
    return true;
}

static DesignFileError ReadDesignFile(const char* path, int kind, uint32_t* version, char* what,
                                      DoingProgress* progress)
{
    if (what) *what = 0;
    WorkSpace* ws = Current();
    if (!ws) {
        Say(what, "作業領域が開かれていません");
        return DFE_NO_SPACE;
    }
    FileCloser file{CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) {
        Say(what, "%s を開けません (エラー %lu)", path, GetLastError());
        return DFE_OPEN;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file.h, &size);
    Reader r{file.h, (uint64_t)size.QuadPart};
    r.progress = progress;
    r.total = r.size;

    FileHead head;
    if (!r.Read(&head, sizeof(head)) || std::memcmp(head.magic, FILE_MAGIC, 8) != 0) {
        Say(what, "%s は設計データのファイルではありません", path);
        return DFE_FOREIGN;
    }
    if (DDM_Crc32c(0, &head, offsetof(FileHead, headCrc)) != head.headCrc) {
        Say(what, "ファイルの見出しが壊れています");
        return DFE_DAMAGED;
    }
    if (head.formatVersion != FORMAT_VERSION || head.sectionCount != SEC_COUNT) {
        Say(what, "ファイルの形式 %u はこのプログラムでは読めません", head.formatVersion);
        return DFE_VERSION;
    }
    if (head.kind != (uint32_t)kind) {
        Say(what, kind == DESIGN_KIND_TPW ? "テンプレートファイルです" : "テンプレートファイルではありません");
        return DFE_KIND;
    }
    if (head.fileSize != r.size) {
        Say(what, "ファイルの長さ %llu が %llu と違います", (unsigned long long)r.size,
            (unsigned long long)head.fileSize);
        return head.fileSize > r.size ? DFE_TRUNCATED : DFE_DAMAGED;
    }

    // Fixed regions into a buffer of their own.
    std::unique_ptr<uint8_t[]> fixed(new (std::nothrow) uint8_t[FixedRegionSize()]);
    if (!fixed) return DFE_NO_ROOM;
    std::memset(fixed.get(), 0, FixedRegionSize());
    for (int i = 0; i < RG_COUNT; ++i)
        if (DesignFileError e = ReadSection(r, i, RegionInfo(i).size, fixed.get() + RegionOffset(i), nullptr, what))
            return e;

    StateSection state;
    if (DesignFileError e = ReadSection(r, SEC_STATE, sizeof(state), &state, nullptr, what)) return e;
    if (state.pageCount >= DIR_CAPACITY) {
        Say(what, "ページ数 %u が多すぎます", state.pageCount);
        return DFE_DAMAGED;
    }
    std::vector<DirEntry> dir(state.pageCount);
    if (DesignFileError e = ReadSection(r, SEC_DIR, (uint64_t)state.pageCount * sizeof(DirEntry),
                                        dir.data(), nullptr, what))
        return e;

    // The heap is read twice: once to check it, then into the work space
    // over the old design, so that a file found damaged never touches the
    // open design. The file is open without write sharing, so it cannot
    // change between.
    SectionHead heapHead;
    if (DesignFileError e = ReadSectionHead(r, SEC_HEAP, state.heapUsed, &heapHead, what)) return e;
    WpsHeader* h = ws->head;
    if (state.heapUsed > h->capacity - h->heapArea) {
        Say(what, "作業領域 (%llu MB) に入りません", (unsigned long long)(h->capacity >> 20));
        return DFE_NO_ROOM;
    }
    if (DesignFileError e = CheckDirectory(dir, state.heapUsed, what)) return e;
    uint64_t heapAt = r.pos;
    std::vector<DataPageHeader> headers;
    if (DesignFileError e = ScanHeap(r, heapHead, dir, headers, what)) return e;
    if (DesignFileError e = CheckPages(dir, headers, state.heapUsed, what)) return e;
    r.total += state.heapUsed;

    // Everything checked: the loaded design replaces the open one.
    AcquireSRWLockExclusive(&ws->lock);
    uint8_t* heap = ws->base + h->heapArea;
    h->heapClean = std::max<uint64_t>(h->heapClean, h->heapArea + state.heapUsed);
    LARGE_INTEGER seek;
    seek.QuadPart = (LONGLONG)heapAt;
    r.pos = heapAt;
    uint32_t crc = 0;
    bool read = SetFilePointerEx(file.h, seek, nullptr, FILE_BEGIN) &&
                CopyHeapIntoSpace(r, ws, heap, state.heapUsed, &crc) && crc == heapHead.crc;
    std::memset(ws->dir, 0, (size_t)(h->pageCount + 1) * sizeof(DirEntry));
    h->heapBase = h->heapArea;
    if (!read) {
        // A read error between the two passes: the old design is gone, so
        // the work space is left empty rather than half loaded.
        h->pageCount = 0;
        h->heapUsed = 0;
        ReleaseSRWLockExclusive(&ws->lock);
        ClearDesign(ws);
        Say(what, "HEAP の読み込み中にエラーが起きました (エラー %lu)", GetLastError());
        return DFE_OPEN;
    }
    if (state.pageCount) std::memcpy(ws->dir + 1, dir.data(), dir.size() * sizeof(DirEntry));
    std::memcpy(ws->fixed, fixed.get(), FixedRegionSize());
    h->pageCount = state.pageCount;
    h->nextElementNo = state.nextElementNo;
    h->heapUsed = state.heapUsed;
    h->designLoaded = 1;
    std::memset(ws->search, 0, sizeof(ws->search));
    ReleaseSRWLockExclusive(&ws->lock);
    RebuildIndex(ws);
    if (version) *version = head.designVersion;
    return DFE_OK;
}

DesignFileError DDM_ReadDesignFile(const char* path, int kind, uint32_t* version, char* what)
{
    return ReadDesignFile(path, kind, version, what, nullptr);
}

const char* DDM_DesignFileErrorText(DesignFileError error)
{
    switch (error) {
    case DFE_OK: return "";
    case DFE_OPEN: return "ファイルを開けませんでした。";
    case DFE_FOREIGN: return "設計データのファイルではありません。";
    case DFE_VERSION: return "このバージョンでは読めない形式のファイルです。";
    case DFE_KIND: return "ファイルの種類が違います。";
    case DFE_TRUNCATED: return "ファイルが途中で切れています。";
    case DFE_DAMAGED: return "ファイルが壊れています。";
    case DFE_NO_ROOM: return "作業領域が足りません。";
    case DFE_NO_SPACE: return "作業領域が開かれていません。";
    case DFE_WRITE: return "ファイルを書き込めませんでした。";
    }
    return "";
}

static std::string JoinPair(const char* pair)
{
    std::string folder(pair, strnlen(pair, 260));
    std::string name(pair + 260, strnlen(pair + 260, 260));
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder + name;
}

// Loads with the engine's own message on failure: the fault, the file and
// what was found, so the user sees which file and why.
static int LoadWithMessage(HWND owner, const char* pathPair, int kind, uint32_t* version,
                           const char* caption, DoingProgress* progress)
{
    if (!pathPair) return 0;
    std::string path = JoinPair(pathPair);
    char what[256];
    uint32_t v = 0;
    DesignFileError e = ReadDesignFile(path.c_str(), kind, &v, what, progress);
    if (e == DFE_OK) {
        if (version) *version = v;
        return 1;
    }
    std::string text = std::string(DDM_DesignFileErrorText(e)) + "\n" + path + "\n" + what +
                       "\n読み込み前のデータはそのままです。";
    MessageBoxA(owner, text.c_str(), caption ? caption : "読み込み", MB_OK | MB_ICONSTOP);
    return 0;
}

// `progress` is the progress window's object (DOING_Start): the load reports
// the bytes it has read through it.
extern "C" int DDM_LoadTPW(HWND hFrame, DdmContext* ctx, const char* pathPair, int mode,
                           uint32_t* version, const char* caption, void* progress)
{
    return LoadWithMessage(hFrame, pathPair, DESIGN_KIND_TPW, version, caption,
                           (DoingProgress*)progress);
}

extern "C" int DDM_LoadTTP(HWND hCanvas, DdmContext* ctx, const char* pathPair, const char* caption)
{
    return LoadWithMessage(hCanvas, pathPair, DESIGN_KIND_TTP, nullptr, caption, nullptr);
}
