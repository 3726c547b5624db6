// The common end of a command, the coordinate-mode switch-off, and the
// message box and cursor helpers, on the display with a stand-in frame and a
// visible stand-in canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cmd.h"
#include "app/cmd_private.h"
#include "cmd_test_windows.h"
#include "kit/gui_kit.h"
#include "platform/qzt_env.h"
#include "platform/qzt_mem.h"
#include "platform/qzt_wps.h"

namespace {

class CommandEnd : public ::testing::Test {
protected:
    TestWindows* tw = nullptr;
    EnvRecord* env = nullptr;

    void SetUp() override
    {
        tw = TW_Create(true);
        KIT_PumpPending();
        env = ENV_GetENVClass();
        SetModes(0, 0, 0);
    }
    void TearDown() override
    {
        SetModes(0, 0, 0);
        SetCursorJump(0);
        while (CMD_StackDepth() > 0) CMD_PopTop();
        TW_Destroy(tw);
    }

    void SetModes(int abs, int rel, int assignIn)
    {
        ENV_SetAbsZahyou(env, abs);
        ENV_SetRelZahyou(env, rel);
        ENV_SetAssInZahyou(env, assignIn);
    }
    int Modes()
    {
        return (ENV_GetAbsZahyou(env) ? 1 : 0) | (ENV_GetRelZahyou(env) ? 2 : 0) | (ENV_GetAssInZahyou(env) ? 4 : 0);
    }
    static void SetCursorJump(int on)
    {
        DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
        ENV_SetCursorJump(ctx, on);
        DDM_Close(ctx);
    }
    // Pushes the root record, then `record` over it.
    static void Run(CommandRecord* record)
    {
        ASSERT_EQ(CMD_Push(CMD_TableRecord(1)), 1);
        ASSERT_EQ(CMD_Push(record), 1);
    }
};

TEST_F(CommandEnd, ClearCoordModesReportsWhatWasOn)
{
    struct Row {
        int abs, rel, assignIn, expected;
    } rows[] = {
        {0, 0, 0, 0}, {1, 0, 0, 1}, {0, 1, 0, 2}, {1, 1, 0, 3}, {0, 0, 1, 4}, {1, 0, 1, 5}, {0, 1, 1, 6}, {1, 1, 1, 7},
    };
    for (const Row& row : rows) {
        SetModes(row.abs, row.rel, row.assignIn);
        EXPECT_EQ(CMD_ClearCoordModes(), row.expected) << row.abs << row.rel << row.assignIn;
        EXPECT_EQ(Modes(), 0) << "every mode is off afterwards";
    }
}

TEST_F(CommandEnd, RelativeBaseEndKeepsTheRelativeMode)
{
    CommandRecord* relativeBase = CMD_FindById(157);
    ASSERT_EQ(relativeBase->stateId, CMD_STATE_REL_BASE);
    Run(relativeBase);
    SetModes(1, 1, 1);
    EXPECT_EQ(CMD_End(relativeBase), 1);
    EXPECT_EQ(Modes(), 2) << "absolute and assign-in go, relative stays";

    CommandRecord* distance = CMD_FindById(40122);
    Run(distance);
    SetModes(1, 1, 1);
    EXPECT_EQ(CMD_End(distance), 1);
    EXPECT_EQ(Modes(), 0);
}

TEST_F(CommandEnd, PopsTheTopFreesTheBlocksAndClearsTheMenuForLevel8Only)
{
    struct Row {
        int commandId;
        int menuResets;
    } rows[] = {{40122, 1}, {155, 0}, {132, 0}};
    for (const Row& row : rows) {
        CommandRecord* r = CMD_FindById(row.commandId);
        Run(r);
        tw->menuResets = 0;
        tw->canvasState.lineKind = 7;
        r->workBlock1 = MemAlloc(nullptr, 40, "CmdEndTest");
        r->workBlock2 = MemAlloc(nullptr, 24, "CmdEndTest");
        EXPECT_EQ(CMD_End(r), 1) << row.commandId;
        EXPECT_EQ(CMD_StackTop(), CMD_TableRecord(1)) << row.commandId;
        EXPECT_EQ(MEM_GetCount("CmdEndTest").blocks, 0) << row.commandId;
        EXPECT_EQ(r->workBlock1, nullptr);
        EXPECT_EQ(r->workBlock2, nullptr);
        EXPECT_EQ(tw->menuResets, row.menuResets) << row.commandId;
        EXPECT_EQ(tw->canvasState.lineKind, 0) << "the function bar's line kind is reset";
        CMD_PopTop();
    }
}

TEST_F(CommandEnd, PopsTheTopWhateverRecordIsPassedAndRefusesAnEmptyStack)
{
    Run(CMD_FindById(40122));
    EXPECT_EQ(CMD_End(CMD_FindById(40236)), 1);
    EXPECT_EQ(CMD_StackTop(), CMD_TableRecord(1));
    CMD_PopTop();
    EXPECT_EQ(CMD_End(CMD_FindById(40122)), 0);
    EXPECT_EQ(CMD_StackDepth(), 0);
}

TEST_F(CommandEnd, LeakIsReportedWithTheCommandsName)
{
    CommandRecord* distance = CMD_FindById(40122);
    Run(distance);
    distance->leakBytes = 123;
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    EXPECT_EQ(CMD_End(distance), 1);
    ASSERT_EQ(watch.Count(), 1u);
    KIT_SeenDialog seen = watch.Seen()[0];
    EXPECT_EQ(seen.caption, "距離");
    EXPECT_EQ(seen.text,
              "この機能の中で、123バイトのメモリーリークが発生しています．\n"
              "お手数をかけますが、行った操作をメモして至急販売店までご連絡下さい．");
    EXPECT_EQ(CMD_StackTop(), CMD_TableRecord(1)) << "the command still ends";
}

// A real work space whose view is taken away under the engine: the flush
// fails, the system's text and the command's box are shown, and the command
// stays as it was.
TEST_F(CommandEnd, FailedFlushIsReportedAndTheCommandStays)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "cmd_end_flush.wps";
    void* space = WPS_Open(path.c_str());
    ASSERT_NE(space, nullptr);
    // The environment record lies in the work space's view.
    MEMORY_BASIC_INFORMATION info = {};
    ASSERT_NE(VirtualQuery(ENV_GetENVClass(), &info, sizeof info), 0u);
    ASSERT_EQ(info.Type, (DWORD)MEM_MAPPED);

