// The menu command dispatcher on the display: what reaches the command
// thread (the answer in the top request) for the ids of the menu, the
// accelerators and the bars, and the cancel protocol of the gate.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/din.h"
#include "app/rot.h"
#include "app/rot_dispatch.h"
#include "dispatch_fixture.h"
#include "kit/gui_kit.h"
#include "platform/trvdlg_map.h"
#include "view/cnv.h"

namespace {

// A running level-8 command whose answers to the cancel query are chosen by
// the test; it records every answer code it was called with and, on 99,
// ends as a command does.
std::vector<int> s_seen;
int s_agree = 1;

int FakeCommand(CommandRecord* record, int resumed, Request* request)
{
    int code = DIN_GetAnswer(request);
    s_seen.push_back(code);
    if (code == ANS_CANCEL_QUERY) DIN_SetCancelAnswer(request, s_agree);
    if (code == ANS_END_NOW) DF_EndCommand();
    return 0;
}

CommandRecord MakeFake(int commandId, int level)
{
    CommandRecord r = {};
    r.commandId = commandId;
    r.stateId = 9001;
    r.stateProc = FakeCommand;
    r.level = level;
    r.name = "fake";
    return r;
}

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        f = DF_Create();
        s_seen.clear();
        s_agree = 1;
        DF_MarkUnanswered();
    }
    void TearDown() override { DF_Destroy(f); }
    void Command(int id, int code = 0) { SendMessageA(f->frame, WM_COMMAND, MAKEWPARAM(id, code), 0); }
    DispatchFixture* f = nullptr;
};

}  // namespace

TEST_F(Dispatch, IdsWithoutARecordDoNothing)
{
    KIT_DialogWatch watch;
    for (int id : {221, 40059, 40091, 40139, 40141, 40334, 40519, 40051, 40054, 40239, 40240, 40256}) {
        Command(id);
        EXPECT_EQ(DIN_GetAnswer(f->root), -7) << id;
    }
    EXPECT_EQ(f->menuResets, 0);
    EXPECT_EQ(watch.Count(), 0u);
}

