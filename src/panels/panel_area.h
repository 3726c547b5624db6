// The option panels' part of the frame's state block: one window slot per
// panel and the parameter blocks the panels are created with. Everything
// here is zero when the frame state is created and again after the panels
// are rebuilt; a panel's WM_INITDIALOG writes its defaults.
//
// Blocks shared by a family of panels carry the family's name; a panel of a
// family writes only its own fields and shows those of its sisters.
#pragma once
#include <windows.h>

#include <cstdint>

// Panel numbers run from 1 to 116; slot 0 and the numbers 55, 56, 91 and 94
// are never used.
#define PNL_MAX_NUMBER 116

// Part placement and group rotation (panels 75, 4, 64, 69, 99).
struct PartPlaceOptions {
    double rotation;
    int32_t mirror;
    double rotation64;
    int32_t mirror64;
    int32_t rotationMode;  // 0 任意, 1 固定
    int32_t mirrorMode;
    double rotation69;
    int16_t figureLine69;
    int16_t figureLine64;
    int32_t fill;
    int32_t text;
    int16_t wholePart;
    int16_t areaMode;  // 1 BOX, 2 polygon
    int32_t ratsOpt;
    int32_t selectedLevelCount;
    int32_t defViaConv;
    int32_t partHeight;  // board units
    int32_t reverse;
};

// Fill editing (panels 5, 6, 88, 98, 108).
struct FillEditOptions {
    int32_t operation;  // the control id of the chosen operation button
    double filletSize;
    double chamferSize;
    double hatchAngle;  // 0.0 or 90.0
    double radius;
};

// Line shaping, line select and level designation (panels 7, 8, 9, 12,
// 18, 70, 71, 72, 73).
struct LineShapeOptions {
    double radius;
    double filletSize;
    double chamferSize;
    double radius2;
    double lineLength;
    int32_t chamferMode;  // 1 single, 2 BOX
    int32_t filletMode;
    int32_t lineSelectMode;  // 1 off, 2 on
    int32_t autoScale;
    int32_t autoLock;
    int32_t selectedLevelCount;
    int32_t valueOn;
    double value;
};

// Tapers (panels 16, 17, 74, 103, 114, 115, 116).
struct TaperOptions {
    int32_t taperMode;  // 0 length, 1 R
    double taperLength;
    double taperR;
    int32_t viaKind;  // 0 VIA number, 1 defined VIA
    int32_t viaNo;
    int32_t lineNo;
    int32_t pickMode;  // 0 single, 2 BOX
    int32_t taperWidth;
    int32_t errorOut;
    int16_t level;
    int32_t checkLineNo;
};

// Dimension and leader-line text (panels 19, 57, 58, 59).
struct DimensionTextOptions {
    int32_t direction;  // 0 normal, 1 slant, 2 angle
    int32_t decimals;   // 1 to 4
    double textHeight;
    double heightHistory[4];
    int32_t mode;  // 0 データ, 1 ポイント, 2 線幅
    int32_t flashHole;
    int32_t radius;
    int32_t textSpecified;
    int32_t textCentre;
    int32_t zeroSuppress;
    int32_t coordinate;
};

// Object kinds and clearances (panels 20, 21, 26).
struct ObjectKindOptions {
    int32_t lineOn;
    int32_t textOn;
    int32_t fillOn;
    int32_t viaPinOn;
    int32_t text21On;
    int32_t smdPin;
    double clearance21;
    double clearance26;
};

// The signal-line editing commands' shared options (panels 29 to 33, 42 to
// 44, 66, 67, 78, 80, 81, 84, 95, 97, 100, 101, 107, 110, 111 and the
// unnumbered panel of template 398).
struct EditCommandOptions {
    int32_t common0;  // selected level count
    int32_t selectMode;
    int32_t pointerMode;
    int32_t keepOn;
    int32_t addSelect;
    int32_t autoScale;
    int32_t resDrc;  // bit 0 RES, +2048 DRC
    int32_t contrast;
    int32_t allLevels;
    int32_t viaFixed;
    double viaValue;
    int32_t ratsGenerate;
    int16_t fixedLevel;
    int32_t cornerMode;
    double filletSize;
    double chamferSize;
    int32_t cornerFlagA;
    int32_t cornerFlagB;
    int32_t cornerDrcOff;
    int32_t cornerContrastOff;
    int32_t taperSmooth;
    int32_t taperLength;  // board units
    int32_t taperUseDefinedVia;
    int32_t taperViaNo;
    int32_t taperDefinedViaNo;
    int32_t taperLineNo;
    int32_t taperMethod;  // 0 single, 2 BOX
    int32_t singleMulti;
    char netName[32];
    int32_t clearanceUnits;
    uint32_t landFlags;
};

// Number replacement (panels 60, 61, 62): target, before, after and method
// of VIA, LINE and defined-VIA numbers.
struct NumberReplaceOptions {
    int32_t viaTarget, viaBefore, viaAfter, viaMethod;
    int32_t lineTarget, lineBefore, lineAfter, lineMethod;
    int32_t defViaTarget, defViaBefore, defViaAfter, defViaMethod;
};

