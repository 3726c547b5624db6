// The report of a changed option reaches the request a command waits on as
// answer 7 with the word the panel gives.
#include <gtest/gtest.h>

#include "app/din.h"
#include "panels/pnl.h"

TEST(PanelReport, ReachesTheWaitingRequestAsAnswer7WithItsWord)
{
    ASSERT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 1);
    // No command waits: the change is dropped without harm.
    PNL_ReportChange(1947, 0);
    EXPECT_EQ(DIN_TopRequest(), nullptr);

    Request* r = CreateRequest(nullptr, 0, REQ_POINT1, 0, 0);
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(DIN_PushRequest(r), 1);
    struct Row {
        int word;
        intptr_t value;
    } rows[] = {{1947, 0}, {0, 0}, {2, 0}, {1759, (intptr_t)&rows}};
    for (const Row& row : rows) {
        PNL_ReportChange(row.word, row.value);
        EXPECT_EQ(DIN_GetAnswer(r), ANS_OPTION);
        EXPECT_EQ(DIN_GetAnswerWord(r), row.word);
        EXPECT_EQ(DIN_GetAnswerValue(r), row.value);
    }
    CloseRequest(r);
}
