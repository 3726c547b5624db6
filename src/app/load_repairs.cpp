// The repair passes after a load: the clearance rules of old designs, figure
// records that are neither lines nor arcs, arcs too large to draw, element
// numbers for the concurrent-design service, and the parts' outlines.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/file_load.h"
#include "app/frame_state.h"
#include "check/drc_outfile.h"
#include "platform/layout_fill.h"
#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/layout_part.h"
#include "platform/layout_text.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_env.h"
#include "platform/qzt_fil.h"
#include "platform/qzt_geometry.h"
#include "platform/qzt_records.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "view/cnv.h"

// Designs up to this version keep their clearances under the old codes.
constexpr uint32_t kRuleUpgradeVersion = 15001100;
// Arcs beyond 3000 mm of radius cannot be drawn or checked.
constexpr int32_t kMaxArcRadius = 300000000;

int FILE_UpgradeRuleTable(uint32_t version)
{
    if (version > kRuleUpgradeVersion) return 0;
    struct Pair {
        int oldCode, newCode;
    } pairs[3] = {
        {TRL_MakeClearanceCode(0x2000000, 0x11, 0x11), TRL_MakeClearanceCode(0x2000000, 0x11, 0x90)},
        {TRL_MakeClearanceCode(0x2000000, 0x13, 0x11), TRL_MakeClearanceCode(0x2000000, 0x13, 0x50)},
        {TRL_MakeClearanceCode(0x2000000, 0x13, 0x13), TRL_MakeClearanceCode(0x2000000, 0x13, 0x90)},
    };
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    RuleTable* table = DDM_Open_RuleTable(ctx);
    int count = table->count < 0 ? 0 : (table->count > TBL_MAX_RULE ? TBL_MAX_RULE : table->count);
    for (int r = 0; r < count; ++r) {
        RuleClearance* e = table->rule[r].entry;
        int at[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};
        bool any = false;
        for (int i = 0; i < 128; ++i) {
            for (int p = 0; p < 3; ++p) {
                if (e[i].code == pairs[p].oldCode) at[p][0] = i, any = true;
                if (e[i].code == pairs[p].newCode) at[p][1] = i, any = true;
            }
        }
        if (!any) continue;
        for (int p = 0; p < 3; ++p) {
            int o = at[p][0], n = at[p][1];
            if (o < 0 && n >= 0) {
                e[n].value = -1;
            } else if (o >= 0 && n < 0) {
                for (int i = 0; i < 128; ++i) {
                    if (e[i].code != 0) continue;
                    e[i] = {pairs[p].newCode, 0, e[o].value};
                    break;
                }
            } else if (o >= 0 && n >= 0) {
                e[n].value = e[o].value;
            }
        }
    }
    DDM_Close(ctx);
    return 1;
}

static bool IsLineOrArc(uint16_t code)
{
    return code == FC_LINE || code == FC_ARC_CW || code == FC_ARC_CCW;
}

int FILE_DropNonLineFigures()
{
    int dropped = 0;
    for (void* page = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0); page;
         page = dam_NextPage(page, DCODE_LINE, DAM_SEL_ALL, 0)) {
        void* data = dam_GetDataAddress(page);
        int count = dam_Get_cnt_of_DataPH(data);
        for (int i = 0; i < count; ++i) {
            LineRecord* r = (LineRecord*)PageRecord(data, i, sizeof(LineRecord));
            if ((r->status & ES_DELETED) || IsLineOrArc(r->code)) continue;
            r->status |= ES_DELETED;
            dropped = 1;
        }
    }
    return dropped;
}

int FILE_ConvertOverRadiusArcs(const char* logPath)
{
    HWND owner = CNV_GetWindow();
    HANDLE log = CreateFileA(logPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        ErrMsgFormat(owner, GetLastError(), "ファイルオープン");
        return 1;
    }
    int converted = 0;
    for (void* page = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0); page;
         page = dam_NextPage(page, DCODE_LINE, DAM_SEL_ALL, 0)) {
        void* data = dam_GetDataAddress(page);
        short level = (short)dam_Get_key_of_DataPH(data, 1);
        for (int i = 0; i < dam_Get_cnt_of_DataPH(data); ++i) {
            LineRecord* arc = (LineRecord*)PageRecord(data, i, sizeof(LineRecord));
            if ((arc->status & ES_DELETED) || arc->code == FC_LINE || arc->radius <= kMaxArcRadius) continue;
            char line[300];
            snprintf(line, sizeof line,
                     "半径が制限を超えた円弧をラインに変換しました 半径= %lf, level=%ld [%.4lf, %.4lf]-[%.4lf, %.4lf]\r\n",
                     arc->radius / 100000.0, (long)level, arc->x1 / 100000.0, arc->y1 / 100000.0,
                     arc->x2 / 100000.0, arc->y2 / 100000.0);
            DRC_OutFileWrite(owner, log, line);
            LineRecord straight = {};
            PDL_MakeNewQZLine(FC_LINE, &straight, arc->lineNo, -1, -1, -1, arc->x1, arc->y1, arc->x2, arc->y2);
            void* to = nullptr;
            if (!PDL_InsertNewData(level, &straight, &to)) {
                CloseHandle(log);
                return 0;
            }
            arc->status |= ES_DELETED;
            ++converted;
        }
    }
    if (!CloseHandle(log)) ErrMsgFormat(owner, GetLastError(), "ファイルクローズ");
    return 1 + converted;
}

