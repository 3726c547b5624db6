// Inside the predecessor board reader: the open file, the state the section
// readers share, and the section readers the spine dispatches to.
//
// Every count, size, offset and index read from the file is checked against
// the file's size and the tables it indexes before it is used: a damaged
// board ends its section with the section's message, never with a read or a
// write outside the file or a table.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_design.h"
#include "platform/layout_pcbfile.h"

// The board file, read through a buffer and never past its size.
struct MrgFile {
    HANDLE handle;
    int64_t size;
    int64_t pos;           // the file position the next read starts at
    uint8_t* buf;          // read-ahead of the variable sections
    int64_t bufStart;
    int bufLen;
};

bool MrgSeek(MrgFile* f, int64_t pos);
// Reads n bytes at the position; false (nothing usable) when fewer remain or
// the system read fails.
bool MrgRead(MrgFile* f, void* dst, int64_t n);
inline int64_t MrgLeft(const MrgFile* f) { return f->size - f->pos; }

struct ShapeIndexEntry {
    int32_t recordIndex;   // index of the shape record in the file
    int32_t shapeNo;       // shape number in the design
};
struct PinRangeEntry {
    int32_t first, last;   // pin numbers, counted over the part section from 0
    int32_t partKey;
};

struct MrgState {
    MrgFile* file;
    DdmContext* ctx;
    int aptCommon;
    int32_t extent[4];
    ShapeIndexEntry* shapes;
    int shapeCount;
    PinRangeEntry* pins;
    int pinRanges;         // entries of `pins` made so far
    int partCount;
    SectionDirectoryEntry flashEntry;
    bool haveFlashEntry;
    uint8_t* ci;
    uint8_t* cl;
    uint8_t* cc;
};

constexpr const char* MRG_CAPTION = "PCB 合成";

// The read-error box: no owner, the caption above, the hand icon.
void MrgReadError(const char* text);
// Progress before record i of count (n = i x 20 / count, rounded).
void MrgProgress(const char* caption, int64_t i, int64_t count);
void MrgProgressCount(const char* caption, int n);

// The checked buffer of a fixed-size section: the entry's record size must
// hold at least `ownSize` bytes; the whole section must lie in the file. On
// success *buf holds count x record size bytes (from MemAlloc, tag "PCB 合成")
// and 1 is returned; 0 after the message `errorText` (bad size, short or
// failed read) or, without a message, when the buffer cannot be allocated.
int MrgReadFixedSection(MrgState* s, const SectionDirectoryEntry* e, int ownSize,
                        const char* errorText, uint8_t** buf);
void MrgFreeSection(uint8_t* buf);

// Widens an extent {min x, min y, max x, max y} by a box.
void MrgWiden(int32_t* extent, const int32_t* box);
// A level of the file that the design has (1 to the level table's last).
bool MrgLevelOk(int level);

// Section readers (1 read, 0 failed; the spine goes on either way).
int MRG_ReadCiSection(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadClSection(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadCcSection(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadViaTable(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadViaTableAptCommon(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadFlashTable(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadFlashTableAptCommon(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadLineTable(MrgState* s, const SectionDirectoryEntry* e, int linkMask);
int MRG_ReadLineTableAptCommon(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadLevelTable(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadFontTable(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadInnerTable(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadGraphicLines(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadTexts(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadVias(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadFills(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadShapes(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadParts(MrgState* s, const SectionDirectoryEntry* e);
int MRG_ReadFlashData(MrgState* s, const SectionDirectoryEntry* e);

// Reads one fill (header and outline records) at the file position and, when
// `convert`, stores it: on a board fill page, or when shapeKey >= 0 on a
// shape fill page of that shape. 0 after a failed read (message shown).
int MrgReadOneFill(MrgState* s, bool board, int shapeKey, bool convert);

// The completion steps after the last section.
void MRG_CompleteBoard(MrgState* s, DdmContext* ctx);
