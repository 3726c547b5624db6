// What the whole program relies on from the toolchain and Wine: narrow
// literals are Shift-JIS and the ANSI code page is 932.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "kit/gui_kit.h"

TEST(Toolchain, AnsiCodePageIs932)
{
    EXPECT_EQ(GetACP(), 932u);
}

TEST(Toolchain, NarrowLiteralsAreShiftJis)
{
    static const char quit[] = "終了";
    ASSERT_EQ(sizeof(quit), 5u);
    EXPECT_EQ(std::memcmp(quit, "\x8f\x49\x97\xb9", 4), 0);
    // A trail byte that is a backslash must survive: 表 is 95 5C.
    static const char table[] = "表";
    EXPECT_EQ(std::memcmp(table, "\x95\x5c", 2), 0);
    EXPECT_EQ(KIT_Sjis(u8"終了"), quit);
}

TEST(Toolchain, PointersAreWideAndRecordsArePacked)
{
#pragma pack(push, 1)
    struct Packed {
        unsigned char a;
        int b;
    };
#pragma pack(pop)
    EXPECT_EQ(sizeof(void*), 8u);
    EXPECT_EQ(sizeof(Packed), 5u);
}
