// The environment record of the open design (ENV_GetENVClass) and the entry
// classes the option panels read and write in place: line entry (PDL), text
// entry (PDT), fills (PZB), ratsnest (PDS), parts (PDP), and the grid
// records. All of them are kept with the design and saved in its file.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// The fields of the environment that have no fixed place, kept together.
struct EnvOwn {
    char pcbName[16];         // board name, 15 characters + NUL
    char zuban[16];           // drawing number
    char createDate[16];
    char designer[16];
    char comment[16];
    int32_t layers;
    int32_t pinPinLines;      // lines between two pins, 0 to 5
    int32_t lineLenMin;       // minimum registered line length, board units
    int32_t sizeLimit[16][2]; // kind: {upper bound, lower bound}
    int32_t fraction;         // decimals
    int32_t textHeight;       // the design's text height
    int32_t absZahyou, relZahyou, assInZahyou;
    int32_t relBase[2];
    int32_t cursorJump;
    int32_t csrJmp[2];        // screen coordinates, (0, 0) = none
    int32_t tantenEnko;       // end-point snapping mode
    int32_t tantenSwitch;     // ask whether an arc's centre is wanted
    int32_t edgeCatchMode;
    int32_t leadin, edge, edgeEnko, edgeLeadinInvalid;
    int32_t lock, lockAngle;
    int32_t center[2];
    double zoom;
    int32_t winZoom, scaleManual, defRate, viewMode;
    int32_t gridVisible, gentenVisible;
    int32_t assignDisp;
    int32_t pinNameDisp;      // the all-parts pin-name word
    int32_t ratsDisp, dataDisp, holeDispMode, pinNoDispMode;
    int32_t assignNameHeight, pinNameHeight;
    double popUpTime;
    int32_t drcParamDisp, levelColorKeep, netNameGamenDisp, haichiIchiran, lockCopyOn;
    int32_t viaSymAreaFix, viaSymAreaLevel;
    int32_t hdCheckManual, hdCheckSize, hdCheckTime;
    int16_t prnLevel;
    int16_t reserved0;
    int32_t noPan, clickInfo, infoBox, messageLine;
    int32_t linePainting;     // non-zero: DDM_PaintLine2
    int32_t solidFigure, netColor, bbsDisplay, bbsRect[4], bbsBusy;
    int32_t viewModeIndex, mapWord;
    float alpha[8];           // text, solid line, line outline, fill outline, solid fill, VIA, hole, thermal
    int32_t direct2d;
    int32_t backupInterval, backupCompanion;
    uint16_t startTime[8];    // SYSTEMTIME of the load
    int32_t sigFigConnect, fillEndCatchOff, taperFlags, dragScrollOff;
    uint8_t frameFlag;
    uint8_t reserved1[3];
    int32_t frameValues[2];
    int32_t viaStructPos[2];
    int32_t acuteCCut, pinAllLayers, allLayers, levelFixed;
    int32_t netCheckDisp, netDispKeep, netAddSelect, netAutoScale;
    int32_t assignCheckLevel;
    int32_t placedPartsPos[2];
    int32_t placeAngle, placeFlags;
    int32_t palette, pinNameDispFlag, coordDecimals;
    int32_t moveStep;
    uint8_t reserved[512];
};

struct EnvRecord {
    char pcbPath[260];        // 0: design folder, then its file name without extension
    char pcbFile[260];        // 260
    char plbPath[260];        // 520: parts folder, then the parts table's file name
    char plbFile[260];        // 780
    char binPath[260];        // 1040: program folder
    char ttpPath[260];        // 1300: start of the default parameter-file names
    char fontName[8];         // 1560: "TEXT" = the built-in stroke font
    uint32_t designVersion;   // 1568
    int32_t outsideWriter;    // 1572: the design was last written by another program
    int32_t dispLevelIgnoreMode;  // 1576
    int32_t reserved1580;
    int32_t textHeightCur;    // 1584: current text height (word 396)
    uint8_t gap1[2704 - 1588];
    int32_t contrast;         // 2704 (word 676)
    uint8_t gap2[3126 - 2708];
    int32_t realDisp;         // 3126: "ﾘｱﾙ表示"
    int32_t snapSkipFills;    // 3130: the end-point snap skips fills
    uint8_t gap3[3208 - 3134];
    int32_t chainNetName;     // 3208: chain length also draws the net name
    uint8_t gap4[3262 - 3212];
    double taperLengthMm;     // 3262
    uint8_t gap5[3322 - 3270];
    int32_t land;             // 3322: bit 0x10000 clear = "ランド内NG"
    int32_t assignRubber;     // 3326: "ｱｻｲﾝﾗﾊﾞｰ"
    uint8_t gap6[3358 - 3330];
    int32_t currentLevel;     // 3358
    int32_t currentLineNo;    // 3362
    uint8_t gap7[3374 - 3366];
    double clearanceHistory[5];  // 3374
    uint8_t gap8[2];
    EnvOwn own;               // 3416
    uint8_t tail[8192 - 3416 - sizeof(EnvOwn)];
};

