// Reading typed values and keeping the histories, without a window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "input/entry.h"
#include "platform/xwinput.h"

TEST(EntryValues, NumbersAreReadOnlyWhenTheWholeTextIsANumber)
{
    struct Row {
        const char* text;
        bool ok;
        double value;
    } rows[] = {
        {"12.5", true, 12.5},     {"  -3 ", true, -3.0},  {"1e2", true, 100.0},
        {"", false, 0},           {"   ", false, 0},      {"1.2.3", false, 0},
        {"12mm", false, 0},       {"abc", false, 0},      {"1e999", false, 0},
        {"nan", false, 0},        {"inf", false, 0},      {"0", true, 0.0},
    };
    for (const Row& r : rows) {
        double v = -1;
        EXPECT_EQ(XWI_ParseFloat(r.text, &v), r.ok) << "'" << r.text << "'";
        if (r.ok) {
            EXPECT_DOUBLE_EQ(v, r.value) << r.text;
        }
    }
}

TEST(EntryValues, IntegersRefuseFractionsAndValuesPast32Bits)
{
    struct Row {
        const char* text;
        bool ok;
        int32_t value;
    } rows[] = {
        {"32", true, 32},
        {" -7", true, -7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"1.5", false, 0},
        {"", false, 0},
        {"12 3", false, 0},
    };
    for (const Row& r : rows) {
        int32_t v = -1;
        EXPECT_EQ(XWI_ParseInteger(r.text, &v), r.ok) << "'" << r.text << "'";
        if (r.ok) {
            EXPECT_EQ(v, r.value) << r.text;
        }
    }
}

TEST(EntryValues, CoordinatesAreTypedInMillimetresAndRoundedToUnits)
{
    struct Row {
        const char* text;
        bool ok;
        int32_t value;
    } rows[] = {
        {"1", true, 100000},
        {"-1500", true, -150000000},
        {"0.000004", true, 0},
        {"0.000006", true, 1},
        {"-0.000006", true, -1},
        {"21474.83647", true, 2147483647},
        {"21474.83648", false, 0},
        {"x", false, 0},
    };
    for (const Row& r : rows) {
        int32_t v = -1;
        EXPECT_EQ(XWI_ParseCoord(r.text, &v), r.ok) << "'" << r.text << "'";
        if (r.ok) {
            EXPECT_EQ(v, r.value) << r.text;
        }
    }
}

TEST(EntryValues, PairsTakeACommaOrABlankBetweenXAndY)
{
    struct Row {
        const char* text;
        bool ok;
        int32_t x, y;
    } rows[] = {
        {"1,2", true, 100000, 200000},  {" 1.5 , -2 ", true, 150000, -200000},
        {"3 4", true, 300000, 400000},  {"3", false, 0, 0},
        {"3,", false, 0, 0},            {",4", false, 0, 0},
        {"1,2,3", false, 0, 0},         {"1-2", false, 0, 0},
    };
    for (const Row& r : rows) {
        int32_t x = -1, y = -1;
        EXPECT_EQ(XWI_ParsePair(r.text, &x, &y), r.ok) << "'" << r.text << "'";
        if (r.ok) {
            EXPECT_EQ(x, r.x) << r.text;
            EXPECT_EQ(y, r.y) << r.text;
        }
    }
}

TEST(EntryHistory, NewestFirstWithoutRepeatsAndAtMost32)
{
    char list[256] = {};
    int32_t count = 0;
    XWI_History h = {list, sizeof list, &count};
    XWI_HistoryPush(h, "1.5");
    XWI_HistoryPush(h, "2");
    XWI_HistoryPush(h, "1.5");
    XWI_HistoryPush(h, "");
    ASSERT_EQ(count, 2);
    EXPECT_STREQ(XWI_HistoryAt(h, 0), "1.5");
    EXPECT_STREQ(XWI_HistoryAt(h, 1), "2");
    EXPECT_EQ(XWI_HistoryAt(h, 2), nullptr);

    for (int i = 0; i < 40; ++i) XWI_HistoryPush(h, std::to_string(i).c_str());
    EXPECT_EQ(count, XWI_HISTORY_MAX);
    EXPECT_STREQ(XWI_HistoryAt(h, 0), "39");
    EXPECT_STREQ(XWI_HistoryAt(h, XWI_HISTORY_MAX - 1), "8");
}

