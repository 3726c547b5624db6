// Pages: allocation in the work space's heap, the directory of page numbers,
// the in-memory lists that dam_NextPage walks, and the dam_/DAM_ services.
//
// Each DataCode has three kinds of list, each sorted by page number (pages
// only ever get higher numbers): all its pages, its pages per key 1 (level)
// and per key 4 (part or shape key). A walk from a page is a binary search
// for the next higher number in the chosen list, so a walk may start from
// any page, even one of another selection (the pickers resume from a search
// pointer). A reader-writer lock keeps walks on one thread safe while another
// thread adds pages.
#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>

#include "engine/store.h"
#include "platform/layout_fill.h"
#include "platform/layout_line.h"
#include "platform/layout_part.h"
#include "platform/layout_text.h"
#include "platform/qzt_dam.h"

namespace store {

namespace {

constexpr uint64_t Align(uint64_t v, uint64_t a) { return (v + a - 1) / a * a; }

std::atomic<uint64_t> s_pageChanges{0};

void AddToLists(WorkSpace* ws, const DataPageHeader* h)
{
    NotePageChange();
    CodeLists& lists = ws->lists[h->dataCode & 0xFF];
    lists.all.push_back(h->pageNo);
    lists.byKey1[h->key[0]].push_back(h->pageNo);
    lists.byKey4[h->key[3]].push_back(h->pageNo);
}

void EraseFrom(std::vector<uint32_t>& list, uint32_t pageNo)
{
    auto it = std::lower_bound(list.begin(), list.end(), pageNo);
    if (it != list.end() && *it == pageNo) list.erase(it);
}

const std::vector<uint32_t>* ListFor(WorkSpace* ws, int code, int selector, int key)
{
    CodeLists& lists = ws->lists[code & 0xFF];
    if (selector == DAM_SEL_LEVEL) {
        auto it = lists.byKey1.find((uint16_t)key);
        return it == lists.byKey1.end() ? nullptr : &it->second;
    }
    if (selector == DAM_SEL_PART) {
        auto it = lists.byKey4.find((uint16_t)key);
        return it == lists.byKey4.end() ? nullptr : &it->second;
    }
    return &lists.all;
}

}  // namespace

uint32_t PageNoOf(WorkSpace* ws, const void* page)
{
    if (!ws || !page) return 0;
    const uint8_t* p = (const uint8_t*)page;
    const uint8_t* heap = ws->base + ws->head->heapBase;
    if (p < heap || p >= heap + ws->head->heapUsed) return 0;
    uint32_t pageNo = ((const DataPageHeader*)p)->pageNo;
    return PageAt(ws, pageNo) == p ? pageNo : 0;
}

uint64_t PageChanges() { return s_pageChanges.load(std::memory_order_acquire); }
void NotePageChange() { s_pageChanges.fetch_add(1, std::memory_order_acq_rel); }

void RebuildIndex(WorkSpace* ws)
{
    NotePageChange();
    AcquireSRWLockExclusive(&ws->lock);
    for (CodeLists& lists : ws->lists) lists = CodeLists{};
    ws->freeBySize.clear();
    ws->gapStart = ws->gapEnd = 0;
    for (uint32_t n = 1; n <= ws->head->pageCount; ++n) {
        const DirEntry& e = ws->dir[n];
        if (e.flags & DIR_LIVE)
            AddToLists(ws, (const DataPageHeader*)(ws->base + ws->head->heapBase + e.offset));
        else if (e.size)
            ws->freeBySize.emplace(e.size, (uint64_t)n);
    }
    ReleaseSRWLockExclusive(&ws->lock);
}

uint8_t* PageOfRecord(const void* record)
{
    WorkSpace* ws = Current();
    if (!ws || !record) return nullptr;
    const uint8_t* heap = ws->base + ws->head->heapBase;
    const uint8_t* p = (const uint8_t*)record;
    if (p < heap || p >= heap + ws->head->heapUsed) return nullptr;
    uint8_t* page = (uint8_t*)heap + (uint64_t)(p - heap) / PAGE_SIZE_ELEMENTS * PAGE_SIZE_ELEMENTS;
    if (!PageNoOf(ws, page) || ((DataPageHeader*)page)->byteSize != PAGE_SIZE_ELEMENTS) return nullptr;
    return page;
}

uint32_t NextElementNo()
{
    WorkSpace* ws = Current();
    // Both threads insert records; numbers must never be handed out twice.
    return ws ? (uint32_t)InterlockedIncrement((volatile LONG*)&ws->head->nextElementNo) - 1 : 0;
}

uint8_t* NewPage(int code, uint32_t byteSize, int recordSize, int maxRecords, uint16_t key1,
                 uint16_t key3, uint16_t key4, uint32_t pageCode, uint32_t* pageNoOut)
{
    WorkSpace* ws = Current();
    if (pageNoOut) *pageNoOut = 0;
    if (!ws || byteSize < PAGE_HEADER_SIZE || code <= 0 || code > 255) return nullptr;
    uint32_t size = (uint32_t)Align(byteSize, PAGE_ALIGN);

    AcquireSRWLockExclusive(&ws->lock);
    WpsHeader* h = ws->head;
    if (h->pageCount + 1 >= h->dirCapacity) {
        ReleaseSRWLockExclusive(&ws->lock);
        return nullptr;
    }
    // Space of a deleted page of the same size is taken first.
    uint64_t offset = 0;
    auto reuse = ws->freeBySize.find(size);
    if (reuse != ws->freeBySize.end()) {
        DirEntry& old = ws->dir[reuse->second];
        offset = old.offset;
        old.size = 0;
        ws->freeBySize.erase(reuse);
    } else if (size < PAGE_SIZE_ELEMENTS && ws->gapEnd - ws->gapStart >= size) {
        // A small page fills the space before an element page: a part page
        // and its pin page then share the heap instead of 16 KiB a part.
        offset = ws->gapStart;
        ws->gapStart += size;
    } else {
        // Element pages sit on 8192-byte boundaries of the heap, so that the
        // page of a record is found from the record's address alone.
        uint64_t start = size == PAGE_SIZE_ELEMENTS ? Align(h->heapUsed, PAGE_SIZE_ELEMENTS) : h->heapUsed;
        if (start + size > h->capacity - h->heapBase) {
            ReleaseSRWLockExclusive(&ws->lock);
            return nullptr;
        }
        if (start > h->heapUsed) ws->gapStart = h->heapUsed, ws->gapEnd = start;
        offset = start;
        h->heapUsed = start;
        h->heapUsed += size;
    }
    uint32_t pageNo = ++h->pageCount;
    ws->dir[pageNo] = {offset, size, DIR_LIVE};
    uint8_t* page = ws->base + h->heapBase + offset;
    // Only what was ever written is cleared: the rest of a fresh sparse file
    // is zeros, and a large fill page then costs only the bytes its records
    // fill instead of the first touch of all of them.
    uint64_t at = h->heapBase + offset;
    if (at < h->heapClean) std::memset(page, 0, (size_t)std::min<uint64_t>(size, h->heapClean - at));
    h->heapClean = std::max<uint64_t>(h->heapClean, at + size);
    DataPageHeader* ph = (DataPageHeader*)page;
    ph->pageNo = pageNo;
    ph->dataCode = (uint16_t)code;
    ph->key[0] = key1;
    ph->key[2] = key3;
    ph->key[3] = key4;
    ph->max = maxRecords;
    ph->recordSize = recordSize;
    ph->byteSize = size;
    ph->pageCode = pageCode;
    ph->area[0] = ph->area[1] = INT_MAX;
    ph->area[2] = ph->area[3] = INT_MIN;
    h->designLoaded = 1;
    AddToLists(ws, ph);
    ReleaseSRWLockExclusive(&ws->lock);
    if (pageNoOut) *pageNoOut = pageNo;
    return page;
}

void DeletePage(uint32_t pageNo)
{
    WorkSpace* ws = Current();
    uint8_t* page = PageAt(ws, pageNo);
    if (!page) return;
    NotePageChange();
    AcquireSRWLockExclusive(&ws->lock);
    const DataPageHeader* ph = (const DataPageHeader*)page;
    CodeLists& lists = ws->lists[ph->dataCode & 0xFF];
    EraseFrom(lists.all, pageNo);
    EraseFrom(lists.byKey1[ph->key[0]], pageNo);
    // A key with no page left goes, so that the last key is the highest in use.
    auto key4 = lists.byKey4.find(ph->key[3]);
    if (key4 != lists.byKey4.end()) {
        EraseFrom(key4->second, pageNo);
        if (key4->second.empty()) lists.byKey4.erase(key4);
    }
    DirEntry& e = ws->dir[pageNo];
    e.flags = 0;
    ws->freeBySize.emplace(e.size, (uint64_t)pageNo);
    ReleaseSRWLockExclusive(&ws->lock);
}

uint16_t HighestKey4(int code)
{
    WorkSpace* ws = Current();
    if (!ws || code <= 0 || code > 255) return 0;
    uint16_t key = 0;
    AcquireSRWLockShared(&ws->lock);
    const auto& map = ws->lists[code].byKey4;
    for (auto it = map.rbegin(); it != map.rend(); ++it) {
        if (!it->second.empty()) {
            key = it->first;
            break;
        }
    }
    ReleaseSRWLockShared(&ws->lock);
    return key;
}

// Standard page shapes by DataCode: record size, page size and page code.
struct PageShape {
    int recordSize;
    uint32_t byteSize;
    uint32_t pageCode;
};

static PageShape ShapeOf(int code)
{
    switch (code) {
    case DCODE_LINE: return {60, PAGE_SIZE_ELEMENTS, PC_LINE};
    case DCODE_VIA: return {60, PAGE_SIZE_ELEMENTS, PC_VIA};
    case DCODE_PIN: return {60, PAGE_SIZE_ELEMENTS, PC_PIN};
    case DCODE_FLASH: return {60, PAGE_SIZE_ELEMENTS, 0};
    case DCODE_PART_FLASH: return {60, 256, 0};
    case DCODE_SHAPE_PIN:
    case DCODE_SHAPE_LINE: return {60, PAGE_SIZE_ELEMENTS, 0};
    case DCODE_TEXT: return {200, PAGE_SIZE_ELEMENTS, PC_TEXT};
    case DCODE_SHAPE_TEXT: return {200, PAGE_SIZE_ELEMENTS, 0};
    case DCODE_FILL: return {FILL_ENTRY_SIZE, FILL_PAGE_SIZE, PC_FILL};
    case DCODE_SHAPE_FILL: return {FILL_ENTRY_SIZE, FILL_PAGE_SIZE, 0};
    case DCODE_PART: return {(int)sizeof(PartRecord), PART_PAGE_SIZE, PC_PART};
    case DCODE_SHAPE: return {(int)sizeof(ShapeData), SHAPE_PAGE_SIZE, 0};
    default: return {0, 4096, 0};
    }
}

uint8_t* PageWithRoom(int code, uint16_t key1, uint16_t key4, bool byKey4)
{
    WorkSpace* ws = Current();
    if (!ws) return nullptr;
    uint8_t* last = nullptr;
    AcquireSRWLockShared(&ws->lock);
    const std::vector<uint32_t>* list =
        ListFor(ws, code, byKey4 ? DAM_SEL_PART : DAM_SEL_LEVEL, byKey4 ? key4 : key1);
    if (list) {
        // The last page of the selection that matches both keys.
        for (auto it = list->rbegin(); it != list->rend(); ++it) {
            uint8_t* page = PageAt(ws, *it);
            const DataPageHeader* ph = (const DataPageHeader*)page;
            if (ph->key[0] == key1 && ph->key[3] == key4) {
                last = page;
                break;
            }
        }
    }
    ReleaseSRWLockShared(&ws->lock);
    if (last) {
        const DataPageHeader* ph = (const DataPageHeader*)last;
        if (ph->count < ph->max) return last;
    }
    PageShape shape = ShapeOf(code);
    int max = shape.recordSize ? (int)((shape.byteSize - PAGE_HEADER_SIZE) / shape.recordSize) : 0;
    return NewPage(code, shape.byteSize, shape.recordSize, max, key1, 0, key4, shape.pageCode,
                   nullptr);
}

void GrowArea(DataPageHeader* h, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    int32_t l = Lo(h->area[0], Lo(x1, x2)), b = Lo(h->area[1], Lo(y1, y2));
    int32_t r = Hi(h->area[2], Hi(x1, x2)), t = Hi(h->area[3], Hi(y1, y2));
    if (l == h->area[0] && b == h->area[1] && r == h->area[2] && t == h->area[3]) return;
    h->area[0] = l;
    h->area[1] = b;
    h->area[2] = r;
    h->area[3] = t;
    NotePageChange();
}

bool RecordExtent(int code, const uint8_t* rec, int32_t box[4])
{
    switch (code) {
    case DCODE_LINE:
    case DCODE_SHAPE_LINE:
    case DCODE_FLASH:
    case DCODE_PART_FLASH: {
        const LineRecord* r = (const LineRecord*)rec;
        if (r->code == FC_ARC_CW || r->code == FC_ARC_CCW) {
            // The arc's whole circle: a safe box without tracing the sweep.
            int64_t rad = r->radius < 0 ? -(int64_t)r->radius : r->radius;
            box[0] = (int32_t)std::max<int64_t>(INT_MIN, r->cx - rad);
            box[1] = (int32_t)std::max<int64_t>(INT_MIN, r->cy - rad);
            box[2] = (int32_t)std::min<int64_t>(INT_MAX, r->cx + rad);
            box[3] = (int32_t)std::min<int64_t>(INT_MAX, r->cy + rad);
        } else {
            box[0] = Lo(r->x1, r->x2);
            box[1] = Lo(r->y1, r->y2);
            box[2] = Hi(r->x1, r->x2);
            box[3] = Hi(r->y1, r->y2);
        }
        return true;
    }
    case DCODE_VIA:
    case DCODE_PIN:
    case DCODE_SHAPE_PIN: {
        const ViaRecord* r = (const ViaRecord*)rec;
        box[0] = box[2] = r->x;
        box[1] = box[3] = r->y;
        return true;
    }
    case DCODE_TEXT:
    case DCODE_SHAPE_TEXT: {
        const TextRecord* r = (const TextRecord*)rec;
        box[0] = box[2] = r->x;
        box[1] = box[3] = r->y;
        for (int i = 0; i < 4; ++i) {
            int32_t cx = r->corner[i][0], cy = r->corner[i][1];
            if (cx == 0 && cy == 0) continue;
            box[0] = Lo(box[0], cx);
            box[1] = Lo(box[1], cy);
            box[2] = Hi(box[2], cx);
            box[3] = Hi(box[3], cy);
        }
        return true;
    }
    default: return false;
    }
}

}  // namespace store

