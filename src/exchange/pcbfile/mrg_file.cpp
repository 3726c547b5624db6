// Predecessor board file: open and close, the header and directory, and the
// spine that dispatches the sections in directory order.
#include <cstring>

#include "exchange/mrg.h"
#include "exchange/pcbfile/mrg_read.h"
#include "platform/qztdll.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "platform/layout_tables.h"
#include "view/bar.h"

static MrgProgressSpy s_progressSpy;

void MRG_SetProgressSpy(MrgProgressSpy spy) { s_progressSpy = spy; }

// The status bar shows the caption and the squares, and draws them again
// only when the count changes.
void MrgProgressCount(const char* caption, int n)
{
    if (s_progressSpy) s_progressSpy(caption, n);
    BAR_StatusProgress(caption, n);
}

void MrgProgress(const char* caption, int64_t i, int64_t count)
{
    if (count <= 0) return;
    int n = (int)(i * 20.0 / (double)count + 0.5);
    MrgProgressCount(caption, n);
}

void MrgReadError(const char* text) { MessageBoxA(nullptr, text, MRG_CAPTION, MB_ICONHAND); }

// ---- The file ---------------------------------------------------------------------

static const int MRG_BUFFER = 1 << 16;

bool MrgSeek(MrgFile* f, int64_t pos)
{
    if (pos < 0 || pos > f->size) return false;
    f->pos = pos;
    return true;
}

static bool ReadRaw(MrgFile* f, int64_t at, void* dst, DWORD n)
{
    LARGE_INTEGER li;
    li.QuadPart = at;
    DWORD got = 0;
    if (!SetFilePointerEx(f->handle, li, nullptr, FILE_BEGIN)) return false;
    return ReadFile(f->handle, dst, n, &got, nullptr) && got == n;
}

bool MrgRead(MrgFile* f, void* dst, int64_t n)
{
    if (n < 0 || n > MrgLeft(f)) return false;
    uint8_t* out = (uint8_t*)dst;
    while (n > 0) {
        if (f->pos >= f->bufStart && f->pos < f->bufStart + f->bufLen) {
            int64_t off = f->pos - f->bufStart;
            int64_t take = f->bufLen - off < n ? f->bufLen - off : n;
            memcpy(out, f->buf + off, (size_t)take);
            out += take, n -= take, f->pos += take;
            continue;
        }
        if (n >= MRG_BUFFER) {  // a whole section: straight into the caller's buffer
            while (n > 0) {
                DWORD part = n > (1 << 30) ? (1 << 30) : (DWORD)n;
                if (!ReadRaw(f, f->pos, out, part)) return false;
                out += part, n -= part, f->pos += part;
            }
            return true;
        }
        int64_t want = f->size - f->pos < MRG_BUFFER ? f->size - f->pos : MRG_BUFFER;
        if (!ReadRaw(f, f->pos, f->buf, (DWORD)want)) {
            f->bufLen = 0;
            return false;
        }
        f->bufStart = f->pos;
        f->bufLen = (int)want;
    }
    return true;
}

int MrgReadFixedSection(MrgState* s, const SectionDirectoryEntry* e, int ownSize,
                        const char* errorText, uint8_t** buf)
{
    *buf = nullptr;
    // A record smaller than the reader's own would have it read past its
    // records; a negative size or count, or a section running past the end
    // of the file, cannot be read whole: all get the section's message, as a
    // short read does.
    if (e->recordSize < ownSize || e->count < 0) {
        MrgReadError(errorText);
        return 0;
    }
    int64_t bytes = (int64_t)e->recordSize * e->count;
    if (bytes > MrgLeft(s->file)) {
        MrgReadError(errorText);
        return 0;
    }
    *buf = (uint8_t*)MemAlloc(nullptr, bytes > 0 ? (size_t)bytes : 1, MRG_CAPTION);
    if (!*buf) return 0;
    if (!MrgRead(s->file, *buf, bytes)) {
        MrgFreeSection(*buf);
        *buf = nullptr;
        MrgReadError(errorText);
        return 0;
    }
    return 1;
}

void MrgFreeSection(uint8_t* buf) { MemFree(nullptr, buf, MRG_CAPTION); }

void MrgWiden(int32_t* extent, const int32_t* box)
{
    if (box[0] < extent[0]) extent[0] = box[0];
    if (box[1] < extent[1]) extent[1] = box[1];
    if (box[2] > extent[2]) extent[2] = box[2];
    if (box[3] > extent[3]) extent[3] = box[3];
}

bool MrgLevelOk(int level) { return level >= 1 && level <= TBL_MAX_LEVEL; }

// ---- The spine ----------------------------------------------------------------------

