// The design's tables as the store keeps them: level, size, line, fill-line,
// text-line, VIA, hole, defined-VIA, rule, inner-layer, system and display
// tables. The callers read and write entries at the places fixed below; every
// field without a fixed place lives where the store puts it and is reached
// through the table's getters.
#pragma once
#include <cstddef>
#include <cstdint>

// Capacities (SYS_GetTblMax).
constexpr int TBL_MAX_LEVEL = 1023;
constexpr int TBL_MAX_SIZE = 2047;
constexpr int TBL_MAX_HOLE = 1023;
constexpr int TBL_MAX_DEFVIA = 255;
constexpr int TBL_MAX_VIA = 1023;
constexpr int TBL_MAX_LINE = 1023;
constexpr int TBL_MAX_TEXTLINE = 1023;
constexpr int TBL_MAX_RULE = 64;
constexpr int VIA_LAYERS = 128;

#pragma pack(push, 1)

// ---- Level table: the record of level k at 274570 + 66 k ------------------------
struct LevelEntry {
    uint16_t number;      // 0: k
    uint32_t word2;       // 2
    uint32_t word6;       // 6
    uint16_t carried10;   // 10
    int32_t viaLayer;     // 12: the level's VIA-layer entry number
    uint16_t flags;       // 16: bit 15 not in the print list, bit 14 dashed
    uint16_t word18;      // 18
    int32_t kind;         // 20: low four bits: data type
    int32_t word24;       // 24
    int32_t word28;       // 28
    uint16_t carried32;   // 32
    char name[32];        // 34
};
constexpr uint16_t LEVEL_NOT_PRINTED = 0x8000;
constexpr uint16_t LEVEL_DASHED = 0x4000;

// What the store keeps of a level besides its fixed record.
struct LevelExtra {
    int16_t layer;        // physical layer, > 0 conductor
    int16_t dispSts;      // negative = hidden
    uint32_t color;
    int32_t drcMode;      // 0 = checked
    int32_t drcRule;
    int32_t lock;
    int16_t swapLevel;    // the paired level on the other side (0 = itself)
    int16_t posiNega;     // 0 positive, 1 negative
    uint32_t levStatus;   // bits 31, 30, 26 and the list position
    int32_t dispNo;
    int32_t dbcNo;
    int32_t levelCode;    // side in bits 4-7
    int32_t levType;      // 0, 1, 2, 4, 5, 6, 15
    uint8_t reserved[20];
};

struct LevelTable {
    int32_t levelUseNum;      // 0: levels in use (numbers 1 to n)
    int32_t levelDispNum;     // 4
    int32_t layerUseNum;      // 8
    int16_t activeLevel;      // 12
    int16_t reserved0;        // 14
    uint8_t reserved1[1008];  // 16
    LevelExtra extra[TBL_MAX_LEVEL + 1];  // 1024
    uint8_t gap[274570 - 1024 - 64 * (TBL_MAX_LEVEL + 1)];
    LevelEntry entry[TBL_MAX_LEVEL + 1];  // 274570: entry[k] = level k
};

// ---- Size table: entry of size number n at 124 + 80 n ------------------------------
struct SizeEntry {
    uint32_t number;      // 0
    uint32_t word4;       // 4
    uint32_t flags;       // 8: bits 0-1 use, bits 2-4 class
    int16_t dcode;        // 12: 1-9999 given, 0 none, negative automatic
    uint16_t shape;       // 14: 0 round ... 8 custom
    int32_t outX, outY;   // 16: outer width
    int32_t inX, inY;     // 24: inner width of a thermal or a pad with a hole
    uint32_t word8;       // 32
    uint32_t word9;       // 36
    uint32_t word10;      // 40
    char name[16];        // 44
    uint32_t word15;      // 60
    uint32_t word16;      // 64: gap (slit) width of a thermal
    uint8_t reserved[12]; // 68
};

struct SizeTable {
    int32_t useNum;           // 0: highest size number in use
    int32_t dispNum;          // 4
    uint8_t reserved[116];    // 8
    SizeEntry entry[TBL_MAX_SIZE + 1];  // 124: entry[n]
};