using namespace store;

static DataPageHeader* Head(const void* data) { return (DataPageHeader*)data; }

extern "C" void* dam_NextPage(void* prev, int code, int selector, int key)
{
    WorkSpace* ws = Current();
    if (!ws) return nullptr;
    void* next = nullptr;
    AcquireSRWLockShared(&ws->lock);
    if (const std::vector<uint32_t>* list = ListFor(ws, code, selector, key)) {
        uint32_t after = prev ? Head(prev)->pageNo : 0;
        auto it = std::upper_bound(list->begin(), list->end(), after);
        if (it != list->end()) next = PageAt(ws, *it);
    }
    ReleaseSRWLockShared(&ws->lock);
    return next;
}

extern "C" void* dam_PrevPage(void* next, int code, int selector, int key)
{
    WorkSpace* ws = Current();
    if (!ws) return nullptr;
    void* prev = nullptr;
    AcquireSRWLockShared(&ws->lock);
    if (const std::vector<uint32_t>* list = ListFor(ws, code, selector, key)) {
        uint32_t before = next ? Head(next)->pageNo : UINT32_MAX;
        auto it = std::lower_bound(list->begin(), list->end(), before);
        if (it != list->begin()) prev = PageAt(ws, *(it - 1));
    }
    ReleaseSRWLockShared(&ws->lock);
    return prev;
}

