// The predecessor product's board file (.pcb): a 16-byte header, a directory
// of 16-byte section entries, and sections of fixed-size records or of
// variable items (fills, shapes, parts) that carry their own sub-records.
// Little-endian throughout; coordinates and sizes in board units.
#pragma once
#include <cstddef>
#include <cstdint>

// Section ids.
constexpr int32_t PCB_SEC_CI = 10;
constexpr int32_t PCB_SEC_CL = 20;
constexpr int32_t PCB_SEC_CC = 30;
constexpr int32_t PCB_SEC_VIA_TABLE = 40;
constexpr int32_t PCB_SEC_FLASH_TABLE = 50;
constexpr int32_t PCB_SEC_LINE_TABLE = 60;
constexpr int32_t PCB_SEC_LEVEL_TABLE = 70;
constexpr int32_t PCB_SEC_FONT_TABLE = 80;
constexpr int32_t PCB_SEC_VIAS = 201;
constexpr int32_t PCB_SEC_LINES = 301;
constexpr int32_t PCB_SEC_TEXTS = 400;
constexpr int32_t PCB_SEC_FILLS = 501;
constexpr int32_t PCB_SEC_SHAPES = 601;
constexpr int32_t PCB_SEC_PARTS = 701;
constexpr int32_t PCB_SEC_INNER_TABLE = 901;
constexpr int32_t PCB_SEC_LINES2 = 1200;
constexpr int32_t PCB_SEC_FLASH_DATA = 1300;

// Common flag word of element records: bits 14-15 mark a deleted element.
constexpr uint16_t PCB_DELETED = 0xC000;
// Graphic and outline record flags.
constexpr uint16_t PCB_TYPE_MASK = 0x000F;
constexpr uint16_t PCB_TYPE_NOT_CONVERTED = 3;
constexpr uint16_t PCB_ARC = 0x0080;          // an arc: two points of a fill contour
constexpr uint16_t PCB_START_MARK = 0x0100;
constexpr uint16_t PCB_END_MARK = 0x0200;     // outline: last record of a contour
constexpr uint16_t PCB_TAPER_HEAD = 0x0C00;
constexpr uint16_t PCB_ENDS_SWAPPED = 0x1000; // outline: the true direction is end to start
constexpr uint16_t PCB_TAPER_CONT = 0x4000;
constexpr uint16_t PCB_TAPER_SKIP = 0x8000;
constexpr uint16_t PCB_NO_INDEX = 0xFFFF;     // {first, last} pairs: none

// Owner kinds of flash data.
constexpr uint16_t PCB_FLASH_FREE = 1;
constexpr uint16_t PCB_FLASH_PIN = 2;

#pragma pack(push, 1)

struct PcbFileHeader {
    uint32_t word0;
    int32_t units;            // 4: N, 16-byte units at the start, header included
    uint32_t word8[2];
};

struct SectionDirectoryEntry {
    int32_t id;               // 0
    int32_t recordSize;       // 4
    int32_t count;            // 8
    int32_t offset;           // 12: from the start of the file
};

// ---- Tables --------------------------------------------------------------------

struct PcbLineTableRec {      // section 60
    int32_t width;            // 0
    uint16_t word4;           // 4
    uint16_t word6;           // 6: non-zero sets the size entry's form variant to 1
    uint8_t unread[4];        // 8
};

struct PcbFlashTableRec {     // section 50
    int32_t sizeX;            // 0
    int32_t sizeY;            // 4
    uint16_t form;            // 8: 0, 1 or 2
    uint16_t option;          // 10
    uint16_t dcode;           // 12
    uint16_t unread;          // 14
};

struct PcbLevelRec {          // section 70
    int16_t status;           // 0: bit 15, low 8 bits
    char name[8];             // 2: 7 characters and a terminator
    uint16_t word10;          // 10
    int16_t kind;             // 12
    uint16_t word14;          // 14
};

