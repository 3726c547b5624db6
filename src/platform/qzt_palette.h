// The design's palette (layout_palette.h). Colour words with bit 24 set name
// a palette entry by their low byte; the renderer and every GDI drawing of
// the program resolve them here.
#pragma once
#include <cstdint>

#include "platform/layout_design.h"
#include "platform/layout_palette.h"

extern "C" {
// The palette record of the open design (the default colours filled in when
// the design never had its own).
DesignPalette* DDM_Open_Palette(DdmContext* ctx);
// The 256 COLORREFs of the open design's palette.
const uint32_t* PLT_GetColourTable(void);
// One entry as a COLORREF (indexes are taken modulo 256).
uint32_t PLT_GetColour(int index);
// The colour a fresh design starts with at `index`.
uint32_t PLT_DefaultColour(int index);
// A colour word of the design as a COLORREF: bit 24 = palette entry.
uint32_t PLT_ResolveColourWord(uint32_t word);
}
