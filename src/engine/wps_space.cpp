// The work space: opening, creating and closing the mapped file, the null
// design that answers before any work space exists, and the database context.
#include <cstring>
#include <memory>

#include "engine/store.h"
#include "platform/qzt_wps.h"

namespace store {

namespace {

constexpr uint32_t CTX_MAGIC = 0x5843445Au;  // "ZDCX"

WorkSpace* s_ws = nullptr;
uint8_t* s_nullFixed = nullptr;
DdmContext s_nullCtx{};

uint8_t* NullFixed()
{
    if (!s_nullFixed) {
        s_nullFixed = (uint8_t*)VirtualAlloc(nullptr, FixedRegionSize(), MEM_RESERVE | MEM_COMMIT,
                                             PAGE_READWRITE);
        InitFixedRegion(s_nullFixed);
    }
    return s_nullFixed;
}

std::string JoinPath(const char* path, const char* name)
{
    std::string full = path ? path : "";
    if (name && *name) {
        if (!full.empty() && full.back() != '\\' && full.back() != '/') full += '\\';
        full += name;
    }
    return full;
}

void Unmap(WorkSpace* ws)
{
    if (ws->base) {
        FlushViewOfFile(ws->base, 0);
        UnmapViewOfFile(ws->base);
    }
    if (ws->mapping) CloseHandle(ws->mapping);
    if (ws->file != INVALID_HANDLE_VALUE) CloseHandle(ws->file);
}

bool HeaderUsable(const WpsHeader* h, uint64_t fileSize)
{
    return std::memcmp(h->magic, WPS_MAGIC, 8) == 0 && h->capacity == fileSize &&
           h->fixedOffset == sizeof(WpsHeader) && h->fixedSize == FixedRegionSize() &&
           h->dirCapacity == DIR_CAPACITY && h->dirOffset == h->fixedOffset + h->fixedSize &&
           h->heapArea == h->dirOffset + (uint64_t)DIR_CAPACITY * sizeof(DirEntry) &&
           h->heapBase >= h->heapArea && h->heapUsed <= h->capacity - h->heapBase &&
           h->pageCount < DIR_CAPACITY;
}

void FormatFresh(WorkSpace* ws)
{
    WpsHeader* h = ws->head;
    std::memset(h, 0, sizeof(*h));
    std::memcpy(h->magic, WPS_MAGIC, 8);
    h->capacity = WPS_DEFAULT_CAPACITY;
    h->fixedOffset = sizeof(WpsHeader);
    h->fixedSize = FixedRegionSize();
    h->dirOffset = h->fixedOffset + h->fixedSize;
    h->dirCapacity = DIR_CAPACITY;
    h->heapArea = h->dirOffset + (uint64_t)DIR_CAPACITY * sizeof(DirEntry);
    h->heapBase = h->heapArea;
    h->heapClean = h->heapArea;
    h->nextElementNo = 1;
    InitFixedRegion(ws->base + h->fixedOffset);
}

}  // namespace

WorkSpace* Current() { return s_ws; }

uint8_t* FixedBase() { return s_ws ? s_ws->fixed : NullFixed(); }

void ClearDesign(WorkSpace* ws)
{
    NotePageChange();
    AcquireSRWLockExclusive(&ws->lock);
    WpsHeader* h = ws->head;
    // Only the used part of the directory is cleared: the rest was never touched.
    std::memset(ws->dir, 0, (size_t)(h->pageCount + 1) * sizeof(DirEntry));
    h->pageCount = 0;
    h->heapBase = h->heapArea;
    h->heapUsed = 0;
    h->nextElementNo = 1;
    h->designLoaded = 0;
    InitFixedRegion(ws->fixed);
    for (CodeLists& lists : ws->lists) lists = CodeLists{};
    ws->freeBySize.clear();
    ws->gapStart = ws->gapEnd = 0;
    std::memset(ws->search, 0, sizeof(ws->search));
    ReleaseSRWLockExclusive(&ws->lock);
}

static WorkSpace* OpenSpace(const std::string& path)
{
    auto ws = std::make_unique<WorkSpace>();
    ws->path = path;
    ws->file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ws->file == INVALID_HANDLE_VALUE) return nullptr;