struct PcbViaTableRec {       // section 40
    int32_t holeSize;         // 0
    uint16_t flash[65];       // 4: flash number per level 0 .. 64, low byte only
    uint8_t unread[130];      // 134
    int16_t word264;          // 264
    int16_t word266;          // 266
};

struct PcbGlyphRec {          // section 80
    uint16_t code;            // 0
    int8_t x[50];             // 2: x[0] is the point count
    int8_t y[50];             // 52: y[0] not read
};

struct PcbInnerRec {          // section 901
    uint16_t word0;           // 0
    int16_t word2;            // 2
    char name[16];            // 4: 15 characters and a terminator
    int16_t word20;           // 20
    int16_t value[16];        // 22
};

// ---- Elements ------------------------------------------------------------------

struct PcbLineRec {           // sections 301, 1200 and shape lines
    uint16_t flags;           // 0
    uint16_t word2;           // 2
    int32_t sx, sy;           // 4: stored start
    int32_t ex, ey;           // 12: stored end
    int32_t cx, cy;           // 20: centre (straight lines: whatever the writer put)
    int32_t radius;           // 28
    uint16_t level;           // 32
    uint16_t lineNo;          // 34
    uint16_t value;           // 36
    uint16_t word38;          // 38
    uint16_t word40;          // 40
    uint16_t word42;          // 42
};

// Texts are read as 96-byte records; the section writer writes 98 (two more
// zero bytes at the end).
struct PcbTextRec {           // section 400 and shape texts
    uint16_t flags;           // 0
    uint16_t word2;           // 2
    int32_t pair4[2];         // 4
    int32_t pair12[2];        // 12
    int32_t pair20[2];        // 20
    int32_t pair28[2];        // 28
    int32_t x, y;             // 36: position
    int32_t height;           // 44
    uint16_t level;           // 48
    uint16_t textLineNo;      // 50
    uint16_t mirror;          // 52: bit 0
    uint32_t angle;           // 54: low 16 bits: the angle word shifted right by 8
    uint16_t count;           // 58
    uint16_t chars[16];       // 60
    uint16_t value;           // 92
    uint16_t word94;          // 94
};

struct PcbViaRec {            // section 201, shape pins, part pins
    uint16_t flags;           // 0
    uint16_t word2;           // 2
    int32_t x, y;             // 4
    uint16_t viaNo;           // 12
    uint16_t word14;          // 14: part pins: ordinal of the part
    uint16_t word16;          // 16
    uint16_t word18;          // 18
    char text[8];             // 20: 7 characters and a terminator
    uint16_t word28;          // 28
    uint16_t word30;          // 30
};

struct PcbFlashRec {          // section 1300
    uint16_t flags;           // 0
    uint16_t word2;           // 2
    int32_t x, y;             // 4
    uint16_t word12;          // 12
    uint16_t word14;          // 14
    uint16_t word16;          // 16
    uint16_t word18;          // 18
    uint16_t owner;           // 20: 1 free flash, 2 flash of a part pin
    uint16_t number;          // 22: pin number (owner 2)
    uint32_t word24;          // 24
    uint16_t word28;          // 28
    uint16_t level;           // 30
};

struct PcbFillHeader {        // section 501 and shape fills
    uint16_t flags;           // 0: bits 0-3 type, bits 14-15 deleted
    uint16_t word2;           // 2
    uint16_t hatch;           // 4
    uint16_t first;           // 6: first outline index
    uint16_t last;            // 8: last outline index
    uint16_t ordinal;         // 10
    uint16_t level;           // 12
    uint16_t word14;          // 14: fill-line number
    uint16_t word16;          // 16
    uint16_t word18;          // 18
    int16_t holes;            // 20
    uint16_t word22;          // 22
    int16_t word24;           // 24: shape fills: passed to the shape fill page
    uint8_t reserved[6];      // 26
};

