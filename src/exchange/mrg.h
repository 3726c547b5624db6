// Predecessor board files (.pcb): the reader design loading calls for a file
// whose extension is ".PCB".
#pragma once
#include <windows.h>

#include "platform/layout_design.h"

// The path of a board as design loading passes it: the folder, ending in its
// separator, and the file name; the full path is the two joined.
struct PcbPathPair {
    char folder[260];
    char name[260];
};

// Reads the board file into the design of `ctx` (a fresh design made from the
// predecessor template). `aptCommon` non-zero: line apertures are shared with
// flashes (the "ＡＰＴ共通" option). Non-zero when the file was read, sections
// that failed included; 0 when it could not be opened or its header or
// directory could not be read (the user has seen the message then).
int MRG_ReadOldPcbFile(const PcbPathPair* path, DdmContext* ctx, int aptCommon);

// ---- For tests -------------------------------------------------------------------
// Every progress call of the reader, in order: caption and count (0 to 20).
typedef void (*MrgProgressSpy)(const char* caption, int n);
void MRG_SetProgressSpy(MrgProgressSpy spy);
