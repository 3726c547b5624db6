// The VIA table brought in line with the tables it depends on, after the
// defined-VIA, hole and layer-structure editors changed one of them.
#include <cstring>

#include "engine/store.h"
#include "platform/qzt_table_update.h"
#include "platform/qzt_tables.h"

using namespace store;

namespace {

ViaTable* Vias() { return Region_<ViaTable>(RG_VIA); }
int UsedVias(const ViaTable* t) { return Lo(Hi(t->useNum, 0), TBL_MAX_VIA); }
bool LayerInUse(const ViaLayerTable& l, int j) { return l.entry[j - 1].useCount >= 1; }

uint32_t SizeWord(uint32_t old, int size)
{
    // Keep the forced bit and the state of the old word; only the size changes.
    if (size <= 0) return 0;
    uint32_t keep = old ? (old & 0xF0000000u) : TVT_MakeAptNo(0, 1, 0) & 0xF0000000u;
    return keep | ((uint32_t)size & 0x0FFFFFFFu);
}

// Rebuilds one VIA from its defined VIA; false when the defined VIA cannot
// give it a drill and at least one pad.
bool RebuildFromDefVia(ViaDef& d, const DefViaTable& dv, const ViaLayerTable& layers,
                       LevelTable* levels, const HoleTable& holes)
{
    int n = d.defViaNo;
    if (n < 1 || n > Lo(dv.useNum, TBL_MAX_DEFVIA)) return false;
    const DefViaEntry& e = dv.entry[n];
    if (e.number == 0) return false;
    int drill = e.drill[0];
    if (drill < 1 || drill > Lo(holes.count, TBL_MAX_HOLE)) return false;
    uint32_t apt[VIA_LAYERS + 1] = {};
    int pads = 0;
    for (int j = 1; j <= VIA_LAYERS; ++j) {
        if (!LayerInUse(layers, j)) continue;
        const ViaLayerEntry& l = layers.entry[j - 1];
        int slot = l.defViaLevel >= 1 && l.defViaLevel <= 16 ? l.defViaLevel : Lo(j, 16);
        int variant = TLV_GetPosiNega(levels, l.padLevel) ? 2 : 0;
        int size = e.land[slot - 1][variant];
        apt[j] = SizeWord(d.apt[j], size);
        if (size > 0) ++pads;
    }
    if (pads == 0) return false;
    std::memcpy(d.apt, apt, sizeof apt);
    d.drillNo = (uint32_t)drill;
    d.holeSize = holes.entry[drill].sizeX;
    return true;
}

}  // namespace

