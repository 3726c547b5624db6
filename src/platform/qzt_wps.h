// The work space: the file "QZtemp.wps" in the program folder that holds the
// whole open design while the program runs, and the database context through
// which every operation reaches it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/layout_design.h"

extern "C" {

// Opens the work space file `folder` + `name`, or the file `path` when
// `name` is null or empty. A file holding a work space of an earlier run is
// opened with its design ("continue where the program last stopped"); any
// other file is replaced by a fresh, empty work space. Returns the work-space
// handle (the program's hDesign), or 0 when the file cannot be created or
// mapped. Opening another work space closes the one open before.
void* WPS_Open(const char* path, const char* name = nullptr);
// Writes the work space back and closes it; a null handle is accepted.
void WPS_Close(void* hWps);
// Deletes the work space file (closing it first when it is the open one).
void WPS_Delete(const char* path, const char* name = nullptr);

// A database context on the design (never 0). Works before any work space is
// open: every getter then answers from an empty design.
DdmContext* DDM_Open(void* hDesign);
void DDM_Close(DdmContext* ctx);
void DAM_Close(DdmContext* ctx);
// Writes the work space's pages back to its file; 0 on failure (GetLastError
// tells why).
int DDM_FlushFileBuffers(DdmContext* ctx);

}

// Capacity and bytes in use of the open work space (0, 0 when none).
void WPS_GetSize(uint64_t* capacity, uint64_t* used);