// VIA tapers (panels 82, 83, 112, 113): the settings group on show.
struct ViaTaperOptions {
    int32_t smooth;
    int32_t taperLength;
    int32_t defViaMode;
    int32_t viaNo;
    int32_t defViaNo;
    int32_t lineNo;
    int32_t singleBox;
    int32_t envFlags;
};

// Voids (panels 89 and 106 share one; panel 34 has its own): a copy of fill
// class words 33 to 56, 96 bytes.
#pragma pack(push, 4)
struct VoidPanelSettings {
    double clearance[5];
    char netName[32];
    int32_t maxFigures;
    double minPerimeter;
    double angle;
    uint32_t kinds;
};
#pragma pack(pop)
static_assert(sizeof(VoidPanelSettings) == 96);

// Hatching display (panel 35), handed to the engine by value.
#pragma pack(push, 1)
struct HatchDisplayOptions {
    int16_t level;
    int32_t outline;
    int32_t hatching;
};
#pragma pack(pop)
static_assert(sizeof(HatchDisplayOptions) == 10);

// Measuring panels.
struct GridValueOptions {  // panels 23 (distance) and 24 (angle)
    double value;
    uint32_t gridOn;
};
struct ChainLengthOptions {  // panel 96
    double length;
    char netName[32];
    uint32_t copyLength;
    uint32_t copyNetName;
};
struct DistanceLevelOptions {  // panel 109
    double distance;
};
struct LineCountOptions {  // panel 25
    double clearance[5];
    int32_t lineCount;
    uint32_t lineChange;
    uint32_t levelChange;
};
struct NetCheckOptions {  // panel 53
    uint32_t autoScaleOff;
    uint32_t totalLength;  // board units
};

// Number update and pin numbering.
struct NumberUpdateOptions {  // panels 37, 38, 105
    int32_t target;
    int32_t before;
    int32_t after;
};
struct TextLineUpdateOptions {  // panel 39
    int32_t target;
    int32_t before;
    int32_t updateLine;
    int32_t after;
    int32_t updateHeight;
    int32_t height;
};
struct PinNameOptions {  // panel 40
    char name[64];
    uint16_t start;
    uint16_t step;
    int32_t viaCount;
    int32_t lineCount;
    int32_t fillCount;
    int32_t reset;
};
struct PinSeriesOptions {  // panels 13, 14, 15
    char name[8];
    uint16_t start;
    uint16_t step;
    int32_t pitch;
    int32_t count;
    int32_t rotation;
    int32_t defViaNo;
    int32_t defViaConvert;
};

// Selection and copy panels (45 to 52, 90, 76, 77).
struct DeleteKindPanelOptions {  // panel 52
    int32_t via, line, text, fill, part;
    int32_t method;  // 1 single, 2 BOX, 3 chain, 4 polygon
    int32_t addSelect;
    int32_t allOn;
};
struct SelectKindsOptions {  // panel 48
    int32_t via, line, text, fill, part;
    int32_t levelEdit, method, addSelect, allOn;
};
struct CopyKindsOptions {  // panel 50
    int32_t via, line, text, fill, part;
    int32_t copyCount, levelEdit, method, addSelect, allOn;
};
struct RotateCopyKindsOptions {  // panels 46 and 90
    int32_t via, line, text, fill, part;
    int32_t angle, copyCount, method, addSelect, allOn;
};
struct SelectAreaOptions {  // panels 47 and 51
    int32_t method, addSelect;
};
struct CopyCountOptions {  // panel 49
    int32_t copyCount, method, addSelect;
};
struct RotateCopyOptions {  // panel 45
    int32_t angle, copyCount, method, addSelect;
};

// Text panels.
struct TextOrientOptions {  // panel 1
    double heights[5];
    double rotation;
    int32_t mirror;
};
struct TextEntryOptions {  // panel 63
    double height;
    double rotation;
    int32_t mirror;
    int32_t heightMode, rotationMode, mirrorMode;
    int32_t moveToActive;
    int32_t textLineNo;
    int32_t textLineMode;
};
struct TextAngleOptions {  // panels 2 and 3
    int32_t rangeChoice;
    double angle;
    int32_t angleMode;
    int32_t mirror;
    int32_t flag2;
    int32_t mirrorMode;
    double heights[5];
};

// The signal-line editing panels with blocks of their own.
struct ViaConnectOptions {  // panel 65
    int32_t viaLayerTableNo;
    int32_t connected;
    int32_t forced;
};
#pragma pack(push, 1)
struct RatsOptions {  // panel 36
    char netName[64];
    int16_t ratsLevel;
    int32_t ratsLineNo;
    int32_t secondNo;
    int32_t logAdd;
    int32_t pinOrPart;
};
#pragma pack(pop)

// The level-kind panel (27) keeps a heap block, owned by the frame state,
// and the kind in force beside it.
struct LevelKindSlot {
    void* list;  // LevelKindList
    int32_t kindInForce;
};

