// The entry windows on the display, driven by posted keystrokes as a person
// would type them: a value in range confirms (1), one out of range beeps and
// keeps the window open, Escape cancels (2) and leaves the output alone.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "kit/gui_kit.h"
#include "platform/xwinput.h"

// What to type into each entry window in turn: a text then Enter, or "\x1b"
// for Escape. One line is typed per timer tick; a tick comes only when the
// window has worked off the keys of the line before, so a line that finds
// the same window open again shows the previous Enter was refused.
struct Typing {
    KIT_DialogWatch* watch;
    std::vector<std::string> lines;
    size_t next = 0;
    std::vector<HWND> windows;  // the entry window each line went to
};
static Typing* s_typing;

static void CALLBACK TypeNextLine(HWND, UINT, UINT_PTR, DWORD)
{
    Typing& t = *s_typing;
    HWND dlg = t.watch->LastWindow();
    if (!dlg || !IsWindow(dlg) || t.next >= t.lines.size()) return;
    HWND field = GetDlgItem(dlg, 101);
    if (!field || GetFocus() != field) return;
    const std::string& line = t.lines[t.next++];
    t.windows.push_back(dlg);
    if (line == "\x1b") {
        KIT_PostKey(field, VK_ESCAPE);
        return;
    }
    KIT_PostChars(field, line);
    KIT_PostKey(field, VK_RETURN);
}

// Runs `call` (which opens entry windows) while typing `lines`; returns its
// result and what the lines went to.
static int TypeInto(const std::function<int()>& call, std::vector<std::string> lines, Typing* seen = nullptr)
{
    KIT_DialogWatch watch;
    Typing t;
    t.watch = &watch;
    t.lines = std::move(lines);
    s_typing = &t;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, TypeNextLine);
    int r = call();
    KillTimer(nullptr, timer);
    s_typing = nullptr;
    EXPECT_EQ(t.next, t.lines.size()) << "every line was typed";
    if (seen) *seen = t;
    return r;
}

static bool AllSame(const std::vector<HWND>& w)
{
    for (HWND h : w)
        if (h != w.front()) return false;
    return !w.empty();
}

class EntryWindow : public ::testing::Test {
protected:
    void SetUp() override { XWinputSetParam(&block_); }
    void TearDown() override { XWinputSetParam(nullptr); }
    XWinputParam block_ = {};
};

TEST_F(EntryWindow, FloatRefusesOutOfRangeThenAcceptsAndCancelsWithEscape)
{
    double v = -1;
    Typing seen;
    int r = TypeInto([&] { return XWinputFloat(nullptr, &v, 0.01, 15.0, 1, 0); },
                     {"15.5", "abc", "0", "2.5"}, &seen);
    EXPECT_EQ(r, 1);
    EXPECT_DOUBLE_EQ(v, 2.5);
    EXPECT_TRUE(AllSame(seen.windows)) << "the refused values kept the one window open";

    double untouched = 42;
    EXPECT_EQ(TypeInto([&] { return XWinputFloat(nullptr, &untouched, 0.0, 100.0, 1, 0); }, {"\x1b"}), 2);
    EXPECT_EQ(untouched, 42);
}

TEST_F(EntryWindow, IntegerTakesTheBoundsThemselves)
{
    struct Row {
        std::vector<std::string> lines;
        int result;
        int32_t value;
    } rows[] = {
        {{"33", "32"}, 1, 32},
        {{"-1", "0"}, 1, 0},
        {{"1.5", "\x1b"}, 2, 99},
    };
    for (const Row& row : rows) {
        int32_t v = 99;
        EXPECT_EQ(TypeInto([&] { return XWinputInteger(nullptr, &v, 0, 32, 1, 0); }, row.lines), row.result)
            << row.lines.front();
        EXPECT_EQ(v, row.value) << row.lines.front();
    }
}

TEST_F(EntryWindow, StringLongerThanItsBytesIsRefused)
{
    char buf[5] = "old";
    // Three characters fit the field but take six bytes: refused.
    int r = TypeInto([&] { return XWinputString(nullptr, buf, 4, 0, 1); }, {"あいう", "AB"});
    EXPECT_EQ(r, 1);
    EXPECT_STREQ(buf, "AB");

    char keep[4] = "xyz";
    EXPECT_EQ(TypeInto([&] { return XWinputString(nullptr, keep, 3, 1, 1); }, {"\x1b"}), 2);
    EXPECT_STREQ(keep, "xyz");
}

TEST_F(EntryWindow, CoordinateWritesOneWordAndPairsWriteTwo)
{
    int32_t words[3] = {7, 7, 7};
    int r = TypeInto([&] { return XWinputZahyou(nullptr, &words[0], -150000000, 150000000, 1, 0); },
                     {"1500.00001", "-12.5"});
    EXPECT_EQ(r, 1);
    EXPECT_EQ(words[0], -1250000);
    EXPECT_EQ(words[1], 7) << "nothing is written past the one coordinate";

    int32_t pair[3] = {7, 7, 7};
    r = TypeInto([&] { return XWinputZahyou2(nullptr, pair, 0, 10000000, -500000, 500000, 1, 0); },
                 {"1,6", "1,5"});
    EXPECT_EQ(r, 1);
    EXPECT_EQ(pair[0], 100000);
    EXPECT_EQ(pair[1], 500000);
    EXPECT_EQ(pair[2], 7);
}

TEST_F(EntryWindow, CancellingTheSecondOfTwoPointsLeavesBothUntouched)
{
    int32_t pairs[4] = {7, 7, 7, 7};
    Typing seen;
    int r = TypeInto([&] { return XWinputZahyou2(nullptr, pairs, -100, 100, -100, 100, 2, 0); },
                     {"0,0", "\x1b"}, &seen);
    EXPECT_EQ(r, 2);
    for (int32_t w : pairs) EXPECT_EQ(w, 7);
    ASSERT_EQ(seen.windows.size(), 2u);
}

TEST_F(EntryWindow, ConfirmedTextsGoToTheHistoryAndTheNextWindowStartsWithIt)
{
    double v = 0;
    ASSERT_EQ(TypeInto([&] { return XWinputFloat(nullptr, &v, 0.0, 100.0, 1, 0); }, {"12.5"}), 1);
    ASSERT_EQ(block_.numberCount, 1);
    EXPECT_STREQ(block_.numberList, "12.5");
    // Enter alone takes the newest history text that the window starts with.
    double again = 0;
    ASSERT_EQ(TypeInto([&] { return XWinputFloat(nullptr, &again, 0.0, 100.0, 1, 0); }, {""}), 1);
    EXPECT_DOUBLE_EQ(again, 12.5);
    EXPECT_TRUE(block_.windowX != 0 || block_.windowY != 0) << "the position was kept";
}

TEST_F(EntryWindow, ASavedPositionOffTheScreenIsBroughtBack)
{
    block_.windowX = 100000;
    block_.windowY = -100000;
    double v = 0;
    ASSERT_EQ(TypeInto([&] { return XWinputFloat(nullptr, &v, 0.0, 1.0, 1, 0); }, {"1"}), 1);
    int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    EXPECT_GE(block_.windowY, vy);
    EXPECT_LT(block_.windowX, vx + GetSystemMetrics(SM_CXVIRTUALSCREEN));
}
