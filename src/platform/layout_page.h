// Data pages of the design store: the codes that name them, the status word
// that starts every record, and the 112-byte header in front of every page's
// records. A page handle is the page's data address: its header, with the
// records from byte 112.
#pragma once
#include <cstddef>
#include <cstdint>

// ---- ElementStatus: the 32-bit word that starts every record ------------------
constexpr uint32_t ES_DELETED = 0x80000000u;    // skipped by every search and output
constexpr uint32_t ES_DIALOG_MARK = 0x40000000u;  // changed by a dialog / display mark
constexpr uint32_t ES_SELECTED = 0x20000000u;   // held by a command; highlight of picks
constexpr uint32_t ES_ALIGN_MARK = 0x08000000u; // part: alignment placement
constexpr uint32_t ES_PART_LOCK = 0x02000000u;  // part: locked
constexpr uint32_t ES_NAMED = 0x01000000u;      // part: pin names shown; VIA/pin: named
constexpr uint32_t ES_OTHER_SIDE = 0x00008000u; // pin or VIA of a part on the other side
constexpr uint32_t ES_VIA_LOCK = 0x00001000u;
constexpr uint32_t ES_POINT_SEARCH_SKIP = 0xE0001000u;

// ---- DataCode: the code of a data page ---------------------------------------
constexpr int DCODE_FILL = 32;        // one fill per page; key 1 level, key 3 logical net
constexpr int DCODE_TEXT = 81;        // 200-byte texts, key 1 level
constexpr int DCODE_LINE = 82;        // 60-byte lines and arcs, key 1 level
constexpr int DCODE_VIA = 83;         // 60-byte VIAs, key 1 level
constexpr int DCODE_FLASH = 84;       // free flashes, key 1 level
constexpr int DCODE_PART_FLASH = 85;  // part flashes, key 1 level, key 4 part key
constexpr int DCODE_SHAPE = 96;       // shape data, key 4 shape number
constexpr int DCODE_SHAPE_PIN = 97;   // shape pins and VIAs, key 4 shape number
constexpr int DCODE_SHAPE_LINE = 98;  // shape lines and arcs, key 1 level, key 4 shape
constexpr int DCODE_SHAPE_TEXT = 99;  // shape texts, key 1 level, key 4 shape
constexpr int DCODE_SHAPE_FILL = 100; // shape fills, key 1 level, key 4 shape
constexpr int DCODE_PART = 101;       // one placed part per page, key 4 part key
constexpr int DCODE_PIN = 102;        // pins of a placed part, key 4 part key
// Pages of the signal-string classes, reached by page number (DAM_GetPage).
constexpr int DCODE_NET = 120;        // one net: name and its sub-pages
constexpr int DCODE_NET_SUB = 121;    // a net's sub-page (its page code says which)

// Selectors of dam_NextPage.
constexpr int DAM_SEL_ALL = 0;
constexpr int DAM_SEL_LEVEL = 1;   // key 1
constexpr int DAM_SEL_PART = 4;    // key 4

// ---- Page codes (DAM_GetPageCode), the concurrent-design class codes -----------
constexpr uint32_t PC_VIA = 0x14000;
constexpr uint32_t PC_LINE = 0x24010;
constexpr uint32_t PC_TEXT = 0x34020;
constexpr uint32_t PC_FILL = 0x44030;
constexpr uint32_t PC_FIGURE_GROUP = 0x54060;  // figure pages of a symbol's figure group
constexpr uint32_t PC_PART = 0x64090;          // the part page (concurrent-design class)
constexpr uint32_t PC_PIN = 0x740A0;
constexpr uint32_t PC_PART_MEMBER = 0xA5000;   // 78-byte part member records
constexpr uint32_t PC_TWO_POINT = 0xA5020;     // 54-byte two-point records
constexpr uint32_t PC_SIGNAL_STRING = 0xA5030; // signal strings
constexpr uint32_t PC_SIGNAL_VIA = 0xA5040;    // 36-byte signal VIAs
constexpr uint32_t PC_TAPER = 0xA50D0;         // 74-byte tapered signal records
constexpr uint32_t PC_LEVEL_RECORD = 0xA50E0;  // 74-byte records of level pages

// ---- FigureCode: u16 at byte 4 of a 60-byte record ------------------------------
constexpr uint16_t FC_LINE = 0x511;
constexpr uint16_t FC_ARC_CW = 0x521;
constexpr uint16_t FC_ARC_CCW = 0x522;
constexpr uint16_t FC_VIA = 0x530;
constexpr uint16_t FC_TEXT = 0x3300;

// Status bits of a page (u16).
constexpr uint16_t PS_SKIP = 0x8000;
constexpr uint16_t PS_DISPLAY_MARK = 0x4000;
constexpr uint16_t PS_FILL_PICK = 0x2000;
constexpr uint16_t PS_FILL_TYPE = 0x1000;

constexpr int PAGE_HEADER_SIZE = 112;

#pragma pack(push, 1)
// The header of every data page. Only the count at 36 and the size are fixed
// by the callers; the other places are the store's own. `area` is the union of
// the extents of the page's records (centre lines and positions, without line
// widths), kept as records are added, so that a renderer can skip a page whose
// box lies outside its view.
struct DataPageHeader {
    uint32_t pageNo;       // 0: the page's number (1 up; 0 names no page)
    uint16_t dataCode;     // 4: DataCode
    uint16_t status;       // 6: page status (PS_)
    uint16_t key[4];       // 8: keys 1 to 4 (key[0] = key 1 = level)
    char name[16];         // 16: net pages: the net name; otherwise zero
    int32_t max;           // 32: capacity in records
    int32_t count;         // 36: records (fill pages: 40-byte entries) in use
    int32_t area[4];       // 40: min x, min y, max x, max y
    uint32_t pageCode;     // 56: page code (PC_), 0 for plain data pages
    int32_t recordSize;    // 60: bytes per record (fills: 40)
    uint32_t byteSize;     // 64: the page's whole size, header included
    uint8_t reserved[44];  // 68
};
#pragma pack(pop)

static_assert(sizeof(DataPageHeader) == PAGE_HEADER_SIZE);
static_assert(offsetof(DataPageHeader, count) == 36);
static_assert(offsetof(DataPageHeader, name) == 16);
static_assert(offsetof(DataPageHeader, area) == 40);

// The record of page `data` at `index` (records from byte 112).
inline unsigned char* PageRecord(void* data, int index, int recordSize)
{
    return (unsigned char*)data + PAGE_HEADER_SIZE + (size_t)index * recordSize;
}
