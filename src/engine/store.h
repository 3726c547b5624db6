// The inside of the design store: the work space file and its regions, the
// page directory and the in-memory page index. Only src/engine includes this.
//
// The work space is one file mapped whole at its full size when it is opened,
// so nothing in it ever moves while it is open. It holds, in this order:
//   - the work-space header;
//   - the fixed region: the environment, every table and class, each at a
//     place fixed at compile time (see s_regions in store_regions.cpp);
//   - the page directory: for each page number its offset and size;
//   - the page heap: the pages themselves, allocated upwards.
// Offsets, never addresses, are stored in the file, so a work space left by
// an earlier run opens again ("continue where the program last stopped").
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <map>
#include <unordered_map>
#include <vector>

#include "platform/layout_design.h"
#include "platform/layout_env.h"
#include "platform/layout_page.h"
#include "platform/layout_tables.h"

namespace store {

// By value: std::min and std::max bind references, which a packed record's
// fields at odd offsets must never be bound to.
inline int32_t Lo(int32_t a, int32_t b) { return a < b ? a : b; }
inline int32_t Hi(int32_t a, int32_t b) { return a > b ? a : b; }

// Fixed regions. The order is the order in the work space and in design
// files; adding one changes the design-file format version.
enum RegionId {
    RG_ENV, RG_LEVEL, RG_SIZE, RG_LINE, RG_FILL_LINE, RG_TEXT_LINE, RG_VIA, RG_HOLE,
    RG_DEFVIA, RG_DEFVIA_LEVEL, RG_RULE, RG_INNER, RG_SIGNAL, RG_SYSTEM, RG_DISPLAY,
    RG_PDS_COMMON, RG_PCBINF, RG_XWINPUT, RG_DRC, RG_CCC_CI, RG_CCC_CL, RG_CCC_CC,
    RG_PDL, RG_PDT, RG_PZB, RG_PDS, RG_PDP, RG_GRID, RG_SLIB, RG_PALETTE,
    RG_COUNT
};

struct Region {
    RegionId id;
    const char* name;
    uint32_t size;
};
const Region& RegionInfo(int id);
// Offset of a region from the start of the fixed region, and the total.
uint64_t RegionOffset(int id);
uint64_t FixedRegionSize();

constexpr char WPS_MAGIC[8] = {'Q', 'Z', 'W', 'P', 'S', '0', '1', 0};
constexpr uint64_t WPS_DEFAULT_CAPACITY = 1ull << 30;
constexpr uint32_t DIR_CAPACITY = 1u << 22;      // page numbers 1 to 4M - 1
constexpr uint32_t PAGE_ALIGN = 8;
constexpr uint32_t PAGE_SIZE_ELEMENTS = 8192;    // 60-byte pages: 134 records

#pragma pack(push, 1)
struct WpsHeader {
    char magic[8];
    uint64_t capacity;
    uint64_t fixedOffset;
    uint64_t fixedSize;
    uint64_t dirOffset;
    uint32_t dirCapacity;
    uint32_t pageCount;       // highest page number handed out
    uint64_t heapArea;        // first byte of the heap area
    uint64_t heapBase;        // where the live heap starts (moves only by a load)
    uint64_t heapUsed;        // bytes used from heapBase
    uint32_t nextElementNo;
    uint32_t designLoaded;    // 1 once a design was loaded or built
    // From here (an offset from the start of the file) to the capacity the
    // heap was never written since the file was made, so it reads as zeros
    // and a new page there needs no clearing.
    uint64_t heapClean;
    uint8_t reserved[4096 - 88];
};

// Directory entry of one page number. offset is relative to heapBase.
struct DirEntry {
    uint64_t offset;
    uint32_t size;
    uint32_t flags;           // DIR_LIVE, or 0 for a deleted page whose space is free
};
#pragma pack(pop)
static_assert(sizeof(WpsHeader) == 4096);
static_assert(sizeof(DirEntry) == 16);
constexpr uint32_t DIR_LIVE = 1;

// The page lists of one DataCode, each in page-number order. The lists per
// key 4 are ordered by key, so the highest key in use is the last one.
struct CodeLists {
    std::vector<uint32_t> all;
    std::unordered_map<uint16_t, std::vector<uint32_t>> byKey1;
    std::map<uint16_t, std::vector<uint32_t>> byKey4;
};

struct WorkSpace {
    std::string path;
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    uint8_t* base = nullptr;
    WpsHeader* head = nullptr;
    uint8_t* fixed = nullptr;
    DirEntry* dir = nullptr;
    DdmContext ctx{};
    // In memory only, rebuilt from the directory when the space is opened.
    CodeLists lists[256];
    std::unordered_multimap<uint32_t, uint64_t> freeBySize;
    // The space an element page's alignment last skipped (offsets from
    // heapBase): smaller pages (parts, part flashes) go there first.
    uint64_t gapStart = 0, gapEnd = 0;
    SearchPointer search[6]{};
    SRWLOCK lock = SRWLOCK_INIT;
};

// The open work space, or null; the null design serves every getter before a
// work space exists.
WorkSpace* Current();
// The fixed region of the open design, or of the null design.
uint8_t* FixedBase();
inline void* RegionPtr(int id) { return FixedBase() + RegionOffset(id); }
template <class T> T* Region_(int id) { return (T*)RegionPtr(id); }

inline EnvRecord* Env() { return Region_<EnvRecord>(RG_ENV); }

// Sets a fresh design's defaults into a fixed region.
void InitFixedRegion(uint8_t* fixed);

// Pages.
inline uint8_t* PageAt(WorkSpace* ws, uint32_t pageNo)
{
    if (!ws || pageNo == 0 || pageNo > ws->head->pageCount) return nullptr;
    const DirEntry& e = ws->dir[pageNo];
    if (!(e.flags & DIR_LIVE)) return nullptr;
    return ws->base + ws->head->heapBase + e.offset;
}
// The page number of a page address, 0 when it is no live page.
uint32_t PageNoOf(WorkSpace* ws, const void* page);
// A new page of `code` with keys 1 and 4 (and 3), zero-filled, its header
// set up for `maxRecords` records of `recordSize` bytes in `byteSize` bytes.
uint8_t* NewPage(int code, uint32_t byteSize, int recordSize, int maxRecords, uint16_t key1,
                 uint16_t key3, uint16_t key4, uint32_t pageCode, uint32_t* pageNo);
// The last page of `code` on level / part key `key1`/`key4` with room for one
// more record, or a new one.
uint8_t* PageWithRoom(int code, uint16_t key1, uint16_t key4, bool byKey4);
void DeletePage(uint32_t pageNo);
// The highest key 4 of the live pages of `code`, 0 when it has none.
uint16_t HighestKey4(int code);
// Rebuilds the page lists and the free space from the directory.
void RebuildIndex(WorkSpace* ws);
// Empties the design: fresh fixed region, no pages.
void ClearDesign(WorkSpace* ws);

// A count of the changes to the pages: every page made, deleted or given a
// larger or new box, every rebuilt index, cleared design and work space
// opened or closed. What was worked out from the pages' lists and boxes
// (the renderer's index of page boxes) holds while the count stays.
uint64_t PageChanges();
void NotePageChange();

// Grows a page's area by a box.
void GrowArea(DataPageHeader* h, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The extent of one record of a page (false when it has none).
bool RecordExtent(int code, const uint8_t* rec, int32_t box[4]);

uint32_t NextElementNo();
// The element page (8192 bytes) holding a record, or 0 when the record is
// not in one (a caller's own buffer).
uint8_t* PageOfRecord(const void* record);
// Adds a record's extent to its page's area when the record is in a page.
void GrowAreaOfRecord(const void* record);

}  // namespace store
