// Completion of a loaded predecessor board: environment name, VIA defaults,
// VIA sizes per VIA layer, the flash check, part areas, board settings from
// the CI, CL and CC blocks, and the engine's preparation of parts.
#include <algorithm>
#include <cstring>

#include "exchange/pcbfile/mrg_read.h"
#include "platform/qztdll.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_env.h"
#include "platform/qzt_fil.h"
#include "platform/qzt_records.h"
#include "platform/qzt_geometry.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/layout_part.h"

static int16_t CI(const uint16_t* ci, int word) { return (int16_t)ci[word]; }

// A 16-byte text field of the CC block, which need not be terminated.
static void CcText(const char* cc, int offset, char out[17])
{
    memcpy(out, cc + offset, 16);
    out[16] = 0;
}

static int MRG_PickViaLayerFlash(const ViaDef& copy, int layer, int dataCode)
{
    LevelTable* tlv = TLV_Get_TlvClass();
    SizeTable* tsz = TSZ_Get_TszClass();
    int best = 0;
    int64_t bestX = 0, bestY = 0;
    for (int v = 1; v <= 128; v++) {
        int f = (int)(copy.apt[v] & 0x0FFFFFFF);
        if (f <= 0 || f > TBL_MAX_SIZE) continue;
        if (TLV_Get_Layer(tlv, v) < 1 || TLV_Get_Layer(tlv, v) != layer) continue;
        if (TLV_GetLevCode_DatType(tlv, v) != dataCode) continue;
        uint64_t xy = TSZ_Get_OutWidthXY(TSZ_Get_TszTblRec(tsz, f));
        int64_t x = (int32_t)(uint32_t)xy, y = (int32_t)(uint32_t)(xy >> 32);
        if (!best || x > bestX || (x == bestX && y > bestY)) best = f, bestX = x, bestY = y;
    }
    return best;
}

static void MRG_RebuildViaLayerFlashes(DdmContext* ctx)
{
    LevelTable* tlv = TLV_Get_TlvClass();
    ViaTable* tvt = TVT_Get_TvtClass();
    ViaLayerTable* layers = TVT_Get_TvtViaLayerTbl(tvt);
    int n = TVT_Get_ViaTbl_UseNum(tvt);
    TVT_ViaLayerInit_idx(ctx, tlv, 0, 128, layers);
    for (int k = 1; k <= n && k <= TBL_MAX_VIA; k++) {
        ViaDef copy = tvt->def[k];
        memset(tvt->def[k].apt, 0, sizeof tvt->def[k].apt);
        for (int i = 1; i <= 128; i++) {
            ViaLayerEntry* rec = TVT_GetViaLayerRec(layers, i);
            if (!rec) continue;
            int layer = TVT_GetViaLayerLayerNo(rec);
            if (layer > 0) tvt->def[k].apt[i] = (uint32_t)MRG_PickViaLayerFlash(copy, layer, TVT_GetViaLayerDatLevCode(rec));
        }
    }
}

// The corners go through a local array: the part record is packed, so its
// outline fields are not aligned for a plain pointer.
static void PlaceCorners(void* dest, const int32_t* rect, const PartRecord* part)
{
    int32_t out[4][2];
    const int32_t xs[4] = {rect[0], rect[2], rect[2], rect[0]};
    const int32_t ys[4] = {rect[1], rect[1], rect[3], rect[3]};
    for (int c = 0; c < 4; c++) {
        int64_t p = MrrAndRotAtGenten(xs[c], ys[c], part->place);
        out[c][0] = (int32_t)std::clamp<int64_t>((int64_t)FMT_X(p) + part->x, INT32_MIN, INT32_MAX);
        out[c][1] = (int32_t)std::clamp<int64_t>((int64_t)FMT_Y(p) + part->y, INT32_MIN, INT32_MAX);
    }
    memcpy(dest, out, sizeof out);
}

static void MRG_SetPartAreas(DdmContext* outer)
{
    DdmContext* ctx = DDM_Open(outer->design);
    for (void* page = dam_PrevPage(nullptr, DCODE_PART, DAM_SEL_ALL, 0); page;
         page = dam_PrevPage(page, DCODE_PART, DAM_SEL_ALL, 0)) {
        PartRecord* part = (PartRecord*)((uint8_t*)dam_GetDataAddress(page) + 112);
        if (part->status & ES_DELETED) continue;
        int32_t rect[4];
        PDP_ReCalcShpDataMinMax(rect, ctx, (int)part->shapeNo);
        PlaceCorners(part->outline1, rect, part);
        if (ENV_GetViaSymAreaFix(ctx)) {
            PDP_ReCalcShpDataViaMinMax(rect, ctx, (int)part->shapeNo, ENV_GetViaSymAreaLevel(ctx) & 0xFFFF);
            PlaceCorners(part->outline2, rect, part);
        } else {
            memcpy(part->outline2, part->outline1, sizeof part->outline2);
        }
    }
    DDM_Close(ctx);
}