    CommandRecord* distance = CMD_FindById(40122);
    Run(distance);
    distance->leakBytes = 5;
    void* block = MemAlloc(nullptr, 16, "CmdEndTest");
    distance->workBlock1 = block;
    ASSERT_TRUE(UnmapViewOfFile(info.AllocationBase));

    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    watch.Answer(IDOK);
    int result = CMD_End(distance);
    std::vector<KIT_SeenDialog> seen = watch.Seen();
    WPS_Close(space);
    WPS_Delete(path.c_str());

    EXPECT_EQ(result, 0);
    ASSERT_EQ(seen.size(), 2u) << "the system's text, then the command's box; no leak report";
    EXPECT_EQ(seen[0].caption, "FlushViewOfFile");
    EXPECT_EQ(seen[1].caption, "距離");
    EXPECT_EQ(seen[1].text, "この機能の中で、データ保存のエラーが発生しました Torvaを再起動してください\n");
    EXPECT_EQ(CMD_StackTop(), distance) << "the command is not popped";
    EXPECT_EQ(distance->workBlock1, block) << "its blocks are kept";
    EXPECT_EQ(tw->menuResets, 0);
    distance->leakBytes = 0;
    distance->workBlock1 = nullptr;
    MemFree(nullptr, block, "CmdEndTest");
}

TEST_F(CommandEnd, CursorJumpsOffTheCanvasExceptAfterViewCommands)
{
    SetCursorJump(1);
    RECT rc;
    GetWindowRect(tw->canvas, &rc);
    POINT inside = {rc.left + 50, rc.top + 40};

    struct Row {
        int commandId;
        bool jumps;
    } rows[] = {{132, false}, {137, false}, {155, false}, {40122, true}};
    for (const Row& row : rows) {
        CommandRecord* r = CMD_FindById(row.commandId);
        Run(r);
        SetCursorPos(inside.x, inside.y);
        tw->canvasState.bCapture = 0;
        tw->canvasState.bLeftDown = 1;
        EXPECT_EQ(CMD_End(r), 1);
        POINT now;
        GetCursorPos(&now);
        if (row.jumps) {
            EXPECT_EQ(now.x, rc.right + 60);
            EXPECT_EQ(now.y, rc.top + 60);
            DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
            uint64_t stored = ENV_GetCsrJmpXY(ctx);
            DDM_Close(ctx);
            EXPECT_EQ((int32_t)(uint32_t)stored, inside.x);
            EXPECT_EQ((int32_t)(uint32_t)(stored >> 32), inside.y);
            EXPECT_EQ(tw->canvasState.bCapture, 1);
            EXPECT_EQ(tw->canvasState.bLeftDown, 0);
        } else {
            EXPECT_EQ(now.x, inside.x) << row.commandId;
            EXPECT_EQ(now.y, inside.y) << row.commandId;
            EXPECT_EQ(tw->canvasState.bLeftDown, 1) << row.commandId;
        }
        CMD_PopTop();
    }
}

TEST_F(CommandEnd, CursorHelpersCentreAndReleaseTheCanvas)
{
    RECT rc;
    GetWindowRect(tw->canvas, &rc);
    CMD_CentreCursor();
    POINT now;
    GetCursorPos(&now);
    EXPECT_EQ(now.x, rc.left + (rc.right - rc.left) / 2);
    EXPECT_EQ(now.y, rc.top + (rc.bottom - rc.top) / 2);

    tw->canvasState.bCapture = 1;
    tw->canvasState.bCrossHairShown = 1;
    tw->canvasState.ptLastCursor = {30, 40};
    CMD_ReleaseViewCursor(tw->canvas);
    EXPECT_EQ(tw->canvasState.bCrossHairShown, 0) << "the cross-hair is erased";
    GetCursorPos(&now);
    EXPECT_EQ(now.x, rc.right + 60);
    EXPECT_EQ(now.y, rc.top + 60);
    EXPECT_EQ(tw->canvasState.bCapture, 0);
}

TEST_F(CommandEnd, MessageBoxFreesTheMouseAndGivesTheAnswer)
{
    tw->canvasState.bCapture = 1;
    SetCapture(tw->canvas);
    KIT_DialogWatch watch;
    watch.Answer(IDNO);
    EXPECT_EQ(CMD_MessageBox(tw->canvas, "よろしいですか？", "距離", MB_YESNO), IDNO);
    ASSERT_EQ(watch.Count(), 1u);
    EXPECT_EQ(watch.Seen()[0].caption, "距離");
    EXPECT_EQ(watch.Seen()[0].text, "よろしいですか？");
    EXPECT_EQ(tw->canvasState.bCapture, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
