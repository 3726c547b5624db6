// The fixed region of a design: where each table and class lives, and the
// values a fresh design starts with.
#include <cstring>

#include "engine/store.h"
#include "platform/layout_palette.h"
#include "platform/layout_xwinput.h"

namespace store {

namespace {

// clang-format off
const Region s_regions[RG_COUNT] = {
    {RG_ENV,          "ENV",      sizeof(EnvRecord)},
    {RG_LEVEL,        "TLV",      sizeof(LevelTable)},
    {RG_SIZE,         "TSZ",      sizeof(SizeTable)},
    {RG_LINE,         "TLL",      sizeof(LineTable)},
    {RG_FILL_LINE,    "TPL",      sizeof(LineTable)},
    {RG_TEXT_LINE,    "TTL",      sizeof(TextLineTable)},
    {RG_VIA,          "TVT",      sizeof(ViaTable)},
    {RG_HOLE,         "THL",      sizeof(HoleTable)},
    {RG_DEFVIA,       "TDV",      sizeof(DefViaTable)},
    {RG_DEFVIA_LEVEL, "TDVLEV",   sizeof(DefViaLevelTable)},
    {RG_RULE,         "TRL",      sizeof(RuleTable)},
    {RG_INNER,        "INNER",    sizeof(InnerTable)},
    {RG_SIGNAL,       "SIGNAL",   sizeof(SignalTable)},
    {RG_SYSTEM,       "SYS",      sizeof(SystemTable)},
    {RG_DISPLAY,      "WIN",      sizeof(DisplaySettings)},
    {RG_PDS_COMMON,   "PDSCOM",   sizeof(PdsCommon)},
    {RG_PCBINF,       "PCBINF",   sizeof(PcbInfData)},
    {RG_XWINPUT,      "XWINPUT",  sizeof(XWinputParam)},
    {RG_DRC,          "DRC",      sizeof(DrcParam)},
    {RG_CCC_CI,       "CI",       CCC_CI_SIZE},
    {RG_CCC_CL,       "CL",       CCC_CL_SIZE},
    {RG_CCC_CC,       "CC",       CCC_CC_SIZE},
    {RG_PDL,          "PDL",      sizeof(PdlClass)},
    {RG_PDT,          "PDT",      sizeof(PdtClass)},
    {RG_PZB,          "PZB",      sizeof(PzbClass)},
    {RG_PDS,          "PDS",      sizeof(PdsClass)},
    {RG_PDP,          "PDP",      sizeof(PdpClass)},
    {RG_GRID,         "GRD",      sizeof(GridObject)},
    {RG_SLIB,         "SLIB",     4096},
    {RG_PALETTE,      "PLT",      sizeof(DesignPalette)},
};
// clang-format on

constexpr uint64_t Align(uint64_t v, uint64_t a) { return (v + a - 1) / a * a; }

struct Offsets {
    uint64_t offset[RG_COUNT + 1];
};

const Offsets& Table()
{
    static const Offsets table = [] {
        Offsets o{};
        uint64_t at = 0;
        for (int i = 0; i < RG_COUNT; ++i) {
            o.offset[i] = at;
            at = Align(at + s_regions[i].size, 64);
        }
        o.offset[RG_COUNT] = Align(at, 4096);
        return o;
    }();
    return table;
}

}  // namespace

const Region& RegionInfo(int id) { return s_regions[id]; }
uint64_t RegionOffset(int id) { return Table().offset[id]; }
uint64_t FixedRegionSize() { return Table().offset[RG_COUNT]; }

void InitFixedRegion(uint8_t* fixed)
{
    std::memset(fixed, 0, FixedRegionSize());
    EnvRecord* env = (EnvRecord*)(fixed + RegionOffset(RG_ENV));
    std::strcpy(env->fontName, "TEXT");
    EnvOwn& own = env->own;
    own.lockAngle = 45;
    own.defRate = 50;
    own.zoom = 1.0;
    own.winZoom = 100;
    own.popUpTime = 0.5;
    own.fraction = 3;
    own.textHeight = 200000;
    own.lineLenMin = 1000;
    own.pinPinLines = 1;
    own.gridVisible = 1;
    own.gentenVisible = 1;
    own.assignDisp = 1;
    own.pinNameHeight = 50000;
    own.assignNameHeight = 100000;
    own.direct2d = 1;
    for (float& a : own.alpha) a = 1.0f;
    own.backupInterval = 30;
    own.hdCheckTime = 5000;
    for (auto& limit : own.sizeLimit) {
        limit[0] = 150000000;
        limit[1] = 100;
    }

    SystemTable* sys = (SystemTable*)(fixed + RegionOffset(RG_SYSTEM));
    sys->maxFigures = 1000;
    sys->figPlanePointMax = 8000;
    std::strcpy(sys->environName, "-------");

    DisplaySettings* win = (DisplaySettings*)(fixed + RegionOffset(RG_DISPLAY));
    win->planeDispMode = 3;
    win->lineDispMode = 3;
    win->textDispMode = 3;
    win->viaDispMode = 2;
    win->thermalDispMode1 = 1;

    GridObject* grid = (GridObject*)(fixed + RegionOffset(RG_GRID));
    for (int g = 0; g < 8; ++g) {
        grid->group[g].number = (uint16_t)g;
        for (int s = 0; s < 5; ++s) grid->group[g].slot[s] = -1;
        grid->group[g].slot[0] = 0;
    }
    for (int i = 0; i < 16; ++i) {
        grid->input[i].number = (uint16_t)i;
        grid->input[i].px = grid->input[i].py = 100000 * (i + 1) / 4;
        grid->input[i].dspGrid = (uint16_t)i;
        grid->display[i].mainX = grid->display[i].mainY = 100000 * (i + 1);
        grid->display[i].mode = 1;
    }

    PzbClass* pzb = (PzbClass*)(fixed + RegionOffset(RG_PZB));
    pzb->maxFigures = 1000;
}

}  // namespace store
