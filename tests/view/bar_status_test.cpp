// The status bar: a waiting request's prompt shown and painted, the progress
// gauge drawn only when its count changes, a null text clearing the bar.
#include <gtest/gtest.h>

#include <string>

#include "bar_fixture.h"
#include "view/bar.h"

namespace {

std::string StatusText()
{
    char text[512];
    BAR_StatusGetText(text, sizeof text);
    return text;
}

bool Pending(HWND hWnd) { return GetUpdateRect(hWnd, nullptr, FALSE) != 0; }

// Pixels painted in the window-text colour: the text the bar shows.
int TextPixels(HWND hWnd)
{
    KIT_Image image = KIT_CaptureClient(hWnd);
    COLORREF c = GetSysColor(COLOR_WINDOWTEXT);
    uint32_t text = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    int n = 0;
    for (uint32_t p : image.pixels) n += p == text;
    return n;
}

std::string Squares(int filled)
{
    std::string s;
    for (int i = 0; i < 20; ++i) s += i < filled ? "■" : "□";
    return s;
}

TEST(StatusBar, PromptOfAWaitingRequestIsShown)
{
    BarFixture f;
    BAR_StatusSetText(nullptr);
    UpdateWindow(f.Status());
    EXPECT_EQ(StatusText(), "");
    EXPECT_EQ(TextPixels(f.Status()), 0);

    Request* r = CreateRequest(nullptr, 100, REQ_TWO3, 30, 0);
    ASSERT_TRUE(r);
    DIN_PushRequest(r);
    EXPECT_EQ(StatusText(), DIN_GetMessage(30));
    EXPECT_EQ(StatusText(), "拡大するエリアをＢＯＸで指定して下さい");
    EXPECT_TRUE(Pending(f.Status()));  // painted when the bar next paints
    EXPECT_GT(TextPixels(f.Status()), 20);

    // Closing the request shows the prompt of the one below it again.
    DIN_RequestPopAndPrompt(1, r);
    EXPECT_EQ(StatusText(), DIN_GetMessage(0));
}

TEST(StatusBar, ProgressRepaintsOnlyWhenTheCountChanges)
{
    BarFixture f;
    BAR_StatusProgress("読込", 0);
    UpdateWindow(f.Status());
    BAR_StatusProgress("読込", 5);
    EXPECT_EQ(StatusText(), "読込" + Squares(5));
    EXPECT_TRUE(Pending(f.Status()));
    UpdateWindow(f.Status());

    // The same count again: no new text, nothing to paint, whatever the caption.
    BAR_StatusProgress("読込", 5);
    EXPECT_FALSE(Pending(f.Status()));
    BAR_StatusProgress("書込", 5);
    EXPECT_FALSE(Pending(f.Status()));
    EXPECT_EQ(StatusText(), "読込" + Squares(5));

    BAR_StatusProgress("書込", 20);
    EXPECT_EQ(StatusText(), "書込" + Squares(20));
    EXPECT_EQ(StatusText().find("□"), std::string::npos);
    EXPECT_TRUE(Pending(f.Status()));
    BAR_StatusProgress("書込", 0);
    EXPECT_EQ(StatusText(), "書込" + Squares(0));
}

TEST(StatusBar, PrintfPaintsAtOnceAndNullClears)
{
    BarFixture f;
    UpdateWindow(f.Status());
    BAR_StatusPrintf("%d 件 %s", 12, "終了");
    EXPECT_EQ(StatusText(), "12 件 終了");
    EXPECT_FALSE(Pending(f.Status()));  // updated already
    BAR_StatusSetText(nullptr);
    EXPECT_EQ(StatusText(), "");
    EXPECT_TRUE(Pending(f.Status()));

    // A message longer than the bar's text is cut, not written past it.
    std::string longText(2000, 'x');
    BAR_StatusPrintf("%s", longText.c_str());
    EXPECT_EQ(StatusText(), std::string(511, 'x'));
}

}  // namespace
