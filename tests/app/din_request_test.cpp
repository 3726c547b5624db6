// The request channel: requests and their blocks, the request stack, points
// by kind, the answers across two real threads, and the prompt texts.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/cmd_private.h"
#include "app/din.h"
#include "kit/gui_kit.h"
#include "platform/qzt_mem.h"

namespace {

// Every test starts and ends with an empty request stack.
class RequestChannel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 1); }
    void SetUp() override { CloseAll(); }
    void TearDown() override { CloseAll(); }
    static void CloseAll()
    {
        while (Request* top = DIN_TopRequest()) CloseRequest(top);
    }
};

RequestPoint Point(int x, int y, int flag = 4)
{
    RequestPoint p = {};
    p.x = x;
    p.y = y;
    p.x2 = x + 1;
    p.y2 = y + 1;
    p.flag = flag;
    return p;
}

TEST_F(RequestChannel, InitializingTwiceKeepsTheChannel)
{
    EXPECT_EQ(DIN_Initialize(GetModuleHandleA(nullptr)), 1);
    EXPECT_EQ(DIN_IsReady(), 1);
}

TEST_F(RequestChannel, CreateAllocatesTheBlockOfItsKind)
{
    struct Row {
        int kind;
        long long blockBytes;
    } rows[] = {
        {0, 0}, {1, 36}, {3, 36}, {4, 72}, {7, 72}, {8, 108}, {17, 108}, {9, 0},
        {10, 0}, {11, 76}, {12, 28}, {13, 16}, {14, 20}, {15, 0}, {16, 0}, {18, 0},
    };
    for (const Row& row : rows) {
        MemCount before = MEM_GetCount("CreateRequest");
        Request* r = CreateRequest(nullptr, 336, row.kind, 40, 3);
        ASSERT_NE(r, nullptr) << "kind " << row.kind;
        MemCount after = MEM_GetCount("CreateRequest");
        EXPECT_EQ(after.bytes - before.bytes, (long long)sizeof(Request) + row.blockBytes) << "kind " << row.kind;
        EXPECT_EQ(r->dataBlock != nullptr, row.blockBytes != 0) << "kind " << row.kind;
        EXPECT_EQ(r->returnState, 336);
        EXPECT_EQ(r->promptIndex, 40);
        EXPECT_EQ(r->flags, 1) << "only bit 0 of the flag is kept";
        EXPECT_EQ(r->cursorMode, row.kind == 9 ? 3 : 0) << "kind " << row.kind;
        EXPECT_EQ(r->busy | r->waiting | r->answerCode | r->pointCount | r->cancelAnswer, 0);
        ASSERT_EQ(DIN_PushRequest(r), 1);
        EXPECT_EQ(CloseRequest(r), nullptr);
        EXPECT_EQ(MEM_GetCount("CreateRequest").bytes, before.bytes) << "kind " << row.kind;
    }
}

TEST_F(RequestChannel, TextRequestStartsWithAnEmptyStringBlock)
{
    Request* r = CreateRequest(nullptr, 354, REQ_STRING, 17, 0);
    ASSERT_NE(r, nullptr);
    const StringIO* io = (const StringIO*)r->dataBlock;
    EXPECT_EQ(io->maxLength, 61);
    EXPECT_EQ(io->mode, 2);
    EXPECT_EQ(io->word, 0);
    EXPECT_EQ(io->text[0], 0);
    StringIO* own = DIN_CreateStringIO();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->maxLength, 61);
    EXPECT_EQ(own->mode, 2);
    MemFree(nullptr, own, "StringIO");
    DIN_PushRequest(r);
    CloseRequest(r);
}

