// Fill pages (codes 32 and 100): one fill per page, 40-byte entries after the
// header; the header's count is the number of entries. A fill is one or more
// figures, the outer outline first, then its holes; each figure is a head
// entry followed by its point entries, points relative to the head's offset.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint16_t FK_FIRST_FIGURE = 0x2100;  // outer outline
constexpr uint16_t FK_NEXT_FIGURE = 0x2200;   // a hole or island
constexpr uint16_t FK_FIRST_POINT = 0x111;
constexpr uint16_t FK_POINT = 0x112;
constexpr uint16_t FK_ARC_CW = 0x131;         // its point is the arc's centre
constexpr uint16_t FK_ARC_CCW = 0x132;

constexpr int FILL_ENTRY_SIZE = 40;
// A fill page holds up to 1446 entries: its whole size is sent with a change
// report, so every fill page is allocated at least this large.
constexpr int FILL_PAGE_ENTRIES = 1446;
constexpr int FILL_PAGE_SIZE = 57968;

#pragma pack(push, 1)
struct FillHead {
    uint16_t kind;        // 0: 0x2100 / 0x2200
    int32_t lineNo;       // 2: fill-line number (page +114 in the first head)
    int16_t group;        // 6: group number / pin number
    int32_t entries;      // 8: entries the figure occupies, head included
    int32_t points;       // 12: point entries of the figure; 3 marks a circle
    int32_t ox, oy;       // 16: figure offset, added to every point
    int32_t hatchAngle;   // 24: first head: hatching angle in tenths of a degree
    int32_t net;          // 28: first head: physical net number
    int32_t work;         // 32: first head: output work word
    uint32_t elementNo;   // 36: first head: element number of the fill (page +148)
};

struct FillPoint {
    uint16_t kind;        // 0: 0x111, 0x112, 0x131, 0x132
    int32_t lineNo;       // 2
    int32_t radius;       // 6: arc entries
    int32_t x, y;         // 10: relative to the figure offset (arcs: the centre)
    uint8_t reserved[22]; // 18
};
#pragma pack(pop)

static_assert(sizeof(FillHead) == FILL_ENTRY_SIZE);
static_assert(offsetof(FillHead, lineNo) == 2);
static_assert(offsetof(FillHead, group) == 6);
static_assert(offsetof(FillHead, entries) == 8);
static_assert(offsetof(FillHead, points) == 12);
static_assert(offsetof(FillHead, ox) == 16 && offsetof(FillHead, oy) == 20);
static_assert(offsetof(FillHead, hatchAngle) == 24);
static_assert(offsetof(FillHead, net) == 28);
static_assert(offsetof(FillHead, work) == 32);
static_assert(offsetof(FillHead, elementNo) == 36);
static_assert(sizeof(FillPoint) == FILL_ENTRY_SIZE);
static_assert(offsetof(FillPoint, radius) == 6);
static_assert(offsetof(FillPoint, x) == 10 && offsetof(FillPoint, y) == 14);
static_assert(112 + FILL_PAGE_ENTRIES * FILL_ENTRY_SIZE + 16 == FILL_PAGE_SIZE);
