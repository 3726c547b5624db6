// What the design's tables need after one of them was edited: the VIA table
// brought in line with the defined VIAs, the holes and the VIA layers, and
// the largest clearance the design-rule check searches with.
#pragma once
#include <cstdint>

#include "platform/layout_design.h"
#include "platform/layout_tables.h"

constexpr int DLG_LEVEL_SNAPSHOT_RECORDS = 1001;

extern "C" {
// 1 when the design uses defined VIAs, 0 when not.
int DDM_GetDefViaUse(DdmContext* ctx);
// Rebuilds every VIA definition that carries a defined VIA from that defined
// VIA's land slots and first drill. 0 when some VIA could not be rebuilt
// (its defined VIA is missing, or gives it no drill or no pad at all); those
// VIAs are left as they were.
int DDM_DefViaUpdate_ViaTblUpdate(DdmContext* ctx);
// Takes the hole size of every VIA definition from its drill in the hole table.
void DDM_TDV_FlashUpdate_Hole(DdmContext* ctx);
// Rebuilds the VIA layer table after the layer structure changed: `snapshot`
// holds the level records (LevelEntry, 66 bytes each, level 0 first, at most
// DLG_LEVEL_SNAPSHOT_RECORDS) as they were before. A VIA layer stays with
// its level; a level that is no longer a conductor gives its VIA layer up;
// a new conductor level gets a free VIA layer (without pads until the VIA
// table gives it some).
void DDM_ViaLayerTblReCreate(DdmContext* ctx, const void* snapshot);
// Brings the VIA definitions from number `fromVia` (0: all) in line with
// the VIA layer table: no pad on a VIA layer that is not in use
// (`clearUnused`), and the use counts of the layers recounted (`recount`).
void DDM_ViaNoUpdate_Lgnet(DdmContext* ctx, int fromVia, int clearUnused, int recount);
// The largest clearance of the rule table and the signal-line settings
// table in board units, as DDM_drcCheck_SetClearanceMax (qzt_file.h) last
// took it: the distance the design-rule check searches within (0 before).
int32_t DDM_drcCheck_GetClearanceMax(DdmContext* ctx);
}

// What the fields of the tables that only their editors give a meaning hold.
// Signal-line settings table (SignalEntry): word0 the entry number, word2 the
// line-table number of the signal class, name, and these values:
enum : int {
    SLN_LINE_CLEARANCE = 0,  // line to line, board units
    SLN_PAD_CLEARANCE = 1,   // line to pad
    SLN_VIA_CLEARANCE = 2,   // line to VIA
    SLN_DRC_RULE = 3,        // rule-table record, 0 none
};
constexpr int SLN_ENTRIES = 64;
// Inner-layer connection table (InnerEntry): word0 the physical layer, word4
// the plane's level, name, word42 the thermal size number, and value[j] how
// land slot j + 1 of a VIA meets the plane:
enum : int { INN_NONE = 0, INN_THERMAL = 1, INN_DIRECT = 2, INN_CLEAR = 3 };
constexpr int INN_ENTRIES = 128;