TEST_F(RequestChannel, PointsBeyondTheKindsCapacityAreRefused)
{
    struct Row {
        int kind;
        int capacity;
    } rows[] = {{1, 1}, {2, 1}, {4, 2}, {7, 2}, {8, 3}, {17, 3}, {9, 0}, {11, 0}, {0, 0}};
    for (const Row& row : rows) {
        Request* r = CreateRequest(nullptr, 336, row.kind, 40, 0);
        ASSERT_NE(r, nullptr);
        for (int i = 0; i < row.capacity; i++)
            EXPECT_EQ(DIN_AddRequestPoint(r, Point(100 * (i + 1), -200 * (i + 1), i)), i + 1) << "kind " << row.kind;
        EXPECT_EQ(DIN_AddRequestPoint(r, Point(999, 999)), 0) << "kind " << row.kind;
        EXPECT_EQ(DIN_GetPointCount(r), row.capacity);
        if (row.capacity > 0) {
            // The refused point left the first one as it was.
            uint64_t first = DIN_GetPoint(1, r);
            EXPECT_EQ((int32_t)(uint32_t)first, 100);
            EXPECT_EQ((int32_t)(uint32_t)(first >> 32), -200);
            uint64_t second = DIN_GetFirstPoint(r);
            EXPECT_EQ((int32_t)(uint32_t)second, 101);
            EXPECT_EQ((int32_t)(uint32_t)(second >> 32), -199);
            EXPECT_EQ(DIN_GetFirstPointFlag(r), 0);
        }
        DIN_PushRequest(r);
        CloseRequest(r);
    }
}

TEST_F(RequestChannel, DroppingAPointNeverGoesBelowZero)
{
    Request* r = CreateRequest(nullptr, 336, REQ_TWO1, 42, 0);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(DIN_DropPoint(r), 0);
    EXPECT_EQ(DIN_GetPointCount(r), 0);
    DIN_AddRequestPoint(r, Point(1, 2));
    DIN_AddRequestPoint(r, Point(3, 4));
    EXPECT_EQ(DIN_DropPoint(r), 1);
    EXPECT_EQ(DIN_AddRequestPoint(r, Point(5, 6)), 2) << "a dropped point makes room again";
    EXPECT_EQ((int32_t)(uint32_t)DIN_GetPoint(2, r), 5);
    DIN_PushRequest(r);
    CloseRequest(r);
}

TEST_F(RequestChannel, NullRequestGivesTheStatedDefaults)
{
    EXPECT_EQ(DIN_PushRequest(nullptr), 0);
    EXPECT_EQ(DIN_TopRequest(), nullptr);
    EXPECT_EQ(DIN_MarkWaiting(nullptr), 0);
    EXPECT_EQ(DIN_SetBusy(0, nullptr), 1);
    EXPECT_EQ(DIN_IsBusy(nullptr), 0);
    EXPECT_EQ(DIN_IsWaiting(nullptr), 0);
    EXPECT_EQ(DIN_GetKind(nullptr), -1);
    EXPECT_EQ(DIN_GetAnswer(nullptr), -1);
    EXPECT_EQ(DIN_GetAnswerWord(nullptr), -1);
    EXPECT_EQ(DIN_GetReturnState(nullptr), -1);
    EXPECT_EQ(DIN_GetPromptIndex(nullptr), -1);
    EXPECT_EQ(DIN_GetPointCount(nullptr), 0);
    EXPECT_EQ(DIN_GetPoint(1, nullptr), 0u);
    EXPECT_EQ(DIN_GetFirstPoint(nullptr), 0u);
    EXPECT_EQ(DIN_GetFirstPointFlag(nullptr), 4);
    EXPECT_EQ(DIN_SetAuxWords(nullptr, 1, 2), 0);
    EXPECT_EQ(DIN_GetCancelAnswer(nullptr), 0);
    EXPECT_EQ(DIN_SetCancelAnswer(nullptr, 1), 0);
    EXPECT_EQ(DIN_AddRequestPoint(nullptr, Point(1, 1)), 0);
    EXPECT_EQ(DIN_DropPoint(nullptr), 0);
}

