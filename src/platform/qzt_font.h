// The engine's stroke font as the program asks about it: the glyph of one
// character code, the font in force, and codes turned back into text.
#pragma once
#include <cstdint>

#pragma pack(push, 1)
// A glyph: a header word, the number of (x, y) pairs, then the pairs. Pair 0
// is the advance vector, pairs 1 to n-1 the strokes; a pair whose x is
// FNT_PEN_UP lifts the pen before the next point.
struct FontGlyph {
    int32_t header;
    int32_t n;
    int32_t pair[1][2];
};
#pragma pack(pop)

constexpr int32_t FNT_PEN_UP = 45;

extern "C" {

// Makes `fontName` the font of the open design ("TEXT" is the built-in
// stroke font, the only one this engine draws with).
void FNT_Initialize(const char* fontName);
// The name FNT_Initialize last set ("TEXT" before any).
const char* FNT_GetFontName(void);
// The glyph of a 16-bit character code, or 0 when the font lacks it. The
// glyph stays valid until the program ends.
const FontGlyph* FNT_GetFontInformation(uint16_t code);
// The Shift-JIS text of `count` 16-bit codes, NUL-terminated: a code above
// 0xFF gives two bytes, high byte first. `dest` holds 2 * count + 1 bytes.
char* Short2Char(char* dest, const uint16_t* codes, int count);

}
