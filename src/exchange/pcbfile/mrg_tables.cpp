// Predecessor board tables: the settings blocks and the line, level, VIA,
// flash, font and inner-layer tables, written into the design's tables.
#include <cstring>

#include "exchange/pcbfile/mrg_read.h"
#include "platform/qztdll.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/qzt_fil.h"
#include "platform/layout_tables.h"

// ---- Settings blocks ----------------------------------------------------------------

// The section goes straight into the design's block, never more than the
// block holds: the rest of a longer section is left unread.
static int ReadBlock(MrgState* s, const SectionDirectoryEntry* e, uint8_t* block, int blockSize,
                     const char* caption, const char* errorText)
{
    int64_t bytes = (int64_t)e->recordSize * e->count;
    if (e->recordSize < 0 || e->count < 0 || bytes > MrgLeft(s->file)) {
        MrgReadError(errorText);
        return 0;
    }
    if (!block) return 0;
    int64_t take = bytes < blockSize ? bytes : blockSize;
    if (!MrgRead(s->file, block, take)) {
        MrgReadError(errorText);
        return 0;
    }
    MrgProgressCount(caption, 20);
    return 1;
}

int MRG_ReadCiSection(MrgState* s, const SectionDirectoryEntry* e)
{
    return ReadBlock(s, e, s->ci, CCC_CI_SIZE, "ＣＩ", "CI Read Error.");
}
int MRG_ReadClSection(MrgState* s, const SectionDirectoryEntry* e)
{
    return ReadBlock(s, e, s->cl, CCC_CL_SIZE, "ＣＬ", "CL Read Error.");
}
int MRG_ReadCcSection(MrgState* s, const SectionDirectoryEntry* e)
{
    return ReadBlock(s, e, s->cc, CCC_CC_SIZE, "ＣＣ", "CC Read Error.");
}

// ---- Line table ---------------------------------------------------------------------

int MRG_ReadLineTable(MrgState* s, const SectionDirectoryEntry* e, int linkMask)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbLineTableRec), "CL Read Error.", &buf)) return 0;
    SizeTable* tsz = TSZ_Get_TszClass();
    LineTable* tll = TLL_Get_TllClass();
    LineTable* tpl = TPL_Get_TplClass();
    TextLineTable* ttl = TTL_Get_TtlClass();
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("ライン表", i, e->count);
        // Records beyond the size table's last entry have nowhere to go.
        if (i + 1 > TBL_MAX_SIZE) break;
        PcbLineTableRec r;
        memcpy(&r, buf + (size_t)i * e->recordSize, sizeof r);
        SizeEntry& z = tsz->entry[i + 1];
        z.number = (uint32_t)(i + 1);
        z.word4 = 0;
        z.flags = 0;
        z.dcode = (int16_t)r.word4;
        z.shape = r.word6 ? 1 : 0;
        z.outX = r.width;
        z.outY = 0;
        z.inX = z.inY = 0;
        z.word8 = z.word9 = z.word10 = 0;
        z.name[0] = 0;
        z.word15 = 0;
        if (i + 1 <= TBL_MAX_LINE) {
            if (linkMask & 1) tpl->entry[i + 1].aptNo = i + 1;
            if (linkMask & 2) tll->entry[i + 1].aptNo = i + 1;
        }
        if ((linkMask & 4) && i + 1 <= TBL_MAX_TEXTLINE) ttl->entry[i + 1].aptNo = i + 1;
    }
    MrgFreeSection(buf);
    return 1;
}

int MRG_ReadLineTableAptCommon(MrgState* s, const SectionDirectoryEntry* e)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbLineTableRec), "CL Read Error.", &buf)) return 0;
    SizeTable* tsz = TSZ_Get_TszClass();
    LineTable* tll = TLL_Get_TllClass();
    LineTable* tpl = TPL_Get_TplClass();
    TextLineTable* ttl = TTL_Get_TtlClass();
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("ライン表", i, e->count);
        if (i + 1 > TBL_MAX_LINE || i + 1 > TBL_MAX_TEXTLINE || i + 1 > TBL_MAX_SIZE) break;
        int size = (tsz->entry[i + 1].flags & 3) == 2 ? i + 1 : 129;
        tpl->entry[i + 1].aptNo = size;
        tll->entry[i + 1].aptNo = size;
        ttl->entry[i + 1].aptNo = size;
    }
    MrgFreeSection(buf);
    return 1;
}

