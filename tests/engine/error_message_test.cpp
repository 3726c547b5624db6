// ErrMsgFormat: the system's text for the error code, in a message box with
// the step text as caption.
#include <gtest/gtest.h>

#include <string>

#include "kit/gui_kit.h"
#include "platform/qzt_runtime.h"

namespace {

std::string SystemText(DWORD code)
{
    char text[1024] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, text, sizeof text, nullptr);
    std::string s(text, n);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

}  // namespace

TEST(ErrMsgFormat, ShowsSystemTextUnderTheStepCaption)
{
    std::string expected = SystemText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(expected.empty());

    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    ErrMsgFormat(nullptr, ERROR_FILE_NOT_FOUND, "ファイルオープン");
    ASSERT_EQ(watch.Count(), 1u);
    KIT_SeenDialog seen = watch.Seen()[0];
    EXPECT_EQ(seen.caption, "ファイルオープン");
    EXPECT_NE(seen.text.find(expected), std::string::npos) << seen.text;
    EXPECT_NE(seen.text.find("2"), std::string::npos) << "the code is shown";
}

TEST(ErrMsgFormat, UnknownCodeStillGivesAMessage)
{
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    // A destroyed owner must not keep the box from showing.
    HWND gone = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    ErrMsgFormat(gone, 0x2fffffff, "debug");
    ASSERT_EQ(watch.Count(), 1u);
    KIT_SeenDialog seen = watch.Seen()[0];
    EXPECT_EQ(seen.caption, "debug");
    EXPECT_NE(seen.text.find("805306367"), std::string::npos) << seen.text;
}