struct PcbOutlineRec {        // outline records of a fill
    uint16_t flags;           // 0
    uint16_t word2;           // 2
    int32_t sx, sy;           // 4
    int32_t ex, ey;           // 12
    int32_t word20, word24;   // 20: straight: end - start; arc: centre
    int32_t radius;           // 28
    uint16_t level;           // 32
    uint16_t lineNo;          // 34
    uint16_t word36;          // 36
    uint16_t word38;          // 38
    uint16_t word40;          // 40
    uint16_t word42;          // 42
};

// The reader takes the first 48 bytes of each shape record; the section
// writer writes 50.
struct PcbShapeRec {          // section 601
    char name[10];            // 0
    uint16_t pins[2];         // 10: {first, last}
    uint16_t lines[2];        // 14
    uint16_t texts[2];        // 18
    uint16_t fills[2];        // 22
    int32_t value[5];         // 26
    uint16_t word46;          // 46
};

struct PcbPartRec {           // section 701
    uint16_t flags;           // 0
    uint16_t word2;           // 2
    int32_t corner[4][2];     // 4: the shape area's corners: fourth, first, third, second
    int32_t x, y;             // 36: placement origin
    uint16_t mirror;          // 44: bit 15
    uint16_t angle;           // 46: the placement word shifted right by 8, low 16 bits
    uint16_t word48;          // 48
    uint16_t shapeIndex;      // 50: index of the shape record in the file
    uint16_t ordinal;         // 52
    char assignName[10];      // 54
    char partName[14];        // 64
    uint16_t pinFirst;        // 78
    uint16_t pinLast;         // 80
    uint16_t shapePairs[8];   // 82
    uint16_t word98;          // 98
};

#pragma pack(pop)

constexpr int PCB_TEXT_SIZE = 96;
constexpr int PCB_TEXT_SIZE_WRITTEN = 98;
constexpr int PCB_SHAPE_SIZE = 48;
constexpr int PCB_SHAPE_SIZE_WRITTEN = 50;

static_assert(sizeof(PcbFileHeader) == 16 && offsetof(PcbFileHeader, units) == 4);
static_assert(sizeof(SectionDirectoryEntry) == 16);
static_assert(offsetof(SectionDirectoryEntry, recordSize) == 4);
static_assert(offsetof(SectionDirectoryEntry, count) == 8);
static_assert(offsetof(SectionDirectoryEntry, offset) == 12);

static_assert(sizeof(PcbLineTableRec) == 12 && offsetof(PcbLineTableRec, word6) == 6);
static_assert(sizeof(PcbFlashTableRec) == 16);
static_assert(offsetof(PcbFlashTableRec, form) == 8 && offsetof(PcbFlashTableRec, option) == 10);
static_assert(offsetof(PcbFlashTableRec, dcode) == 12);
static_assert(sizeof(PcbLevelRec) == 16 && offsetof(PcbLevelRec, name) == 2);
static_assert(offsetof(PcbLevelRec, word10) == 10 && offsetof(PcbLevelRec, kind) == 12);
static_assert(offsetof(PcbLevelRec, word14) == 14);
static_assert(sizeof(PcbViaTableRec) == 268 && offsetof(PcbViaTableRec, flash) == 4);
static_assert(offsetof(PcbViaTableRec, word264) == 264 && offsetof(PcbViaTableRec, word266) == 266);
static_assert(sizeof(PcbGlyphRec) == 102 && offsetof(PcbGlyphRec, x) == 2 && offsetof(PcbGlyphRec, y) == 52);
static_assert(sizeof(PcbInnerRec) == 54 && offsetof(PcbInnerRec, name) == 4);
static_assert(offsetof(PcbInnerRec, word20) == 20 && offsetof(PcbInnerRec, value) == 22);

