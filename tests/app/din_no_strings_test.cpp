// A program without the string table: the request channel is not created,
// the failure is reported once, and every accessor still answers safely.
#include <gtest/gtest.h>

#include "app/din.h"
#include "kit/gui_kit.h"

TEST(RequestChannelWithoutStrings, IsNotCreatedAndSaysSo)
{
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    EXPECT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 0);
    ASSERT_EQ(watch.Count(), 1u);
    EXPECT_EQ(watch.Seen()[0].caption, "DINinitialize");
    EXPECT_EQ(DIN_IsReady(), 0);

    EXPECT_EQ(DIN_TopRequest(), nullptr);
    EXPECT_EQ(DIN_CompleteRequest(ANS_INPUT, 0, 0), 0);
    EXPECT_STREQ(DIN_GetMessage(1), "") << "a missing prompt string gives an empty text";
}