extern "C" void* dam_GetDataAddress(void* page) { return page; }

extern "C" void* dam_GetDataInPage(int code, uint32_t pageNo)
{
    uint8_t* page = PageAt(Current(), pageNo);
    if (!page || (code && Head(page)->dataCode != code)) return nullptr;
    return page;
}

extern "C" int dam_Get_cnt_of_DataPH(const void* data) { return data ? Head(data)->count : 0; }
extern "C" void dam_Set_cnt_of_DataPH(void* data, int count)
{
    if (data) Head(data)->count = std::clamp(count, 0, Head(data)->max);
}
extern "C" void dam_Add_cnt_of_DataPH(void* data, int n)
{
    if (data) dam_Set_cnt_of_DataPH(data, Head(data)->count + n);
}
extern "C" int dam_Get_max_of_DataPH(const void* data) { return data ? Head(data)->max : 0; }
extern "C" void dam_Set_max_of_DataPH(void* data, int max)
{
    // The capacity can never exceed what the page's bytes hold.
    DataPageHeader* h = Head(data);
    if (!h || h->recordSize <= 0) return;
    int room = (int)((h->byteSize - PAGE_HEADER_SIZE) / h->recordSize);
    h->max = std::clamp(max, 0, room);
    h->count = std::min(h->count, h->max);
}
extern "C" int dam_Get_key_of_DataPH(const void* data, int k)
{
    if (!data || k < 1 || k > 4) return 0;
    return Head(data)->key[k - 1];
}
extern "C" short dam_Get_status_of_DataPH(const void* data)
{
    return data ? (short)Head(data)->status : 0;
}
extern "C" void dam_Set_status_of_DataPH(void* data, int status)
{
    if (data) Head(data)->status = (uint16_t)status;
}
extern "C" void dam_Get_area_of_DataPH(int32_t* box, const void* data)
{
    if (!box) return;
    if (!data) {
        std::memset(box, 0, 16);
        return;
    }
    std::memcpy(box, Head(data)->area, 16);
}
extern "C" void dam_Set_area_of_DataPH(void* data, const int32_t* box)
{
    if (!data || !box) return;
    std::memcpy(Head(data)->area, box, 16);
    NotePageChange();
}