// ---- Line tables (figure and signal lines; fill lines): entry n at 128 + 72 n ----------
struct LineEntry {
    uint32_t number;      // 0
    int32_t aptNo;        // 4: size (aperture) number
    int32_t width;        // 8: 0 = free entry
    int32_t tanten;       // 12: non-zero = square ends
    uint32_t color;       // 16: palette index
    int32_t lineType;     // 20: low 2 bits = 2 dashed; bit 2 DRC on
    int32_t lineSw;       // 24
    int32_t dispMode;     // 28: 1 centre line, 2 outline, 3 solid, 0 none
    int32_t dash[3];      // 32: dash pattern lengths
    int32_t tblNo;        // 44
    int32_t highUse;      // 48
    char name[20];        // 52
};

struct LineTable {
    int32_t useNum;       // 0
    int32_t dispNum;      // 4
    int32_t activeNo;     // 8
    int32_t currentApt;   // 12: current aperture word
    uint8_t reserved[112];
    LineEntry entry[TBL_MAX_LINE + 1];  // 128: entry[n]
};

// ---- Text-line table: entry n at 128 + 68 n ------------------------------------------
struct TextLineEntry {
    uint32_t number;      // 0
    int32_t aptNo;        // 4: size number
    int32_t width;        // 8: stroke width
    int32_t fontGap;      // 12: character gap
    double widthScale;    // 16
    int16_t dispMode;     // 24: 1 = without width
    int32_t height;       // 26: character height
    int32_t charWidth;    // 30
    uint32_t color;       // 34
    int32_t tblNo;        // 38
    int32_t type;         // 42
    int32_t sw;           // 46
    int32_t highUse;      // 50
    char name[14];        // 54
};

struct TextLineTable {
    int32_t useNum;
    int32_t dispNum;
    int32_t activeNo;
    uint8_t reserved[116];
    TextLineEntry entry[TBL_MAX_TEXTLINE + 1];  // 128
};

// ---- VIA table ---------------------------------------------------------------------
struct ViaLayerEntry {
    uint16_t padLevel;    // 0
    uint16_t holeLayer;   // 2
    int16_t layerNo;      // 4
    uint16_t datLevCode;  // 6
    uint32_t color;       // 8
    uint16_t defViaLevel; // 12
    uint16_t tblNo;       // 14
    char name[32];        // 16
    int32_t useCount;     // 48: in use when 1 or more
    int32_t defViaLevNo;  // 52
    uint32_t reserved;    // 56
};

struct ViaDef {
    uint32_t number;      // 0: v
    uint32_t viaNo;       // 4
    int32_t defViaNo;     // 8
    uint16_t setMode;     // 12: 0x400 = dummy VIA
    uint32_t drillNo;     // 14: < 1 = none
    int32_t holeSize;     // 18
    uint16_t used;        // 22: 0 in a free entry
    uint32_t apt[VIA_LAYERS + 1];  // 24: size word per VIA layer index
    int32_t carried540;   // 540
    int32_t carried544;   // 544
    uint8_t kind;         // 548: 2, 3 or 4
    uint8_t highUse;      // 549
    uint16_t dbcNo;       // 550
};

struct ViaLayerTable {
    int32_t reserved;     // 152 of the VIA table
    int32_t count;        // 156: word 1
    ViaLayerEntry entry[VIA_LAYERS];  // 160: entry[i] = VIA layer i + 1
};

struct ViaTable {
    int32_t useNum;           // 0
    int32_t dispNum;          // 4
    int32_t activeNo;         // 8
    int16_t dspLevel[6];      // 12
    uint32_t dspColor[6];     // 24
    uint8_t reserved0[80];    // 48
    uint16_t defaults[6];     // 128: VIA defaults
    uint8_t reserved1[12];    // 140
    ViaLayerTable layers;     // 152
    uint8_t reserved2[7892 - 160 - 60 * VIA_LAYERS];
    ViaDef def[TBL_MAX_VIA + 1];   // 7892: def[v]
    uint32_t color[TBL_MAX_VIA + 1];
};