static void MRG_ApplyPcbSettings(DdmContext* ctx)
{
    EnvRecord* env = ENV_GetENVClass();
    XWinputParam* xp = DDM_Open_XWinputParam(ctx);
    const uint16_t* ci = CCC_GetCI(ctx->design);
    const int32_t* cl = CCC_GetCL(ctx->design);
    const char* cc = CCC_GetCC(ctx->design);
    if (!ci || !cl || !cc) return;
    char t[17];
    CcText(cc, 960, t), ENV_SetPCBname(env, t);
    CcText(cc, 976, t), ENV_SetZuban(env, t);
    CcText(cc, 992, t), ENV_SetCreateDate(env, t);
    CcText(cc, 1008, t), ENV_SetDesigner(env, t);
    CcText(cc, 1024, t), ENV_SetComment(env, t);
    ENV_SetLayers(env, CI(ci, 173));
    ENV_SetPinPin_Lines(env, CI(ci, 174));
    ENV_SetLineLenMin(env, cl[111]);
    GridObject* grid = GRD_GetObject();
    GRD_SetGenten(grid, 0, cl[130], cl[131]);
    GRD_SetGenten(grid, 1, cl[132], cl[133]);
    GRD_SetGenten(grid, 2, cl[134], cl[135]);

    if (xp) {
        // The screen size the main frame keeps is the system metrics of the
        // screen, taken the same way.
        xp->windowX = GetSystemMetrics(SM_CXSCREEN) / 3;
        xp->windowY = GetSystemMetrics(SM_CYSCREEN) / 3;
        xp->stringCount = 0;
        size_t at = 0;
        for (int k = 0; k < 8; k++) {
            CcText(cc, 640 + 16 * k, t);
            if (!t[0]) break;
            size_t len = strlen(t) + 1;
            memcpy(xp->stringList + at, t, len);
            at += len;
            xp->stringCount++;
        }
        xp->numberCount = 1;
        memcpy(xp->numberList, cc + 480, 16);
        xp->numberList[16] = 0;
        xp->coordCount = 1;
        memcpy(xp->coordList, cc + 496, 16);
        xp->coordList[16] = 0;
        size_t n = strnlen(cc + 528, std::min<size_t>(sizeof xp->text - 1, CCC_CC_SIZE - 528));
        memcpy(xp->text, cc + 528, n);
        xp->text[n] = 0;
        xp->loaderWord = CI(ci, 116);
    }

    if (DrcParam* p = DDM_OpenDRCParam(ctx)) {
        int32_t* w = (int32_t*)p;
        w[0] = CI(ci, 152);
        w[2] = CI(ci, 157);
        w[3] = CI(ci, 153);
        w[5] = (w[5] & ~0x800) | ((ci[154] & 1) ? 0x800 : 0);
        w[5] = (w[5] & ~0x80) | ((ci[158] & 1) ? 0x80 : 0);
        w[73] = (ci[159] & 1) ? 0 : 1;
        w[139] = (ci[159] & 2) ? 0 : 1;
        w[205] = (ci[159] & 8) ? 0 : 1;
        w[271] = (ci[159] & 16) ? 0 : 1;
        DDM_UpdateDRCParam(ctx, p);
        DDM_CloseDRCParam(ctx, p);
    }

    if (TextLineTable* tl = DDM_Open_TextLineTable(ctx)) {
        int n = TTL_Get_TLtbl_UseNum(tl);
        for (int i = 0; i < n && i <= TBL_MAX_TEXTLINE; i++) {
            tl->entry[i].height = CI(ci, 176) * 1000;
            tl->entry[i].charWidth = CI(ci, 177);
        }
    }
}

void MRG_CompleteBoard(MrgState* s, DdmContext* ctx)
{
    if (char* name = SYS_GetEnvironName(ctx))
        if (strncmp(name, "-------", 7) == 0) strcpy(name, "Vyre2");
    const uint16_t* ci = CCC_GetCI(ctx->design);
    if (ci) {
        ViaTable* via = DDM_Open_ViaTable(ctx);
        if (CI(ci, 25) <= 128) via->defaults[0] = ci[25];
        if (CI(ci, 26) <= 128) via->defaults[2] = ci[26];
        if (CI(ci, 24) <= 128) via->defaults[4] = ci[24];
        via->defaults[1] = ci[27];
        via->defaults[3] = ci[28];
        via->defaults[5] = ci[29];
    }
    MRG_RebuildViaLayerFlashes(ctx);
    TLV_ViaLayerNoInit(ctx);
    if (!DDM_FlashConvert(ctx))
        MessageBoxA(nullptr, "変換できないフラッシュデータがありました。", "警　告", MB_OK);
    MRG_SetPartAreas(ctx);
    MRG_ApplyPcbSettings(ctx);
    DDM_SymAndShpEmulationQZ(ctx);
}
