// The environment of the open design (ENV_GetENVClass): its accessors. Most
// take the environment record; those marked "ctx" take the database context,
// and every accessor accepts either (both name the one open design's record).
// Fields the callers read in place are in layout_env.h.
#pragma once
#include <cstdint>

#include "platform/layout_env.h"

extern "C" {

EnvRecord* ENV_GetENVClass(void);

// Design path pair: folder char[260] (ending in a backslash) then the file
// name without extension char[260].
char* ENV_GetPCBpathfile(void* env);
void ENV_SetPCBpathfile(void* env, const char* pair);
char* ENV_GetPCBpathname(void* env);
char* ENV_GetPCBfilename(void* env);
void ENV_SetBinPath(void* ctx, const char* folder);
char* ENV_GetTTPpathfile(void* env);

// Board information texts, 15 characters + NUL each.
char* ENV_GetPCBname(void* env);
void ENV_SetPCBname(void* env, const char* text);
char* ENV_GetZuban(void* env);
void ENV_SetZuban(void* env, const char* text);
char* ENV_GetCreateDate(void* env);
void ENV_SetCreateDate(void* env, const char* text);
char* ENV_GetDesigner(void* env);
void ENV_SetDesigner(void* env, const char* text);
char* ENV_GetComment(void* env);
void ENV_SetComment(void* env, const char* text);

void ENV_SetLayers(void* env, int n);
int ENV_GetPinPin_Lines(void* env);
void ENV_SetPinPin_Lines(void* env, int n);
int ENV_GetLineLenMin(void* env);
void ENV_SetLineLenMin(void* env, int units);
// Packed: low 32 bits the upper bound, high 32 bits the lower bound.
uint64_t ENV_GetSizeLimit(void* env, int kind);
void ENV_SetSizeLimit(void* env, int kind, int upper, int lower);
int ENV_GetFraction(void* env);
void ENV_SetFraction(void* env, int decimals);
int ENV_GetTextHeight(void* env);
void ENV_SetTextHeight(void* env, int units);

int ENV_GetAbsZahyou(void* env);
void ENV_SetAbsZahyou(void* env, int on);
int ENV_GetRelZahyou(void* env);
void ENV_SetRelZahyou(void* env, int on);
int ENV_GetAssInZahyou(void* env);
void ENV_SetAssInZahyou(void* env, int on);
// Points are packed: x low 32 bits, y high.
uint64_t ENV_GetRelBasePnt(void* env);
void ENV_SetRelBasePnt(void* env, uint64_t point);
int ENV_GetCursorJump(void* ctx);
void ENV_SetCursorJump(void* ctx, int on);
uint64_t ENV_GetCsrJmpXY(void* ctx);
void ENV_SetCsrJmpXY(void* ctx, uint64_t point);
void ENV_Env_bTantenEnkoON(void* ctx);
void ENV_Env_bTantenEnkoOFF(void);
int ENV_Env_Get_TantenSwich(void* env);
int ENV_GetEdgeCatchMode(void* env);
void ENV_SetEdgeCatchMode(void* env, int mode);
int ENV_GetLeadin(void* env);
void ENV_SetLeadin(void* env, int value);
int ENV_GetEdge(void* env);
void ENV_SetEdge(void* env, int value);
void ENV_SetEdgeEnko(void* env, int value);
int ENV_GetEdgeLeadinInvalid(void* env);
int ENV_GetLock(void* env);
void ENV_SetLock(void* env, int mode);
int ENV_GetLockAngle(void* env);

uint64_t ENV_GetCenter(void* env);
void ENV_SetCenter(void* env, uint64_t point);
double ENV_GetZoom(void* env);
void ENV_SetZoom(void* env, double zoom);
int ENV_GetWinZoom(void* env);
void ENV_SetWinZoom(void* env, int value);
int ENV_GetScaleManualChange(void* env);
void ENV_SetScaleManualChange(void* env, int flag);
int ENV_GetDefRate(void* env);
void ENV_SetDefRate(void* env, int rate);
int ENV_GetViewMode(void* env);
void ENV_SetViewMode(void* env, int mode);
int ENV_GetGridVisible(void* env);
void ENV_SetGridVisible(void* env, int flag);
int ENV_GetGentenVisible(void* env);
void ENV_SetGentenVisible(void* env, int flag);
void ENV_SetDispLevelIgnoreMode(void* ctx, int w2, int mode);
int ENV_GetAssignDisp(void* env);
void ENV_SetAssignDisp(void* env, int value);
void ENV_SetPinNameDisp(void* env, int value);
void ENV_SetRatsDisp(void* env, int value);
int ENV_GetDataDisp(void* env);
void ENV_SetDataDisp(void* env, int value);
int ENV_GetHoleDispMode(void* env);
void ENV_SetHoleDispMode(void* env, int mode);
int ENV_GetPinNoDispMode(void* env);
void ENV_SetPinNoDispMode(void* env, int mode);
int ENV_GetAssignNameHeight(void* env);
void ENV_SetAssignNameHeight(void* env, int value);
int ENV_GetPinNameHeight(void* env);
void ENV_SetPinNameHeight(void* env, int value);
// Seconds; a stored value outside 0.1 to 10 reads as 0.5.
double ENV_GetPopUpTime(void* env);
void ENV_SetPopUpTime(void* env, double seconds);
int ENV_GetDrcParamDisp(void* env);
void ENV_SetDrcParamDisp(void* env, int value);
int ENV_GetLevelCororKeep(void* env);
int ENV_GetNetNameGamenDisp(void* env);
void ENV_SetNetNameGamenDisp(void* env, int flag);
int ENV_GetHaichiIchiran(void* env);
void ENV_SetHaichiIchiran(void* env, int flag);
int ENV_GetLockCopyON(void* env);
void ENV_SetLockCopyON(void* env, int flag);
int ENV_GetViaSymAreaFix(void* envOrCtx);
void ENV_SetViaSymAreaFix(void* env, int flag);
int ENV_GetViaSymAreaLevel(void* envOrCtx);
void ENV_SetViaSymAreaLevel(void* env, int level);
void ENV_SetHDCheckManual(void* env, int on);
void ENV_SetHDCheckSize(void* env, int n);
void ENV_SetHDCheckTime(void* env, int ms);
short ENV_GetPrn_nLevel(void* env);
void ENV_SetPrn_nLevel(void* env, short level);

// Parts table: folder char[260] then file name.
char* ENV_GetPLBpathfile(void* env);
void ENV_SetPLBpathfile(void* env, const char* pair);
char* ENV_GetPLBpathname(void* env);
void ENV_SetPLBpathname(void* env, const char* folder);
char* ENV_GetPLBfilename(void* env);

// The pickers' search pointers {page, record index}, kept in memory.
SearchPointer* ENV_GetPdlSearchPointer(void* env);
SearchPointer* ENV_GetPdvSearchPointer(void* env);
SearchPointer* ENV_GetPdppinSearchPointer(void* env);
SearchPointer* ENV_GetPdpSearchPointer(void* env);
SearchPointer* ENV_GetPdtSearchPointer(void* env);
SearchPointer* ENV_GetPzbSearchPointer(void* env);

}