static_assert(sizeof(PcbLineRec) == 44);
static_assert(offsetof(PcbLineRec, sx) == 4 && offsetof(PcbLineRec, ex) == 12);
static_assert(offsetof(PcbLineRec, cx) == 20 && offsetof(PcbLineRec, radius) == 28);
static_assert(offsetof(PcbLineRec, level) == 32 && offsetof(PcbLineRec, lineNo) == 34);
static_assert(offsetof(PcbLineRec, value) == 36 && offsetof(PcbLineRec, word38) == 38);
static_assert(offsetof(PcbLineRec, word42) == 42);
static_assert(sizeof(PcbTextRec) == PCB_TEXT_SIZE);
static_assert(offsetof(PcbTextRec, pair4) == 4 && offsetof(PcbTextRec, pair12) == 12);
static_assert(offsetof(PcbTextRec, pair20) == 20 && offsetof(PcbTextRec, pair28) == 28);
static_assert(offsetof(PcbTextRec, x) == 36 && offsetof(PcbTextRec, height) == 44);
static_assert(offsetof(PcbTextRec, level) == 48 && offsetof(PcbTextRec, textLineNo) == 50);
static_assert(offsetof(PcbTextRec, mirror) == 52 && offsetof(PcbTextRec, angle) == 54);
static_assert(offsetof(PcbTextRec, count) == 58 && offsetof(PcbTextRec, chars) == 60);
static_assert(offsetof(PcbTextRec, value) == 92);
static_assert(sizeof(PcbViaRec) == 32);
static_assert(offsetof(PcbViaRec, x) == 4 && offsetof(PcbViaRec, viaNo) == 12);
static_assert(offsetof(PcbViaRec, word14) == 14 && offsetof(PcbViaRec, word16) == 16);
static_assert(offsetof(PcbViaRec, word18) == 18 && offsetof(PcbViaRec, text) == 20);
static_assert(offsetof(PcbViaRec, word28) == 28);
static_assert(sizeof(PcbFlashRec) == 32);
static_assert(offsetof(PcbFlashRec, owner) == 20 && offsetof(PcbFlashRec, number) == 22);
static_assert(offsetof(PcbFlashRec, word28) == 28 && offsetof(PcbFlashRec, level) == 30);
static_assert(sizeof(PcbFillHeader) == 32);
static_assert(offsetof(PcbFillHeader, first) == 6 && offsetof(PcbFillHeader, last) == 8);
static_assert(offsetof(PcbFillHeader, level) == 12 && offsetof(PcbFillHeader, holes) == 20);
static_assert(offsetof(PcbFillHeader, word24) == 24);
static_assert(sizeof(PcbOutlineRec) == 44);
static_assert(offsetof(PcbOutlineRec, word20) == 20 && offsetof(PcbOutlineRec, radius) == 28);
static_assert(offsetof(PcbOutlineRec, level) == 32 && offsetof(PcbOutlineRec, lineNo) == 34);
static_assert(sizeof(PcbShapeRec) == PCB_SHAPE_SIZE);
static_assert(offsetof(PcbShapeRec, pins) == 10 && offsetof(PcbShapeRec, lines) == 14);
static_assert(offsetof(PcbShapeRec, texts) == 18 && offsetof(PcbShapeRec, fills) == 22);
static_assert(offsetof(PcbShapeRec, value) == 26 && offsetof(PcbShapeRec, word46) == 46);
static_assert(sizeof(PcbPartRec) == 100);
static_assert(offsetof(PcbPartRec, corner) == 4 && offsetof(PcbPartRec, x) == 36);
static_assert(offsetof(PcbPartRec, mirror) == 44 && offsetof(PcbPartRec, angle) == 46);
static_assert(offsetof(PcbPartRec, shapeIndex) == 50 && offsetof(PcbPartRec, assignName) == 54);
static_assert(offsetof(PcbPartRec, partName) == 64 && offsetof(PcbPartRec, pinFirst) == 78);
static_assert(offsetof(PcbPartRec, pinLast) == 80 && offsetof(PcbPartRec, shapePairs) == 82);
