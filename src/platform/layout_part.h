// The placed part (page 101, one part per page, the record at byte 112) and
// the shape page (page 96, its data from byte 112).
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint16_t PART_KIND_NORMAL = 0x600;
constexpr uint16_t PART_KIND_REVERSE = 0x601;
constexpr uint16_t PART_KIND_MARK = 0x602;

#pragma pack(push, 1)
struct PartRecord {
    uint32_t status;          // 0 (page 112): ElementStatus
    uint16_t kind;            // 4 (116): 0x600 normal, 0x601, 0x602
    uint32_t shapeNo;         // 6 (118): shape number (key 4 of its shape pages)
    int32_t outline1[4][2];   // 10 (122): first outline (shape area)
    int32_t outline2[4][2];   // 42 (154): second outline (VIA area)
    int32_t x, y;             // 74 (186): placement origin
    int32_t place;            // 82 (194): bit 0 mirror, bits 8-31 angle in 1/1000 degree
    char assignName[18];      // 86 (198): reference designator
    char partName[70];        // 104 (216)
    uint32_t elementNo;       // 174 (286)
};

// The data of a shape page from byte 112 of the page.
struct ShapeData {
    char name[66];            // 0 (112): symbol (shape) name
    int32_t extent[4];        // 66 (178): min x, min y, max x, max y
    int32_t height;           // 82 (194): part height; -1 or 0 none
    int32_t carried;          // 86 (198): word of the predecessor format
    int32_t pinCount;         // 90 (202): the store's own: pins of the shape
    char reserved[34];        // 94 (206)
};
#pragma pack(pop)

constexpr int PART_PAGE_SIZE = 112 + (int)sizeof(PartRecord);  // 290 bytes
constexpr int SHAPE_PAGE_SIZE = 112 + (int)sizeof(ShapeData);

static_assert(sizeof(PartRecord) == 178);
static_assert(offsetof(PartRecord, kind) == 4);
static_assert(offsetof(PartRecord, shapeNo) == 6);
static_assert(offsetof(PartRecord, outline1) == 10);
static_assert(offsetof(PartRecord, outline2) == 42);
static_assert(offsetof(PartRecord, x) == 74 && offsetof(PartRecord, y) == 78);
static_assert(offsetof(PartRecord, place) == 82);
static_assert(offsetof(PartRecord, assignName) == 86);
static_assert(offsetof(PartRecord, partName) == 104);
static_assert(offsetof(PartRecord, elementNo) == 174);
static_assert(PART_PAGE_SIZE == 290);

static_assert(offsetof(ShapeData, extent) == 178 - 112);
static_assert(offsetof(ShapeData, height) == 194 - 112);
static_assert(offsetof(ShapeData, carried) == 198 - 112);
