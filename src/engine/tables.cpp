// The table openers and getters. Every table is a region of the open
// design; numbers outside a table answer 0 so that a damaged record number
// can never reach outside it.
#include <cstring>

#include "engine/store.h"
#include "platform/qzt_records.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"

using namespace store;

namespace {

template <class T> T* R(int id) { return Region_<T>(id); }
LevelTable* Tlv() { return R<LevelTable>(RG_LEVEL); }
bool LevelOk(int k) { return k >= 0 && k <= TBL_MAX_LEVEL; }
bool LineOk(int n) { return n >= 0 && n <= TBL_MAX_LINE; }
bool TextLineOk(int n) { return n >= 0 && n <= TBL_MAX_TEXTLINE; }
LevelExtra* Extra(LevelTable* t, int k) { return LevelOk(k) ? &(t ? t : Tlv())->extra[k] : nullptr; }
// The `ctxOrTable` getters: a context (or null) means the design's own table.
LineTable* LineOf(void* p, int id)
{
    return (!p || p == DDM_Open(nullptr)) ? R<LineTable>(id) : (LineTable*)p;
}
TextLineTable* TextLineOf(void* p)
{
    return (!p || p == DDM_Open(nullptr)) ? R<TextLineTable>(RG_TEXT_LINE) : (TextLineTable*)p;
}
uint64_t Pack(int32_t x, int32_t y) { return (uint32_t)x | ((uint64_t)(uint32_t)y << 32); }
char s_empty[1];

}  // namespace

