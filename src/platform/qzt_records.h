// Record services: adding lines, arcs, VIAs, texts, parts, shapes and fills
// to the design, filling records in the fixed layouts, and the entry classes
// of the option panels.
//
// Records are stored in pages of their DataCode and never move while the
// work space is open; the insert calls return the stored copy, which the
// caller may go on filling in place (a placeholder with status 0x80000000 is
// made live by PDL_MakeNewQZLine / PDT_SetNewData).
#pragma once
#include <cstdint>

#include "platform/layout_design.h"
#include "platform/layout_env.h"
#include "platform/layout_line.h"
#include "platform/layout_part.h"
#include "platform/layout_text.h"

extern "C" {

// ---- Lines and arcs (page 82) ----------------------------------------------------
// Stores a copy of the 60-byte record on `level` with a new element number;
// *page gets the page it went to. 0 when the work space is full.
LineRecord* PDL_InsertNewData(short level, const void* record, void** page);
// Fills a straight line: code, line number, the three link words (net,
// logical net, pin number; -1 for none) and the ends; the length goes to the
// radius word and the deltas to the centre. Makes the record live.
void PDL_MakeNewQZLine(int code, void* record, int lineNo, int net, int lgnet, int pinNo,
                       int x1, int y1, int x2, int y2);
// Fills an arc: `mode` 1 an arc, 0 a full circle (start = end); points are
// the addresses of {x, y}; `radius` 0 or less is taken from the centre and
// the start. The 10th argument is not read. Non-zero when the arc is refused
// (no radius, or a full circle whose ends differ).
int PDL_MakeNewQZArc(int code, void* record, int lineNo, int net, int lgnet, int pinNo, int mode,
                     const int32_t* start, const int32_t* end, const int32_t* unused,
                     const int32_t* centre, const int32_t* radius);
// The next free line slot on a page of `level`, counted in; 0 when full.
LineRecord* PDL_AllocNewDataArea(short level, void** page);
// The width of the record's line-table entry.
int PDL_GetLineWidth(const void* record);
PdlClass* PDL_Get_PdlClass(void);
void PDL_Lin_MinMaxPointGet(const void* record, int32_t* min, int32_t* max);
void PDL_Arc_MinMaxPointGet(const void* record, int32_t* min, int32_t* max);

// ---- VIAs (page 83) ----------------------------------------------------------------
// Stores a VIA from its 56-byte insertion record (on the pages of level 0:
// a VIA passes through its layers) with a new element number.
ViaRecord* PDV_InsertNewData(const void* record, void** page);
ViaRecord* PDV_AllocNewDataArea(void** page);

// ---- Texts (page 81) ---------------------------------------------------------------
TextRecord* PDT_InsertNewData(short level, const void* record, void** page);
// Fills a text: its Shift-JIS characters as codes, position, text-line
// number, angle word, height, width and the four corners. Makes it live.
void PDT_SetNewData(DdmContext* ctx, void* record, const char* text, int x, int y, int textLineNo,
                    int angleWord, int height);
TextRecord* PDT_AllocNewDataArea(short level, void** page);
PdtClass* PDT_GetPDTClass(void);
// {min x, max y, max x, min y} of the four corners at bytes 30 to 58.
void PDT_GetRect(int32_t* result, const int32_t* corners);

// ---- Parts and shapes ----------------------------------------------------------------
// A new part page (key 4 = a new part key).
void* PDP_AllocNewDataArea_Sym(void);
// A new shape page (key 4 = a new shape number).
void* PDP_AllocNewDataArea_Shp(void);
void* PDP_AllocNewDataArea_ShpVia(int shapeNo, int count);
void* PDP_AllocNewDataArea_ShpLin(int level, int shapeNo, int count);
void* PDP_AllocNewDataArea_ShpTxt(int level, int shapeNo, int count);
void* PDP_AllocNewDataArea_Pin(int partKey, int count);
PdpClass* PDP_Get_PdpClass(void);
int PDP_Get_PdpClassSymID(void);
// The shape page a part uses (name at +112, height at +194), or 0.
void* PDP_GetSymUseShapeData(const void* partPage);
// The shape page of that name, or 0; when `number` is given, the shape
// number is written there.
void* PDP_SameShapeUseCheck(const char* name, int* number);
// The shape's extent {x1, y1, x2, y2} over its pins, lines, texts and
// fills, written to `rect` and returned; all zero for an empty shape.
int32_t* PDP_ReCalcShpDataMinMax(int32_t* rect, DdmContext* ctx, int shapeNo);
// The extent of the shape's pins' pads on `level` (the low 16 bits).
int32_t* PDP_ReCalcShpDataViaMinMax(int32_t* rect, DdmContext* ctx, int shapeNo, int level);
// Packed width and height of the VIA's largest pad over its layers.
uint64_t PDV_GetViaMaxSize(DdmContext* ctx, int viaNo);
int PDP_GetShpViaCount(int shapeNo);
int PDP_GetShpLinCount(int shapeNo);
int PDP_GetShpTxtCount(int shapeNo);
int PDP_GetShpPlnCount(int shapeNo);

// ---- Fills -------------------------------------------------------------------------
// A fill page of `level` sized for an outline of `points` points and
// `holeCount` holes of holePoints[i] points each (key 3 = `lgnet`).
void* PZB_AllocNewDataArea(int level, int lgnet, int points, int holeCount,
                           const int* holePoints);
PzbClass* PZB_Get_PzbClass(void);
PdsClass* PDS_Get_PdsClass(void);
// Number of sides of a fill's outline.
int PZB_GetSideNum(const void* page);

}
