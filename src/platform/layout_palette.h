// The design's palette: the 256 colours that colour words of the design's
// tables and records name by index (bit 24 set, index in the low byte). It is
// kept and saved with the design, so a changed palette changes the drawing.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int PLT_COLOURS = 256;

#pragma pack(push, 1)
struct DesignPalette {
    int32_t set;                   // 0: never written, the default colours apply
    int32_t count;                 // PLT_COLOURS once set
    uint32_t colour[PLT_COLOURS];  // COLORREF (0x00BBGGRR)
    uint8_t reserved[56];
};
#pragma pack(pop)

static_assert(offsetof(DesignPalette, colour) == 8);
static_assert(sizeof(DesignPalette) == 1088);
