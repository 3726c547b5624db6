// The tagged allocator: zero-filled blocks and per-tag accounting that shows
// a leaked block.
#include <gtest/gtest.h>

#include "platform/qzt_mem.h"

TEST(MemAlloc, BlocksAreZeroFilledAndCountedByTag)
{
    MemCount before = MEM_GetCount(nullptr);
    unsigned char* p = (unsigned char*)MemAlloc(nullptr, 100, "AllocTest A");
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 100; i++) ASSERT_EQ(p[i], 0) << i;
    EXPECT_EQ(MEM_GetCount("AllocTest A").blocks, 1);
    EXPECT_EQ(MEM_GetCount("AllocTest A").bytes, 100);

    p[99] = 7;
    p = (unsigned char*)MemReAlloc(nullptr, p, 300, "AllocTest A");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[99], 7);
    EXPECT_EQ(p[299], 0) << "grown bytes are zero";
    EXPECT_EQ(MEM_GetCount("AllocTest A").bytes, 300);

    // Freed under another tag, as a request made by one operation and freed by
    // another is: the count of the allocating tag goes back to zero.
    MemFree(nullptr, p, "AllocTest B");
    EXPECT_EQ(MEM_GetCount("AllocTest A").blocks, 0);
    EXPECT_EQ(MEM_GetCount("AllocTest A").bytes, 0);
    EXPECT_EQ(MEM_GetCount(nullptr).blocks, before.blocks);
}

TEST(MemAlloc, LeakedBlockShowsInTheCount)
{
    void* kept = MemAlloc(nullptr, 16, "AllocTest Leak");
    void* freed = MemAlloc(nullptr, 16, "AllocTest Leak");
    MemFree(nullptr, freed, "AllocTest Leak");
    EXPECT_EQ(MEM_GetCount("AllocTest Leak").blocks, 1);
    EXPECT_EQ(MEM_GetCount("AllocTest Leak").bytes, 16);
    MemFree(nullptr, kept, 0);
}

TEST(MemAlloc, NullBlockAndHugeSizeAreHarmless)
{
    MemFree(nullptr, nullptr, nullptr);
    EXPECT_EQ(MemAlloc(nullptr, (size_t)-1, "AllocTest Huge"), nullptr);
    void* p = MemAlloc(nullptr, 8, "AllocTest Huge");
    EXPECT_EQ(MemReAlloc(nullptr, p, (size_t)-1, "AllocTest Huge"), nullptr);
    EXPECT_EQ(MEM_GetCount("AllocTest Huge").blocks, 1) << "a failed resize keeps the old block";
    MemFree(nullptr, p, 0);
}
