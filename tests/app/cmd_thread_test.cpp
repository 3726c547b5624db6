// The command thread over the real table, run on a thread of its own for the
// whole test program, with scripted state procedures in place of the
// commands: nesting, replacement after a cancel query, refusal, the beep for
// the running command, the scroll answer, and ends that return to the
// request below. The test thread answers as the user interface does and
// waits for the command thread by watching the top request's waiting flag.
#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "app/cmd.h"
#include "app/cmd_private.h"
#include "cmd_test_windows.h"
#include "command_answers.h"
#include "kit/gui_kit.h"

namespace {

// One call of a scripted procedure, as the command thread made it.
struct Call {
    int record;  // index in the table
    int resumed;
    int answer;  // -1 for a start
    bool operator==(const Call&) const = default;
};

std::mutex g_lock;
std::vector<Call> g_calls;
std::set<int> g_refusing;    // records that refuse the cancel query
std::set<int> g_stayingBusy;  // records that keep their request busy when handing an answer on
std::map<int, StateProc> g_saved;

int IndexOf(CommandRecord* r)
{
    return (int)(r - CMD_TableRecord(0));
}

void Note(CommandRecord* r, int resumed, Request* q)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_calls.push_back({IndexOf(r), resumed, resumed ? DIN_GetAnswer(q) : -1});
}

bool Has(const std::set<int>& s, CommandRecord* r)
{
    std::lock_guard<std::mutex> hold(g_lock);
    return s.count(IndexOf(r)) != 0;
}

int EndCommand(CommandRecord* r, Request* q)
{
    Request* top = CloseRequest(q);
    CMD_End(r);
    DIN_SetBusy(0, top);
    return 0;
}

// A stateful command that keeps the protocol: one-point request, agrees to
// the cancel query unless told to refuse, ends on finish, cancel and end now,
// hands every other answer to the menu selection.
int ScriptedCommand(CommandRecord* r, int resumed, Request* q)
{
    Note(r, resumed, q);
    DIN_SetBusy(1, q);
    if (!resumed) {
        if (!CMD_Push(r)) {
            DIN_SetBusy(0, q);
            return 0;
        }
        // The area zoom asks for a click with the click cursor; the others
        // for a point.
        int kind = IndexOf(r) == 24 ? REQ_CLICK_CURSOR : REQ_POINT1;
        Request* own = CreateRequest(nullptr, r->stateId, kind, 40, 0);
        DIN_PushRequest(own);
        DIN_SetBusy(0, own);
        return 0;
    }
    switch (DIN_GetAnswer(q)) {
    case ANS_CANCEL_QUERY:
        if (!Has(g_refusing, r)) DIN_SetCancelAnswer(q, 1);
        DIN_SetBusy(0, q);
        return 0;
    case ANS_FINISH:
    case ANS_CANCEL:
        if (CMD_ClearCoordModes()) {
            DIN_SetBusy(0, q);
            return 0;
        }
        return EndCommand(r, q);
    case ANS_END_NOW:
        CMD_ClearCoordModes();
        return EndCommand(r, q);
    case ANS_INPUT:
        DIN_SetBusy(0, q);
        return 0;
    default:
        if (!Has(g_stayingBusy, r)) DIN_SetBusy(0, q);
        return CMD_STATE_MENU_SELECT;
    }
}

int ScriptedOneShot(CommandRecord* r, int resumed, Request* q)
{
    Note(r, resumed, q);
    return 0;
}

// Records used: 94 distance (40122, state 336, level 8), 96 angle (40236,
// 337, 8), 28 pin names (155, 15, level 10), 19 pan (132, 10, 15), 24 area
// zoom (137, 11, 15), 17 zoom up (117, one-shot, 15).
const int SCRIPTED[] = {94, 96, 28, 19, 24};
const int ONE_SHOTS[] = {17};

class CommandThread : public ::testing::Test {
protected:
    static TestWindows* tw;

    static void SetUpTestSuite()
    {
        ASSERT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 1);
        tw = TW_Create(false);
        for (int i : SCRIPTED) {
            g_saved[i] = CMD_TableRecord(i)->stateProc;
            CMD_TableRecord(i)->stateProc = ScriptedCommand;
        }
        for (int i : ONE_SHOTS) {
            g_saved[i] = CMD_TableRecord(i)->stateProc;
            CMD_TableRecord(i)->stateProc = ScriptedOneShot;
        }
        ASSERT_NO_FATAL_FAILURE(CT_StartThread());
    }

    void SetUp() override
    {
        std::lock_guard<std::mutex> hold(g_lock);
        g_calls.clear();
        g_refusing.clear();
        g_stayingBusy.clear();
        tw->menuResets = 0;
        tw->posted.clear();
    }

    void TearDown() override
    {
        {
            std::lock_guard<std::mutex> hold(g_lock);
            g_refusing.clear();
            g_stayingBusy.clear();
        }
        // Whatever a test left running ends now, one command at a time.
        while (CMD_StackDepth() > 1) {
            Request* top = DIN_TopRequest();
            DIN_SetBusy(0, top);
            CT_Answer(ANS_END_NOW);
        }
        EXPECT_EQ(DIN_RequestCount(), 1);
        EXPECT_EQ(DIN_IsBusy(DIN_TopRequest()), 0);
    }

    static std::vector<Call> Calls()
    {
        std::lock_guard<std::mutex> hold(g_lock);
        return g_calls;
    }

    static CommandRecord* Rec(int i) { return CMD_TableRecord(i); }
};
TestWindows* CommandThread::tw = nullptr;

