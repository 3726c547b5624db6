// CRC-32C (Castagnoli) for the design file sections: the processor's crc32
// instruction when it has one (several GB/s, so a large board's check costs
// little next to reading it), else eight tables of 256 words.
#include <cstdint>
#include <cstring>

#include "platform/qzt_file.h"

namespace {

uint32_t s_table[8][256];

void MakeTables()
{
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = c & 1 ? (c >> 1) ^ 0x82F63B78u : c >> 1;
        s_table[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (int t = 1; t < 8; ++t) s_table[t][i] = (s_table[t - 1][i] >> 8) ^ s_table[0][s_table[t - 1][i] & 0xFF];
}

uint32_t Software(uint32_t c, const uint8_t* p, size_t n)
{
    while (n >= 8) {
        uint64_t v;
        std::memcpy(&v, p, 8);
        v ^= c;
        c = s_table[7][v & 0xFF] ^ s_table[6][(v >> 8) & 0xFF] ^ s_table[5][(v >> 16) & 0xFF] ^
            s_table[4][(v >> 24) & 0xFF] ^ s_table[3][(v >> 32) & 0xFF] ^
            s_table[2][(v >> 40) & 0xFF] ^ s_table[1][(v >> 48) & 0xFF] ^ s_table[0][v >> 56];
        p += 8;
        n -= 8;
    }
    while (n--) c = (c >> 8) ^ s_table[0][(c ^ *p++) & 0xFF];
    return c;
}

__attribute__((target("sse4.2"))) uint32_t Hardware(uint32_t c, const uint8_t* p, size_t n)
{
    uint64_t c64 = c;
    while (n >= 8) {
        uint64_t v;
        std::memcpy(&v, p, 8);
        c64 = __builtin_ia32_crc32di(c64, v);
        p += 8;
        n -= 8;
    }
    c = (uint32_t)c64;
    while (n--) c = __builtin_ia32_crc32qi(c, *p++);
    return c;
}

bool HasHardware()
{
    unsigned a, b, c, d;
    __asm__("cpuid" : "=a"(a), "=b"(b), "=c"(c), "=d"(d) : "a"(1), "c"(0));
    return (c >> 20) & 1;
}

}  // namespace

uint32_t DDM_Crc32c(uint32_t crc, const void* data, size_t size)
{
    static const bool hardware = [] {
        MakeTables();
        return HasHardware();
    }();
    uint32_t c = ~crc;
    c = hardware ? Hardware(c, (const uint8_t*)data, size) : Software(c, (const uint8_t*)data, size);
    return ~c;
}
