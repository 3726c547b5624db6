// Engine services only the predecessor board reader uses: the glyphs of the
// board's own font, the VIA layers rebuilt from its levels, the flash check
// and the extents of its shapes.
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "engine/store.h"
#include "platform/layout_line.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_fil.h"
#include "platform/qzt_tables.h"

namespace {
std::mutex s_fontLock;
std::map<int, std::vector<int32_t>> s_glyphs;
}  // namespace

extern "C" void FNT_Entry(int code, const int32_t* points, int n)
{
    std::lock_guard<std::mutex> hold(s_fontLock);
    n = n < 0 ? 0 : n;
    s_glyphs[code].assign(points, points + 2 * (size_t)n);
}

int FNT_GetEnteredGlyph(int code, int32_t* points, int room)
{
    std::lock_guard<std::mutex> hold(s_fontLock);
    auto it = s_glyphs.find(code);
    if (it == s_glyphs.end()) return -1;
    int n = (int)it->second.size() / 2;
    for (int i = 0; i < n && i < room; i++) points[2 * i] = it->second[2 * i], points[2 * i + 1] = it->second[2 * i + 1];
    return n;
}

extern "C" void TVT_ViaLayerInit_idx(DdmContext*, void* levelTable, int from, int to, void* viaLayerTable)
{
    LevelTable* tlv = (LevelTable*)levelTable;
    ViaLayerTable* vl = (ViaLayerTable*)viaLayerTable;
    if (!tlv || !vl) return;
    memset(vl->entry, 0, sizeof vl->entry);
    int n = 0;
    for (int level = from < 1 ? 1 : from; level <= to && level <= TBL_MAX_LEVEL && n < VIA_LAYERS; level++) {
        short layer = TLV_Get_Layer(tlv, level);
        if (layer <= 0) continue;
        ViaLayerEntry& e = vl->entry[n++];
        e.padLevel = (uint16_t)level;
        e.layerNo = layer;
        e.datLevCode = (uint16_t)TLV_GetLevCode_DatType(tlv, level);
        e.useCount = 1;
    }
    vl->count = n;
}

extern "C" int DDM_FlashConvert(DdmContext*)
{
    SizeTable* tsz = TSZ_Get_TszClass();
    int ok = 1;
    for (int code : {DCODE_FLASH, DCODE_PART_FLASH}) {
        for (void* p = dam_NextPage(nullptr, code, DAM_SEL_ALL, 0); p; p = dam_NextPage(p, code, DAM_SEL_ALL, 0)) {
            uint8_t* data = (uint8_t*)dam_GetDataAddress(p);
            int n = dam_Get_cnt_of_DataPH(data);
            for (int i = 0; i < n; i++) {
                const ViaRecord* f = (const ViaRecord*)(data + 112 + 60 * (size_t)i);
                if (f->status & ES_DELETED) continue;
                if (f->viaNo < 1 || f->viaNo > TBL_MAX_SIZE || tsz->entry[f->viaNo].outX <= 0) ok = 0;
            }
        }
    }
    return ok;
}

// The store draws parts and shapes from their pages: nothing to prepare.
extern "C" void DDM_SymAndShpEmulationQZ(DdmContext*) {}