static void Dispatch(MrgState* s, const SectionDirectoryEntry* e)
{
    switch (e->id) {
    case PCB_SEC_CI: MRG_ReadCiSection(s, e); break;
    case PCB_SEC_CL: MRG_ReadClSection(s, e); break;
    case PCB_SEC_CC: MRG_ReadCcSection(s, e); break;
    case PCB_SEC_VIA_TABLE:
        s->aptCommon ? MRG_ReadViaTableAptCommon(s, e) : MRG_ReadViaTable(s, e);
        break;
    case PCB_SEC_FLASH_TABLE:
        s->aptCommon ? MRG_ReadFlashTableAptCommon(s, e) : MRG_ReadFlashTable(s, e);
        break;
    case PCB_SEC_LINE_TABLE:
        s->aptCommon ? MRG_ReadLineTableAptCommon(s, e) : MRG_ReadLineTable(s, e, 0);
        break;
    case PCB_SEC_LEVEL_TABLE: MRG_ReadLevelTable(s, e); break;
    case PCB_SEC_FONT_TABLE: MRG_ReadFontTable(s, e); break;
    case PCB_SEC_VIAS: MRG_ReadVias(s, e); break;
    case PCB_SEC_LINES:
    case PCB_SEC_LINES2: MRG_ReadGraphicLines(s, e); break;
    case PCB_SEC_TEXTS: MRG_ReadTexts(s, e); break;
    case PCB_SEC_FILLS: MRG_ReadFills(s, e); break;
    case PCB_SEC_SHAPES: MRG_ReadShapes(s, e); break;
    case PCB_SEC_PARTS: MRG_ReadParts(s, e); break;
    case PCB_SEC_INNER_TABLE: MRG_ReadInnerTable(s, e); break;
    case PCB_SEC_FLASH_DATA:
        s->flashEntry = *e;
        s->haveFlashEntry = true;
        break;
    default: break;  // unknown sections are skipped
    }
}

static void FreeTables(MrgState* s)
{
    MemFree(nullptr, s->shapes, MRG_CAPTION);
    s->shapes = nullptr;
    s->shapeCount = 0;
    MemFree(nullptr, s->pins, MRG_CAPTION);
    s->pins = nullptr;
    s->pinRanges = s->partCount = 0;
}

static int ReadSections(MrgFile* f, int32_t* extent, DdmContext* ctx, int aptCommon)
{
    MrgState st{};
    MrgState* s = &st;
    s->file = f;
    s->ctx = ctx;
    s->aptCommon = aptCommon;
    memcpy(s->extent, extent, sizeof s->extent);
    void* hDesign = ctx->design;
    s->ci = (uint8_t*)CCC_GetCI(hDesign);
    s->cl = (uint8_t*)CCC_GetCL(hDesign);
    s->cc = (uint8_t*)CCC_GetCC(hDesign);

    PcbFileHeader head;
    if (!MrgSeek(f, 0) || !MrgRead(f, &head, sizeof head)) {
        MrgReadError("HDR1 Read Error.");
        return 0;
    }
    for (int32_t k = 1; k < head.units; k++) {
        SectionDirectoryEntry e;
        if (!MrgSeek(f, 16 * (int64_t)k) || !MrgRead(f, &e, sizeof e)) {
            // The shape and pin tables are freed here too, not left behind.
            FreeTables(s);
            MrgReadError("HDR2 Read Error.");
            return 0;
        }
        if (e.id == PCB_SEC_FLASH_DATA) {
            Dispatch(s, &e);
            continue;
        }
        // A section said to start outside the file gets its section's
        // message from its reader, which finds nothing left to read.
        if (!MrgSeek(f, e.offset)) MrgSeek(f, f->size);
        Dispatch(s, &e);
    }
    MemFree(nullptr, s->shapes, MRG_CAPTION);
    s->shapes = nullptr;
    s->shapeCount = 0;
    if (s->haveFlashEntry && s->flashEntry.offset > 0) {
        if (!MrgSeek(f, s->flashEntry.offset)) MrgSeek(f, f->size);
        MRG_ReadFlashData(s, &s->flashEntry);
    }
    FreeTables(s);

    if (aptCommon && s->ci) {
        DdmContext* own = DDM_Open(hDesign);
        MRG_CompleteBoard(s, own);
        DDM_Close(own);
    } else {
        MRG_CompleteBoard(s, ctx);
    }
    memcpy(extent, s->extent, sizeof s->extent);
    return 1;
}

int MRG_ReadPcbSections(MrgFile* f, int32_t* extent, DdmContext* ctx) { return ReadSections(f, extent, ctx, 0); }
int MRG_ReadPcbSectionsAptCommon(MrgFile* f, int32_t* extent, DdmContext* ctx) { return ReadSections(f, extent, ctx, 1); }

int MRG_ReadOldPcbFile(const PcbPathPair* path, DdmContext* ctx, int aptCommon)
{
    char full[520];
    snprintf(full, sizeof full, "%.*s%.*s", (int)strnlen(path->folder, 260), path->folder,
             (int)strnlen(path->name, 260), path->name);
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, FALSE};
    HANDLE h = CreateFileA(full, GENERIC_READ, 0, &sa, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        ErrMsgFormat(nullptr, GetLastError(), "開く");
        return 0;
    }
    MrgFile f{};
    f.handle = h;
    LARGE_INTEGER size;
    f.buf = (uint8_t*)MemAlloc(nullptr, MRG_BUFFER, MRG_CAPTION);
    if (!f.buf || !GetFileSizeEx(h, &size)) {
        MemFree(nullptr, f.buf, MRG_CAPTION);
        CloseHandle(h);
        return 0;
    }
    f.size = size.QuadPart;
    int32_t extent[4] = {150000000, 150000000, -150000000, -150000000};
    int ok = aptCommon ? MRG_ReadPcbSectionsAptCommon(&f, extent, ctx) : MRG_ReadPcbSections(&f, extent, ctx);
    MemFree(nullptr, f.buf, MRG_CAPTION);
    if (!ok) {
        CloseHandle(h);
        return 0;
    }
    if (!CloseHandle(h)) {
        ErrMsgFormat(nullptr, GetLastError(), "保存");
        return 0;
    }
    return 1;
}
