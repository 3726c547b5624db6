// The glyph records of the stroke font, built once from the display's font,
// and the conversion of character codes back to Shift-JIS text.
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "engine/render_internal.h"
#include "platform/qzt_font.h"

namespace {

constexpr int kCodes = 128;
FontGlyph* s_glyph[kCodes];
std::once_flag s_built;
char s_fontName[16] = "TEXT";

void Build()
{
    // The display font answers a box for any code it lacks; the box of a
    // code no font has (0x7F is a control code) tells those codes apart.
    int boxN = 0;
    const int8_t* box = RND_FontGlyph(0x7F, &boxN);
    for (int code = 0; code < kCodes; ++code) {
        int n = 0;
        const int8_t* pairs = RND_FontGlyph((unsigned)code, &n);
        if (code != ' ' && (pairs == box || n <= 0)) continue;
        size_t size = offsetof(FontGlyph, pair) + (size_t)(n + 1) * 2 * sizeof(int32_t);
        FontGlyph* g = (FontGlyph*)calloc(1, size);
        if (!g) continue;
        g->n = n + 1;
        // The pairs run on past the declared one-pair array, into the block
        // allocated for them: they are written through the block's address.
        int32_t* xy = (int32_t*)((char*)g + offsetof(FontGlyph, pair));
        xy[0] = RND_FONT_CELL_W + RND_FONT_CELL_W / 4;  // advance: a cell and a gap
        xy[1] = 0;
        for (int i = 0; i < n; ++i) {
            xy[2 * (i + 1)] = pairs[2 * i] == RND_FONT_PEN_UP ? FNT_PEN_UP : pairs[2 * i];
            xy[2 * (i + 1) + 1] = pairs[2 * i + 1];
        }
        s_glyph[code] = g;
    }
}

}  // namespace

extern "C" void FNT_Initialize(const char* fontName)
{
    if (!fontName || !*fontName) fontName = "TEXT";
    strncpy(s_fontName, fontName, sizeof s_fontName - 1);
    s_fontName[sizeof s_fontName - 1] = '\0';
}

extern "C" const char* FNT_GetFontName(void)
{
    return s_fontName;
}

extern "C" const FontGlyph* FNT_GetFontInformation(uint16_t code)
{
    std::call_once(s_built, Build);
    return code < kCodes ? s_glyph[code] : nullptr;
}

extern "C" char* Short2Char(char* dest, const uint16_t* codes, int count)
{
    char* d = dest;
    for (int i = 0; i < count; ++i) {
        uint16_t c = codes[i];
        if (c > 0xFF) *d++ = (char)(c >> 8);
        *d++ = (char)(c & 0xFF);
    }
    *d = '\0';
    return dest;
}