// ---- Level table -------------------------------------------------------------------

int MRG_ReadLevelTable(MrgState* s, const SectionDirectoryEntry* e)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbLevelRec), "CL Read Error.", &buf)) return 0;
    LevelTable* tlv = TLV_Get_TlvClass();
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("レベル表", i, e->count);
        int k = i + 1;
        if (k > TBL_MAX_LEVEL) break;
        PcbLevelRec r;
        memcpy(&r, buf + (size_t)i * e->recordSize, sizeof r);
        LevelEntry& v = tlv->entry[k];
        v.number = (uint16_t)k;
        v.word2 = 0;
        memset(&v.word6, 0, 4);
        v.flags = (r.status & 0x8000) ? 0x8000 : 0;
        v.word18 = (uint16_t)(r.status & 0xFF);
        // The name field need not be terminated: at most 7 characters.
        memset(v.name, 0, sizeof v.name);
        memcpy(v.name, r.name, strnlen(r.name, 7));
        for (int c = 6; c >= 0 && (v.name[c] == ' ' || v.name[c] == 0); c--) v.name[c] = 0;
        v.carried10 = r.word10;
        if ((r.kind & 15) == 2) v.kind = 2, v.word24 = 4;
        else v.kind = 1, v.word24 = 0;
        v.word28 = 1;
        v.carried32 = r.word14;
    }
    MrgFreeSection(buf);
    return 1;
}

// ---- VIA table ---------------------------------------------------------------------

static int ReadViaTable(MrgState* s, const SectionDirectoryEntry* e, int flashBase)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbViaTableRec), "CL Read Error.", &buf)) return 0;
    DdmContext* ctx = DDM_Open(s->ctx->design);
    ViaTable* via = DDM_Open_ViaTable(ctx);
    HoleTable* hole = DDM_Open_HoleTable(ctx);
    DDM_Close(ctx);
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("ＶＩＡ表", i, e->count);
        int k = i + 1;
        if (k > TBL_MAX_VIA || k > TBL_MAX_HOLE) break;
        PcbViaTableRec r;
        memcpy(&r, buf + (size_t)i * e->recordSize, sizeof r);
        HoleEntry& h = hole->entry[k];
        memset(&h, 0, 33);
        h.number = (uint32_t)k;
        h.sizeX = r.holeSize;
        ViaDef& d = via->def[k];
        d.number = (uint32_t)k;
        d.viaNo = 0;
        d.defViaNo = 0;
        d.setMode = 512;
        d.drillNo = (uint32_t)k;
        d.holeSize = r.holeSize;
        d.used = 0;
        memset(d.apt, 0, sizeof d.apt);
        for (int j = 0; j <= 64; j++) {
            int b = r.flash[j] & 0xFF;
            // b + 128 stays inside the size table (at most 383 of 2047).
            if (b) d.apt[j] = (uint32_t)(b + flashBase);
        }
        d.carried540 = r.word264;
        d.carried544 = r.word266;
        // The VIAs read count as in use, so that the completion rebuilds
        // their sizes per VIA layer.
        if (via->useNum < k) via->useNum = k;
    }
    MrgFreeSection(buf);
    return 1;
}

int MRG_ReadViaTable(MrgState* s, const SectionDirectoryEntry* e) { return ReadViaTable(s, e, 128); }
int MRG_ReadViaTableAptCommon(MrgState* s, const SectionDirectoryEntry* e) { return ReadViaTable(s, e, 0); }

// ---- Flash table -------------------------------------------------------------------

