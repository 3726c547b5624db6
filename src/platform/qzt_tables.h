// The design's tables: class accessors, the DDM_Open_* openers and the
// getters of each family. Each table is one record of the open design
// (layout_tables.h); the accessors and openers return the same record, which
// stays valid after DDM_Close. Numbers outside a table give 0 (or null).
#pragma once
#include <cstdint>

#include "platform/layout_design.h"
#include "platform/layout_env.h"
#include "platform/layout_tables.h"
#include "platform/layout_xwinput.h"

extern "C" {

// ---- Openers -----------------------------------------------------------------------
LevelTable* DDM_Open_LevelTable(DdmContext* ctx);
LevelTable* DDM_OpenLevelTable(DdmContext* ctx);
ViaTable* DDM_Open_ViaTable(DdmContext* ctx);
ViaLayerTable* DDM_OpenViaLayerTable(DdmContext* ctx);
HoleTable* DDM_Open_HoleTable(DdmContext* ctx);
HoleTable* DDM_OpenHoleTable(DdmContext* ctx);
void DDM_CloseHoleTable(DdmContext* ctx, HoleTable* table);
DefViaTable* DDM_Open_DefViaTable(DdmContext* ctx);
DefViaTable* DDM_OpenDefViaTable(DdmContext* ctx);
void DDM_CloseDefViaTable(DdmContext* ctx, DefViaTable* table);
DefViaLevelTable* DDM_OpenDefViaLevelTable(DdmContext* ctx);
LineTable* DDM_Open_LineLineTable(DdmContext* ctx);
LineTable* DDM_Open_PlaneLineTable(DdmContext* ctx);
// The text-line table record (the same as TTL_Get_TtlClass).
TextLineTable* DDM_Open_TextLineTable(DdmContext* ctx);
InnerTable* DDM_Open_InnerTable(DdmContext* ctx);
RuleTable* DDM_Open_RuleTable(DdmContext* ctx);
SystemTable* DDM_Open_SystemTable(DdmContext* ctx);
SignalTable* DDM_Open_SignalTable(DdmContext* ctx);
PdsCommon* DDM_Open_PDSCommon(DdmContext* ctx);
PcbInfData* DDM_Open_PCBInfData(DdmContext* ctx);
void* DDM_Open_SLIBInfData(DdmContext* ctx);
XWinputParam* DDM_Open_XWinputParam(DdmContext* ctx);
// The DRC parameter block, never 0 for an open design.
DrcParam* DDM_OpenDRCParam(DdmContext* ctx);
void DDM_UpdateDRCParam(DdmContext* ctx, DrcParam* block);
void DDM_CloseDRCParam(DdmContext* ctx, DrcParam* block);
// Predecessor settings blocks (CCC_CI_SIZE, CCC_CL_SIZE, CCC_CC_SIZE bytes).
uint16_t* CCC_GetCI(void* hDesign);
int32_t* CCC_GetCL(void* hDesign);
char* CCC_GetCC(void* hDesign);
char* SYS_GetEnvironName(DdmContext* ctx);
void SYS_SetEnvironName(DdmContext* ctx, const char* name);

// ---- Levels (TLV_) -----------------------------------------------------------------
LevelTable* TLV_Get_TlvClass(void);
int TLV_Get_Level_UseNum(LevelTable* t);
int TLV_Get_Level_DispNum(LevelTable* t);
int TLV_Get_Layer_UseNum(LevelTable* t);
void TLV_Set_Layer_UseNum(LevelTable* t, int n);
short TLV_GetActiveLevel(LevelTable* t);
void TLV_SetActiveLevel(LevelTable* t, short level);
int TLV_GetSwapLevel(LevelTable* t, int level);
char* TLV_Get_LevelName(LevelTable* t, int level);
short TLV_Get_Layer(LevelTable* t, int level);
short TLV_Get_DispSts(LevelTable* t, int level);
uint32_t TLV_Get_DispColor(LevelTable* t, int level);
// Data type 0-15 (the low four bits of the level's kind word); callers that
// name the level alone pass TLV_Get_TlvClass() as the table.
int TLV_GetLevCode_DatType(LevelTable* t, int level);
int TLV_GetLevCode_LevType(LevelTable* t, int level);
int TLV_GetLevelCode(LevelTable* t, int level);
int TLV_GetViaLayerIdx(LevelTable* t, int level);
int TLV_Get_DrcMode(LevelTable* t, int level);
int TLV_Get_DrcRule(LevelTable* t, int level);
int TLV_GetPosiNega(LevelTable* t, int level);
int TLV_CheckLevelLock(LevelTable* t, int level);
uint32_t TLV_GetLevStatus(LevelTable* t, int level);
void TLV_SetLevStatus(LevelTable* t, int level, uint32_t bits);
void TLV_ClearLevStatus(LevelTable* t, int level, uint32_t mask);
// The level of the k-th level (from 1) whose status carries `mark`, 0 when none.
int TLV_GetSigListLevel(DdmContext* ctx, uint32_t mark, int k);
void TLV_ViaLayerNoInit(DdmContext* ctx);

// ---- Line tables (TLL_ figure and signal lines, TPL_ fill lines) -----------------------
LineTable* TLL_Get_TllClass(void);
int TLL_Get_ZLinTbl_UseNum(LineTable* t);
int TLL_Get_ZLinTbl_DispNum(LineTable* t);
int TLL_Get_ZLinWidth(LineTable* t, int lineNo);
int TLL_Get_AptNo(LineTable* t, int lineNo);
int TLL_GetLineType(void* ctxOrTable, int lineNo);
int TLL_GetShapeDistance(void* ctxOrTable, int lineNo, int k);
int TLL_GetDispMode(void* ctxOrTable, int lineNo);
int TLL_GetTantenKeijyou(LineTable* t, int lineNo);
uint32_t TLL_Get_ZLinTbl_color(LineTable* t, int lineNo);
int TLL_Get_ZLinTbl_LineTblNo(LineTable* t, int lineNo);
char* TLL_Get_ZLinTbl_Name(LineTable* t, int lineNo);
int TLL_Get_ZLinTbl_LineType(LineTable* t, int lineNo);
int TLL_Get_ZLinTbl_LineSw(LineTable* t, int lineNo);
int TLL_GetLevTypeHighUse(LineTable* t, int i);
int TLL_GetActiveLTblNo(LineTable* t);
void tLL_SetActiveLTblNo(LineTable* t, int n);

LineTable* TPL_Get_TplClass(void);
int TPL_Get_PlnTbl_UseNum(LineTable* t);
int TPL_Get_PlnTbl_DispNum(LineTable* t);
int TPL_GetLineWidth(LineTable* t, int n);
int TPL_Get_AptNo(LineTable* t, int n);
int TPL_GetTantenKeijyou(LineTable* t, int n);
uint32_t TPL_Get_PlnTblDsts_color(LineTable* t, int n, int level);
int TPL_GetDispMode(void* ctxOrTable, int n);
int TPL_Get_PlnTblPlnType(LineTable* t, int n);
int TPL_Get_PlnTblSw(LineTable* t, int n);
char* TPL_Get_PlnTblName(LineTable* t, int n);
int TPL_Get_PlnTblPlnLineNo(LineTable* t, int n);
void tPL_SetActiveLTblNo(LineTable* t, int n);

// ---- Text lines (TTL_) ---------------------------------------------------------------
TextLineTable* TTL_Get_TtlClass(void);
int TTL_Get_TLtbl_UseNum(TextLineTable* t);
int TTL_Get_TLtbl_DispNum(TextLineTable* t);
int TTL_Get_TextLinWidth(TextLineTable* t, int n);
int TTL_Get_AptNo(TextLineTable* t, int n);
int TTL_GetFontGap(void* ctxOrTable, int n);
double TTL_GetWidthScale(void* ctxOrTable, int n);
int TTL_GetDispMode(void* ctxOrTable, int n);
uint32_t TTL_Get_TLtblDsts_color(TextLineTable* t, int n, int level);
int TTL_Get_TLtblTxtTblNo(TextLineTable* t, int n);
int TTL_Get_TLtblTxtHeight(TextLineTable* t, int n);
int TTL_Get_TLtblTxtType(TextLineTable* t, int n);
int TTL_Get_TLtblTxtSw(TextLineTable* t, int n);
char* TTL_Get_TLtblName(TextLineTable* t, int n);
int TTL_GetLevTypeHighUse(TextLineTable* t, int i);
int TTL_GetActiveLTblNo(TextLineTable* t);
void tTL_SetActiveLTblNo(TextLineTable* t, int n);
int Get_TextLine_Size(int n);

// ---- Sizes (TSZ_) ----------------------------------------------------------------------
SizeTable* TSZ_Get_TszClass(void);
SizeEntry* TSZ_Get_TszTblRec(SizeTable* t, int n);
int TSZ_Get_LinTbl_UseNum(SizeTable* t);
int TSZ_Get_TszTbl_DispNum(SizeTable* t);
// Packed outer width: X low 32 bits, Y high (a missing Y takes X).
uint64_t TSZ_Get_OutWidthXY(const SizeEntry* e);
uint64_t TSZ_Get_InsideWidthXY(const SizeEntry* e);
int TSZ_Get_ShpCode(const SizeEntry* e);
int TSZ_Get_Classification(const SizeEntry* e);
int TSZ_Get_Expenditure(const SizeEntry* e);
// Largest outer width and height over the table, packed.
uint64_t TSZ_GetMaxSize(SizeTable* t);

// ---- VIAs (TVT_), defined VIAs (TDV_), holes (THL_), rules (TRL_) -----------------------
ViaTable* TVT_Get_TvtClass(void);
int TVT_Get_ViaTbl_UseNum(ViaTable* t);
int TVT_Get_ViaTbl_DispNum(ViaTable* t);
ViaDef* TVT_Get_QZViaTblRec(ViaTable* t, int viaNo, int layer = 0);
int TVT_Get_DrlNo(const ViaDef* d);
// Size number on VIA layer index 0-128 (the low 28 bits of the size word).
int TVT_Get_AptNo(const ViaDef* d, int layerIndex);
// Size number of a VIA on a level; 0 or less = no pad.
int TVT_Get_AptNo_Level(ViaLayerTable* layers, const ViaDef* d, int level);
uint32_t TVT_MakeAptNo(int assign, int statePlus1, int size);
int TVT_Get_DefViaNo(const ViaDef* d);
int TVT_Get_SetMode(const ViaDef* d);
short TVT_Get_QZVia_DspLevel(ViaTable* t, int slot);
uint32_t TVT_Get_QZVia_DspCol(ViaTable* t, int slot);
int TVT_Get_ActiveQZViaNo(ViaTable* t);
void TVT_Set_ActiveQZViaNo(ViaTable* t, int n);
ViaLayerTable* TVT_Get_TvtViaLayerTbl(ViaTable* t);
// VIA layer number 1-128 whose pad level is `level`, 0 when none.
int TVT_ViaLayerTbl_LevelCheck(ViaLayerTable* layers, int level);
ViaLayerEntry* TVT_GetViaLayerRec(ViaLayerTable* layers, int n);
short TVT_GetViaLayerLayerNo(const ViaLayerEntry* e);
int TVT_GetViaLayerDatLevCode(const ViaLayerEntry* e);
char* TVT_GetViaLayerViaLevName(ViaLayerEntry* e);
uint32_t TVT_GetViaLayerColor(const ViaLayerEntry* e);
int TVT_GetViaLayerTblNo(const ViaLayerEntry* e);
int TVT_GetViaLayerDefViaLevNo(const ViaLayerEntry* e);
// Low 32 bits: the outer width of the VIA's largest pad / its hole size
// (the third argument is not read).
uint64_t TVT_GetFlashSize(DdmContext* ctx, int viaNo, int unused);
uint64_t TVT_GetHoleSize(DdmContext* ctx, int viaNo, int unused);
// Packed hole X/Y of a VIA on a physical layer; (-1, -1) when it has no hole
// there.
uint64_t TVT_GetHoleSize2(DdmContext* ctx, int viaNo, int layer);
// 0 when the VIA layer's pad level is positive, 1 when negative.
int TVT_GetPosiNega(DdmContext* ctx, const ViaLayerEntry* e);

DefViaEntry* TDV_Get_DefViaTblRec(DefViaTable* t, int n);
int TDV_Get_DefViaTbl_UseNum(DefViaTable* t);
int TDV_Get_DefViaTbl_DispNum(DefViaTable* t);
// Size number of land slot `slot` (1-16) in variant 0-3.
int TDV_GetAptNo(const DefViaEntry* e, int slot, int variant);
int TDV_GetDrillNo(const DefViaEntry* e, int i = 0);
int TDV_GetDefViaNo(const DefViaEntry* e);
int TDV_GetDBcno(const DefViaEntry* e);
uint32_t TDV_GetColor(const DefViaEntry* e);
char* TDV_GetDefViaName(DefViaEntry* e);
int TDV_GetActiveDefViaNo(DefViaTable* t);
void TDV_SetActiveDefViaNo(DefViaTable* t, int n);

HoleEntry* THL_Get_HoleTblRec(DdmContext* ctx, int drill);
// Packed hole size X low, Y high.
uint64_t THL_GetHoleSize(DdmContext* ctx, const HoleEntry* e);
int THL_GetFromLayer(DdmContext* ctx, const HoleEntry* e);
int THL_GetToLayer(DdmContext* ctx, const HoleEntry* e);
int THL_GetHoleType(DdmContext* ctx, const HoleEntry* e);
int THL_GetHoleShpCode(DdmContext* ctx, const HoleEntry* e);
int THL_GetHoleNo(DdmContext* ctx, const HoleEntry* e);
int THL_Get_HoleTbl_DispNum(HoleTable* t);
int THL_GetHoleToolNo(DdmContext* ctx, const HoleEntry* e);
int THL_GetHoleDBcno(DdmContext* ctx, const HoleEntry* e);
char* THL_GetHoleName(DdmContext* ctx, HoleEntry* e);
uint32_t THL_GetHoleColor(DdmContext* ctx, const HoleEntry* e);

int TRL_MakeClearanceCode(int base, int fromKind, int toKind);

// ---- System table and display settings ------------------------------------------------
// Capacity of a table by its code: 8240 level, 8256 size, 8272 hole, 8288
// defined VIA, 8304 VIA, 8320 line, 8336 fill line, 8352 text line, 8368 rule.
int SYS_GetTblMax(DdmContext* ctx, int code);
int SYS_GetFigPlaneMethod_Offset(DdmContext* ctx);
void SYS_SetFigPlaneMethod_Offset(DdmContext* ctx, int flag);
int SYS_GetFigPlaneMethod_PointMax(DdmContext* ctx);
int SYS_GetPlaneDrc_OnOff(void* ctx);
void SYS_SetPlaneDrc_OnOff(void* ctx, int flag);
int SYS_GetPlaneDrc_ShortLineCheck(void* ctx);
void SYS_SetPlaneDrc_ShortLineCheck(void* ctx, int flag);

int WIN_GetPlaneDispMode(DdmContext* ctx);
void WIN_SetPlaneDispMode(DdmContext* ctx, int mode);
int WIN_GetLineDispMode(DdmContext* ctx);
void WIN_SetLineDispMode(DdmContext* ctx, int mode);
int WIN_GetTextDispMode(DdmContext* ctx);
void WIN_SetTextDispMode(DdmContext* ctx, int mode);
int WIN_GetViaDispMode(DdmContext* ctx);
void WIN_SetViaDispMode(DdmContext* ctx, int mode);
int WIN_GetThermalDispMode1(DdmContext* ctx);
void WIN_SetThermalDispMode1(DdmContext* ctx, int mode);
int WIN_GetThermalDispMode2(DdmContext* ctx);
void WIN_SetThermalDispMode2(DdmContext* ctx, int value);

}