// Where a picker resumes its search: a page and a record index. Kept in
// memory beside the design (a page address means nothing in a file).
struct SearchPointer {
    void* page;               // 0 = none
    int32_t index;
    int32_t reserved;
};

// Line-entry class (PDL_Get_PdlClass).
struct PdlClass {
    uint8_t head[116];
    int32_t fillet;           // 116
    int32_t chamfer;          // 120
    int32_t radius;           // 124
    int32_t radius2;          // 128
    int32_t g1ViaKind;        // 132
    int32_t g1TaperMode;      // 136
    int32_t g1TaperLength;    // 140
    int32_t g1TaperR;         // 144
    int32_t g1ViaNo;          // 148
    int32_t g1ErrorOut;       // 152
    int16_t g1Level;          // 156
    int32_t g1CheckLineNo;    // 158
    int32_t g2TaperMode;      // 162
    int32_t g2TaperLength;    // 166
    int32_t g2TaperR;         // 170
    int32_t g2ViaNo;          // 174
    int32_t g2ErrorOut;       // 178
    int16_t g2Level;          // 182
    int32_t g2CheckLineNo;    // 184
    int32_t g2ViaKind;        // 188
    int32_t lineLength;       // 192
    int32_t valueOn;          // 196
    double value;             // 200: mm
    int32_t autoScale;        // 208
    int32_t reserved212[2];   // 212
    int32_t autoLock;         // 220
    int32_t g1LineNo;         // 224
    int32_t g2LineNo;         // 228
    uint8_t tail[24];         // 232
};

// Text-entry class (PDT_GetPDTClass): 32-bit words.
struct PdtClass {
    uint8_t head[116];
    int32_t angle;            // 116: packed angle word
    int32_t heights[5];       // 120: panel 1
    int32_t g1RangeChoice;    // 140
    int32_t g1Angle;          // 144
    int32_t g1AngleMode;      // 148
    int32_t g1MirrorMode;     // 152
    int32_t g1Heights[5];     // 156
    int32_t g2RangeChoice;    // 176
    int32_t g2Angle;          // 180
    int32_t g2AngleMode;      // 184
    int32_t g2MirrorMode;     // 188
    int32_t g2Heights[5];     // 192
    int32_t currentHeight;    // 212: word 53
    int32_t history[4];       // 216: words 54-57
    uint8_t tail[24];         // 232
};

// Fill class (PZB_Get_PzbClass): 32-bit words; doubles take two.
struct PzbClass {
    int32_t word[30];         // 0
    int32_t chamfer;          // word 30
    int32_t rFillet;          // 31
    int32_t hatchAngle;       // 32: tenths of a degree, 0 or 900
    double clearance[5];      // 33, 35, 37, 39, 41: pin, VIA, line, fill, hole
    char excludedNet[32];     // 43-50
    int32_t maxFigures;       // 51
    double minPerimeter;      // 52
    double angle;             // 54
    int32_t kinds;            // 56: bits 0 line, 1 VIA, 2 pin, 3 fill, 4 hole
    int32_t selectMode;       // 57: 0 BOX, 1 chain, 2 polygon
    int32_t addSelect;        // 58
    struct {
        double set[5];        // sets A-E
        int32_t reserved[2];
    } clearanceTable[5];      // words 59, 71, 83, 95, 107: rows pin, VIA, line, fill, hole
    int32_t setInForce;       // 119
    int32_t target;           // 120: 0 part, 1 PIN
    int32_t tail[7];
};
static_assert(sizeof(double) == 8);

// Ratsnest class (PDS_Get_PdsClass).
struct PdsClass {
    int32_t ratsLevel;
    int32_t ratsLineNo;
    int32_t second;
    int32_t reserved[61];
};

// Part class (PDP_Get_PdpClass): the parts-list settings.
struct PdpClass {
    int32_t sortMode;         // 0 none, 1 ascending, 2 descending
    char sortKeys[11];
    char columns[11];
    char columnLetters[8];
    int32_t sortOrder;
    int32_t symId;            // the running placement counter
    uint8_t reserved[218];
};

// Grid records, copied and overwritten in place by the grid dialog.
struct GridGroupRec {
    uint16_t number;          // 0: 0-7, shown 'A' + n
    int32_t ox, oy;           // 2: origin
    uint16_t carried;         // 10
    uint16_t absGroup;        // 12
    uint16_t activeSlot;      // 14: 0-4
    int16_t slot[5];          // 16: input-grid slots, -1 none
};