extern "C" void* dam_AppendPage(int code, int byteSize, int level, int key2, int key3, int key4,
                                uint32_t* pageNo)
{
    PageShape shape = ShapeOf(code);
    uint32_t size = byteSize > PAGE_HEADER_SIZE ? (uint32_t)byteSize : shape.byteSize;
    if (code == DCODE_FILL || code == DCODE_SHAPE_FILL) size = std::max<uint32_t>(size, FILL_PAGE_SIZE);
    int max = shape.recordSize ? (int)((size - PAGE_HEADER_SIZE) / shape.recordSize) : 0;
    uint8_t* page = NewPage(code, size, shape.recordSize, max, (uint16_t)level, (uint16_t)key3,
                            (uint16_t)key4, shape.pageCode, pageNo);
    if (page) Head(page)->key[1] = (uint16_t)key2;
    return page;
}

extern "C" void dam_DeletePage(int code, uint32_t pageNo)
{
    uint8_t* page = PageAt(Current(), pageNo);
    if (page && (code == 0 || Head(page)->dataCode == code)) DeletePage(pageNo);
}

extern "C" int dam_GetDataSize(const void* page) { return page ? (int)Head(page)->byteSize : 0; }
extern "C" uint32_t dam_GetPageNo(const void* page) { return PageNoOf(Current(), page); }

