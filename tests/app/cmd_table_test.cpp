// The command table, its look-ups and the command stack; no window needed.
#include <gtest/gtest.h>

#include <map>

#include "app/cmd.h"
#include "app/cmd_private.h"
#include "app/frame_state.h"

namespace {

TEST(CommandTable, HoldsItsRecordsAndTheTerminator)
{
    int count = 0;
    while (CMD_TableRecord(count)->commandId >= 0) count++;
    EXPECT_EQ(count, CMD_TABLE_SIZE);
    const CommandRecord* end = CMD_TableRecord(CMD_TABLE_SIZE);
    EXPECT_EQ(end->commandId, -1);
    EXPECT_EQ(end->stateId, 0);
    EXPECT_EQ(end->stateProc, nullptr);
    EXPECT_EQ(end->name, nullptr);
    EXPECT_EQ(CMD_TableRecord(CMD_TABLE_SIZE + 1), nullptr);

    std::map<int, int> levels;
    for (int i = 0; i < CMD_TABLE_SIZE; i++) {
        const CommandRecord* r = CMD_TableRecord(i);
        levels[r->level]++;
        ASSERT_NE(r->name, nullptr) << i;
        // Every record entered by state id has a procedure; entry state 119
        // only marks the frame's own assignment pan.
        if (r->stateId != CMD_STATE_ONE_SHOT && r->stateId != 119) {
            EXPECT_NE(r->stateProc, nullptr) << i;
        }
        EXPECT_EQ(r->hWndFrame, nullptr);
        EXPECT_EQ(r->workBlock1, nullptr);
    }
    EXPECT_EQ(levels, (std::map<int, int>{{0, 3}, {1, 3}, {8, 54}, {10, 12}, {15, 38}}));

    EXPECT_STREQ(CMD_TableRecord(0)->name, "レスポンス待ち");
    EXPECT_STREQ(CMD_TableRecord(1)->name, "ルートアプリ");
    EXPECT_STREQ(CMD_TableRecord(2)->name, "メニュー選択");
    EXPECT_STREQ(CMD_TableRecord(21)->name, "←エリア表示");
    EXPECT_STREQ(CMD_TableRecord(44)->name, "ＰＣＢ読み込み");
    EXPECT_STREQ(CMD_TableRecord(109)->name, "開発暫定コントロール");
}

TEST(CommandTable, LookUpsFindTheFirstMatch)
{
    struct Row {
        const char* what;
        CommandRecord* found;
        int expectedRecord;  // -1: none
    } rows[] = {
        {"id 200 (two records)", CMD_FindById(200), 43},
        {"id 40140", CMD_FindById(40140), 44},
        {"id 40373", CMD_FindById(40373), 99},
        {"id 0 (system states)", CMD_FindById(0), 0},
        {"id 99999", CMD_FindById(99999), -1},
        {"id -1 (terminator)", CMD_FindById(-1), -1},
        {"state 716 (two records)", CMD_FindByState(716), 69},
        {"state 348 (three records)", CMD_FindByState(348), 70},
        {"state 727", CMD_FindByState(727), 79},
        {"state 728", CMD_FindByState(728), 80},
        {"state 336", CMD_FindByState(336), 94},
        {"state 2", CMD_FindByState(2), 2},
        {"state 119", CMD_FindByState(119), 34},
        {"state 4 (one-shot marker)", CMD_FindByState(4), 3},
        {"state 12345", CMD_FindByState(12345), -1},
    };
    for (const Row& row : rows) {
        CommandRecord* expected = row.expectedRecord < 0 ? nullptr : CMD_TableRecord(row.expectedRecord);
        EXPECT_EQ(row.found, expected) << row.what;
    }
    EXPECT_EQ(CMD_FindLevel(200), 15);
    EXPECT_EQ(CMD_FindLevel(155), 10);
    EXPECT_EQ(CMD_FindLevel(40122), 8);
    EXPECT_EQ(CMD_FindLevel(99999), 0);
}

TEST(CommandStack, TheSeventeenthPushIsRefused)
{
    ASSERT_EQ(CMD_StackDepth(), 0);
    EXPECT_EQ(CMD_StackTop(), nullptr);
    HWND frame = (HWND)0x1234, canvas = (HWND)0x5678;
    HWND savedFrame = g_hWndFrame, savedCanvas = g_hWndCanvas;
    g_hWndFrame = frame;
    g_hWndCanvas = canvas;

    for (int i = 0; i < CMD_STACK_SIZE; i++) {
        CommandRecord* r = CMD_TableRecord(60 + i);
        r->leakBytes = 99;
        ASSERT_EQ(CMD_Push(r), 1) << i;
        EXPECT_EQ(r->leakBytes, 0) << "a push clears the leak counter";
        EXPECT_EQ(r->hWndFrame, frame);
        EXPECT_EQ(r->hWndCanvas, canvas);
        EXPECT_EQ(CMD_StackTop(), r);
    }
    CommandRecord* seventeenth = CMD_TableRecord(94);
    seventeenth->leakBytes = 7;
    EXPECT_EQ(CMD_Push(seventeenth), 0);
    EXPECT_EQ(CMD_StackDepth(), CMD_STACK_SIZE);
    EXPECT_EQ(CMD_StackTop(), CMD_TableRecord(60 + CMD_STACK_SIZE - 1));
    EXPECT_EQ(seventeenth->leakBytes, 7) << "a refused push leaves the record alone";
    EXPECT_EQ(seventeenth->hWndFrame, nullptr);

    for (int i = CMD_STACK_SIZE - 1; i >= 0; i--) EXPECT_EQ(CMD_PopTop(), CMD_TableRecord(60 + i));
    EXPECT_EQ(CMD_PopTop(), nullptr) << "popping an empty stack gives nothing";
    EXPECT_EQ(CMD_StackDepth(), 0);

    for (int i = 0; i <= CMD_TABLE_SIZE; i++) {
        CommandRecord* r = CMD_TableRecord(i);
        r->hWndFrame = r->hWndCanvas = nullptr;
        r->leakBytes = 0;
    }
    g_hWndFrame = savedFrame;
    g_hWndCanvas = savedCanvas;
}

}  // namespace
