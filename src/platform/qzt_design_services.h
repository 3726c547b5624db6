// Engine calls of design opening and viewing beyond the store: the user's
// recent design and the extent of all data.
#pragma once
#include <cstdint>

#include "platform/layout_design.h"

extern "C" {

// Keeps the file name of the pair (folder char[260] + name char[260]) as the
// user's recent design ("Recent Filename"), which the frame's title shows.
void ENV_SetRecentFile(const char* pathPair);
// The box of all data of the design: non-zero when it holds any, with the
// lower-left corner in c1 and the upper-right in c2 ({x, y} each). The seven
// further arguments of the old call are not read.
int FIG_AllDataCount(DdmContext* ctx, int32_t* c1, int32_t* c2, int a = 0, int b = 0, int c = 0, int d = 0,
                     int e = 0, int f = 0, int g = 0);

}