extern "C" void* dam_GetPageFromDataAdr(const void* address)
{
    // The page holding an address: the last page starting at or below it.
    WorkSpace* ws = Current();
    if (!ws || !address) return nullptr;
    const uint8_t* p = (const uint8_t*)address;
    for (uint32_t n = ws->head->pageCount; n >= 1; --n) {
        uint8_t* page = PageAt(ws, n);
        if (page && p >= page && p < page + Head(page)->byteSize) return page;
    }
    return nullptr;
}

extern "C" void dam_Clear2(void* hFrame)
{
    if (WorkSpace* ws = Current()) std::memset(ws->search, 0, sizeof(ws->search));
}

extern "C" void* DAM_GetPage(void* pageManager, uint32_t pageNo)
{
    uint8_t* page = PageAt(Current(), pageNo);
    if (page && Head(page)->pageCode == PC_FIGURE_GROUP) return page + PAGE_HEADER_SIZE;
    return page;
}

extern "C" uint32_t DAM_GetPageCode(const void* page)
{
    if (!page) return 0;
    WorkSpace* ws = Current();
    if (PageNoOf(ws, page)) return Head(page)->pageCode;
    // A figure page handed out from its first record.
    const uint8_t* head = (const uint8_t*)page - PAGE_HEADER_SIZE;
    if (PageNoOf(ws, head)) return Head(head)->pageCode;
    return 0;
}

extern "C" int DAM_GetCount(void* pageManager, const void* page)
{
    if (!page) return 0;
    WorkSpace* ws = Current();
    if (!PageNoOf(ws, page)) {
        const uint8_t* head = (const uint8_t*)page - PAGE_HEADER_SIZE;
        return PageNoOf(ws, head) ? Head(head)->count : 0;
    }
    return Head(page)->count;
}

extern "C" uint32_t DAM_GetPageNo(const void* page) { return PageNoOf(Current(), page); }
extern "C" uint32_t MakeDAMPageNo(int high, int low)
{
    return ((uint32_t)high << 22) | ((uint32_t)low & 0x3FFFFF);
}
extern "C" int IsPagenoEmpty(uint32_t pageNo)
{
    return PageAt(Current(), pageNo) ? 0 : 1;
}
