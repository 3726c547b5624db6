// The 60-byte element records: lines and arcs (pages 82 and 98, also the
// records of engine line lists and flash pages) and VIAs, pins and shape pins
// (pages 83, 102, 97), with the 56-byte record a VIA is inserted from.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
// Bytes 38 to 52 carry several meanings, by the page kind and the writer
// (net numbers, DRC entries, output work words); the store keeps whatever is
// written there.
struct LineRecord {
    uint32_t status;      // 0: ElementStatus
    uint16_t code;        // 4: FigureCode 0x511, 0x521, 0x522
    int32_t lineNo;       // 6: row of the line-width table
    int32_t radius;       // 10: arcs: radius; straight lines: length
    int32_t cx, cy;       // 14: arc centre
    int32_t x1, y1;       // 22: first end
    int32_t x2, y2;       // 30: second end
    int32_t net;          // 38: physical net number
    int32_t lgnet;        // 42: logical net number, 0 or less = none
    int16_t pinNo;        // 46: pin number; group number of a named VIA's line
    int32_t pageNo;       // 48: linked page number (IsPagenoEmpty)
    int32_t level;        // 52: level word; work word of the output passes
    uint32_t elementNo;   // 56: element number
};

struct ViaRecord {
    uint32_t status;      // 0: ElementStatus (bit 15 other side, bit 24 named)
    uint16_t code;        // 4: 0x530
    uint16_t viaNo;       // 6: VIA number (the u32 at 6 with its high half below)
    uint16_t defViaTbl;   // 8: shape pins: defined-VIA table number
    uint32_t word10;      // 10
    int32_t x, y;         // 14: position
    uint16_t word22;      // 22
    char name[14];        // 24: pin name, zero-terminated
    int32_t net;          // 38: physical net number (shape pins: pad number)
    int32_t lgnet;        // 42: logical net number (shape pins: second VIA number)
    int16_t pinNo;        // 46: pin number, -1 none
    uint32_t word48;      // 48
    uint32_t work52;      // 52: DRC entry / output work word
    uint32_t elementNo;   // 56: element number
};

// The record PDV_InsertNewData takes: a ViaRecord without its element number.
struct ViaInsertRecord {
    uint32_t status;
    uint16_t code;
    uint32_t viaNo;       // 6
    uint32_t word10;      // 10
    int32_t x, y;         // 14
    uint16_t word22;      // 22
    char name[14];        // 24
    int32_t net;          // 38: -1
    int32_t lgnet;        // 42: -1
    int16_t pinNo;        // 46: -1
    uint32_t word48;      // 48
    uint32_t work52;      // 52
};
#pragma pack(pop)

static_assert(sizeof(LineRecord) == 60);
static_assert(offsetof(LineRecord, code) == 4);
static_assert(offsetof(LineRecord, lineNo) == 6);
static_assert(offsetof(LineRecord, radius) == 10);
static_assert(offsetof(LineRecord, cx) == 14 && offsetof(LineRecord, cy) == 18);
static_assert(offsetof(LineRecord, x1) == 22 && offsetof(LineRecord, y1) == 26);
static_assert(offsetof(LineRecord, x2) == 30 && offsetof(LineRecord, y2) == 34);
static_assert(offsetof(LineRecord, net) == 38);
static_assert(offsetof(LineRecord, lgnet) == 42);
static_assert(offsetof(LineRecord, pinNo) == 46);
static_assert(offsetof(LineRecord, pageNo) == 48);
static_assert(offsetof(LineRecord, level) == 52);
static_assert(offsetof(LineRecord, elementNo) == 56);

static_assert(sizeof(ViaRecord) == 60);
static_assert(offsetof(ViaRecord, viaNo) == 6);
static_assert(offsetof(ViaRecord, defViaTbl) == 8);
static_assert(offsetof(ViaRecord, word10) == 10);
static_assert(offsetof(ViaRecord, x) == 14 && offsetof(ViaRecord, y) == 18);
static_assert(offsetof(ViaRecord, word22) == 22);
static_assert(offsetof(ViaRecord, name) == 24);
static_assert(offsetof(ViaRecord, net) == 38);
static_assert(offsetof(ViaRecord, lgnet) == 42);
static_assert(offsetof(ViaRecord, pinNo) == 46);
static_assert(offsetof(ViaRecord, word48) == 48);
static_assert(offsetof(ViaRecord, work52) == 52);
static_assert(offsetof(ViaRecord, elementNo) == 56);

static_assert(sizeof(ViaInsertRecord) == 56);
static_assert(offsetof(ViaInsertRecord, viaNo) == 6);
static_assert(offsetof(ViaInsertRecord, x) == 14);
static_assert(offsetof(ViaInsertRecord, name) == 24);
static_assert(offsetof(ViaInsertRecord, net) == 38);
static_assert(offsetof(ViaInsertRecord, lgnet) == 42);
static_assert(offsetof(ViaInsertRecord, pinNo) == 46);
static_assert(offsetof(ViaInsertRecord, work52) == 52);