extern "C" {

LevelTable* DDM_Open_LevelTable(DdmContext*) { return Tlv(); }
LevelTable* DDM_OpenLevelTable(DdmContext*) { return Tlv(); }
ViaTable* DDM_Open_ViaTable(DdmContext*) { return R<ViaTable>(RG_VIA); }
ViaLayerTable* DDM_OpenViaLayerTable(DdmContext*) { return &R<ViaTable>(RG_VIA)->layers; }
HoleTable* DDM_Open_HoleTable(DdmContext*) { return R<HoleTable>(RG_HOLE); }
HoleTable* DDM_OpenHoleTable(DdmContext*) { return R<HoleTable>(RG_HOLE); }
void DDM_CloseHoleTable(DdmContext*, HoleTable*) {}
DefViaTable* DDM_Open_DefViaTable(DdmContext*) { return R<DefViaTable>(RG_DEFVIA); }
DefViaTable* DDM_OpenDefViaTable(DdmContext*) { return R<DefViaTable>(RG_DEFVIA); }
void DDM_CloseDefViaTable(DdmContext*, DefViaTable*) {}
DefViaLevelTable* DDM_OpenDefViaLevelTable(DdmContext*) { return R<DefViaLevelTable>(RG_DEFVIA_LEVEL); }
LineTable* DDM_Open_LineLineTable(DdmContext*) { return R<LineTable>(RG_LINE); }
LineTable* DDM_Open_PlaneLineTable(DdmContext*) { return R<LineTable>(RG_FILL_LINE); }
TextLineTable* DDM_Open_TextLineTable(DdmContext*) { return R<TextLineTable>(RG_TEXT_LINE); }
InnerTable* DDM_Open_InnerTable(DdmContext*) { return R<InnerTable>(RG_INNER); }
RuleTable* DDM_Open_RuleTable(DdmContext*) { return R<RuleTable>(RG_RULE); }
SystemTable* DDM_Open_SystemTable(DdmContext*) { return R<SystemTable>(RG_SYSTEM); }
SignalTable* DDM_Open_SignalTable(DdmContext*) { return R<SignalTable>(RG_SIGNAL); }
PdsCommon* DDM_Open_PDSCommon(DdmContext*) { return R<PdsCommon>(RG_PDS_COMMON); }
PcbInfData* DDM_Open_PCBInfData(DdmContext*) { return R<PcbInfData>(RG_PCBINF); }
void* DDM_Open_SLIBInfData(DdmContext*) { return RegionPtr(RG_SLIB); }
XWinputParam* DDM_Open_XWinputParam(DdmContext*) { return R<XWinputParam>(RG_XWINPUT); }
DrcParam* DDM_OpenDRCParam(DdmContext*) { return R<DrcParam>(RG_DRC); }
void DDM_UpdateDRCParam(DdmContext*, DrcParam*) {}
void DDM_CloseDRCParam(DdmContext*, DrcParam*) {}
uint16_t* CCC_GetCI(void*) { return R<uint16_t>(RG_CCC_CI); }
int32_t* CCC_GetCL(void*) { return R<int32_t>(RG_CCC_CL); }
char* CCC_GetCC(void*) { return R<char>(RG_CCC_CC); }
char* SYS_GetEnvironName(DdmContext*) { return R<SystemTable>(RG_SYSTEM)->environName; }
void SYS_SetEnvironName(DdmContext*, const char* name)
{
    char* to = R<SystemTable>(RG_SYSTEM)->environName;
    std::memset(to, 0, 32);
    if (name) std::strncpy(to, name, 31);
}

// ---- Levels -----------------------------------------------------------------------
LevelTable* TLV_Get_TlvClass(void) { return Tlv(); }
int TLV_Get_Level_UseNum(LevelTable* t) { return (t ? t : Tlv())->levelUseNum; }
int TLV_Get_Level_DispNum(LevelTable* t) { return (t ? t : Tlv())->levelDispNum; }
int TLV_Get_Layer_UseNum(LevelTable* t) { return (t ? t : Tlv())->layerUseNum; }
void TLV_Set_Layer_UseNum(LevelTable* t, int n) { (t ? t : Tlv())->layerUseNum = n; }
short TLV_GetActiveLevel(LevelTable* t) { return (t ? t : Tlv())->activeLevel; }
void TLV_SetActiveLevel(LevelTable* t, short level) { (t ? t : Tlv())->activeLevel = level; }
int TLV_GetSwapLevel(LevelTable* t, int level)
{
    LevelExtra* e = Extra(t, level);
    return e && e->swapLevel > 0 ? e->swapLevel : level;
}
char* TLV_Get_LevelName(LevelTable* t, int level)
{
    return LevelOk(level) ? (t ? t : Tlv())->entry[level].name : s_empty;
}
short TLV_Get_Layer(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->layer : 0; }
short TLV_Get_DispSts(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->dispSts : (short)0x8000; }
uint32_t TLV_Get_DispColor(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->color : 0; }
int TLV_GetLevCode_DatType(LevelTable* t, int level)
{
    return LevelOk(level) ? (t ? t : Tlv())->entry[level].kind & 15 : 0;
}
int TLV_GetLevCode_LevType(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->levType : 0; }
int TLV_GetLevelCode(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->levelCode : 0; }
int TLV_GetViaLayerIdx(LevelTable* t, int level)
{
    return LevelOk(level) ? (t ? t : Tlv())->entry[level].viaLayer : 0;
}
int TLV_Get_DrcMode(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->drcMode : 0; }
int TLV_Get_DrcRule(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->drcRule : 0; }
int TLV_GetPosiNega(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->posiNega : 0; }
int TLV_CheckLevelLock(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->lock : 0; }
uint32_t TLV_GetLevStatus(LevelTable* t, int level) { LevelExtra* e = Extra(t, level); return e ? e->levStatus : 0; }
void TLV_SetLevStatus(LevelTable* t, int level, uint32_t bits)
{
    if (LevelExtra* e = Extra(t, level)) e->levStatus |= bits;
}
void TLV_ClearLevStatus(LevelTable* t, int level, uint32_t mask)
{
    if (LevelExtra* e = Extra(t, level)) e->levStatus &= ~mask;
}
int TLV_GetSigListLevel(DdmContext*, uint32_t mark, int k)
{
    LevelTable* t = Tlv();
    for (int level = 1; level <= TBL_MAX_LEVEL && level <= t->levelUseNum; ++level)
        if ((t->extra[level].levStatus & mark) && --k <= 0) return level;
    return 0;
}
void TLV_ViaLayerNoInit(DdmContext*)
{
    // Each level's VIA-layer entry: the VIA layer whose pad level it is.
    LevelTable* t = Tlv();
    ViaLayerTable* layers = &R<ViaTable>(RG_VIA)->layers;
    for (int level = 0; level <= TBL_MAX_LEVEL; ++level)
        t->entry[level].viaLayer = TVT_ViaLayerTbl_LevelCheck(layers, level);
}

// ---- Line tables ---------------------------------------------------------------------
LineTable* TLL_Get_TllClass(void) { return R<LineTable>(RG_LINE); }
int TLL_Get_ZLinTbl_UseNum(LineTable* t) { return t->useNum; }
int TLL_Get_ZLinTbl_DispNum(LineTable* t) { return t->dispNum; }
int TLL_Get_ZLinWidth(LineTable* t, int n) { return LineOk(n) ? t->entry[n].width : 0; }
int TLL_Get_AptNo(LineTable* t, int n) { return LineOk(n) ? t->entry[n].aptNo : 0; }
int TLL_GetLineType(void* p, int n) { return LineOk(n) ? LineOf(p, RG_LINE)->entry[n].lineType : 0; }
int TLL_GetShapeDistance(void* p, int n, int k)
{
    return LineOk(n) && k >= 0 && k < 3 ? LineOf(p, RG_LINE)->entry[n].dash[k] : 0;
}
int TLL_GetDispMode(void* p, int n) { return LineOk(n) ? LineOf(p, RG_LINE)->entry[n].dispMode : 0; }
int TLL_GetTantenKeijyou(LineTable* t, int n) { return LineOk(n) ? t->entry[n].tanten : 0; }
uint32_t TLL_Get_ZLinTbl_color(LineTable* t, int n) { return LineOk(n) ? t->entry[n].color : 0; }
int TLL_Get_ZLinTbl_LineTblNo(LineTable* t, int n) { return LineOk(n) ? t->entry[n].tblNo : 0; }
char* TLL_Get_ZLinTbl_Name(LineTable* t, int n) { return LineOk(n) ? t->entry[n].name : s_empty; }
int TLL_Get_ZLinTbl_LineType(LineTable* t, int n) { return LineOk(n) ? t->entry[n].lineType : 0; }
int TLL_Get_ZLinTbl_LineSw(LineTable* t, int n) { return LineOk(n) ? t->entry[n].lineSw : 0; }
int TLL_GetLevTypeHighUse(LineTable* t, int i) { return LineOk(i) ? t->entry[i].highUse : 0; }
int TLL_GetActiveLTblNo(LineTable* t) { return t->activeNo; }
void tLL_SetActiveLTblNo(LineTable* t, int n) { t->activeNo = n; }

LineTable* TPL_Get_TplClass(void) { return R<LineTable>(RG_FILL_LINE); }
int TPL_Get_PlnTbl_UseNum(LineTable* t) { return t->useNum; }
int TPL_Get_PlnTbl_DispNum(LineTable* t) { return t->dispNum; }
int TPL_GetLineWidth(LineTable* t, int n) { return LineOk(n) ? t->entry[n].width : 0; }
int TPL_Get_AptNo(LineTable* t, int n) { return LineOk(n) ? t->entry[n].aptNo : 0; }
int TPL_GetTantenKeijyou(LineTable* t, int n) { return LineOk(n) ? t->entry[n].tanten : 0; }
uint32_t TPL_Get_PlnTblDsts_color(LineTable* t, int n, int level)
{
    return LineOk(n) ? t->entry[n].color & 0xFFFF : 0;
}
int TPL_GetDispMode(void* p, int n) { return LineOk(n) ? LineOf(p, RG_FILL_LINE)->entry[n].dispMode : 0; }
int TPL_Get_PlnTblPlnType(LineTable* t, int n) { return LineOk(n) ? t->entry[n].lineType : 0; }
int TPL_Get_PlnTblSw(LineTable* t, int n) { return LineOk(n) ? t->entry[n].lineSw : 0; }
char* TPL_Get_PlnTblName(LineTable* t, int n) { return LineOk(n) ? t->entry[n].name : s_empty; }
int TPL_Get_PlnTblPlnLineNo(LineTable* t, int n) { return LineOk(n) ? t->entry[n].tblNo : 0; }
void tPL_SetActiveLTblNo(LineTable* t, int n) { t->activeNo = n; }

// ---- Text lines ------------------------------------------------------------------------
TextLineTable* TTL_Get_TtlClass(void) { return R<TextLineTable>(RG_TEXT_LINE); }
int TTL_Get_TLtbl_UseNum(TextLineTable* t) { return t->useNum; }
int TTL_Get_TLtbl_DispNum(TextLineTable* t) { return t->dispNum; }
int TTL_Get_TextLinWidth(TextLineTable* t, int n) { return TextLineOk(n) ? t->entry[n].width : 0; }
int TTL_Get_AptNo(TextLineTable* t, int n) { return TextLineOk(n) ? t->entry[n].aptNo : 0; }
int TTL_GetFontGap(void* p, int n) { return TextLineOk(n) ? TextLineOf(p)->entry[n].fontGap : 0; }
double TTL_GetWidthScale(void* p, int n)
{
    double s = TextLineOk(n) ? TextLineOf(p)->entry[n].widthScale : 0.0;
    return s > 0 ? s : 1.0;
}
int TTL_GetDispMode(void* p, int n) { return TextLineOk(n) ? TextLineOf(p)->entry[n].dispMode : 0; }
uint32_t TTL_Get_TLtblDsts_color(TextLineTable* t, int n, int level)
{
    return TextLineOk(n) ? t->entry[n].color & 0xFFFF : 0;
}
int TTL_Get_TLtblTxtTblNo(TextLineTable* t, int n) { return TextLineOk(n) ? t->entry[n].tblNo : 0; }
int TTL_Get_TLtblTxtHeight(TextLineTable* t, int n) { return TextLineOk(n) ? t->entry[n].height : 0; }
int TTL_Get_TLtblTxtType(TextLineTable* t, int n) { return TextLineOk(n) ? t->entry[n].type : 0; }
int TTL_Get_TLtblTxtSw(TextLineTable* t, int n) { return TextLineOk(n) ? t->entry[n].sw : 0; }
char* TTL_Get_TLtblName(TextLineTable* t, int n) { return TextLineOk(n) ? t->entry[n].name : s_empty; }
int TTL_GetLevTypeHighUse(TextLineTable* t, int i) { return TextLineOk(i) ? t->entry[i].highUse : 0; }
int TTL_GetActiveLTblNo(TextLineTable* t) { return t->activeNo; }
void tTL_SetActiveLTblNo(TextLineTable* t, int n) { t->activeNo = n; }
int Get_TextLine_Size(int n) { return TTL_Get_TextLinWidth(TTL_Get_TtlClass(), n); }

// ---- Sizes --------------------------------------------------------------------------------
SizeTable* TSZ_Get_TszClass(void) { return R<SizeTable>(RG_SIZE); }
SizeEntry* TSZ_Get_TszTblRec(SizeTable* t, int n)
{
    return n >= 0 && n <= TBL_MAX_SIZE ? &(t ? t : TSZ_Get_TszClass())->entry[n] : nullptr;
}
int TSZ_Get_LinTbl_UseNum(SizeTable* t) { return t->useNum; }
int TSZ_Get_TszTbl_DispNum(SizeTable* t) { return t->dispNum; }
uint64_t TSZ_Get_OutWidthXY(const SizeEntry* e)
{
    if (!e) return 0;
    return Pack(e->outX, e->outY ? e->outY : e->outX);
}
uint64_t TSZ_Get_InsideWidthXY(const SizeEntry* e)
{
    if (!e) return 0;
    return Pack(e->inX, e->inY ? e->inY : e->inX);
}
int TSZ_Get_ShpCode(const SizeEntry* e) { return e ? e->shape : 0; }
int TSZ_Get_Classification(const SizeEntry* e) { return e ? (e->flags >> 2) & 7 : 0; }
int TSZ_Get_Expenditure(const SizeEntry* e) { return e ? e->flags & 3 : 0; }
uint64_t TSZ_GetMaxSize(SizeTable* t)
{
    int32_t w = 0, h = 0;
    for (int n = 1; n <= TBL_MAX_SIZE && n <= t->useNum; ++n) {
        int32_t x = t->entry[n].outX, y = t->entry[n].outY ? t->entry[n].outY : x;
        w = Hi(w, x);
        h = Hi(h, y);
    }
    return Pack(w, h);
}

// ---- VIAs ---------------------------------------------------------------------------------
ViaTable* TVT_Get_TvtClass(void) { return R<ViaTable>(RG_VIA); }
int TVT_Get_ViaTbl_UseNum(ViaTable* t) { return t->useNum; }
int TVT_Get_ViaTbl_DispNum(ViaTable* t) { return t->dispNum; }
ViaDef* TVT_Get_QZViaTblRec(ViaTable* t, int viaNo, int layer)
{
    return viaNo >= 0 && viaNo <= TBL_MAX_VIA ? &(t ? t : TVT_Get_TvtClass())->def[viaNo] : nullptr;
}
int TVT_Get_DrlNo(const ViaDef* d) { return d ? (int)d->drillNo : 0; }
int TVT_Get_AptNo(const ViaDef* d, int j)
{
    return d && j >= 0 && j <= VIA_LAYERS ? (int)(d->apt[j] & 0x0FFFFFFF) : 0;
}
int TVT_Get_AptNo_Level(ViaLayerTable* layers, const ViaDef* d, int level)
{
    int n = TVT_ViaLayerTbl_LevelCheck(layers, level);
    return n > 0 ? TVT_Get_AptNo(d, n) : 0;
}
uint32_t TVT_MakeAptNo(int assign, int statePlus1, int size)
{
    return 0x80000000u | ((uint32_t)(statePlus1 & 7) << 28) | ((uint32_t)size & 0x0FFFFFFF);
}
int TVT_Get_DefViaNo(const ViaDef* d) { return d ? d->defViaNo : 0; }
int TVT_Get_SetMode(const ViaDef* d) { return d ? d->setMode : 0; }
short TVT_Get_QZVia_DspLevel(ViaTable* t, int slot) { return slot >= 0 && slot < 6 ? t->dspLevel[slot] : 0; }
uint32_t TVT_Get_QZVia_DspCol(ViaTable* t, int slot) { return slot >= 0 && slot < 6 ? t->dspColor[slot] : 0; }
int TVT_Get_ActiveQZViaNo(ViaTable* t) { return t->activeNo; }
void TVT_Set_ActiveQZViaNo(ViaTable* t, int n) { t->activeNo = n; }
ViaLayerTable* TVT_Get_TvtViaLayerTbl(ViaTable* t) { return &(t ? t : TVT_Get_TvtClass())->layers; }
int TVT_ViaLayerTbl_LevelCheck(ViaLayerTable* layers, int level)
{
    if (!layers || level <= 0) return 0;
    for (int i = 0; i < VIA_LAYERS; ++i)
        if (layers->entry[i].useCount >= 1 && layers->entry[i].padLevel == level) return i + 1;
    return 0;
}
ViaLayerEntry* TVT_GetViaLayerRec(ViaLayerTable* layers, int n)
{
    return layers && n >= 1 && n <= VIA_LAYERS ? &layers->entry[n - 1] : nullptr;
}
short TVT_GetViaLayerLayerNo(const ViaLayerEntry* e) { return e ? e->layerNo : 0; }
int TVT_GetViaLayerDatLevCode(const ViaLayerEntry* e) { return e ? e->datLevCode : 0; }
char* TVT_GetViaLayerViaLevName(ViaLayerEntry* e) { return e ? e->name : s_empty; }
uint32_t TVT_GetViaLayerColor(const ViaLayerEntry* e) { return e ? e->color : 0; }
int TVT_GetViaLayerTblNo(const ViaLayerEntry* e) { return e ? e->tblNo : 0; }
int TVT_GetViaLayerDefViaLevNo(const ViaLayerEntry* e) { return e ? e->defViaLevNo : 0; }
uint64_t TVT_GetFlashSize(DdmContext* ctx, int viaNo, int)
{
    return PDV_GetViaMaxSize(ctx, viaNo) & 0xFFFFFFFFu;
}
uint64_t TVT_GetHoleSize(DdmContext* ctx, int viaNo, int)
{
    const ViaDef* d = TVT_Get_QZViaTblRec(nullptr, viaNo);
    const HoleEntry* h = d ? THL_Get_HoleTblRec(ctx, (int)d->drillNo) : nullptr;
    return h ? (uint32_t)h->sizeX : 0;
}
uint64_t TVT_GetHoleSize2(DdmContext* ctx, int viaNo, int layer)
{
    const ViaDef* d = TVT_Get_QZViaTblRec(nullptr, viaNo);
    const HoleEntry* h = d ? THL_Get_HoleTblRec(ctx, (int)d->drillNo) : nullptr;
    bool spans = h && (h->fromLayer <= 0 || h->toLayer <= 0 ||
                       (layer >= Lo(h->fromLayer, h->toLayer) && layer <= Hi(h->fromLayer, h->toLayer)));
    if (!spans || h->sizeX <= 0) return Pack(-1, -1);
    return Pack(h->sizeX, h->sizeY);
}
int TVT_GetPosiNega(DdmContext*, const ViaLayerEntry* e)
{
    return e && TLV_GetPosiNega(nullptr, e->padLevel) ? 1 : 0;
}

DefViaEntry* TDV_Get_DefViaTblRec(DefViaTable* t, int n)
{
    return n >= 0 && n <= TBL_MAX_DEFVIA ? &(t ? t : R<DefViaTable>(RG_DEFVIA))->entry[n] : nullptr;
}
int TDV_Get_DefViaTbl_UseNum(DefViaTable* t) { return t->useNum; }
int TDV_Get_DefViaTbl_DispNum(DefViaTable* t) { return t->dispNum; }
int TDV_GetAptNo(const DefViaEntry* e, int slot, int variant)
{
    if (!e || slot < 1 || slot > 16 || variant < 0 || variant > 3) return 0;
    return e->land[slot - 1][variant];
}
int TDV_GetDrillNo(const DefViaEntry* e, int i) { return e && i >= 0 && i < 32 ? e->drill[i] : 0; }
int TDV_GetDefViaNo(const DefViaEntry* e) { return e ? e->number : 0; }
int TDV_GetDBcno(const DefViaEntry* e) { return e ? e->dbcNo : 0; }
uint32_t TDV_GetColor(const DefViaEntry* e) { return e ? e->color : 0; }
char* TDV_GetDefViaName(DefViaEntry* e) { return e ? e->name : s_empty; }
int TDV_GetActiveDefViaNo(DefViaTable* t) { return t->activeNo; }
void TDV_SetActiveDefViaNo(DefViaTable* t, int n) { t->activeNo = n; }

// ---- Holes and rules ----------------------------------------------------------------------
HoleEntry* THL_Get_HoleTblRec(DdmContext*, int drill)
{
    return drill >= 1 && drill <= TBL_MAX_HOLE ? &R<HoleTable>(RG_HOLE)->entry[drill] : nullptr;
}
uint64_t THL_GetHoleSize(DdmContext*, const HoleEntry* e) { return e ? Pack(e->sizeX, e->sizeY) : 0; }
int THL_GetFromLayer(DdmContext*, const HoleEntry* e) { return e ? e->fromLayer : 0; }
int THL_GetToLayer(DdmContext*, const HoleEntry* e) { return e ? e->toLayer : 0; }
int THL_GetHoleType(DdmContext*, const HoleEntry* e) { return e ? (int)(e->kindShape & 0xFFF) : 0; }
int THL_GetHoleShpCode(DdmContext*, const HoleEntry* e) { return e ? (int)((e->kindShape >> 8) & 15) : 0; }
int THL_GetHoleNo(DdmContext*, const HoleEntry* e) { return e ? (int)e->number : 0; }
int THL_Get_HoleTbl_DispNum(HoleTable* t) { return t->dispNum; }
int THL_GetHoleToolNo(DdmContext*, const HoleEntry* e) { return e ? e->toolNo : 0; }
int THL_GetHoleDBcno(DdmContext*, const HoleEntry* e) { return e ? e->dbcNo : 0; }
char* THL_GetHoleName(DdmContext*, HoleEntry* e) { return e ? e->name : s_empty; }
uint32_t THL_GetHoleColor(DdmContext*, const HoleEntry* e) { return e ? e->color : 0; }

int TRL_MakeClearanceCode(int base, int fromKind, int toKind)
{
    return base | ((fromKind & 0xFFF) << 12) | (toKind & 0xFFF);
}

// ---- System table and display settings -------------------------------------------------
int SYS_GetTblMax(DdmContext*, int code)
{
    switch (code) {
    case 8240: return TBL_MAX_LEVEL;
    case 8256: return TBL_MAX_SIZE;
    case 8272: return TBL_MAX_HOLE;
    case 8288: return TBL_MAX_DEFVIA;
    case 8304: return TBL_MAX_VIA;
    case 8320: return TBL_MAX_LINE;
    case 8336: return TBL_MAX_LINE;
    case 8352: return TBL_MAX_TEXTLINE;
    case 8368: return TBL_MAX_RULE;
    default: return 0;
    }
}
static SystemTable* Sys() { return R<SystemTable>(RG_SYSTEM); }
int SYS_GetFigPlaneMethod_Offset(DdmContext*) { return Sys()->figPlaneOffset; }
void SYS_SetFigPlaneMethod_Offset(DdmContext*, int f) { Sys()->figPlaneOffset = f; }
int SYS_GetFigPlaneMethod_PointMax(DdmContext*) { return Sys()->figPlanePointMax; }
int SYS_GetPlaneDrc_OnOff(void*) { return Sys()->planeDrcOnOff; }
void SYS_SetPlaneDrc_OnOff(void*, int f) { Sys()->planeDrcOnOff = f; }
int SYS_GetPlaneDrc_ShortLineCheck(void*) { return Sys()->planeDrcShortLine; }
void SYS_SetPlaneDrc_ShortLineCheck(void*, int f) { Sys()->planeDrcShortLine = f; }

static DisplaySettings* Win() { return R<DisplaySettings>(RG_DISPLAY); }
int WIN_GetPlaneDispMode(DdmContext*) { return Win()->planeDispMode; }
void WIN_SetPlaneDispMode(DdmContext*, int m) { Win()->planeDispMode = m; }
int WIN_GetLineDispMode(DdmContext*) { return Win()->lineDispMode; }
void WIN_SetLineDispMode(DdmContext*, int m) { Win()->lineDispMode = m; }
int WIN_GetTextDispMode(DdmContext*) { return Win()->textDispMode; }
void WIN_SetTextDispMode(DdmContext*, int m) { Win()->textDispMode = m; }
int WIN_GetViaDispMode(DdmContext*) { return Win()->viaDispMode; }
void WIN_SetViaDispMode(DdmContext*, int m) { Win()->viaDispMode = m; }
int WIN_GetThermalDispMode1(DdmContext*) { return Win()->thermalDispMode1; }
void WIN_SetThermalDispMode1(DdmContext*, int m) { Win()->thermalDispMode1 = m; }
int WIN_GetThermalDispMode2(DdmContext*) { return Win()->thermalDispMode2; }
void WIN_SetThermalDispMode2(DdmContext*, int v) { Win()->thermalDispMode2 = v; }

}