TEST_F(Dispatch, AdmittedCommandIsHandedOnWithItsMenuShown)
{
    Command(40210);
    EXPECT_EQ(DIN_GetAnswer(f->root), ANS_COMMAND);
    EXPECT_EQ(DIN_GetAnswerWord(f->root), 40210);
    EXPECT_EQ(CNV_MenuCurrent(), 16);
    EXPECT_EQ(SendMessageA(f->list, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(Dispatch, EqualLevelAsksThenEndsTheRunningCommand)
{
    CommandRecord fake = MakeFake(40122, 8);
    DF_StartCommand(&fake, REQ_POINT1);
    Command(40236);
    EXPECT_EQ(s_seen, (std::vector<int>{ANS_CANCEL_QUERY, ANS_END_NOW}));
    ASSERT_EQ(DIN_TopRequest(), f->root);
    EXPECT_EQ(DIN_GetAnswer(f->root), ANS_COMMAND);
    EXPECT_EQ(DIN_GetAnswerWord(f->root), 40236);
}

TEST_F(Dispatch, RefusingOrBusyCommandKeepsRunningWithItsMenu)
{
    struct Case {
        const char* name;
        int agree;
        int busy;
        std::vector<int> seen;
    } cases[] = {
        {"refuses", 0, 0, {ANS_CANCEL_QUERY}},
        {"busy", 1, 1, {}},
    };
    for (const Case& c : cases) {
        s_seen.clear();
        s_agree = c.agree;
        CommandRecord fake = MakeFake(40210, 8);
        Request* own = DF_StartCommand(&fake, REQ_POINT1);
        DIN_SetBusy(c.busy, own);
        CNV_MenuShow(0);
        Command(40236);
        EXPECT_EQ(s_seen, c.seen) << c.name;
        EXPECT_EQ(DIN_TopRequest(), own) << c.name;
        EXPECT_EQ(DIN_GetAnswer(own), -7) << c.name;  // the saved answer code is put back
        EXPECT_EQ(CMD_StackTop(), &fake) << c.name;
        EXPECT_EQ(CNV_MenuCurrent(), 16) << c.name;  // the running command's menu again
        DIN_SetBusy(0, own);
        DF_EndCommand();
    }
}

TEST_F(Dispatch, ViewCommandNestsWithoutACancel)
{
    CommandRecord fake = MakeFake(40122, 8);
    Request* own = DF_StartCommand(&fake, REQ_POINT1);
    Command(117);
    EXPECT_TRUE(s_seen.empty());
    EXPECT_EQ(DIN_GetAnswer(own), ANS_COMMAND);
    EXPECT_EQ(DIN_GetAnswerWord(own), 117);
    DF_EndCommand();
}

TEST_F(Dispatch, LowerLevelIsRefusedWithAMenuReset)
{
    CommandRecord fake = MakeFake(40122, 10);
    Request* own = DF_StartCommand(&fake, REQ_POINT1);
    Command(40236);
    EXPECT_TRUE(s_seen.empty());
    EXPECT_EQ(DIN_GetAnswer(own), -7);
    EXPECT_EQ(f->menuResets, 1);
    DF_EndCommand();
}

TEST_F(Dispatch, ArrowAcceleratorsGiveTheFourScrollAnswers)
{
    struct Case {
        int id;
        int word;
    } cases[] = {{179, 2}, {180, 0x20002}, {181, 1}, {182, 0x10001}};
    for (const Case& c : cases) {
        DF_MarkUnanswered();
        Command(c.id);
        KIT_PumpUntil([&] { return DIN_GetAnswer(f->root) != -7; }, 3000);
        EXPECT_EQ(DIN_GetAnswer(f->root), ANS_SCROLL) << c.id;
        EXPECT_EQ(DIN_GetAnswerWord(f->root), c.word) << c.id;
    }
    // None while the busy request of return state 401 is on top.
    CommandRecord fake = MakeFake(40122, 8);
    fake.stateId = 401;
    Request* own = DF_StartCommand(&fake, REQ_POINT1);
    DIN_SetBusy(1, own);
    Command(178, 0x200);
    EXPECT_EQ(DIN_GetAnswer(own), -7);
    DIN_SetBusy(0, own);
    DF_EndCommand();
}

TEST_F(Dispatch, SpaceFinishesOnlyAPointOrValueRequest)
{
    struct Case {
        int kind;
        int answer;
    } cases[] = {{REQ_POINT1, ANS_FINISH}, {REQ_THREE2, ANS_FINISH}, {REQ_STRING, ANS_FINISH},
                 {REQ_CLICK_CURSOR, -7},   {REQ_CLICK, -7}};
    for (const Case& c : cases) {
        CommandRecord fake = MakeFake(40122, 8);
        Request* own = DF_StartCommand(&fake, c.kind);
        Command(1961);
        EXPECT_EQ(DIN_GetAnswer(own), c.answer) << c.kind;
        DF_EndCommand();
    }
    Command(1961);
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
}

TEST_F(Dispatch, LineTableIdFollowsTheLineKind)
{
    struct Case {
        int lineKind;
        int table;
    } cases[] = {{3, 40135}, {4, 40153}, {7, 40138}, {1, 40138}};
    KIT_DialogWatch watch;
    for (const Case& c : cases) {
        watch.Answer(IDCANCEL);  // the table editor the rerouted id opens
        f->cs.lineKind = c.lineKind;
        f->frameCommands.clear();
        Command(146);
        EXPECT_EQ(DF_Commands(f), (std::vector<std::pair<int, int>>{{146, 0}, {c.table, 0}})) << c.lineKind;
    }
}

TEST_F(Dispatch, CoordinateModesArmTheCanvas)
{
    Command(156);
    KIT_PumpPending();
    ASSERT_EQ(f->canvasPosts.size(), 1u);
    EXPECT_EQ(f->canvasPosts[0], (UINT)(WM_USER + 7));
}

TEST_F(Dispatch, BarAndPopupIdsGoToTheSettingBar)
{
    Command(148);
    Command(325);
    EXPECT_EQ(f->barCommands, (std::vector<int>{328, 325}));
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
}

TEST_F(Dispatch, ExitAsksTheFrameToClose)
{
    Command(40041);
    EXPECT_EQ(f->closes, 1);
}

TEST(HelpFolder, CutAtTheSecondLastBackslash)
{
    struct Case {
        const char* bin;
        const char* folder;
    } cases[] = {
        {"C:\\Torva\\bin\\", "C:\\Torva\\Help"},
        {"C:\\Torva\\bin", "C:\\Help"},
        {"C:\\", "\\Help"},
        {"", "\\Help"},
        {"D:\\a\\b\\c\\", "D:\\a\\b\\Help"},
    };
    for (const Case& c : cases) {
        char out[300];
        ROT_HelpFolder(c.bin, out, sizeof out);
        EXPECT_STREQ(out, c.folder) << c.bin;
    }
}

TEST_F(Dispatch, HelpWithoutAManualDoesNotCrash)
{
    Command(40285);
    KIT_PumpPending();
    EXPECT_EQ(DIN_GetAnswer(f->root), -7);
}

TEST_F(Dispatch, MapWindowShowsTheViewRectangle)
{
    f->cs.rcView = {0, 1000000, 1000000, 0};
    Command(175);
    ASSERT_NE(f->fs.hWndMap, nullptr);
    EXPECT_TRUE(IsWindowVisible(f->fs.hWndMap));
    EXPECT_EQ(MAP_GetWindow(), f->fs.hWndMap);
    DestroyWindow(f->fs.hWndMap);
}
