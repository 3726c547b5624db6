// Mutated boards: random bytes changed or the file cut at random, 2,000 in
// all, deterministic. The reader must come back every time, with 0 or 1,
// whatever messages it shows; out-of-bounds accesses trap in this build.
#include <gtest/gtest.h>

#include "pcb_test_util.h"

static void RunMutations(uint32_t seed, int count)
{
    BoxAnswers boxes;
    PcbScratch scratch("mut");
    pcbgen::Bytes sample = pcbgen::SampleVariant("sample");
    uint32_t s = seed;
    auto rnd = [&s](uint32_t n) {
        s = s * 1664525u + 1013904223u;
        return (s >> 8) % n;
    };
    for (int m = 0; m < count; m++) {
        pcbgen::Bytes file = sample;
        if (m % 4 == 3) {
            file.resize(rnd((uint32_t)file.size()));
        } else {
            int changes = 1 + (int)rnd(8);
            for (int c = 0; c < changes; c++) {
                // Half the changes hit the header and directory, where a
                // single byte moves whole sections.
                size_t at = rnd(2) ? rnd(16 * 19) : rnd((uint32_t)file.size());
                file[at] = (uint8_t)rnd(256);
            }
        }
        boxes.TopUp(256);
        int r = scratch.Load(file);
        ASSERT_TRUE(r == 0 || r == 1) << "mutation " << m;
    }
}

// Sixteen runs of 125: each load that shows boxes costs about 0.1 s under Wine.
TEST(PcbMutation, Run1) { RunMutations(1, 125); }
TEST(PcbMutation, Run2) { RunMutations(2, 125); }
TEST(PcbMutation, Run3) { RunMutations(3, 125); }
TEST(PcbMutation, Run4) { RunMutations(4, 125); }
TEST(PcbMutation, Run5) { RunMutations(5, 125); }
TEST(PcbMutation, Run6) { RunMutations(6, 125); }
TEST(PcbMutation, Run7) { RunMutations(7, 125); }
TEST(PcbMutation, Run8) { RunMutations(8, 125); }
TEST(PcbMutation, Run9) { RunMutations(9, 125); }
TEST(PcbMutation, Run10) { RunMutations(10, 125); }
TEST(PcbMutation, Run11) { RunMutations(11, 125); }
TEST(PcbMutation, Run12) { RunMutations(12, 125); }
TEST(PcbMutation, Run13) { RunMutations(13, 125); }
TEST(PcbMutation, Run14) { RunMutations(14, 125); }
TEST(PcbMutation, Run15) { RunMutations(15, 125); }
TEST(PcbMutation, Run16) { RunMutations(16, 125); }