TEST_F(RequestChannel, ClosingTheLastRequestEmptiesTheStack)
{
    Request* below = CreateRequest(nullptr, 2, REQ_ROOT, 1, 0);
    Request* above = CreateRequest(nullptr, 336, REQ_POINT1, 40, 0);
    above->extraBlock = MemAlloc(nullptr, 64, "CreateRequest");
    DIN_PushRequest(below);
    DIN_PushRequest(above);
    EXPECT_EQ(DIN_RequestCount(), 2);
    EXPECT_EQ(DIN_TopRequest(), above);
    EXPECT_EQ(CloseRequest(above), below);
    EXPECT_EQ(CloseRequest(below), nullptr);
    EXPECT_EQ(DIN_TopRequest(), nullptr);

    // With the stack empty nothing is freed and the argument comes back.
    Request* loose = CreateRequest(nullptr, 336, REQ_POINT1, 40, 0);
    MemCount before = MEM_GetCount("CreateRequest");
    EXPECT_EQ(CloseRequest(loose), loose);
    EXPECT_EQ(MEM_GetCount("CreateRequest").blocks, before.blocks);
    DIN_PushRequest(loose);
    CloseRequest(loose);
}

TEST_F(RequestChannel, PopAndPromptClosesThatManyRequests)
{
    Request* base = CreateRequest(nullptr, 735, REQ_POINT1, 13, 0);
    DIN_PushRequest(base);
    Request* r = base;
    for (int i = 0; i < 3; i++) {
        r = CreateRequest(nullptr, 735, REQ_TWO1, 67, 0);
        DIN_PushRequest(r);
    }
    EXPECT_EQ(DIN_RequestPopAndPrompt(0, r), r) << "a count of 0 closes nothing";
    EXPECT_EQ(DIN_RequestPopAndPrompt(3, r), base);
    EXPECT_EQ(DIN_RequestCount(), 1);
}

TEST_F(RequestChannel, StackIsBoundedAt65)
{
    std::vector<Request*> pushed;
    for (int i = 0; i < DIN_REQUEST_STACK_SIZE; i++) {
        Request* r = CreateRequest(nullptr, 336, REQ_CLICK, 0, 0);
        ASSERT_EQ(DIN_PushRequest(r), 1) << i;
        pushed.push_back(r);
    }
    Request* extra = CreateRequest(nullptr, 336, REQ_CLICK, 0, 0);
    EXPECT_EQ(DIN_PushRequest(extra), 0);
    EXPECT_EQ(DIN_RequestCount(), DIN_REQUEST_STACK_SIZE);
    EXPECT_EQ(DIN_TopRequest(), pushed.back());
    MemFree(nullptr, extra, "CloseRequest");
}

TEST_F(RequestChannel, AnswerWithAnEmptyStackIsDropped)
{
    EXPECT_EQ(DIN_CompleteRequest(ANS_INPUT, 0, 0), 0);
    Request* r = CreateRequest(nullptr, 336, REQ_POINT1, 40, 0);
    DIN_PushRequest(r);
    DIN_MarkWaiting(r);
    EXPECT_EQ(DIN_CompleteRequest(ANS_COMMAND, 40122, 77), 1);
    EXPECT_EQ(DIN_GetAnswer(r), ANS_COMMAND);
    EXPECT_EQ(DIN_GetAnswerWord(r), 40122);
    EXPECT_EQ(DIN_GetAnswerValue(r), 77);
    EXPECT_EQ(DIN_IsWaiting(r), 0) << "the answer clears the waiting flag";
    // The answer left the event set: the next wait returns at once.
    DIN_PostRequestToUi();
}

TEST_F(RequestChannel, PromptTextsComeFromTheStringTableOnce)
{
    const char* first = DIN_GetMessage(1);
    EXPECT_STREQ(first, "メニューを選択して下さい");
    EXPECT_EQ(DIN_GetMessage(1), first) << "the cached text is kept";
    EXPECT_STREQ(DIN_GetMessage(0), " ");
    EXPECT_STREQ(DIN_GetMessage(80), "処理中です ");
    EXPECT_STREQ(DIN_GetMessage(188), "複写する信号VIAを指定してください");
    EXPECT_STREQ(DIN_GetMessage(189), "");
    EXPECT_STREQ(DIN_GetMessage(-1), "");
}