extern "C" {

int DDM_GetDefViaUse(DdmContext*) { return Region_<DefViaTable>(RG_DEFVIA)->inUse ? 1 : 0; }

int DDM_DefViaUpdate_ViaTblUpdate(DdmContext*)
{
    ViaTable* t = Vias();
    const DefViaTable& dv = *Region_<DefViaTable>(RG_DEFVIA);
    const HoleTable& holes = *Region_<HoleTable>(RG_HOLE);
    LevelTable* levels = Region_<LevelTable>(RG_LEVEL);
    int ok = 1;
    for (int v = 1; v <= UsedVias(t); ++v) {
        ViaDef& d = t->def[v];
        if (!d.used || d.defViaNo <= 0) continue;
        if (!RebuildFromDefVia(d, dv, t->layers, levels, holes)) ok = 0;
    }
    return ok;
}

void DDM_TDV_FlashUpdate_Hole(DdmContext*)
{
    ViaTable* t = Vias();
    const HoleTable& holes = *Region_<HoleTable>(RG_HOLE);
    int count = Lo(holes.count, TBL_MAX_HOLE);
    for (int v = 1; v <= UsedVias(t); ++v) {
        ViaDef& d = t->def[v];
        // A drill the hole table no longer has keeps the size it had, so the
        // VIA still shows its hole until the table gives it another.
        if (d.used && (int)d.drillNo >= 1 && (int)d.drillNo <= count) d.holeSize = holes.entry[d.drillNo].sizeX;
    }
}

void DDM_ViaLayerTblReCreate(DdmContext* ctx, const void* snapshot)
{
    LevelTable* levels = Region_<LevelTable>(RG_LEVEL);
    ViaLayerTable& layers = Vias()->layers;
    int used = Lo(Hi(levels->levelUseNum, 0), TBL_MAX_LEVEL);
    // Which VIA layer each level had before: the snapshot's record where it
    // has one, else the pad level the VIA layer names.
    int owner[VIA_LAYERS + 1] = {};
    for (int j = 1; j <= VIA_LAYERS; ++j)
        if (LayerInUse(layers, j)) owner[j] = layers.entry[j - 1].padLevel;
    if (snapshot) {
        const LevelEntry* old = (const LevelEntry*)snapshot;
        for (int k = 1; k < DLG_LEVEL_SNAPSHOT_RECORDS; ++k) {
            int j = old[k].viaLayer;
            if (j >= 1 && j <= VIA_LAYERS && LayerInUse(layers, j)) owner[j] = k;
        }
    }
    bool has[TBL_MAX_LEVEL + 1] = {};
    for (int j = 1; j <= VIA_LAYERS; ++j) {
        ViaLayerEntry& l = layers.entry[j - 1];
        int k = owner[j];
        if (!k) continue;
        if (k > used || TLV_Get_Layer(levels, k) <= 0 || has[k]) {
            l.useCount = 0;
            l.padLevel = 0;
            continue;
        }
        has[k] = true;
        l.padLevel = (uint16_t)k;
        l.layerNo = TLV_Get_Layer(levels, k);
        l.datLevCode = (uint16_t)TLV_GetLevCode_DatType(levels, k);
        std::memcpy(l.name, levels->entry[k].name, sizeof l.name);
        l.name[sizeof l.name - 1] = 0;
    }
    for (int k = 1; k <= used; ++k) {
        if (has[k] || TLV_Get_Layer(levels, k) <= 0) continue;
        int j = 1;
        while (j <= VIA_LAYERS && LayerInUse(layers, j)) ++j;
        if (j > VIA_LAYERS) break;
        ViaLayerEntry& l = layers.entry[j - 1];
        std::memset(&l, 0, sizeof l);
        l.padLevel = (uint16_t)k;
        l.layerNo = TLV_Get_Layer(levels, k);
        l.datLevCode = (uint16_t)TLV_GetLevCode_DatType(levels, k);
        l.color = TLV_Get_DispColor(levels, k);
        std::memcpy(l.name, levels->entry[k].name, sizeof l.name);
        l.name[sizeof l.name - 1] = 0;
        l.useCount = 1;
        // A VIA layer taken over from a level that left keeps no pads.
        ViaTable* t = Vias();
        for (int v = 1; v <= UsedVias(t); ++v) t->def[v].apt[j] = 0;
    }
    int count = 0;
    for (int j = 1; j <= VIA_LAYERS; ++j)
        if (LayerInUse(layers, j)) count = j;
    layers.count = count;
    TLV_ViaLayerNoInit(ctx);
}

void DDM_ViaNoUpdate_Lgnet(DdmContext*, int fromVia, int clearUnused, int recount)
{
    ViaTable* t = Vias();
    ViaLayerTable& layers = t->layers;
    int first = fromVia > 0 ? fromVia : 1;
    for (int v = first; v <= UsedVias(t); ++v) {
        ViaDef& d = t->def[v];
        if (!d.used || !clearUnused) continue;
        for (int j = 1; j <= VIA_LAYERS; ++j)
            if (!LayerInUse(layers, j)) d.apt[j] = 0;
    }
    if (!recount) return;
    // A VIA layer in use counts itself and every VIA that has a pad on it.
    for (int j = 1; j <= VIA_LAYERS; ++j) {
        ViaLayerEntry& l = layers.entry[j - 1];
        if (l.useCount < 1) continue;
        int n = 1;
        for (int v = 1; v <= UsedVias(t); ++v)
            if (t->def[v].used && (t->def[v].apt[j] & 0x0FFFFFFFu)) ++n;
        l.useCount = n;
    }
}
}
