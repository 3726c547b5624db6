// The upgrade and check calls that design loading runs after a load. The
// upgrades repair designs of older versions of the format; designs this
// program writes carry a version above every threshold and have nothing to
// repair, so they do nothing. The two data checks really walk the design
// and append each finding to the log the loader names ("read_err.log").
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/store.h"
#include "platform/layout_fill.h"
#include "platform/layout_line.h"
#include "platform/layout_part.h"
#include "platform/layout_text.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_file.h"

using namespace store;

namespace {

constexpr int32_t WORK_AREA = 150000000;

// Lines gathered by one check, appended to the log in one write.
struct Log {
    std::string text;
    int count = 0;
    void Add(const char* format, ...)
    {
        char line[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(line, sizeof(line), format, args);
        va_end(args);
        text += line;
        text += "\r\n";
        ++count;
    }
    // 0 when something was written (the loader's convention), 1 otherwise.
    int Flush(const char* path)
    {
        if (count == 0) return 1;
        HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD done = 0;
            WriteFile(f, text.data(), (DWORD)text.size(), &done, nullptr);
            CloseHandle(f);
        }
        return 0;
    }
};

bool Live(const void* rec) { return !(*(const uint32_t*)rec & ES_DELETED); }

template <class Fn> void EachRecord(int code, Fn fn)
{
    for (void* p = dam_NextPage(nullptr, code, 0, 0); p; p = dam_NextPage(p, code, 0, 0)) {
        DataPageHeader* h = (DataPageHeader*)p;
        for (int i = 0; i < h->count; ++i) {
            uint8_t* rec = PageRecord(p, i, h->recordSize);
            if (Live(rec)) fn(h, rec);
        }
    }
}

bool Outside(int32_t v) { return v < -WORK_AREA || v > WORK_AREA; }

// The VIA number of a placed VIA: the u32 at 6 (the record's viaNo is its
// low half).
uint32_t ViaNumber(const ViaRecord* r)
{
    uint32_t n;
    std::memcpy(&n, (const uint8_t*)r + offsetof(ViaRecord, viaNo), 4);
    return n;
}

// Pages of level-keyed data whose level names no level of the table. Level 0
// holds the bulletin-board notes and data read without a level; it is kept.
void CheckLevels(Log& log, int code, const char* kind)
{
    const LevelTable* levels = Region_<LevelTable>(RG_LEVEL);
    for (void* p = dam_NextPage(nullptr, code, 0, 0); p; p = dam_NextPage(p, code, 0, 0)) {
        DataPageHeader* h = (DataPageHeader*)p;
        int level = h->key[0];
        if (level == 0 || level <= levels->levelUseNum) continue;
        int live = 0;
        for (int i = 0; i < h->count && code != DCODE_FILL; ++i)
            live += Live(PageRecord(p, i, h->recordSize));
        if (code == DCODE_FILL ? (h->status & PS_SKIP) == 0 && h->count > 0 : live > 0)
            log.Add("%sのレベル番号が範囲外です: level=%d, ページ=%u", kind, level, h->pageNo);
    }
}

}  // namespace

