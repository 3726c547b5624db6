// The 200-byte text record (pages 81 and 99). The text's level is its page's
// key 1.
#pragma once
#include <cstddef>
#include <cstdint>

// The codes end at 192, where the output work word starts.
constexpr int TEXT_MAX_CHARS = 62;

#pragma pack(push, 1)
struct TextRecord {
    uint32_t status;       // 0: ElementStatus
    uint16_t code;         // 4: 0x3300 in the placeholder template
    uint32_t textLineNo;   // 6: entry of the text-line table
    int32_t angle;         // 10: bits 8-31 thousandths of a degree, bit 0 mirror
    int32_t x, y;          // 14: position (the text's origin)
    uint32_t width;        // 22
    uint32_t height;       // 26: character height
    int32_t corner[4][2];  // 30: upper left, lower left, upper right, lower right
    int16_t charCount;     // 62
    int16_t exempt;        // 64: > 0 exempts the text from the stroke-font check
    uint16_t word66;       // 66
    uint16_t chars[62];    // 68: character codes, one per character
    uint32_t word192;      // 192: output work word
    uint32_t elementNo;    // 196
};
#pragma pack(pop)

static_assert(sizeof(TextRecord) == 200);
static_assert(offsetof(TextRecord, code) == 4);
static_assert(offsetof(TextRecord, textLineNo) == 6);
static_assert(offsetof(TextRecord, angle) == 10);
static_assert(offsetof(TextRecord, x) == 14 && offsetof(TextRecord, y) == 18);
static_assert(offsetof(TextRecord, width) == 22);
static_assert(offsetof(TextRecord, height) == 26);
static_assert(offsetof(TextRecord, corner) == 30);
static_assert(offsetof(TextRecord, charCount) == 62);
static_assert(offsetof(TextRecord, exempt) == 64);
static_assert(offsetof(TextRecord, chars) == 68);
static_assert(offsetof(TextRecord, word192) == 192);
static_assert(offsetof(TextRecord, elementNo) == 196);