TEST_F(CommandThread, RootRequestWaitsForAMenuChoice)
{
    Request* root = DIN_TopRequest();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(CMD_StackDepth(), 1);
    EXPECT_EQ(CMD_StackTop(), Rec(1));
    EXPECT_EQ(DIN_GetKind(root), REQ_ROOT);
    EXPECT_EQ(DIN_GetReturnState(root), CMD_STATE_MENU_SELECT);
    EXPECT_EQ(DIN_GetPromptIndex(root), 1);
    EXPECT_EQ(root->cursorMode, 0);
}

TEST_F(CommandThread, ChosenCommandStartsOnTheRootAndEndsBackOnIt)
{
    Request* root = DIN_TopRequest();
    CT_Answer(ANS_COMMAND, 40122);
    EXPECT_EQ(CMD_StackTop(), Rec(94));
    Request* own = DIN_TopRequest();
    ASSERT_NE(own, root);
    EXPECT_EQ(DIN_GetReturnState(own), 336);
    EXPECT_EQ(DIN_IsBusy(root), 1) << "the request a command started on stays busy while it runs";
    // The arming message is posted just after the request is marked waiting.
    ASSERT_TRUE(KIT_PumpUntil([] { return !tw->posted.empty(); }));
    EXPECT_EQ(tw->posted, std::vector<UINT>{WM_USER + 7}) << "the point request arms the canvas";

    CT_Answer(ANS_CANCEL);
    EXPECT_EQ(CMD_StackTop(), Rec(1));
    EXPECT_EQ(DIN_TopRequest(), root);
    EXPECT_EQ(DIN_IsBusy(root), 0);
    EXPECT_EQ(tw->menuResets, 1) << "the end of a level-8 command clears the on-screen menu";
    EXPECT_EQ(Calls(), (std::vector<Call>{{94, 0, -1}, {94, 1, ANS_CANCEL}}));
}

TEST_F(CommandThread, EqualLevelIsAskedToGiveWayThenReplaced)
{
    Request* root = DIN_TopRequest();
    CT_Answer(ANS_COMMAND, 40236);  // angle
    CT_Answer(ANS_COMMAND, 40122);  // distance
    EXPECT_EQ(CMD_StackDepth(), 2);
    EXPECT_EQ(CMD_StackTop(), Rec(94));
    EXPECT_EQ(DIN_RequestCount(), 2);
    // The answer reaches the running command first; it hands it on, is asked
    // (10), agrees and is ended (99); the distance starts on the root request.
    EXPECT_EQ(Calls(), (std::vector<Call>{{96, 0, -1},
                                          {96, 1, ANS_COMMAND},
                                          {96, 1, ANS_CANCEL_QUERY},
                                          {96, 1, ANS_END_NOW},
                                          {94, 0, -1}}));
    EXPECT_EQ(DIN_IsBusy(root), 1);
}

TEST_F(CommandThread, RefusingCommandKeepsRunning)
{
    g_refusing.insert(96);
    CT_Answer(ANS_COMMAND, 40236);
    Request* angleRequest = DIN_TopRequest();
    CT_Answer(ANS_COMMAND, 40122);
    EXPECT_EQ(CMD_StackTop(), Rec(96));
    EXPECT_EQ(DIN_TopRequest(), angleRequest);
    EXPECT_EQ(DIN_GetAnswer(angleRequest), ANS_COMMAND) << "the saved answer code is put back";
    EXPECT_EQ(Calls(), (std::vector<Call>{{96, 0, -1}, {96, 1, ANS_COMMAND}, {96, 1, ANS_CANCEL_QUERY}}));
}

TEST_F(CommandThread, BusyRequestIsNeverAskedToGiveWay)
{
    g_stayingBusy.insert(96);
    CT_Answer(ANS_COMMAND, 40236);
    CT_Answer(ANS_COMMAND, 40122);
    EXPECT_EQ(CMD_StackTop(), Rec(96));
    EXPECT_EQ(Calls(), (std::vector<Call>{{96, 0, -1}, {96, 1, ANS_COMMAND}}));
}

