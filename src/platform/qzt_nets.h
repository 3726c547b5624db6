// The names of the design's nets.
//
// A net number n (from 1) names the net page at place n - 1 from the first
// net page of the PCB information record's table (DDM_Open_PCBInfData); the
// page's name stands 16 bytes into it.
#pragma once
#include "platform/layout_design.h"

extern "C" {

// Writes the name of net `netNo` into `buffer` (room for 65 bytes: at most
// 64 characters and the terminator) and returns `buffer`. A net number of 0
// or less, one beyond the table, or one whose page is gone gives an empty
// text. `context` may be null (the open design).
char* SigLin_GetNetNo2NetName(DdmContext* context, int netNo, char* buffer);
}
