// The engine's converters of predecessor board records (the .pcb file's
// records of layout_pcbfile.h) into design records, and the other engine
// services only the predecessor reader uses.
//
// Each converter turns one file record into one engine record and widens
// `extent` ({min x, min y, max x, max y}, may be null) by it. They fill the
// record's own fields and leave the words the store keeps for itself (page
// number, level and output words, element number) as they were.
#pragma once
#include <cstdint>

#include "platform/layout_design.h"

extern "C" {

// Graphic and shape lines: a 44-byte line record to a 60-byte line or arc.
void FIL_LineConvertQZtoPDL(void* dest, const void* rec, int32_t* extent, int x, int y, int unused);
// A 96-byte text record to a 200-byte text.
void FIL_TextConvertQZtoPDT(DdmContext* ctx, void* dest, const void* rec, int32_t* extent, int x, int y,
                            int unused);
// A 32-byte VIA or shape pin record to a 60-byte VIA record.
void FIL_ViaConvertQZtoPDL(void* dest, const void* rec, int32_t* extent, int x, int y, int unused);
// A 32-byte part pin record to a 60-byte pin record.
void FIL_PinConvertQZtoPDL(void* dest, const void* rec, int x, int y, int unused);
// A 100-byte part record to the placed-part record at `dest` (page + 112).
void FIL_SymConvertQZtoPDP(void* dest, const void* rec, int shapeNo, int x, int y, int unused1,
                           int unused2);
// A 32-byte flash record to a 60-byte flash record.
void FIL_FlashConvertQZtoPDF(void* dest, const void* rec, int32_t* extent, int unused1, int unused2,
                             int unused3);
// One contour of a fill: the outline records from `outline` on, up to the
// record with the last-of-contour mark, become a figure head (`kind` 0x2100
// outer, 0x2200 hole) at entry *index of the fill records `entries` and
// `count` point entries after it; *index moves past them. `header` is the
// fill's 32-byte header. Writes at most 1 + count entries and reads at most
// `available` outline records. Returns where the next contour's outline
// records begin.
const void* FIL_SetOnePolygonToPZB(void* entries, int* index, int kind, int count, const void* header,
                                   const void* outline, int32_t* extent, int x, int y, int available);

// A taper chain of the predecessor: the continuation `next` of `prev` becomes
// a figure line of the chain's line number on the level of `dest`.
void DDM_QZTaperToFigTaper(DdmContext* ctx, const void* prev, const void* next, void* dest);

// A shape fill page (code 100) of `level` for shape `shapeNo`, sized as
// PZB_AllocNewDataArea; `word` goes to key 3.
void* PDP_AllocNewDataArea_ShpPln(int level, int word, int shapeNo, int points, int holeCount,
                                  const int* holePoints);

// Registers glyph `code` of the stroke font with n points (x, y pairs).
void FNT_Entry(int code, const int32_t* points, int n);
// Sets up the VIA layer table from the levels from..to: one VIA layer per
// conductor level, with the level's layer and data type.
void TVT_ViaLayerInit_idx(DdmContext* ctx, void* levelTable, int from, int to, void* viaLayerTable);
// Checks the flashes of a loaded predecessor board against the size table;
// 0 when a flash names a size the design does not have.
int DDM_FlashConvert(DdmContext* ctx);
// Prepares the parts and shapes of a loaded predecessor board for display.
void DDM_SymAndShpEmulationQZ(DdmContext* ctx);
// Shape extents (PDP_ReCalcShpData...MinMax) are record services: qzt_records.h.

}

// For tests: the points of a glyph registered with FNT_Entry (-1 when none).
int FNT_GetEnteredGlyph(int code, int32_t* points, int room);
