// The progress window: it appears, shows the share reported, keeps answering
// while its caller is busy, and goes with DOING_End.
#include <gtest/gtest.h>
#include <windows.h>

#include "kit/gui_kit.h"
#include "platform/trvdlg.h"

TEST(DoingWindow, ShowsProgressAndAnswersWhileTheCallerIsBusy)
{
    DoingProgress* p = DOING_Start(nullptr, "読み込み");
    ASSERT_NE(p, nullptr);
    HWND w = DOING_GetWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(KIT_WindowText(w), "読み込み");

    // The caller's thread pumps nothing from here on, as a loader does; the
    // window's own thread still answers at once.
    p->report(p, 1, 2);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result), 0);
    RECT rc;
    GetClientRect(w, &rc);
    EXPECT_NE(RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW), 0);

    DOING_End();
    EXPECT_EQ(DOING_GetWindow(), nullptr);
    EXPECT_FALSE(IsWindow(w));
    DOING_End();  // nothing open: nothing happens
}

TEST(DoingWindow, ASecondStartReplacesTheFirst)
{
    ASSERT_NE(DOING_Start(nullptr, "A"), nullptr);
    HWND first = DOING_GetWindow();
    ASSERT_NE(DOING_Start(nullptr, "B"), nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(KIT_WindowText(DOING_GetWindow()), "B");
    DOING_End();
}
