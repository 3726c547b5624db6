// Design loading (command 40140) and the repair passes that bring a freshly
// loaded design into the shape the rest of the program expects.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "app/cmd.h"
#include "platform/layout_design.h"

// The state procedure of 40140: loads the design of the OpenDesignParams
// handed as the answer value, all in the call that starts it; returns 0.
int FILE_PcbReadCommand(CommandRecord* record, int resumed, Request* request);
// Loads the pair (folder char[260] + file name char[260]; the name's
// extension may be rewritten in place) and prepares it: non-zero when a
// design is loaded and prepared.
int FILE_LoadDesign(char* pathPair, int oldDesign, int commonAperture, const char* caption);

// The file name's extension as design loading sees it: the part after the
// last dot (null when there is none).
const char* FILE_Extension(const char* name);
// Rewrites the name for loading: no extension gets ".TPW"; an extension
// other than "PCB" or "TPW" (any case) becomes "TPW". 1 when the name is a
// predecessor board.
int FILE_NormaliseDesignName(char* name, size_t size);
// Cuts the name at its extension's dot.
void FILE_CutExtension(char* name);
// The view that fits the data box {min x, min y, max x, max y} plus 5 % into
// a client of cxView by cyView board units at zoom 1.0: the zoom (within
// [0.02, zoomMax]), the centre and the view's size in board units.
struct FittedView {
    double zoom;
    int32_t cx, cy;
    int32_t width, height;
};
FittedView FILE_FitView(const int32_t box[4], int32_t cxView, int32_t cyView, double zoomMax);

// Post-load repairs.
int FILE_UpgradeRuleTable(uint32_t version);
int FILE_DropNonLineFigures();
// 1 plus the number of arcs converted; 0 when a converted line could not be
// inserted.
int FILE_ConvertOverRadiusArcs(const char* logPath);
int FILE_NumberElements(DdmContext* ctx);
int FILE_RecalcPartAreas();