// ---- Two threads -------------------------------------------------------------

// The canvas stand-in: a message-only window of the test thread that records
// the arming messages posted to it.
struct PostedMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<PostedMessage> g_posted;

LRESULT CALLBACK CanvasProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg >= WM_USER && msg <= WM_USER + 12) {
        g_posted.push_back({msg, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

HWND MakeCanvas()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CanvasProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DinTestCanvas";
        RegisterClassA(&wc);
        registered = true;
    }
    return CreateWindowA("DinTestCanvas", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The command thread's side of one request: push it, say so, then post the
// canvas its message and sleep until it is answered.
struct Waiter {
    Request* request;
    HANDLE pushed;
};

DWORD WINAPI WaitOnRequest(LPVOID param)
{
    Waiter* w = (Waiter*)param;
    DIN_PushRequest(w->request);
    DIN_MarkWaiting(w->request);
    SetEvent(w->pushed);
    DIN_PostRequestToUi();
    return 0;
}

TEST_F(RequestChannel, EachKindArmsTheCanvasWithItsMessageAndWakesOnTheAnswer)
{
    HWND canvas = MakeCanvas();
    ASSERT_NE(canvas, nullptr);
    HWND savedCanvas = g_hWndCanvas;
    g_hWndCanvas = canvas;

    struct Row {
        int kind;
        UINT msg;  // 0: nothing posted
        bool blockInLParam;
    } rows[] = {
        {0, 0, false}, {1, WM_USER + 7, false}, {5, WM_USER + 7, false}, {8, WM_USER + 7, false},
        {17, WM_USER + 7, false}, {9, 0, false}, {10, 0, false}, {11, WM_USER + 0, true},
        {12, WM_USER + 1, true}, {13, WM_USER + 2, true}, {14, WM_USER + 3, true},
        {15, WM_USER + 6, true}, {16, WM_USER + 12, true},
    };
    for (const Row& row : rows) {
        g_posted.clear();
        void* ownBlock = (row.kind == 15 || row.kind == 16) ? MemAlloc(nullptr, 32, "CreateRequest") : nullptr;
        Waiter w = {CreateRequest(ownBlock, 336, row.kind, 40, 0), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
        HANDLE thread = CreateThread(nullptr, 0, WaitOnRequest, &w, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        ASSERT_EQ(WaitForSingleObject(w.pushed, 10000), WAIT_OBJECT_0);
        if (row.msg) {
            ASSERT_TRUE(KIT_PumpUntil([] { return !g_posted.empty(); })) << "kind " << row.kind;
        }

        RequestPoint p = Point(500, 600, 2);
        DIN_AddRequestPoint(w.request, p);
        EXPECT_EQ(DIN_CompleteRequest(ANS_INPUT, 0, 0), 1);
        ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0) << "the answer wakes the waiter";
        KIT_PumpPending();

        if (row.msg) {
            ASSERT_EQ(g_posted.size(), 1u) << "kind " << row.kind;
            EXPECT_EQ(g_posted[0].msg, row.msg) << "kind " << row.kind;
            EXPECT_EQ(g_posted[0].wParam, 0u);
            EXPECT_EQ(g_posted[0].lParam, row.blockInLParam ? (LPARAM)w.request->dataBlock : 0) << "kind " << row.kind;
        } else {
            EXPECT_TRUE(g_posted.empty()) << "kind " << row.kind << " arms nothing";
        }
        EXPECT_EQ(DIN_GetAnswer(w.request), ANS_INPUT);
        EXPECT_EQ(DIN_IsWaiting(w.request), 0);
        CloseHandle(thread);
        CloseHandle(w.pushed);
        CloseRequest(w.request);
    }
    g_hWndCanvas = savedCanvas;
    DestroyWindow(canvas);
}

}  // namespace