TEST(EntryHistory, AFullListDropsTheOldestTextsThatNoLongerFit)
{
    char list[12] = {};
    int32_t count = 0;
    XWI_History h = {list, sizeof list, &count};
    XWI_HistoryPush(h, "aaaa");
    XWI_HistoryPush(h, "bbbb");
    XWI_HistoryPush(h, "cccc");  // 15 bytes would be needed: "aaaa" goes
    ASSERT_EQ(count, 2);
    EXPECT_STREQ(XWI_HistoryAt(h, 0), "cccc");
    EXPECT_STREQ(XWI_HistoryAt(h, 1), "bbbb");
    XWI_HistoryPush(h, "a text longer than the list");
    EXPECT_EQ(count, 2) << "a text that can never fit is not kept";
}

TEST(EntryHistory, ACountPastTheTextsOfADamagedBlockReadsShorter)
{
    char list[8];
    memset(list, 'x', sizeof list);
    memcpy(list, "ab\0cd", 5);  // "ab", then "cd" with no terminator to the end
    int32_t count = 1000;
    XWI_History h = {list, sizeof list, &count};
    EXPECT_STREQ(XWI_HistoryAt(h, 0), "ab");
    EXPECT_EQ(XWI_HistoryAt(h, 1), nullptr) << "'cd' runs into bytes without an end";
    EXPECT_EQ(XWI_HistoryAt(h, 999), nullptr);
    EXPECT_EQ(XWI_HistoryAt(h, -1), nullptr);
}

TEST(EntryHistory, DeletingAllEmptiesTheHistoriesOfTheBlockInUse)
{
    static XWinputParam block;
    XWinputSetParam(&block);
    XWI_HistoryPush(XWI_HistoryOf(XWI_KIND_STRING), "abc");
    XWI_HistoryPush(XWI_HistoryOf(XWI_KIND_NUMBER), "1");
    XWI_HistoryPush(XWI_HistoryOf(XWI_KIND_COORD), "1,2");
    EXPECT_EQ(block.stringCount, 1);
    EXPECT_EQ(block.numberCount, 1);
    EXPECT_EQ(block.coordCount, 1);
    XWinputDelHistoryAll(nullptr);
    EXPECT_EQ(block.stringCount, 0);
    EXPECT_EQ(block.numberCount, 0);
    EXPECT_EQ(block.coordCount, 0);
    XWinputSetParam(nullptr);
    EXPECT_NE(XWinputGetParam(), &block);
}

TEST(EntryCalls, CallsThatCouldAcceptNothingReturn0WithoutAWindow)
{
    double d = 7;
    int32_t i = 7;
    int32_t pair[2] = {7, 7};
    EXPECT_EQ(XWinputFloat(nullptr, nullptr, 0, 1, 1, 0), 0);
    EXPECT_EQ(XWinputFloat(nullptr, &d, 2, 1, 1, 0), 0);
    EXPECT_EQ(XWinputInteger(nullptr, &i, 5, 4, 1, 0), 0);
    EXPECT_EQ(XWinputZahyou(nullptr, nullptr, 0, 1, 1, 0), 0);
    EXPECT_EQ(XWinputZahyou2(nullptr, pair, 0, 1, 0, 1, 0, 0), 0);
    EXPECT_EQ(XWinputString(nullptr, nullptr, 3, 0, 1), 0);
    EXPECT_EQ(d, 7);
    EXPECT_EQ(i, 7);
    EXPECT_EQ(pair[0], 7);
}