// ---- Hole table: count at 4, entry k at 12 + 48 k ----------------------------------
struct HoleEntry {
    uint32_t number;      // 0
    int32_t fromLayer;    // 4: <= 0 every layer
    int32_t toLayer;      // 8
    int32_t toolNo;       // 12
    uint16_t dbcNo;       // 16
    uint32_t kindShape;   // 18: bits 0-7 kind, bits 8-11 shape
    uint8_t wallKind;     // 22
    uint8_t reserved23;   // 23
    int32_t sizeX;        // 24
    int32_t sizeY;        // 28
    uint32_t color;       // 32
    char name[10];        // 36
    uint16_t layerSpan;   // 46
};

struct HoleTable {
    int32_t dispNum;      // 0
    int32_t count;        // 4
    int32_t reserved;     // 8
    HoleEntry entry[TBL_MAX_HOLE + 1];  // 12: entry[k]
};

// ---- Defined-VIA table ---------------------------------------------------------------
struct DefViaEntry {
    int32_t number;
    int32_t land[16][4];  // 16 land slots of four size numbers
    int32_t drill[32];
    char name[32];
    int32_t dbcNo;
    uint32_t color;
    uint8_t reserved[16];
};

struct DefViaTable {
    int32_t useNum;       // 0
    int32_t inUse;        // 4: non-zero when defined VIAs are in use
    int32_t dispNum;      // 8
    int32_t activeNo;     // 12
    DefViaEntry entry[TBL_MAX_DEFVIA + 1];  // 16: entry[n]
};

struct DefViaLevelTable {
    int32_t count;
    char name[64][32];
};

// ---- Rule table: a count, then records numbered from 1 ---------------------------------
struct RuleClearance {
    int32_t code;         // 0 = empty entry
    int32_t word;
    int32_t value;
};

struct RuleRecord {
    RuleClearance entry[128];
};

struct RuleTable {
    int32_t count;
    RuleRecord rule[TBL_MAX_RULE];  // rule[r - 1] = rule record r
};

// ---- Inner-layer table: entry i at 4 + 114 i -------------------------------------------
struct InnerEntry {
    uint32_t word0;       // 4 of the table for entry 0
    int32_t word4;
    char name[16];        // 12 of the table
    uint8_t reserved[18];
    int32_t word42;       // 46 of the table
    int32_t value[16];    // 50 of the table
    uint32_t reserved2;
};

struct InnerTable {
    int32_t count;
    InnerEntry entry[128];
};

// ---- Signal table (entries 1 to 64) ------------------------------------------------------
struct SignalEntry {
    uint16_t word0;
    uint16_t word2;
    char name[32];
    int32_t value[4];
};

struct SignalTable {
    int32_t count;
    SignalEntry entry[65];
};

// ---- System table and display settings ---------------------------------------------------
struct SystemTable {
    int32_t word[75];          // 0
    int32_t maxFigures;        // word 75
    int32_t figPlaneOffset;    // 1 = fills are offset before output
    int32_t figPlanePointMax;
    int32_t planeDrcOnOff;
    int32_t planeDrcShortLine;
    char environName[32];
    uint8_t reserved[1024 - 80 * 4 - 32];
};

struct DisplaySettings {
    int32_t planeDispMode;     // 3 solid line, 2 dashed, 0 none
    int32_t lineDispMode;      // 2 outline, 3 solid, 0 none
    int32_t textDispMode;
    int32_t viaDispMode;       // 1 outline, 2 solid, 0 none
    int32_t thermalDispMode1;  // 1 shape, 0 cross
    int32_t thermalDispMode2;
    uint8_t reserved[232];
};

#pragma pack(pop)