    // An existing work space keeps its design when its header fits this build.
    LARGE_INTEGER size{};
    GetFileSizeEx(ws->file, &size);
    bool reuse = false;
    if ((uint64_t)size.QuadPart >= sizeof(WpsHeader)) {
        WpsHeader h{};
        DWORD got = 0;
        if (ReadFile(ws->file, &h, sizeof(h), &got, nullptr) && got == sizeof(h))
            reuse = HeaderUsable(&h, (uint64_t)size.QuadPart);
    }
    uint64_t capacity = reuse ? (uint64_t)size.QuadPart : WPS_DEFAULT_CAPACITY;
    if (!reuse) {
        // Drop any old contents first, so the fresh file stays sparse.
        SetFilePointer(ws->file, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(ws->file);
    }
    ws->mapping = CreateFileMappingA(ws->file, nullptr, PAGE_READWRITE, (DWORD)(capacity >> 32),
                                     (DWORD)capacity, nullptr);
    if (!ws->mapping) {
        DWORD err = GetLastError();
        Unmap(ws.get());
        SetLastError(err);
        return nullptr;
    }
    ws->base = (uint8_t*)MapViewOfFile(ws->mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!ws->base) {
        DWORD err = GetLastError();
        Unmap(ws.get());
        SetLastError(err);
        return nullptr;
    }
    ws->head = (WpsHeader*)ws->base;
    if (!reuse) FormatFresh(ws.get());
    // A work space that does not know how far its heap was written is
    // cleared in full wherever a page goes.
    WpsHeader* h = ws->head;
    if (h->heapClean < h->heapArea || h->heapClean > h->capacity) h->heapClean = h->capacity;
    ws->fixed = ws->base + ws->head->fixedOffset;
    ws->dir = (DirEntry*)(ws->base + ws->head->dirOffset);
    ws->ctx.design = ws.get();
    ws->ctx.env = ws->fixed + RegionOffset(RG_ENV);
    ws->ctx.pageManager = ws.get();
    ws->ctx.magic = CTX_MAGIC;
    RebuildIndex(ws.get());
    return ws.release();
}

static void CloseSpace(WorkSpace* ws)
{
    if (!ws) return;
    if (s_ws == ws) s_ws = nullptr;
    NotePageChange();
    Unmap(ws);
    delete ws;
}

}  // namespace store

using namespace store;

extern "C" void* WPS_Open(const char* path, const char* name)
{
    std::string full = JoinPath(path, name);
    if (full.empty()) return nullptr;
    if (s_ws) CloseSpace(s_ws);
    s_ws = OpenSpace(full);
    return s_ws;
}

extern "C" void WPS_Close(void* hWps)
{
    if (!hWps || hWps != s_ws) return;
    CloseSpace(s_ws);
}

extern "C" void WPS_Delete(const char* path, const char* name)
{
    std::string full = JoinPath(path, name);
    if (s_ws && _stricmp(s_ws->path.c_str(), full.c_str()) == 0) CloseSpace(s_ws);
    DeleteFileA(full.c_str());
}

void WPS_GetSize(uint64_t* capacity, uint64_t* used)
{
    WorkSpace* ws = s_ws;
    *capacity = ws ? ws->head->capacity : 0;
    *used = ws ? ws->head->heapBase + ws->head->heapUsed : 0;
}

extern "C" DdmContext* DDM_Open(void* hDesign)
{
    if (s_ws) return &s_ws->ctx;
    if (!s_nullCtx.env) {
        s_nullCtx.env = NullFixed() + RegionOffset(RG_ENV);
        s_nullCtx.magic = CTX_MAGIC;
    }
    return &s_nullCtx;
}

// Contexts are the work space's own record, so there is nothing to end.
extern "C" void DDM_Close(DdmContext* ctx) {}
extern "C" void DAM_Close(DdmContext* ctx) {}

extern "C" int DDM_FlushFileBuffers(DdmContext* ctx)
{
    WorkSpace* ws = s_ws;
    if (!ws) return 1;
    return FlushViewOfFile(ws->base, 0) ? 1 : 0;
}
