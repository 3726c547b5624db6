// The design's palette, a fixed region of the design: written only by the
// palette editor (whole, at its OK), read by every drawing of the design.
#include <windows.h>

#include "engine/store.h"
#include "platform/qzt_palette.h"

using namespace store;

namespace {

// The colours of a fresh design: 16 named colours first (black, the eight
// bright and seven dark ones), then a 6 x 6 x 6 colour cube and a grey ramp.
const uint32_t* Defaults()
{
    static const uint32_t* table = [] {
        static uint32_t t[PLT_COLOURS];
        const COLORREF named[16] = {
            RGB(0, 0, 0),       RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
            RGB(0, 128, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
            RGB(255, 128, 0),   RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
            RGB(0, 0, 160),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(160, 160, 160),
        };
        for (int i = 0; i < 16; ++i) t[i] = named[i];
        for (int i = 0; i < 216; ++i) t[16 + i] = RGB((i / 36) * 51, ((i / 6) % 6) * 51, (i % 6) * 51);
        for (int i = 0; i < 24; ++i) t[232 + i] = RGB(8 + i * 10, 8 + i * 10, 8 + i * 10);
        return t;
    }();
    return table;
}

// A design that never had a palette of its own (a fresh work space, a board
// of the predecessor) gets the defaults written in the first time it is read,
// so that the record the editor changes is the one the drawing reads.
DesignPalette* Palette()
{
    DesignPalette* p = Region_<DesignPalette>(RG_PALETTE);
    if (p->set != 1 || p->count != PLT_COLOURS) {
        for (int i = 0; i < PLT_COLOURS; ++i) p->colour[i] = Defaults()[i] & 0x00FFFFFF;
        p->count = PLT_COLOURS;
        p->set = 1;
    }
    return p;
}

}  // namespace

extern "C" {

DesignPalette* DDM_Open_Palette(DdmContext*) { return Palette(); }

const uint32_t* PLT_GetColourTable(void) { return Palette()->colour; }

uint32_t PLT_GetColour(int index) { return Palette()->colour[index & 0xFF]; }

uint32_t PLT_DefaultColour(int index) { return Defaults()[index & 0xFF]; }

uint32_t PLT_ResolveColourWord(uint32_t word)
{
    if (word & 0x01000000u) return PLT_GetColour((int)(word & 0xFF));
    return word & 0x00FFFFFF;
}
}