static int ReadFlashTable(MrgState* s, const SectionDirectoryEntry* e, int first, bool apt)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbFlashTableRec), "CL Read Error.", &buf)) return 0;
    SizeTable* tsz = TSZ_Get_TszClass();
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("フラッシュ表", i, e->count);
        int k = i + first;
        if (k > TBL_MAX_SIZE) break;
        PcbFlashTableRec r;
        memcpy(&r, buf + (size_t)i * e->recordSize, sizeof r);
        SizeEntry& z = tsz->entry[k];
        uint32_t flags = z.flags & 0x1F;  // bits 5-31 cleared
        uint16_t variant = z.shape;
        int kind = 1, form = -1;
        switch (r.form) {
        case 0:
            kind = apt ? 2 : 1;
            form = apt ? 0 : 1;
            variant = r.sizeY > 0 ? 1 : 0;
            break;
        case 1:
            form = 3;
            variant = r.sizeY > 0 ? 1 : 0;
            break;
        case 2:
            form = 2;
            if (r.option) variant = r.sizeY > 0 ? 7 : 6;
            else variant = r.sizeY > 0 ? 5 : 4;
            break;
        default: break;
        }
        flags = (flags & ~3u) | (uint32_t)kind;
        if (form >= 0) flags = (flags & ~0x1Cu) | ((uint32_t)form << 2);
        z.number = (uint32_t)k;
        z.word4 = 0;
        z.flags = flags;
        z.dcode = (int16_t)r.dcode;
        z.shape = variant;
        z.outX = r.sizeX;
        z.outY = apt && r.form == 0 ? 0 : r.sizeY;
        z.inX = z.inY = 0;
        z.word8 = z.word9 = z.word10 = 0;
        z.name[0] = 0;
        z.word15 = 0;
    }
    MrgFreeSection(buf);
    return 1;
}

int MRG_ReadFlashTable(MrgState* s, const SectionDirectoryEntry* e) { return ReadFlashTable(s, e, 129, false); }
int MRG_ReadFlashTableAptCommon(MrgState* s, const SectionDirectoryEntry* e) { return ReadFlashTable(s, e, 1, true); }

// ---- Font table -------------------------------------------------------------------

int MRG_ReadFontTable(MrgState* s, const SectionDirectoryEntry* e)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbGlyphRec), "FontTbl Read Error.", &buf)) return 0;
    for (int32_t i = 0; i < e->count; i++) {
        MrgProgress("フォントテーブル", i, e->count);
        PcbGlyphRec r;
        memcpy(&r, buf + (size_t)i * e->recordSize, sizeof r);
        // A count outside 0 .. 49 does not fit the record: the glyph is
        // registered with the points the record can hold.
        int n = r.x[0] < 0 ? 0 : (r.x[0] > 49 ? 49 : r.x[0]);
        int32_t points[49][2];
        for (int j = 1; j <= n; j++) points[j - 1][0] = r.x[j], points[j - 1][1] = r.y[j];
        FNT_Entry(r.code, &points[0][0], n);
    }
    MrgFreeSection(buf);
    return 1;
}

// ---- Inner-layer table ----------------------------------------------------------------

int MRG_ReadInnerTable(MrgState* s, const SectionDirectoryEntry* e)
{
    uint8_t* buf;
    if (!MrgReadFixedSection(s, e, sizeof(PcbInnerRec), "InnerTbl Read Error.", &buf)) return 0;
    DdmContext* ctx = DDM_Open(s->ctx->design);
    InnerTable* inner = DDM_Open_InnerTable(ctx);
    int room = (int)(sizeof inner->entry / sizeof inner->entry[0]);
    for (int32_t i = 0; i < e->count && i < room; i++) {
        MrgProgress("内層導通表", i, e->count);
        PcbInnerRec r;
        memcpy(&r, buf + (size_t)i * e->recordSize, sizeof r);
        InnerEntry& v = inner->entry[i];
        v.word0 = r.word0;
        v.word4 = r.word2;
        memset(v.name, 0, sizeof v.name);
        memcpy(v.name, r.name, strnlen(r.name, 15));
        v.word42 = r.word20;
        for (int j = 0; j < 16; j++) v.value[j] = r.value[j];
    }
    DDM_Close(ctx);
    MrgFreeSection(buf);
    return 1;
}