extern "C" {

int DDM_TabalNoCheck(DdmContext* ctx, HWND hCanvas, const char* logPath)
{
    Log log;
    const LineTable* lines = Region_<LineTable>(RG_LINE);
    const LineTable* fillLines = Region_<LineTable>(RG_FILL_LINE);
    const TextLineTable* textLines = Region_<TextLineTable>(RG_TEXT_LINE);
    const ViaTable* vias = Region_<ViaTable>(RG_VIA);
    EachRecord(DCODE_LINE, [&](DataPageHeader* h, uint8_t* rec) {
        const LineRecord* r = (const LineRecord*)rec;
        if (r->lineNo < 1 || r->lineNo > lines->useNum || r->lineNo > TBL_MAX_LINE)
            log.Add("線番号が範囲外です: 線番号=%d, level=%d, 要素番号=%u", (int)r->lineNo,
                    (int)(int16_t)h->key[0], (unsigned)r->elementNo);
    });
    // Placed VIAs carry their number in the whole u32 at 6; pins keep the
    // copied shape pin's defined-VIA table number in its high half.
    auto via = [&](const char* kind, uint32_t viaNo, uint32_t element) {
        if (viaNo > (uint32_t)vias->useNum || viaNo > TBL_MAX_VIA)
            log.Add("%s番号が範囲外です: VIA番号=%u, 要素番号=%u", kind, (unsigned)viaNo, (unsigned)element);
    };
    EachRecord(DCODE_VIA, [&](DataPageHeader* h, uint8_t* rec) {
        const ViaRecord* r = (const ViaRecord*)rec;
        via("VIA", ViaNumber(r), r->elementNo);
    });
    EachRecord(DCODE_PIN, [&](DataPageHeader* h, uint8_t* rec) {
        const ViaRecord* r = (const ViaRecord*)rec;
        via("ピンのVIA", r->viaNo, r->elementNo);
    });
    EachRecord(DCODE_TEXT, [&](DataPageHeader* h, uint8_t* rec) {
        const TextRecord* r = (const TextRecord*)rec;
        int n = (int)r->textLineNo;
        if (n < 1 || n > textLines->useNum || n > TBL_MAX_TEXTLINE)
            log.Add("文字線番号が範囲外です: 文字線番号=%d, level=%d, 要素番号=%u", n,
                    (int)(int16_t)h->key[0], (unsigned)r->elementNo);
    });
    for (void* p = dam_NextPage(nullptr, DCODE_FILL, 0, 0); p; p = dam_NextPage(p, DCODE_FILL, 0, 0)) {
        DataPageHeader* h = (DataPageHeader*)p;
        if ((h->status & PS_SKIP) || h->count < 1) continue;
        const FillHead* first = (const FillHead*)PageRecord(p, 0, FILL_ENTRY_SIZE);
        if (first->lineNo < 1 || first->lineNo > fillLines->useNum || first->lineNo > TBL_MAX_LINE)
            log.Add("面線番号が範囲外です: 面線番号=%d, level=%d, ページ=%u", (int)first->lineNo,
                    (int)(int16_t)h->key[0], h->pageNo);
    }
    for (void* p = dam_NextPage(nullptr, DCODE_PART, 0, 0); p; p = dam_NextPage(p, DCODE_PART, 0, 0)) {
        DataPageHeader* h = (DataPageHeader*)p;
        const PartRecord* r = (const PartRecord*)PageRecord(p, 0, h->recordSize);
        if (Live(r) && !dam_NextPage(nullptr, DCODE_SHAPE, DAM_SEL_PART, (int)r->shapeNo))
            log.Add("部品のシェイプ番号が範囲外です: %.18s, シェイプ番号=%u, 要素番号=%u", r->assignName,
                    (unsigned)r->shapeNo, (unsigned)r->elementNo);
    }
    CheckLevels(log, DCODE_LINE, "線");
    CheckLevels(log, DCODE_TEXT, "文字");
    CheckLevels(log, DCODE_FILL, "面");
    return log.Flush(logPath);
}

int DDM_AllDataAreaCheck(DdmContext* ctx, HWND hCanvas, const char* logPath)
{
    Log log;
    auto check = [&](const char* kind, DataPageHeader* h, int32_t x, int32_t y, uint32_t element) {
        if (Outside(x) || Outside(y))
            log.Add("エリア外の%s: level=%d [%.4f, %.4f] 要素番号=%u", kind, (int)(int16_t)h->key[0],
                    x / 100000.0, y / 100000.0, element);
    };
    EachRecord(DCODE_LINE, [&](DataPageHeader* h, uint8_t* rec) {
        const LineRecord* r = (const LineRecord*)rec;
        check("線", h, r->x1, r->y1, r->elementNo);
        check("線", h, r->x2, r->y2, r->elementNo);
    });
    EachRecord(DCODE_VIA, [&](DataPageHeader* h, uint8_t* rec) {
        const ViaRecord* r = (const ViaRecord*)rec;
        check("VIA", h, r->x, r->y, r->elementNo);
    });
    EachRecord(DCODE_TEXT, [&](DataPageHeader* h, uint8_t* rec) {
        const TextRecord* r = (const TextRecord*)rec;
        check("文字", h, r->x, r->y, r->elementNo);
    });
    for (void* p = dam_NextPage(nullptr, DCODE_PART, 0, 0); p; p = dam_NextPage(p, DCODE_PART, 0, 0)) {
        DataPageHeader* h = (DataPageHeader*)p;
        const PartRecord* r = (const PartRecord*)PageRecord(p, 0, h->recordSize);
        if (Live(r)) check("部品", h, r->x, r->y, r->elementNo);
    }
    // Fills: every point of every figure, one line per fill.
    for (void* p = dam_NextPage(nullptr, DCODE_FILL, 0, 0); p; p = dam_NextPage(p, DCODE_FILL, 0, 0)) {
        DataPageHeader* h = (DataPageHeader*)p;
        if ((h->status & PS_SKIP) || h->count < 1) continue;
        int64_t ox = 0, oy = 0;
        for (int i = 0; i < h->count; ++i) {
            const uint8_t* e = PageRecord(p, i, FILL_ENTRY_SIZE);
            uint16_t kind = *(const uint16_t*)e;
            if (kind == FK_FIRST_FIGURE || kind == FK_NEXT_FIGURE) {
                ox = ((const FillHead*)e)->ox;
                oy = ((const FillHead*)e)->oy;
                continue;
            }
            const FillPoint* pt = (const FillPoint*)e;
            int64_t x = ox + pt->x, y = oy + pt->y;
            if (x < -WORK_AREA || x > WORK_AREA || y < -WORK_AREA || y > WORK_AREA) {
                const FillHead* first = (const FillHead*)PageRecord(p, 0, FILL_ENTRY_SIZE);
                log.Add("エリア外の面: level=%d [%.4f, %.4f] 要素番号=%u", (int)(int16_t)h->key[0],
                        x / 100000.0, y / 100000.0, (unsigned)first->elementNo);
                break;
            }
        }
    }
    return log.Flush(logPath);
}

// No signal strings carry taper marks in designs of this format.
int DDM_SignalTD_HiddenFlagClear(DdmContext* ctx, HWND hCanvas, const char* logPath) { return 1; }
int DDM_RepairMargeStringData(DdmContext* ctx) { return 0; }
int DDM_AllShpPinNameCheck(DdmContext* ctx, HWND hCanvas) { return 1; }
int DDM_SlinTblDataConv(DdmContext* ctx) { return 1; }
void DDM_DataVerify(DdmContext* ctx) {}
void FilLoad_SymRotCorrect(DdmContext* ctx, uint32_t version) {}
void FilLoad_SigLineACTaperFlgCorrect(DdmContext* ctx) {}
void DDM_ReSize_FmtDrcTable(DdmContext* ctx)
{
    if (ctx) ctx->formatDrcCount = Region_<RuleTable>(RG_RULE)->count;
}
void DDM_Load_SLIBCheck(DdmContext* ctx) {}
void DDM_TVT_AptNo0_Clear(DdmContext* ctx) {}
void DDM_PinRefDupDataPack(DdmContext* ctx) {}
void DDM_NotPinNoPinDef_Delete(DdmContext* ctx, HWND hCanvas) {}
void DDM_PinLgnetUpdate_PinRef(DdmContext* ctx) {}
void DDM_UpdateAllSymPinPnt_QzPin(DdmContext* ctx) {}
void DDM_PinName_SpaceCut(DdmContext* ctx) {}
void DDM_AllSymInfDataUpdate(DdmContext* ctx, HWND hCanvas) {}
void DDM_ErrFigTDLinkClear(DdmContext* ctx) {}
void DDM_PinDefNetPageUpdate(DdmContext* ctx, HWND hCanvas) {}
void DDM_Load_0LgnetCheck(DdmContext* ctx) {}
void DDM_ViaTbl_AptNoCheck(DdmContext* ctx, HWND hCanvas) {}
void DDM_Initialize(DdmContext* ctx, HINSTANCE hInstance) {}
void DDM_InitMDMData(DdmContext* ctx) {}
void CCC_Initialize(DdmContext* ctx, HINSTANCE hInstance) {}

}