struct InputGridRec {
    uint16_t number;          // 0
    int32_t px, py;           // 2: pitch
    uint16_t carried;         // 10
    uint16_t dspGrid;         // 12: display grid number 0-15
};

struct DisplayGridRec {
    int32_t mainX, mainY;     // 0
    uint16_t mode;            // 8: 11 sub points repeat over the main cell, 1 otherwise
    int32_t sub[8][2];        // 10: sub-grid points from the lower-left main dot
    char name[14];            // 74
    uint16_t carried;         // 88
};

struct GridObject {
    int32_t currentGroup;     // 0-7
    int32_t reserved;
    int32_t origin[8][2];     // the eight origins (GRD_SetGenten)
    GridGroupRec group[8];
    InputGridRec input[16];
    DisplayGridRec display[16];
    uint8_t tail[64];
};

#pragma pack(pop)

static_assert(offsetof(EnvRecord, pcbFile) == 260);
static_assert(offsetof(EnvRecord, textHeightCur) == 1584);
static_assert(offsetof(EnvRecord, contrast) == 2704);
static_assert(offsetof(EnvRecord, realDisp) == 3126);
static_assert(offsetof(EnvRecord, snapSkipFills) == 3130);
static_assert(offsetof(EnvRecord, chainNetName) == 3208);
static_assert(offsetof(EnvRecord, taperLengthMm) == 3262);
static_assert(offsetof(EnvRecord, land) == 3322);
static_assert(offsetof(EnvRecord, assignRubber) == 3326);
static_assert(offsetof(EnvRecord, currentLevel) == 3358);
static_assert(offsetof(EnvRecord, currentLineNo) == 3362);
static_assert(offsetof(EnvRecord, clearanceHistory) == 3374);
static_assert(sizeof(EnvRecord) == 8192);

static_assert(offsetof(PdlClass, fillet) == 116);
static_assert(offsetof(PdlClass, g1ViaKind) == 132);
static_assert(offsetof(PdlClass, g1Level) == 156);
static_assert(offsetof(PdlClass, g1CheckLineNo) == 158);
static_assert(offsetof(PdlClass, g2TaperMode) == 162);
static_assert(offsetof(PdlClass, g2Level) == 182);
static_assert(offsetof(PdlClass, g2CheckLineNo) == 184);
static_assert(offsetof(PdlClass, g2ViaKind) == 188);
static_assert(offsetof(PdlClass, lineLength) == 192);
static_assert(offsetof(PdlClass, value) == 200);
static_assert(offsetof(PdlClass, autoScale) == 208);
static_assert(offsetof(PdlClass, autoLock) == 220);
static_assert(offsetof(PdlClass, g1LineNo) == 224);
static_assert(offsetof(PdlClass, g2LineNo) == 228);

static_assert(offsetof(PdtClass, angle) == 116);
static_assert(offsetof(PdtClass, heights) == 120);
static_assert(offsetof(PdtClass, g1RangeChoice) == 140);
static_assert(offsetof(PdtClass, g1Heights) == 156);
static_assert(offsetof(PdtClass, g2RangeChoice) == 176);
static_assert(offsetof(PdtClass, g2Heights) == 192);
static_assert(offsetof(PdtClass, currentHeight) == 212);
static_assert(offsetof(PdtClass, history) == 216);

static_assert(offsetof(PzbClass, chamfer) == 30 * 4);
static_assert(offsetof(PzbClass, hatchAngle) == 32 * 4);
static_assert(offsetof(PzbClass, clearance) == 33 * 4);
static_assert(offsetof(PzbClass, excludedNet) == 43 * 4);
static_assert(offsetof(PzbClass, maxFigures) == 51 * 4);
static_assert(offsetof(PzbClass, minPerimeter) == 52 * 4);
static_assert(offsetof(PzbClass, kinds) == 56 * 4);
static_assert(offsetof(PzbClass, clearanceTable) == 59 * 4);
static_assert(offsetof(PzbClass, setInForce) == 119 * 4);
static_assert(offsetof(PzbClass, target) == 120 * 4);

static_assert(sizeof(GridGroupRec) == 26);
static_assert(offsetof(GridGroupRec, ox) == 2 && offsetof(GridGroupRec, carried) == 10);
static_assert(offsetof(GridGroupRec, absGroup) == 12 && offsetof(GridGroupRec, slot) == 16);
static_assert(sizeof(InputGridRec) == 14);
static_assert(offsetof(InputGridRec, px) == 2 && offsetof(InputGridRec, dspGrid) == 12);
static_assert(sizeof(DisplayGridRec) == 90);
static_assert(offsetof(DisplayGridRec, mode) == 8 && offsetof(DisplayGridRec, sub) == 10);
static_assert(offsetof(DisplayGridRec, name) == 74);
