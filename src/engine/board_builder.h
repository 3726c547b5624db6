// A C++ API that builds designs in the open work space, for tests and the
// board generator: tables (levels, sizes, line, fill-line and text-line
// rows, holes, VIA definitions), shapes with pins, placed parts, lines,
// arcs, VIAs, texts, fills with holes and named nets. Every call stores
// records in the fixed layouts through the engine's own record services.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/layout_line.h"
#include "platform/layout_text.h"

struct BldPoint {
    int32_t x, y;
};

// Tables. Each returns the new row's number (from 1), 0 when the table is full.
int BLD_AddLevel(const char* name, int dataType, int layer, uint32_t color);
int BLD_AddSize(int shapeCode, int outX, int outY);
int BLD_AddLine(int width);
int BLD_AddFillLine(int width);
int BLD_AddTextLine(int strokeWidth, int height);
int BLD_AddHole(int diameter);
// A VIA definition with a round pad of `padSize` on every VIA layer and the
// hole `holeNo`. The VIA layers are the conductor levels added so far.
int BLD_AddVia(int padSize, int holeNo);

// Elements.
LineRecord* BLD_Line(int level, int lineNo, int x1, int y1, int x2, int y2, int net = -1);
LineRecord* BLD_Arc(int level, int lineNo, bool clockwise, BldPoint start, BldPoint end,
                    BldPoint centre, int net = -1);
ViaRecord* BLD_Via(int viaNo, int x, int y, int net = -1);
TextRecord* BLD_Text(int level, int textLineNo, const char* text, int x, int y, int height,
                     double angleDeg = 0.0);
// A fill: outline and holes as polygons of straight edges. The page.
void* BLD_Fill(int level, int fillLineNo, int lgnet, const std::vector<BldPoint>& outline,
               const std::vector<std::vector<BldPoint>>& holes);

// A named net: a net page (the name, at most 15 characters, 16 bytes into
// the page) entered in the PCB information record's table of net pages. The
// net number (from 1) that lines, VIAs and pins carry, 0 when the table or
// the work space is full.
int BLD_Net(const char* name);

// A shape (footprint) with its pins (VIA number, position relative to the
// shape origin, pin name) and outline lines on `silkLevel`. The shape number.
struct BldPin {
    int viaNo;
    int32_t x, y;
    const char* name;
};
int BLD_Shape(const char* name, const std::vector<BldPin>& pins, int silkLevel, int silkLine,
              const std::vector<BldPoint>& silkOutline);
// Places a part of shape `shapeNo`: the part page, and its pins turned by
// `angleDeg`, mirrored when `mirror`, at (x, y). The part page.
void* BLD_Part(int shapeNo, const char* assignName, const char* partName, int x, int y,
               double angleDeg, bool mirror);
// Joins the pin `pinName` of the part on `partPage` to net `net` (its
// physical and logical net words). The pin, or 0 when the part has no such pin.
ViaRecord* BLD_PinNet(void* partPage, const char* pinName, int net);