TEST_F(CommandThread, ViewCommandNestsWithoutACancelQuery)
{
    CT_Answer(ANS_COMMAND, 40122);
    Request* own = DIN_TopRequest();
    CT_Answer(ANS_COMMAND, 117);  // zoom up, one-shot
    EXPECT_EQ(CMD_StackTop(), Rec(94));
    EXPECT_EQ(DIN_TopRequest(), own) << "the command waits on its own request again";
    CT_Answer(ANS_COMMAND, 132);  // pan, stateful level 15
    EXPECT_EQ(CMD_StackTop(), Rec(19));
    CT_Answer(ANS_COMMAND, 137);  // area zoom: level 15 over level 15 nests
    EXPECT_EQ(CMD_StackTop(), Rec(24));
    EXPECT_EQ(CMD_StackDepth(), 4);
    EXPECT_EQ(Calls(), (std::vector<Call>{{94, 0, -1},
                                          {94, 1, ANS_COMMAND},
                                          {17, 0, -1},
                                          {94, 1, ANS_COMMAND},
                                          {19, 0, -1},
                                          {19, 1, ANS_COMMAND},
                                          {24, 0, -1}}));

    // Ending the nested commands returns to the request below, which arms
    // the canvas again.
    tw->posted.clear();
    CT_Answer(ANS_CANCEL);
    CT_Answer(ANS_CANCEL);
    EXPECT_EQ(CMD_StackTop(), Rec(94));
    EXPECT_EQ(DIN_TopRequest(), own);
    ASSERT_TRUE(KIT_PumpUntil([] { return tw->posted.size() >= 2; }));
    EXPECT_EQ(tw->posted, (std::vector<UINT>{WM_USER + 7, WM_USER + 7}));
    EXPECT_EQ(tw->menuResets, 0) << "ending a level-15 command leaves the on-screen menu alone";
}

TEST_F(CommandThread, LowerLevelIsRefusedAndTheMenuCleared)
{
    CT_Answer(ANS_COMMAND, 155);  // pin names, level 10
    EXPECT_EQ(CMD_StackTop(), Rec(28));
    CT_Answer(ANS_COMMAND, 40122);
    EXPECT_EQ(CMD_StackTop(), Rec(28));
    EXPECT_EQ(tw->menuResets, 1);
    EXPECT_EQ(Calls(), (std::vector<Call>{{28, 0, -1}, {28, 1, ANS_COMMAND}}));
    CT_Answer(ANS_CANCEL);
    EXPECT_EQ(tw->menuResets, 1) << "ending a level-10 command leaves the on-screen menu alone";
}

TEST_F(CommandThread, RunningCommandChosenAgainOnlyBeeps)
{
    CT_Answer(ANS_COMMAND, 40122);
    Request* own = DIN_TopRequest();
    CT_Answer(ANS_COMMAND, 40122);
    EXPECT_EQ(CMD_StackDepth(), 2);
    EXPECT_EQ(DIN_TopRequest(), own);
    EXPECT_EQ(Calls(), (std::vector<Call>{{94, 0, -1}, {94, 1, ANS_COMMAND}}));
}

TEST_F(CommandThread, UnknownIdAndSystemStatesAreIgnored)
{
    CT_Answer(ANS_COMMAND, 40059);  // a menu item without a record
    CT_Answer(ANS_COMMAND, 0);      // names only the system states
    EXPECT_EQ(CMD_StackDepth(), 1);
    EXPECT_EQ(DIN_RequestCount(), 1);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(CommandThread, ScrollAnswerNeverReachesTheCommand)
{
    CT_Answer(ANS_COMMAND, 40122);
    CT_Answer(ANS_SCROLL, 0x20002);
    CT_Answer(ANS_INPUT);
    EXPECT_EQ(Calls(), (std::vector<Call>{{94, 0, -1}, {94, 1, ANS_INPUT}}));
}

TEST_F(CommandThread, ClickRequestWaitsWithTheClickCursorAndArmsNothing)
{
    CT_Answer(ANS_COMMAND, 40122);
    ASSERT_TRUE(KIT_PumpUntil([] { return !tw->posted.empty(); }));
    tw->cursorModes.clear();
    tw->posted.clear();
    CT_Answer(ANS_COMMAND, 137);  // area zoom, scripted with a click request
    EXPECT_EQ(DIN_GetKind(DIN_TopRequest()), REQ_CLICK_CURSOR);
    // Woken with 0, then the click request's mode 3 before sleeping.
    EXPECT_EQ(tw->cursorModes, (std::vector<int>{0, 3}));
    CT_Answer(ANS_CANCEL);
    ASSERT_TRUE(KIT_PumpUntil([] { return !tw->posted.empty(); }));
    EXPECT_EQ(tw->posted, std::vector<UINT>{WM_USER + 7}) << "only the point request below armed the canvas";
    EXPECT_EQ(tw->cursorModes.back(), 0);
}

}  // namespace