static_assert(sizeof(LevelEntry) == 66);
static_assert(offsetof(LevelEntry, word2) == 2 && offsetof(LevelEntry, carried10) == 10);
static_assert(offsetof(LevelEntry, viaLayer) == 12);
static_assert(offsetof(LevelEntry, word18) == 18);
static_assert(offsetof(LevelEntry, word24) == 24 && offsetof(LevelEntry, word28) == 28);
static_assert(offsetof(LevelEntry, flags) == 16);
static_assert(offsetof(LevelEntry, kind) == 20);
static_assert(offsetof(LevelEntry, carried32) == 32);
static_assert(offsetof(LevelEntry, name) == 34);
static_assert(sizeof(LevelExtra) == 64);
static_assert(offsetof(LevelTable, entry) == 274570);

static_assert(sizeof(SizeEntry) == 80);
static_assert(offsetof(SizeEntry, flags) == 8);
static_assert(offsetof(SizeEntry, dcode) == 12);
static_assert(offsetof(SizeEntry, shape) == 14);
static_assert(offsetof(SizeEntry, outX) == 16 && offsetof(SizeEntry, outY) == 20);
static_assert(offsetof(SizeEntry, word8) == 32);
static_assert(offsetof(SizeEntry, name) == 44);
static_assert(offsetof(SizeEntry, word15) == 60 && offsetof(SizeEntry, word16) == 64);
static_assert(offsetof(SizeTable, entry) == 124);

static_assert(sizeof(LineEntry) == 72);
static_assert(offsetof(LineEntry, aptNo) == 4);
static_assert(offsetof(LineTable, entry) == 128);
static_assert(sizeof(TextLineEntry) == 68);
static_assert(offsetof(TextLineEntry, aptNo) == 4);
static_assert(offsetof(TextLineEntry, height) == 26);
static_assert(offsetof(TextLineEntry, charWidth) == 30);
static_assert(offsetof(TextLineTable, entry) == 128);

static_assert(sizeof(ViaLayerEntry) == 60);
static_assert(offsetof(ViaLayerEntry, holeLayer) == 2);
static_assert(offsetof(ViaLayerEntry, defViaLevel) == 12);
static_assert(offsetof(ViaLayerEntry, useCount) == 48);
static_assert(sizeof(ViaDef) == 552);
static_assert(offsetof(ViaDef, viaNo) == 4);
static_assert(offsetof(ViaDef, setMode) == 12);
static_assert(offsetof(ViaDef, drillNo) == 14);
static_assert(offsetof(ViaDef, holeSize) == 18);
static_assert(offsetof(ViaDef, used) == 22);
static_assert(offsetof(ViaDef, apt) == 24);
static_assert(offsetof(ViaDef, carried540) == 540 && offsetof(ViaDef, carried544) == 544);
static_assert(offsetof(ViaTable, defaults) == 128);
static_assert(offsetof(ViaTable, layers) == 152);
static_assert(offsetof(ViaTable, layers) + offsetof(ViaLayerTable, entry) == 160);
static_assert(offsetof(ViaTable, def) == 7892);

static_assert(sizeof(HoleEntry) == 48);
static_assert(offsetof(HoleEntry, kindShape) == 18);
static_assert(offsetof(HoleEntry, sizeX) == 24 && offsetof(HoleEntry, sizeY) == 28);
static_assert(offsetof(HoleTable, count) == 4);
static_assert(offsetof(HoleTable, entry) == 12);
// The hole-kind byte read at table + 48 d + 30 is the low byte of the kind word.
static_assert(offsetof(HoleTable, entry) + offsetof(HoleEntry, kindShape) == 30);

static_assert(offsetof(DefViaTable, inUse) == 4);
static_assert(sizeof(RuleClearance) == 12);
static_assert(sizeof(RuleRecord) == 1536);
static_assert(sizeof(InnerEntry) == 114);
static_assert(offsetof(InnerTable, entry) + offsetof(InnerEntry, name) == 12);
static_assert(offsetof(InnerTable, entry) + offsetof(InnerEntry, word42) == 46);
static_assert(offsetof(InnerTable, entry) + offsetof(InnerEntry, value) == 50);
static_assert(offsetof(SystemTable, maxFigures) == 75 * 4);
static_assert(sizeof(SystemTable) == 1024);