// The pages that belong to levels: texts, VIAs, lines and fills.
struct LevelPage {
    int level;
    uint32_t pageNo;
    int code;
    void* page;
};

static void NumberRecords(void* data, int size, int offset, uint32_t* counter)
{
    int count = dam_Get_cnt_of_DataPH(data);
    for (int i = 0; i < count; ++i) {
        uint32_t n = (*counter)++;
        memcpy(PageRecord(data, i, size) + offset, &n, 4);
    }
}

int FILE_NumberElements(DdmContext* ctx)
{
    uint32_t counter = 1;
    // Level by level, each level's pages in the order they were made: every
    // text, VIA and line record takes a number, a fill page one number.
    std::vector<LevelPage> pages;
    for (int code : {DCODE_TEXT, DCODE_VIA, DCODE_LINE, DCODE_FILL}) {
        for (void* page = dam_NextPage(nullptr, code, DAM_SEL_ALL, 0); page;
             page = dam_NextPage(page, code, DAM_SEL_ALL, 0)) {
            void* data = dam_GetDataAddress(page);
            pages.push_back({(int16_t)dam_Get_key_of_DataPH(data, 1), ((DataPageHeader*)data)->pageNo, code, data});
        }
    }
    std::sort(pages.begin(), pages.end(), [](const LevelPage& a, const LevelPage& b) {
        return a.level != b.level ? a.level < b.level : a.pageNo < b.pageNo;
    });
    for (const LevelPage& p : pages) {
        switch (p.code) {
        case DCODE_TEXT:
            NumberRecords(p.page, sizeof(TextRecord), offsetof(TextRecord, elementNo), &counter);
            break;
        case DCODE_VIA:
            NumberRecords(p.page, sizeof(ViaRecord), offsetof(ViaRecord, elementNo), &counter);
            break;
        case DCODE_LINE:
            NumberRecords(p.page, sizeof(LineRecord), offsetof(LineRecord, elementNo), &counter);
            break;
        case DCODE_FILL:
            ((FillHead*)PageRecord(p.page, 0, 0))->elementNo = counter++;
            break;
        }
    }
    // Parts, each followed by its pins.
    for (void* page = dam_NextPage(nullptr, DCODE_PART, DAM_SEL_ALL, 0); page;
         page = dam_NextPage(page, DCODE_PART, DAM_SEL_ALL, 0)) {
        void* data = dam_GetDataAddress(page);
        PartRecord* part = (PartRecord*)PageRecord(data, 0, 0);
        part->elementNo = counter++;
        int key = dam_Get_key_of_DataPH(data, 4);
        for (void* pins = dam_NextPage(nullptr, DCODE_PIN, DAM_SEL_PART, key); pins;
             pins = dam_NextPage(pins, DCODE_PIN, DAM_SEL_PART, key)) {
            void* pd = dam_GetDataAddress(pins);
            int count = dam_Get_cnt_of_DataPH(pd);
            for (int i = 0; i < count; ++i) ((ViaRecord*)PageRecord(pd, i, sizeof(ViaRecord)))->elementNo = counter++;
        }
    }
    MDMC_ReqInitElementNo(nullptr, (int)counter);
    return 0;
}

int FILE_RecalcPartAreas()
{
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    void* env = ENV_GetENVClass();
    bool fix = ENV_GetViaSymAreaFix(env) != 0;
    for (void* page = dam_NextPage(nullptr, DCODE_PART, DAM_SEL_ALL, 0); page;
         page = dam_NextPage(page, DCODE_PART, DAM_SEL_ALL, 0)) {
        PartRecord* part = (PartRecord*)PageRecord(dam_GetDataAddress(page), 0, 0);
        if (part->status & ES_DELETED) continue;
        int32_t e[4] = {0, 0, 0, 0};
        if (fix)
            PDP_ReCalcShpDataViaMinMax(e, ctx, (int)part->shapeNo, ENV_GetViaSymAreaLevel(env));
        else
            PDP_ReCalcShpDataMinMax(e, ctx, (int)part->shapeNo);
        const int32_t corner[4][2] = {{e[0], e[1]}, {e[2], e[1]}, {e[2], e[3]}, {e[0], e[3]}};
        for (int k = 0; k < 4; ++k) {
            int64_t p = MrrAndRotAtGenten(corner[k][0], corner[k][1], part->place);
            part->outline2[k][0] = (int32_t)(p & 0xFFFFFFFF) + part->x;
            part->outline2[k][1] = (int32_t)(p >> 32) + part->y;
        }
        if (!fix) memcpy(part->outline1, part->outline2, sizeof part->outline1);
    }
    DDM_Close(ctx);
    return 1;
}