// The shell's own panels.
struct PlacePitchOptions {  // panel 41
    double pitch;
};
struct LevelSpecOptions {  // panel 28
    int32_t designation;
    int32_t protectRead;
};
struct PlaceAngleOptions {  // panel 10
    int32_t angle;
};
struct ConvertOptions {  // panel 11
    int32_t angleReflect;  // bits 8-31 angle in thousandths of a degree, bit 0 reflect
    int32_t figureLine;
    int32_t part;
    int32_t assignText;
    char text[4];
};

// Net panels of the measurement and check commands that keep a block of
// their own.
struct NetNameBarOptions {  // panels 85 and 92
    int32_t netNo;
    int32_t autoScale;
};
struct AssignCheckOptions {  // panel 86
    int32_t level;
    int32_t lineOn;
    int32_t sortOn;
    int32_t markerLevel;
};

// The two bars without a panel number of their own in the show code.
struct SigCopyParams {  // panel 79, the signal-line copy bar
    int32_t count;
    int32_t selectMode;
    int32_t netMode;
};
struct TextSplitParams {  // the text split bar, template 250
    void* textPick;  // a text pick block, or 0
};

struct PNL_PanelArea {
    HWND hPanel[PNL_MAX_NUMBER + 1];  // by panel number; hPanel[79] is the copy bar
    HWND hTextSplitBar;               // template 250
    HWND hViewOptionPanel;            // template 398
    POINT ptInfoDialog;               // where the element information dialogs open
    int clearedWords[2];
    short panelFlag;                  // 1 after creation
    double gridHideValue[2];          // main and sub grid hide values, 1.0 to 7.0

    // The blocks, in the order of the creation table's first use.
    TextOrientOptions textOrient;         // 1
    TextEntryOptions textEntry;           // 63
    TextAngleOptions textAngle[2];        // 2, 3
    PartPlaceOptions partPlace;           // A: 75, 4, 64, 69, 99
    FillEditOptions fillEdit;             // B: 5, 88, 6, 98, 108
    LineShapeOptions lineShape;           // C: 7, 8, 9, 12, 18, 70-73
    PlaceAngleOptions placeAngle;         // 10
    ConvertOptions convert;               // 11
    PinSeriesOptions pinSeries[3];        // 13, 14, 15
    TaperOptions taper;                   // D: 16, 17, 74, 114, 115, 116, 103
    DimensionTextOptions dimensionText;   // E: 19, 57, 58, 59
    ObjectKindOptions objectKind;         // F: 20, 21, 26
    PlacePitchOptions placePitch;         // 41
    TextSplitParams textSplit;            // template 250
    int32_t figurePair[2];                // 22: figure 1 on, figure 2 on
    GridValueOptions gridDistance;        // 23
    DistanceLevelOptions distanceLevel;   // 109
    ChainLengthOptions chainLength;       // 96
    GridValueOptions gridAngle;           // 24
    LineCountOptions lineCount;           // 25
    LevelKindSlot levelKind;              // 27
    LevelSpecOptions levelSpec;           // 28
    NetCheckOptions netCheck;             // 53
    EditCommandOptions editCommand;       // G
    int32_t selectChainMode;              // 68
    VoidPanelSettings autoVoid;           // 34
    VoidPanelSettings fillCut;            // J: 89, 106
    HatchDisplayOptions hatchDisplay;     // 35
    RatsOptions rats;                     // 36
    NumberUpdateOptions viaNoUpdate;      // 37
    NumberUpdateOptions lineNoUpdate;     // 38
    NumberUpdateOptions fillLineNoUpdate; // 105
    TextLineUpdateOptions textLineUpdate; // 39
    PinNameOptions pinName;               // 40
    RotateCopyOptions rotateCopy;         // 45
    RotateCopyKindsOptions rotateCopyKinds; // 46
    SelectAreaOptions selectArea;         // 47
    SelectKindsOptions selectKinds;       // 48
    CopyCountOptions copyCount;           // 49
    CopyKindsOptions copyKinds;           // 50
    SelectAreaOptions selectArea2;        // 51
    DeleteKindPanelOptions deleteKinds;   // 52
    int32_t areaMode[2];                  // 76, 77: 1 BOX, 2 polygon, 3 chain
    int32_t boxSingleMode;                // 54: 1 single, 2 BOX
    NumberReplaceOptions numberReplace;   // H: 60, 61, 62
    ViaConnectOptions viaConnect;         // 65
    NetNameBarOptions physNetBar;         // 85
    SigCopyParams sigCopy;                // 79
    ViaTaperOptions viaTaper;             // I: 82, 112, 113, 83
    AssignCheckOptions assignCheck;       // 86
    int32_t deleteMode;                   // 87: 0 single, else BOX
    RotateCopyKindsOptions copy;          // 90
    NetNameBarOptions netNameAutoScale;   // 92
    int32_t selectMode;                   // 93: 0 single, 1 chain, 2 BOX
    int32_t nextAssign;                   // 102 (never read or written)
    uint32_t gridOff;                     // 104
};
